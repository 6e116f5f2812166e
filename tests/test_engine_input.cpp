// Engine input: snapshots fed through the real SDL event pump.
#include "TarnInput.h"
#include "TarnInternal.h"
#include "TarnSystem.h"
#include "TestEnv.h"
#include "VirtualPad.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class InputTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        TarnSysUpdate(); // drop whatever the window system queued at start-up
        tarn::gSystem.picture = kWindowPicture;
        tarn::InputReleaseAllKeys();
        TarnInputReset();
    }
    void TearDown() override { tarn::gSystem.picture = kWindowPicture; }

    static constexpr TarnViewRect kWindowPicture = {0, 0, 1024, 768};

    static void PushKey(SDL_Keycode key, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = key;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&event);
    }
    static void PushButton(Uint8 button, bool down, int x = 0, int y = 0) {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }
    static void PushMotion(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        SDL_PushEvent(&event);
    }
    // One frame as the game runs it: pump at the end of the previous frame,
    // snapshot at the start of this one.
    static void NextFrame() {
        TarnSysUpdate();
        TarnInputUpdate();
    }
};

TEST_F(InputTest, HeldKeyIsTriggeredOnlyInItsFirstFrame) {
    PushKey(SDLK_w, true);
    for (int frame = 0; frame < 3; ++frame) {
        NextFrame();
        EXPECT_TRUE(TarnInputCheckCurr(87)) << frame;
        EXPECT_EQ(TarnInputCheckTriggered(87), frame == 0) << frame;
        EXPECT_FALSE(TarnInputCheckReleased(87)) << frame;
    }
    PushKey(SDLK_w, false);
    NextFrame();
    EXPECT_FALSE(TarnInputCheckCurr(87));
    EXPECT_TRUE(TarnInputCheckPrev(87));
    EXPECT_TRUE(TarnInputCheckReleased(87));
    NextFrame();
    EXPECT_FALSE(TarnInputCheckReleased(87));
}

TEST_F(InputTest, PressAndReleaseWithinOneFrameIsNotSeen) {
    PushKey(SDLK_SPACE, true);
    PushKey(SDLK_SPACE, false);
    NextFrame();
    EXPECT_FALSE(TarnInputCheckCurr(32));
    EXPECT_FALSE(TarnInputCheckTriggered(32));
}

TEST_F(InputTest, MouseButtonsUseTheirKeyCodes) {
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_RIGHT, true);
    NextFrame();
    EXPECT_TRUE(TarnInputCheckTriggered(1));
    EXPECT_TRUE(TarnInputCheckTriggered(2));
    EXPECT_FALSE(TarnInputCheckCurr(4));
    PushButton(SDL_BUTTON_LEFT, false);
    NextFrame();
    EXPECT_TRUE(TarnInputCheckReleased(1));
    EXPECT_TRUE(TarnInputCheckCurr(2));
}

TEST_F(InputTest, GameKeysMapToVirtualKeyCodes) {
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_a), 65);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_z), 90);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_f), 70);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_0), 48);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_ESCAPE), 27);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_RETURN), 13);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_LEFT), 37);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_DOWN), 40);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_F12), 123);
    EXPECT_EQ(TarnInputVirtualKeyFromSDL(SDLK_CAPSLOCK), 0);
}

TEST_F(InputTest, CursorPositionAndDeltaInLogicalPixels) {
    PushMotion(100, 50);
    NextFrame();
    int x = -1, y = -1, dx = 0, dy = 0;
    TarnInputGetCursorPosition(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    PushMotion(130, 40);
    NextFrame();
    TarnInputGetCursorPositionDelta(&dx, &dy);
    EXPECT_EQ(dx, 30);
    EXPECT_EQ(dy, -10);
}

// Full screen on a 1920 x 1080 desktop: the picture is 1440 x 1080 between
// bars 240 pixels wide.
TEST_F(InputTest, PointerMapsThroughThePicturePlacementAndBarsTakeNoPress) {
    tarn::gSystem.picture = {240, 0, 1440, 1080};
    PushMotion(960, 540);
    NextFrame();
    int x = 0, y = 0;
    TarnInputGetCursorPosition(&x, &y);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
    PushButton(SDL_BUTTON_LEFT, true, 100, 540); // on the left bar
    NextFrame();
    EXPECT_FALSE(TarnInputCheckCurr(1));
    TarnInputGetCursorPosition(&x, &y);
    EXPECT_LT(x, 0);                               // left of the picture, where no button lies
    PushButton(SDL_BUTTON_LEFT, true, 1679, 1079); // the picture's last pixel
    NextFrame();
    EXPECT_TRUE(TarnInputCheckTriggered(1));
    TarnInputGetCursorPosition(&x, &y);
    EXPECT_EQ(x, 1023);
    EXPECT_EQ(y, 767);
    PushButton(SDL_BUTTON_LEFT, false, 1800, 540); // a release on a bar still lets go
    NextFrame();
    EXPECT_TRUE(TarnInputCheckReleased(1));
}

TEST_F(InputTest, ResetClearsBothSnapshots) {
    PushKey(SDLK_d, true);
    PushMotion(10, 10);
    NextFrame();
    NextFrame();
    TarnInputReset();
    EXPECT_FALSE(TarnInputCheckCurr(68));
    EXPECT_FALSE(TarnInputCheckPrev(68));
    int x = -1, y = -1;
    TarnInputGetCursorPosition(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // Still held: the first snapshot after a reset reads it as triggered.
    NextFrame();
    EXPECT_TRUE(TarnInputCheckTriggered(68));
}

TEST_F(InputTest, ShowCursorKeepsADisplayCounter) {
    EXPECT_EQ(TarnInputShowCursor(0), -1);
    EXPECT_EQ(TarnInputShowCursor(0), -2);
    EXPECT_EQ(TarnInputShowCursor(1), -1);
    EXPECT_EQ(TarnInputShowCursor(5), 0);
}

TEST_F(InputTest, FocusLossLetsGoOfKeysUnlessTheInputIsScripted) {
    SDL_Event focusLost{};
    focusLost.type = SDL_WINDOWEVENT;
    focusLost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    focusLost.window.windowID = SDL_GetWindowID(tarn::gSystem.window);
    for (bool keep : {false, true}) {
        TarnSysKeepKeysOnFocusLoss(keep);
        PushKey(SDLK_d, true);
        NextFrame();
        SDL_PushEvent(&focusLost);
        NextFrame();
        EXPECT_EQ(TarnInputCheckCurr(68), keep);
        PushKey(SDLK_d, false);
        NextFrame();
    }
}

TEST_F(InputTest, AltEnterSwitchesFullScreenAndIsNoKeyPress) {
    bool wasFullScreen = tarn::gSystem.fullScreen;
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_RETURN;
    event.key.keysym.mod = KMOD_LALT;
    event.key.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    NextFrame();
    EXPECT_NE(tarn::gSystem.fullScreen, wasFullScreen);
    EXPECT_FALSE(TarnInputCheckCurr(13)); // the logo's skip key must not see it
    SDL_PushEvent(&event);
    NextFrame();
    EXPECT_EQ(tarn::gSystem.fullScreen, wasFullScreen);
}

// ---- Game controllers ------------------------------------------------------

TEST_F(InputTest, ControllersArePluggedInReadLikeKeysAndLetGoWhenUnplugged) {
    const int before = TarnInputPadCount();
    {
        moth_test::VirtualPad pad;
        ASSERT_TRUE(pad.Attached()) << SDL_GetError();
        NextFrame();
        EXPECT_EQ(TarnInputPadCount(), before + 1);
        pad.Button(SDL_CONTROLLER_BUTTON_A, true);
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -1.0f);
        pad.Axis(SDL_CONTROLLER_AXIS_RIGHTY, 0.5f);
        pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
        NextFrame();
        EXPECT_TRUE(TarnInputPadCheckTriggered(TARN_PAD_A));
        EXPECT_TRUE(TarnInputPadCheckCurr(TARN_PAD_DPAD_LEFT));
        EXPECT_FALSE(TarnInputPadCheckCurr(TARN_PAD_B));
        EXPECT_FLOAT_EQ(TarnInputPadAxis(TARN_PAD_LEFT_X), -1.0f);
        EXPECT_NEAR(TarnInputPadAxis(TARN_PAD_RIGHT_Y), 0.5f, 1e-3);
        EXPECT_TRUE(TarnInputPadCheckTriggered(TARN_PAD_RIGHT_TRIGGER)) << "a trigger is a button";
        EXPECT_FALSE(TarnInputPadCheckCurr(TARN_PAD_LEFT_TRIGGER));
        NextFrame();
        EXPECT_TRUE(TarnInputPadCheckCurr(TARN_PAD_A));
        EXPECT_FALSE(TarnInputPadCheckTriggered(TARN_PAD_A)) << "held, not pressed again";
        pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.4f);
        NextFrame();
        EXPECT_FALSE(TarnInputPadCheckCurr(TARN_PAD_RIGHT_TRIGGER)) << "not past half way";
    } // unplugged with A held and the stick pushed
    NextFrame();
    EXPECT_EQ(TarnInputPadCount(), before);
    EXPECT_FALSE(TarnInputPadCheckCurr(TARN_PAD_A));
    EXPECT_EQ(TarnInputPadAxis(TARN_PAD_LEFT_X), 0.0f);
    EXPECT_FALSE(TarnInputPadCheckCurr(99));
    EXPECT_EQ(TarnInputPadAxis(-1), 0.0f);
}

TEST_F(InputTest, TwoControllersShareTheirButtonsAndTheStickPushedFurthest) {
    moth_test::VirtualPad first;
    moth_test::VirtualPad second;
    ASSERT_TRUE(first.Attached() && second.Attached()) << SDL_GetError();
    NextFrame();
    first.Axis(SDL_CONTROLLER_AXIS_LEFTY, -0.3f);
    second.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0.9f);
    second.Button(SDL_CONTROLLER_BUTTON_START, true);
    NextFrame();
    EXPECT_NEAR(TarnInputPadAxis(TARN_PAD_LEFT_Y), 0.9f, 1e-3);
    EXPECT_TRUE(TarnInputPadCheckTriggered(TARN_PAD_START));
    second.Unplug();
    NextFrame();
    EXPECT_NEAR(TarnInputPadAxis(TARN_PAD_LEFT_Y), -0.3f, 1e-3) << "the other pad plays on";
    EXPECT_FALSE(TarnInputPadCheckCurr(TARN_PAD_START));
}

} // namespace
