// The lantern: torch reach and flicker by charge, F switching at most every
// half second, orb throws and their cost, a restarted light in the current
// mode, the puzzle rooms' idle lamp, and thrown orbs: where they land (also
// after a long frame), how they fade, and that nothing keeps pointing at an
// orb or a light once they are gone.
#include "Game.h"
#include "Globals.h"
#include "Light.h"
#include "LightBox.h"
#include "LightManager.h"
#include "LightOrb.h"
#include "TarnInput.h"
#include "TarnInternal.h"
#include "TarnSystem.h"
#include "World.h"

#include "GameGlobals.h"
#include "SceneProps.h"
#include "TestEnv.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

#include <cmath>

namespace {

constexpr float kStep = 1.0f / 60.0f;

using moth_test::Prop;
using moth_test::WallBlock;

class LightBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        TarnSysUpdate();
        tarn::InputReleaseAllKeys();
        TarnInputReset();
        // Every World::Update reads the frame time from the frame controller.
        TarnFrameRateControllerSetFixedFrameTime(kStep);
        TarnFrameRateControllerStart();
        TarnFrameRateControllerEnd();
        gFrameTime = kStep;
        gGameMode = 0;
        gLightCharge = 360.0f;
        player = new Prop(2, 0.0f, 0.0f, 30.0f);
        gWorld->SetPlayer(player);
        light = new Light(player, 0.0f);
        box = new LightBox();
        box->Init();
        box->AttachLight(light);
    }

    void TearDown() override { TarnFrameRateControllerSetFixedFrameTime(0.0); }

    static void Push(Uint32 type, SDL_Keycode key, Uint8 button) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = key;
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
            event.button.button = button;
        }
        SDL_PushEvent(&event);
    }

    // One frame of input, then the light box's update.
    void Frame() {
        TarnSysUpdate();
        TarnInputUpdate();
        box->Update();
    }

    int OrbCount() const { return static_cast<int>(gLightManager->orbs.size()); }

    moth_test::GameGlobals globals;
    Prop* player = nullptr;
    Light* light = nullptr;
    LightBox* box = nullptr;
};

TEST_F(LightBoxTest, TorchReachFollowsTheChargeAndFlickersWhenLow) {
    gFrameTime = 0.0f; // no drain: the charge stays where it is set
    gLightCharge = 288.0f;
    box->Update();
    EXPECT_FLOAT_EQ(light->radius, 300.0f);
    EXPECT_NEAR(light->halfAngle, 0.5235987f, 1e-6f);
    gLightCharge = 144.0f; // 0.4 of the full charge: 0.6 of the reach
    box->Update();
    EXPECT_FLOAT_EQ(light->radius, 180.0f);
    gLightCharge = 0.0f;
    box->Update();
    EXPECT_FLOAT_EQ(light->radius, 0.0f);

    // Between the bands the tint is left alone; inside one it alternates.
    gFrameTime = kStep;
    light->SetTintColor(0.2f, 0.3f, 0.4f, 0.5f);
    gLightCharge = 71.5f + 5.0f * kStep;
    box->Update();
    EXPECT_FLOAT_EQ(light->tintColor.r, 0.2f);
    // The flicker keeps its phase for the whole run, so the first toggle may
    // come at any frame; the phases after it last 0.3 s each.
    gLightCharge = 90.0f + 5.0f * kStep;
    box->Update();
    std::vector<int> toggles;
    bool dim = light->tintColor.r < 0.5f;
    for (int frame = 0; frame < 60; ++frame) {
        box->Update();
        if ((light->tintColor.r < 0.5f) != dim) {
            toggles.push_back(frame);
        }
        dim = light->tintColor.r < 0.5f;
    }
    EXPECT_NEAR(gLightCharge, 85.0f, 1e-3f) << "the torch drains 5 a second";
    ASSERT_GE(toggles.size(), 3u);
    for (size_t i = 1; i < toggles.size(); ++i) {
        EXPECT_EQ(toggles[i] - toggles[i - 1], 18) << "0.3 s bright, 0.3 s dim";
    }
}

TEST_F(LightBoxTest, HoldingFSwitchesEveryHalfSecondThroughLampTorchOrb) {
    Push(SDL_KEYDOWN, SDLK_f, 0);
    int switches = 0;
    int last = -100;
    int previousMode = box->mode;
    for (int frame = 0; frame < 120; ++frame) {
        Frame();
        if (box->mode != previousMode) {
            EXPECT_GE(frame - last, 30) << "switched twice within half a second";
            last = frame;
            ++switches;
            previousMode = box->mode;
        }
    }
    EXPECT_EQ(switches, 3);
    EXPECT_EQ(box->mode, LightMode::Torch) << "torch, orb, lamp, torch";
    Push(SDL_KEYUP, SDLK_f, 0);
    Frame();

    // The orb mode's narrow cone and the lamp's wide circle.
    box->mode = LightMode::Torch;
    box->switchCooldown = -1.0f;
    Push(SDL_KEYDOWN, SDLK_f, 0);
    Frame();
    EXPECT_EQ(box->mode, LightMode::Orb);
    EXPECT_FLOAT_EQ(light->radius, 75.0f);
    box->switchCooldown = -1.0f;
    Frame();
    EXPECT_EQ(box->mode, LightMode::Lamp);
    EXPECT_FLOAT_EQ(light->radius, 90.0f);
    EXPECT_NEAR(light->halfAngle, 3.1415925f, 1e-6f);
    Push(SDL_KEYUP, SDLK_f, 0);
    Frame();
}

TEST_F(LightBoxTest, OrbsNeedMoreThanTenChargeAndThreeSecondsBetweenThrows) {
    box->mode = LightMode::Orb;
    gLightCharge = 10.0f;
    Push(SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT);
    Frame();
    EXPECT_EQ(OrbCount(), 0);
    EXPECT_FLOAT_EQ(box->GetTransparency(), 0.3f);
    Push(SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_LEFT);
    Frame();

    gLightCharge = 100.0f;
    Push(SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT);
    Frame();
    EXPECT_EQ(OrbCount(), 1);
    EXPECT_FLOAT_EQ(gLightCharge, 70.0f);
    Push(SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_LEFT);
    Frame();
    EXPECT_FLOAT_EQ(box->GetTransparency(), 0.3f) << "cooling down";
    Push(SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT);
    Frame();
    EXPECT_EQ(OrbCount(), 1);
    Push(SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_LEFT);
    Frame();
}

TEST_F(LightBoxTest, ARestartedPlayersLightTakesTheModeTheLanternIsIn) {
    struct Case {
        int mode;
        float halfAngle;
        float radius;
    };
    for (const Case& c :
         {Case{LightMode::Lamp, 3.1415925f, 90.0f}, Case{LightMode::Orb, 1.0471974f, 75.0f}}) {
        box->mode = c.mode;
        auto* restarted = new Light(player, 0.0f); // the torch's cone, as every light starts
        box->AttachLight(restarted);
        EXPECT_FLOAT_EQ(restarted->halfAngle, c.halfAngle) << c.mode;
        EXPECT_FLOAT_EQ(restarted->radius, c.radius) << c.mode;
        EXPECT_FLOAT_EQ(restarted->GetTransparency(), 0.5f) << c.mode;
        box->Update();
        EXPECT_FLOAT_EQ(gLightCharge, 360.0f) << "only the torch drains";
    }
}

TEST_F(LightBoxTest, PuzzleRoomsIdleAsALampThatAddsNoLight) {
    gGameMode = 1;
    box->SetIdleMode();
    box->Update();
    EXPECT_EQ(box->mode, LightMode::Lamp);
    EXPECT_FLOAT_EQ(light->radius, 90.0f);
    EXPECT_FLOAT_EQ(light->GetTransparency(), 0.0f);
    EXPECT_FLOAT_EQ(gLightCharge, 360.0f) << "no torch drain";
}

TEST_F(LightBoxTest, OrbsStopShortOfWallsGlideAbout167OutAndFadeAway) {
    new WallBlock(65.0f, 0.0f); // its near side 40 units from the throw
    auto* walled = new LightOrb(TarnVec2{0.0f, 0.0f}, 0.0f);
    auto* open = new LightOrb(TarnVec2{0.0f, 100.0f}, 0.0f);
    EXPECT_FLOAT_EQ(walled->landing.x, 40.0f);
    EXPECT_FLOAT_EQ(open->landing.x, 300.0f);
    for (int frame = 0; frame < 450; ++frame) { // 7.5 seconds
        walled->Update();
        open->Update();
    }
    EXPECT_NEAR(walled->GetPos().x, 35.0f, 1e-3f);
    EXPECT_NEAR(open->GetPos().x, 166.7f, 2.0f);
    EXPECT_NEAR(open->GetTransparency(), 0.5f, 0.01f);
    EXPECT_NEAR(open->light->radius, 50.0f, 1.0f);

    // Once their ten seconds are up, orbs and lights are deleted and forgotten.
    gWorld->Destroy(3, light); // the player's light goes too (a restart)
    for (int frame = 0; frame < 160; ++frame) {
        gWorld->Update();
    }
    EXPECT_TRUE(gLightManager->orbs.empty());
    EXPECT_TRUE(gLightManager->lights.empty());
    EXPECT_TRUE(gWorld->GetLayer(3).empty());
    EXPECT_EQ(box->playerLight, nullptr);
}

TEST_F(LightBoxTest, AFifthOfASecondFrameCarriesNoOrbOverItsLandingIntoTheWall) {
    new WallBlock(75.0f, 0.0f); // its near side at 50
    auto* orb = new LightOrb(TarnVec2{0.0f, 0.0f}, 0.0f);
    ASSERT_FLOAT_EQ(orb->landing.x, 50.0f);
    // Unbounded, steps of 20, 19.8 and 19.6 units would pass over the 10
    // units around the landing point and on into the wall.
    TarnFrameRateControllerSetFixedFrameTime(0.2);
    for (int frame = 0; frame < 40; ++frame) {
        TarnFrameRateControllerStart();
        TarnFrameRateControllerEnd();
        gWorld->Update();
        EXPECT_LE(orb->GetPos().x, 45.0f + 1e-3f) << frame;
    }
    EXPECT_NEAR(orb->GetPos().x, 45.0f, 1e-3f);
}

} // namespace
