// The controls panel: a key of the pause menu's panel takes the next key
// pressed and a taken key moves over, Esc cancels a binding without leaving
// the pause menu, DEFAULTS and CLOSE; in the menu room the panel holds the
// player and the room's buttons still; the pad's d-pad and A reach its keys.
#include "ControlsPanel.h"
#include "Game.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "MenuWidgets.h"
#include "PadFocus.h"
#include "PauseMenu.h"
#include "Player.h"
#include "TarnInput.h"
#include "TarnInternal.h"
#include "VirtualPad.h"
#include "WidgetKit.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// Where the panel's keys and buttons stand (screen offsets).
constexpr float kKeyX = 30.0f;
constexpr float kSecondKeyX = 160.0f;
constexpr float kWalkUpY = 115.0f;
constexpr float kWalkLeftY = 15.0f;
constexpr TarnVec2 kDefaults{-85.0f, -190.0f};
constexpr TarnVec2 kClose{85.0f, -190.0f};

void PushKey(SDL_Keycode key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

class ControlsPanelTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        moth_test::WithoutStateScripts(globals.Get<GameStateManager>());
        world.Load("NoSuchState"); // only makes the camera
        tarn::InputReleaseAllKeys();
        moth_test::SetLeftButton(false);
        Frame();
    }
    void TearDown() override {
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
        ClosePauseMenu();
        gPaused = gSubPanelOpen = gSettingsShown = gCreditsShown = gPadMenuRow = false;
        gGameMode = 0;
    }
    void Frame() { moth_test::RunFrame(world); }
    void Click(float x, float y) { moth_test::ClickAt(world, x, y); }
    // A key pressed in one frame and let go in the next.
    void Press(SDL_Keycode key) {
        PushKey(key, true);
        Frame();
        PushKey(key, false);
        Frame();
    }
    int Key(int action, int slot = KeyBindings::kPrimary) const {
        return gKeyBindings->KeyFor(action, slot);
    }

    moth_test::GameGlobals globals;
    moth_test::PictureAssets pictures{globals, {"keycaps.png", "keycap_waiting.png"}};
    World& world = globals.Get<World>();
};

TEST_F(ControlsPanelTest, AKeyTakesTheNextKeyPressedAndATakenKeyMovesOver) {
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f); // Options
    Click(110.0f, -15.0f); // Controls
    ASSERT_NE(gControlsPanel, nullptr);
    EXPECT_EQ(gPause.music, nullptr) << "the settings gave way to the panel";
    EXPECT_TRUE(gSubPanelOpen);

    Click(kKeyX, kWalkUpY);
    ASSERT_NE(gControlsPanel->Waiting(), nullptr);
    EXPECT_EQ(gControlsPanel->Waiting()->action, KeyAction::WalkUp);
    Press(SDLK_s);
    EXPECT_EQ(gControlsPanel->Waiting(), nullptr);
    EXPECT_EQ(Key(KeyAction::WalkUp), 'S');
    EXPECT_EQ(Key(KeyAction::WalkDown), 'W') << "down took up's old key";

    Click(kSecondKeyX, kWalkLeftY);
    ASSERT_NE(gControlsPanel->Waiting(), nullptr);
    PushKey(SDLK_ESCAPE, true);
    Frame();
    EXPECT_TRUE(ControlsPanelTookBackPress()) << "the pause menu must not close with it";
    EXPECT_EQ(gControlsPanel->Waiting(), nullptr);
    PushKey(SDLK_ESCAPE, false);
    Frame();
    EXPECT_EQ(Key(KeyAction::WalkLeft, KeyBindings::kSecond), TARN_KEY_LEFT) << "cancelled";

    Click(kDefaults.x, kDefaults.y);
    EXPECT_EQ(*gKeyBindings, KeyBindings{});
    Click(kClose.x, kClose.y);
    EXPECT_EQ(gControlsPanel, nullptr);
    EXPECT_NE(gPause.music, nullptr) << "back to the settings";
    EXPECT_TRUE(gSettingsShown);
}

TEST_F(ControlsPanelTest, InTheMenuRoomThePanelHoldsThePlayerAndTheRoomsButtons) {
    gGameMode = GameMode::Menu;
    Player* player = new Player();
    world.Add(2, player);
    world.SetPlayer(player);
    new SettingsButton(-200.0f, -170.0f);
    new ControlsButton(60.0f, -270.0f);
    new QuitButton(200.0f, -170.0f);
    world.Init();
    GameStateManager& states = globals.Get<GameStateManager>();
    states.next = states.current;
    Click(60.0f, -270.0f);
    EXPECT_EQ(gControlsPanel, nullptr) << "hidden with the settings";
    Click(-200.0f, -170.0f); // Options
    Click(60.0f, -270.0f);
    ASSERT_NE(gControlsPanel, nullptr);
    EXPECT_FALSE(player->canMove);
    EXPECT_FALSE(gSettingsShown);
    Click(200.0f, -170.0f); // Quit, under the panel
    EXPECT_EQ(states.next, states.current);
    Press(SDLK_ESCAPE);
    EXPECT_EQ(gControlsPanel, nullptr) << "Esc backs out of the panel";
    EXPECT_TRUE(player->canMove);
    EXPECT_TRUE(gSettingsShown);
}

TEST_F(ControlsPanelTest, ThePadsDpadAndAReachAKeyAndBCancels) {
    moth_test::VirtualPad pad;
    ASSERT_TRUE(pad.Attached()) << SDL_GetError();
    Frame();
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f); // Options
    Click(110.0f, -15.0f); // Controls
    auto tap = [&](SDL_GameControllerButton button) {
        pad.Button(button, true);
        Frame();
        pad.Button(button, false);
        Frame();
    };
    Frame();
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // shows the highlight on the first key
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // walk down's key
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT); // its second key
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_NE(gControlsPanel->Waiting(), nullptr);
    EXPECT_EQ(gControlsPanel->Waiting()->action, KeyAction::WalkDown);
    EXPECT_EQ(gControlsPanel->Waiting()->slot, KeyBindings::kSecond);
    Press(SDLK_k);
    EXPECT_EQ(Key(KeyAction::WalkDown, KeyBindings::kSecond), 'K');
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_NE(gControlsPanel->Waiting(), nullptr);
    pad.Button(SDL_CONTROLLER_BUTTON_B, true);
    Frame();
    EXPECT_TRUE(ControlsPanelTookBackPress());
    EXPECT_EQ(gControlsPanel->Waiting(), nullptr);
    gKeyBindings->RestoreDefaults();
}

} // namespace
