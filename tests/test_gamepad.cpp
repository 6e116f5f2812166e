// A game controller plays the game through SDL's virtual joystick, headless:
// the sticks and d-pad walk, the right stick aims, A or the right trigger
// throws, Y or a shoulder switches the light, Start pauses, and on the pause
// menu the d-pad and A press its buttons while B backs out.
#include "Cursor.h"
#include "Game.h"
#include "GameGlobals.h"
#include "Globals.h"
#include "Light.h"
#include "LightBox.h"
#include "LightManager.h"
#include "PadFocus.h"
#include "PauseMenu.h"
#include "Player.h"
#include "SceneProps.h"
#include "Settings.h"
#include "Tarn.h"
#include "TarnInternal.h"
#include "TestEnv.h"
#include "VirtualPad.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr float kStep = 1.0f / 60.0f;

void MovePointerTo(int x, int y) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = x;
    motion.motion.y = y;
    SDL_PushEvent(&motion);
}

// One frame's input: the pad's events pumped, then the snapshot.
void Frame() {
    TarnSysUpdate();
    TarnInputUpdate();
}

class GamepadTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        TarnSysUpdate();
        tarn::InputReleaseAllKeys();
        TarnInputReset();
        MovePointerTo(512, 384); // the window's centre, whatever an earlier test left
        pad = std::make_unique<moth_test::VirtualPad>();
        ASSERT_TRUE(pad->Attached()) << SDL_GetError();
        Frame();
        gFrameTime = kStep;
        TarnGfxSetCamPosition(0.0f, 0.0f);
    }
    void TearDown() override {
        pad.reset();
        Frame();
        gPadMenuRow = gSettingsShown = false;
    }

    // A pad button pressed at a frame and let go `held` frames later.
    struct Press {
        int frame;
        SDL_GameControllerButton button;
        int held = 1;
    };
    // Runs the whole game from `first` for `frames` frames with the settings
    // kept nowhere, pressing the buttons; `watch` looks at each frame once
    // its input is in.
    void RunWithPresses(GameStateId first, int frames, const std::vector<Press>& presses,
                        const std::function<void(int)>& watch) {
        UseSettingsFile("");
        GameInit();
        TarnSysUpdate();
        GameRunOptions options;
        options.pauseOnFocusLoss = false; // other tests' windows take the focus
        options.firstState = first;
        options.maxFrames = frames;
        options.fixedStep = true;
        options.beforeInput = [&](int frame) {
            for (const Press& press : presses) {
                if (frame == press.frame || frame == press.frame + press.held) {
                    pad->Button(press.button, frame == press.frame);
                }
            }
            TarnSysUpdate();
            watch(frame);
        };
        RunGame(options);
    }

    std::unique_ptr<moth_test::VirtualPad> pad;
};

class GamepadSceneTest : public GamepadTest {
  protected:
    moth_test::GameGlobals globals;
};

TEST_F(GamepadSceneTest, SticksAndDpadWalkOneWayAtATimeAndTheDpadLeavesPanelsAlone) {
    Player* player = MakePlayer(0.0f, 0.0f);
    struct Case {
        float x, y;
        SDL_GameControllerButton dpad;
        bool panel;
        float vx, vy;
    };
    const SDL_GameControllerButton none = SDL_CONTROLLER_BUTTON_INVALID;
    const Case cases[] = {
        {-1.0f, 0.0f, none, false, -200.0f, 0.0f},
        {0.5f, -0.9f, none, false, 0.0f, 200.0f}, // the stronger axis: up
        {0.8f, 0.6f, none, false, 200.0f, 0.0f},
        {0.2f, 0.1f, SDL_CONTROLLER_BUTTON_DPAD_DOWN, false, 0.0f, -200.0f}, // stick at rest
        {0.0f, 0.0f, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true, 0.0f, 0.0f}, // the d-pad works a panel
        {1.0f, 0.0f, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true, 200.0f, 0.0f}, // the stick still walks
    };
    for (const Case& c : cases) {
        pad->Release();
        pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, c.x);
        pad->Axis(SDL_CONTROLLER_AXIS_LEFTY, c.y);
        if (c.dpad != none) {
            pad->Button(c.dpad, true);
        }
        gPadMenuRow = c.panel;
        Frame();
        player->Update();
        EXPECT_FLOAT_EQ(player->velocity.x, c.vx) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(player->velocity.y, c.vy) << c.x << "," << c.y;
    }
    gPadMenuRow = false;
    pad->Unplug(); // pulled out while the stick is pushed
    Frame();
    player->Update();
    EXPECT_FLOAT_EQ(player->velocity.x, 0.0f);
}

TEST_F(GamepadSceneTest, TheRightStickAimsRoundThePlayerUntilTheMouseMoves) {
    Player* player = MakePlayer(100.0f, 50.0f);
    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTY, 1.0f); // pushed down
    Frame();
    UpdateCursor();
    EXPECT_FLOAT_EQ(gMouseX, 100.0f);
    EXPECT_FLOAT_EQ(gMouseY, -100.0f);
    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTY, 0.0f); // let go: the lantern stays pointed
    player->SetPos(200.0f, 50.0f);
    Frame();
    UpdateCursor();
    EXPECT_FLOAT_EQ(gMouseX, 200.0f) << "the cursor circles the player as it walks";
    EXPECT_FLOAT_EQ(gMouseY, -100.0f);
    MovePointerTo(612, 284);
    Frame();
    UpdateCursor();
    EXPECT_FLOAT_EQ(gMouseX, 100.0f) << "the mouse takes the cursor back";
    EXPECT_FLOAT_EQ(gMouseY, 100.0f);
}

TEST_F(GamepadSceneTest, AOrTheRightTriggerThrowsAndYOrAShoulderSwitchesTheLight) {
    auto* holder = new moth_test::Prop(2, 0.0f, 0.0f, 30.0f);
    gWorld->SetPlayer(holder);
    auto* light = new Light(holder, 0.0f);
    auto* box = new LightBox();
    box->Init();
    box->AttachLight(light);
    gGameMode = GameMode::Story;
    gLightCharge = 360.0f;
    box->mode = LightMode::Orb;
    for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B}) {
        box->throwCooldown = 0.0f;
        pad->Button(button, true);
        Frame();
        box->Update();
        pad->Button(button, false);
        Frame();
    }
    EXPECT_EQ(gLightManager->orbs.size(), 1u) << "A throws, B does not";
    box->throwCooldown = 0.0f;
    pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
    Frame();
    box->Update();
    EXPECT_EQ(gLightManager->orbs.size(), 2u);
    pad->Release();

    for (SDL_GameControllerButton button :
         {SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
          SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}) {
        const int before = box->mode;
        box->switchCooldown = -1.0f;
        pad->Button(button, true);
        Frame();
        box->Update();
        EXPECT_NE(box->mode, before) << button;
        pad->Button(button, false);
        Frame();
    }
}

// The real loop in Level1: Start pauses, the d-pad takes the highlight down
// to Options and A presses it, the d-pad moves the highlighted music knob,
// and B backs out of the menu.
TEST_F(GamepadTest, StartPausesAndTheDpadAndAPressTheMenusButtons) {
    bool pausedByStart = false;
    bool settingsOpened = false;
    RunWithPresses(GameState::Level1, 120,
                   {{100, SDL_CONTROLLER_BUTTON_START},
                    {104, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
                    {106, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
                    {108, SDL_CONTROLLER_BUTTON_A},
                    {112, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
                    {116, SDL_CONTROLLER_BUTTON_B}},
                   [&](int frame) {
                       pausedByStart = pausedByStart || (frame == 103 && gPaused);
                       settingsOpened =
                           settingsOpened || (frame == 110 && gSubPanelOpen && gSettingsShown);
                   });
    EXPECT_TRUE(pausedByStart);
    EXPECT_TRUE(settingsOpened) << "down, down and A pressed Options";
    EXPECT_FLOAT_EQ(gAudioManager->GetMusicVolume(), 0.6f) << "right moved the music knob";
    EXPECT_FLOAT_EQ(gSettings.musicVolume, 0.6f) << "and the setting follows";
    EXPECT_FALSE(gPaused) << "B backed out of the menu";
    GameShutdown();
    TarnFrameRateControllerSetFixedFrameTime(0.0);
}

// The menu room by pad: Start takes up the row of buttons, the d-pad and A
// press Options, B closes the settings, B again gives the d-pad back to
// walking.
TEST_F(GamepadTest, StartTakesUpTheMenuRoomsButtonsAndBGivesTheDpadBackToWalking) {
    gSettingsShown = false; // an earlier run's settings stay open by design
    bool settingsByPad = false;
    bool settingsClosed = false;
    float walkedFrom = 0.0f;
    float walkedTo = 0.0f;
    RunWithPresses(GameState::Menu, 50,
                   {{10, SDL_CONTROLLER_BUTTON_START},
                    {14, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
                    {18, SDL_CONTROLLER_BUTTON_A},
                    {22, SDL_CONTROLLER_BUTTON_B},
                    {26, SDL_CONTROLLER_BUTTON_B},
                    {30, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 15}},
                   [&](int frame) {
                       settingsByPad = settingsByPad || (frame == 20 && gSettingsShown);
                       settingsClosed =
                           settingsClosed || (frame == 24 && !gSettingsShown && gPadMenuRow);
                       if (frame == 30 || frame == 45) {
                           (frame == 30 ? walkedFrom : walkedTo) = gWorld->GetPlayer()->GetPos().y;
                       }
                   });
    EXPECT_TRUE(settingsByPad) << "right, then A pressed Options";
    EXPECT_TRUE(settingsClosed) << "B closed the settings, keeping the row";
    EXPECT_FALSE(gPadMenuRow) << "B again let the row go";
    EXPECT_LT(walkedTo, walkedFrom - 20.0f) << "and the d-pad walks down";
    GameShutdown();
    TarnFrameRateControllerSetFixedFrameTime(0.0);
}

} // namespace
