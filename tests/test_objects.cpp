// The object class tree: colours, transparency, position checks, transforms
// and the registries an object joins and leaves.
#include "Camera.h"
#include "CollisionManager.h"
#include "GameObject.h"
#include "LightManager.h"
#include "World.h"

#include "GameGlobals.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <list>
#include <unistd.h>

namespace {

// StaticObject leaves Init and Update to its subclasses.
class Prop : public StaticObject {
  public:
    using StaticObject::StaticObject;
    void Init() override {}
    void Update() override {}
};

class Mover : public ActiveObject {
  public:
    using ActiveObject::ActiveObject;
    void Init() override {}
    void Update() override {}
};

TarnVec2 Apply(const TarnMtx33& m, float x, float y) {
    return TarnVec2{m.m[0][0] * x + m.m[0][1] * y + m.m[0][2],
                    m.m[1][0] * x + m.m[1][1] * y + m.m[1][2]};
}

// ---- Colours and transparency ----------------------------------------------------

TEST(ObjectColours, SetBlendColorPutsSecondArgumentInBlueAndThirdInGreen) {
    Prop prop;
    prop.SetBlendColor(0.0f, 1.0f, 0.0f, 0.3f);
    EXPECT_FLOAT_EQ(prop.blendColor.r, 0.0f);
    EXPECT_FLOAT_EQ(prop.blendColor.g, 0.0f);
    EXPECT_FLOAT_EQ(prop.blendColor.b, 1.0f);
    EXPECT_FLOAT_EQ(prop.blendColor.a, 0.3f);

    prop.SetBlendColor(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_FLOAT_EQ(prop.blendColor.g, 0.3f);
    EXPECT_FLOAT_EQ(prop.blendColor.b, 0.2f);
}

TEST(ObjectColours, TransparencyIsZeroUntilSetAndSharesTheTintAlpha) {
    Prop prop;
    EXPECT_FLOAT_EQ(prop.GetTransparency(), 0.0f);
    EXPECT_FLOAT_EQ(prop.blendColor.a, 0.0f);
    EXPECT_FLOAT_EQ(prop.tintColor.r, 1.0f);

    prop.SetTintColor(0.2f, 0.4f, 0.6f, 0.8f);
    EXPECT_FLOAT_EQ(prop.GetTransparency(), 0.8f);
    prop.SetTransparency(0.25f);
    EXPECT_FLOAT_EQ(prop.tintColor.a, 0.25f);
    EXPECT_FLOAT_EQ(prop.tintColor.g, 0.4f);
}

// ---- Position checks ------------------------------------------------------------------

// The report goes to standard output; death tests watch standard error, so
// the dying child sends one to the other.
#define EXPECT_POSITION_REPORT(statement, line, function)                                          \
    EXPECT_EXIT(                                                                                   \
        {                                                                                          \
            std::fflush(stdout);                                                                   \
            dup2(STDERR_FILENO, STDOUT_FILENO);                                                    \
            statement;                                                                             \
        },                                                                                         \
        ::testing::ExitedWithCode(1),                                                              \
        "^TARN_ASSERT: std::isfinite\\(position\\.x\\) && std::isfinite\\(position\\.y\\) && "     \
        "!std::isnan\\(position\\.x\\) && !std::isnan\\(position\\.y\\)\n"                         \
        "Line: " #line "\nFunc: " function "\nFile: Engine\\\\GameObject\\.cpp\n$")

TEST(ObjectPositionDeathTest, NonFinitePositionsEndTheGameWithTheirReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Prop prop;
    EXPECT_POSITION_REPORT(prop.SetPos(NAN, 0.0f), 91, "StaticObject::SetPos");
    EXPECT_POSITION_REPORT(prop.SetPos(TarnVec2{0.0f, INFINITY}), 110, "StaticObject::SetPos");
    prop.SetPos(FLT_MAX, 0.0f);
    EXPECT_POSITION_REPORT(prop.AddPos(FLT_MAX, 0.0f), 101, "StaticObject::AddPos");
}

TEST(ObjectPositionDeathTest, APositionAlreadyBrokenIsReportedBeforeTheChange) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Prop prop;
    prop.position.y = NAN;
    EXPECT_POSITION_REPORT(prop.SetPos(1.0f, 2.0f), 88, "StaticObject::SetPos");
    EXPECT_POSITION_REPORT(prop.AddPos(1.0f, 2.0f), 97, "StaticObject::AddPos");
    EXPECT_POSITION_REPORT(prop.SetPos(TarnVec2{1.0f, 2.0f}), 107, "StaticObject::SetPos");
}

TEST(ObjectPosition, FiniteChangesGoThrough) {
    Prop prop;
    prop.SetPos(3.0f, -4.0f);
    prop.AddPos(1.5f, 0.5f);
    EXPECT_FLOAT_EQ(prop.GetPos().x, 4.5f);
    EXPECT_FLOAT_EQ(prop.GetPos().y, -3.5f);
    prop.SetPos(TarnVec2{-FLT_MAX, FLT_MAX});
    EXPECT_FLOAT_EQ(prop.GetPos().x, -FLT_MAX);
}

// ---- Transforms -----------------------------------------------------------------------

TEST(BuildTransform, ScalesThenTurnsThenMoves) {
    TarnMtx33 m;
    BuildTransform(&m, TarnVec2{2.0f, 3.0f}, TarnVec2{10.0f, 20.0f}, 1.5707964f);
    // The quad's right edge (0.5, 0) is first 1 unit out, then turned to point up.
    const TarnVec2 right = Apply(m, 0.5f, 0.0f);
    EXPECT_NEAR(right.x, 10.0f, 1e-5f);
    EXPECT_NEAR(right.y, 21.0f, 1e-5f);
    const TarnVec2 top = Apply(m, 0.0f, 0.5f);
    EXPECT_NEAR(top.x, 8.5f, 1e-5f);
    EXPECT_NEAR(top.y, 20.0f, 1e-5f);
}

TEST(BuildTransform, ZeroRotationIsExactlyTranslationTimesScale) {
    TarnMtx33 m;
    BuildTransform(&m, TarnVec2{50.0f, 25.0f}, TarnVec2{-7.0f, 8.0f}, 0.0f);
    const float expected[3][3] = {{50.0f, 0.0f, -7.0f}, {0.0f, 25.0f, 8.0f}, {0.0f, 0.0f, 1.0f}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(m.m[r][c], expected[r][c]) << r << "," << c;
        }
    }
}

TEST(BuildTransform, TheBaseDrawIgnoresRotation) {
    Prop prop;
    prop.SetPos(5.0f, 6.0f);
    prop.SetScale(10.0f, 20.0f);
    prop.SetRotation(0.7f);
    prop.Draw();
    TarnMtx33 unrotated;
    BuildTransform(&unrotated, prop.GetScale(), prop.GetPos(), 0.0f);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(prop.transform.m[r][c], unrotated.m[r][c]);
        }
    }
}

// ---- Registration ---------------------------------------------------------------------

class ObjectRegistryTest : public testing::Test {
  protected:
    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
    CollisionManager& collisions = globals.Get<CollisionManager>();
    LightManager& lights = globals.Get<LightManager>();
};

TEST_F(ObjectRegistryTest, RegisteringConstructorJoinsTheLayerAndTheRequestedRegistries) {
    auto* wall = new Prop(1, 10.0f, 20.0f, nullptr, true, true, 50.0f, 40.0f);
    auto* ghost = new Prop(1, 0.0f, 0.0f, nullptr, false, false, 5.0f, 5.0f);
    EXPECT_EQ(world.GetLayer(1), (std::list<GameObject*>{wall, ghost}));
    const Collider* collider = collisions.Find(wall);
    ASSERT_NE(collider, nullptr);
    EXPECT_FALSE(collider->isActive);
    EXPECT_FLOAT_EQ(collider->min.x, -15.0f);
    EXPECT_FLOAT_EQ(collider->max.y, 40.0f);
    EXPECT_NE(lights.FindCaster(wall), nullptr);
    EXPECT_TRUE(lights.movingCasters.empty());
    EXPECT_EQ(collisions.Find(ghost), nullptr);
    EXPECT_EQ(lights.FindCaster(ghost), nullptr);

    // Moving objects are filed with the movers.
    auto* block = new Mover(2, 0.0f, 0.0f, nullptr, true, true, 30.0f, 30.0f);
    collider = collisions.Find(block);
    ASSERT_NE(collider, nullptr);
    EXPECT_TRUE(collider->isActive);
    EXPECT_EQ(collider->activeObject, block);
    ASSERT_EQ(lights.movingCasters.size(), 1u);
    EXPECT_EQ(lights.movingCasters.front()->object, block);
}

TEST_F(ObjectRegistryTest, ParameterlessObjectsRegisterNowhere) {
    Prop prop;
    Mover mover;
    for (int layer = 0; layer < World::kLayerCount; ++layer) {
        EXPECT_TRUE(world.GetLayer(layer).empty());
    }
    EXPECT_TRUE(collisions.staticColliders.empty());
    EXPECT_TRUE(collisions.activeColliders.empty());
    EXPECT_TRUE(lights.casters.empty());
}

// ---- Camera ------------------------------------------------------------------------------

class CameraTest : public testing::Test {
  protected:
    void SetUp() override {
        TarnGfxSetCamPosition(0.0f, 0.0f);
        world.Load("NoSuchState"); // only makes the camera
        player = new Mover(2, 40.0f, -30.0f, nullptr, false, false, 32.0f, 32.0f);
    }
    void TearDown() override { TarnGfxSetCamPosition(0.0f, 0.0f); }
    static TarnVec2 EngineCamera() {
        TarnVec2 at;
        TarnGfxGetCamPosition(&at.x, &at.y);
        return at;
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
    Mover* player = nullptr;
};

TEST_F(CameraTest, AFollowingCameraCentresTheViewOnThePlayerEveryFrame) {
    world.SetPlayer(player);
    for (float x : {40.0f, 55.5f, -300.0f}) {
        player->SetPos(x, 12.0f);
        world.GetCamera()->Update();
        EXPECT_FLOAT_EQ(EngineCamera().x, x);
        EXPECT_FLOAT_EQ(EngineCamera().y, 12.0f);
        EXPECT_FLOAT_EQ(world.GetCamera()->GetPos().x, x);
    }
}

TEST_F(CameraTest, AStillCameraLeavesTheViewWhereItWas) {
    world.SetPlayer(player);
    world.GetCamera()->SetFollow(false);
    world.GetCamera()->Update();
    EXPECT_FLOAT_EQ(EngineCamera().x, 0.0f);
    EXPECT_FLOAT_EQ(EngineCamera().y, 0.0f);
}

TEST_F(CameraTest, ADeletedPlayerLeavesTheViewWhereItWas) {
    world.SetPlayer(player);
    world.GetCamera()->Update();
    world.Destroy(2, player);
    world.Update();
    world.GetCamera()->Update();
    EXPECT_FLOAT_EQ(EngineCamera().x, 40.0f);
    EXPECT_FLOAT_EQ(EngineCamera().y, -30.0f);
}

} // namespace
