// Particles: spawn direction and speed, the fade against the full lifetime,
// the compounding shrink, and removal when the life runs out.
#include "Globals.h"
#include "Particle.h"
#include "World.h"

#include "GameGlobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class ParticleTest : public testing::Test {
  protected:
    void SetUp() override { gFrameTime = kFrame; }

    static Particle* SpawnWhite(float lifetime, int layer = 4) {
        return SpawnParticle(TarnVec2{10.0f, -20.0f}, 10.0f, 3.0f, nullptr, 1.0f, 1.0f, 1.0f, 1.0f,
                             layer, lifetime);
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
};

TEST_F(ParticleTest, SpawnJoinsItsLayerAndFliesAlongItsRotation) {
    std::srand(7);
    Particle* particle = SpawnParticle(TarnVec2{10.0f, -20.0f}, 3.0f, 4.0f, nullptr, 1.0f, 1.0f,
                                       0.0f, 0.5f, 0, 4.8f);
    ASSERT_EQ(world.GetLayer(0).size(), 1u);
    EXPECT_EQ(world.GetLayer(0).front(), particle);
    EXPECT_EQ(particle->layer, 0);
    EXPECT_FLOAT_EQ(particle->life, 4.8f);
    EXPECT_FLOAT_EQ(particle->GetScale().x, 3.0f);
    EXPECT_FLOAT_EQ(particle->GetScale().y, 3.0f);
    EXPECT_FLOAT_EQ(particle->tintColor.b, 0.0f);
    EXPECT_FLOAT_EQ(particle->GetTransparency(), 0.5f);

    const float angle = particle->GetRotation();
    EXPECT_GE(angle, 0.0f);
    EXPECT_LE(angle, 6.283185f);
    EXPECT_NEAR(particle->velocity.x, std::cos(angle) * 4.0f, 1e-5f);
    EXPECT_NEAR(particle->velocity.y, std::sin(angle) * 4.0f, 1e-5f);
}

TEST_F(ParticleTest, DirectionsSpreadAllAround) {
    std::srand(11);
    int quadrants[4] = {};
    for (int i = 0; i < 200; ++i) {
        const TarnVec2 v = SpawnWhite(5.0f)->velocity;
        ++quadrants[(v.x >= 0.0f ? 0 : 1) + (v.y >= 0.0f ? 0 : 2)];
    }
    for (int count : quadrants) {
        EXPECT_GT(count, 20);
    }
}

TEST_F(ParticleTest, MovesOneVelocityStepPerFrameWhateverTheFrameTime) {
    Particle* particle = SpawnWhite(5.0f);
    particle->velocity = TarnVec2{3.0f, -1.0f};
    gFrameTime = 0.5f;
    particle->Update();
    EXPECT_FLOAT_EQ(particle->GetPos().x, 13.0f);
    EXPECT_FLOAT_EQ(particle->GetPos().y, -21.0f);
}

TEST_F(ParticleTest, FadesLinearlyOverTheFullLifetime) {
    Particle* particle = SpawnWhite(5.0f);
    EXPECT_FLOAT_EQ(particle->GetTransparency(), 1.0f);
    for (int frame = 1; frame <= 150; ++frame) {
        particle->Update();
    }
    EXPECT_NEAR(particle->GetTransparency(), 0.5f, 1e-4f);
}

TEST_F(ParticleTest, AShorterLifeStartsPartlyFaded) {
    Particle* particle = SpawnWhite(4.8f);
    gFrameTime = 0.0f;
    particle->Update();
    EXPECT_FLOAT_EQ(particle->GetTransparency(), 0.96f);
}

TEST_F(ParticleTest, ShrinkCompoundsFrameByFrame) {
    Particle* particle = SpawnWhite(5.0f);
    float expected = 10.0f;
    float life = 5.0f;
    for (int frame = 0; frame < 60; ++frame) {
        particle->Update();
        life -= kFrame;
        expected *= life / kParticleLife;
    }
    EXPECT_NEAR(particle->GetScale().x, expected, 1e-3f);
    // Far below the 8 units a linear shrink would leave after one second.
    EXPECT_LT(particle->GetScale().x, 1.0f);
}

TEST_F(ParticleTest, RemovesItselfWhenItsLifeRunsOut) {
    Particle* particle = SpawnWhite(0.02f);
    particle->Update();
    EXPECT_FALSE(world.IsMarkedForRemoval(particle));
    const float transparencyBefore = particle->GetTransparency();
    const TarnVec2 positionBefore = particle->GetPos();
    particle->Update();
    EXPECT_TRUE(world.IsMarkedForRemoval(particle));
    // The last update only asks for removal; the particle does not move or fade.
    EXPECT_FLOAT_EQ(particle->GetTransparency(), transparencyBefore);
    EXPECT_FLOAT_EQ(particle->GetPos().x, positionBefore.x);

    world.Update();
    EXPECT_TRUE(world.GetLayer(4).empty());
}

} // namespace
