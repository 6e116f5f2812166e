// The game's spine: start-up globals, the cursor animation, and the main
// loop's per-frame Esc and window checks (state changes and restarts go
// through EnterState and LeaveState, tested in test_state_manager.cpp).
#include "AssetManager.h"
#include "Camera.h"
#include "Cursor.h"
#include "Game.h"
#include "GameObject.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "Tarn.h"
#include "TestEnv.h"
#include "UI.h"
#include "World.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

class GameLoopTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        GameInit();
        TarnSysUpdate(); // the window system's own first events (pointer, focus)
        gPaused = false;
        gCursorTimer = 0.0f;
    }
    void TearDown() override {
        GameShutdown();
        TarnFrameRateControllerSetFixedFrameTime(0.0);
    }

    // Makes the next UpdateCursor see a frame of the given length.
    static void SetFrameTime(double seconds) {
        TarnFrameRateControllerSetFixedFrameTime(seconds);
        TarnFrameRateControllerStart();
        TarnFrameRateControllerEnd();
    }

    static void PushKey(SDL_Keycode key, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
        TarnSysUpdate();
    }

    // Runs the real loop from `first` for `frames` frames, calling `step` before
    // each frame's input snapshot.
    static int Run(GameStateId first, int frames, std::function<void(int)> step) {
        GameRunOptions options;
        options.firstState = first;
        options.maxFrames = frames;
        options.fixedStep = true;
        options.beforeInput = std::move(step);
        return RunGame(options);
    }
};

TEST_F(GameLoopTest, StartUpCreatesTheGlobalsAndAHiddenCursor) {
    EXPECT_NE(gWorld, nullptr);
    EXPECT_NE(gAssetManager, nullptr);
    EXPECT_EQ(gGameStateManager->current, GameState::Logo);
    EXPECT_EQ(gHalfWindowWidth, 512.0f);
    EXPECT_EQ(gHalfWindowHeight, 384.0f);
    ASSERT_NE(gCursor, nullptr);
    EXPECT_FALSE(gCursor->visible);
    EXPECT_EQ(gCursor->GetScale().x, 15.0f);
    EXPECT_EQ(gCursor->GetTransparency(), 1.0f);
    EXPECT_EQ(gKeyBindings->KeyFor(0), 'W');
    EXPECT_EQ(gKeyBindings->KeyFor(5), 'F');
    EXPECT_EQ(gKeyBindings->KeyFor(6), 1);
    EXPECT_EQ(gKeyBindings->KeyFor(9), 0);
}

TEST_F(GameLoopTest, CursorAlternatesEveryHalfSecondAndHoldsOnTheReset) {
    TarnGfxTexture* first = gAssetManager->GetTexture("mouse1.png");
    TarnGfxTexture* second = gAssetManager->GetTexture("mouse2.png");
    ASSERT_NE(first, second);
    const TarnGfxTexture* expected[] = {first, first, second, second, second, first};
    const float timers[] = {0.2f, 0.4f, 0.6f, 0.8f, 0.0f, 0.2f};
    SetFrameTime(0.2);
    for (int step = 0; step < 6; ++step) {
        UpdateCursor();
        EXPECT_NEAR(gCursorTimer, timers[step], 1e-5) << step;
        EXPECT_EQ(gCursor->GetTexture(), expected[step]) << step;
    }
    EXPECT_NEAR(gFrameTime, 0.2f, 1e-6);
}

TEST_F(GameLoopTest, MousePositionIsMeasuredFromTheWindowCentreWithYUp) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 612;
    motion.motion.y = 84;
    SDL_PushEvent(&motion);
    TarnSysUpdate();
    TarnInputUpdate();
    UpdateCursor();
    EXPECT_EQ(gMouseX, 100.0f);
    EXPECT_EQ(gMouseY, 300.0f);
    EXPECT_EQ(gCursor->offset.x, 100.0f);
}

TEST_F(GameLoopTest, EscPausesOnlyAControllablePlayerOutsideLogoAndMenu) {
    auto pressEscAt = [](int at) {
        return [at](int frame) {
            if (frame == at) {
                PushKey(SDLK_ESCAPE, true);
            } else if (frame == at + 1) {
                PushKey(SDLK_ESCAPE, false);
            }
        };
    };
    Run(GameState::Logo, 5, pressEscAt(2));
    EXPECT_FALSE(gPaused);
    Run(GameState::Menu, 5, pressEscAt(2)); // a player walks the room, but no pause there
    EXPECT_FALSE(gPaused);
    Run(GameState::Level1, 5, pressEscAt(2)); // the intro picture still holds the player
    EXPECT_FALSE(gPaused);
    Run(GameState::Level1, 110, pressEscAt(100)); // the picture has faded: free to pause
    EXPECT_TRUE(gPaused);
    gPaused = false;
}

TEST_F(GameLoopTest, LeavingAStateWhilePausedClosesThePauseMenu) {
    std::vector<bool> paused;
    Run(GameState::Level1, 115, [&](int frame) {
        if (frame == 100) {
            PushKey(SDLK_ESCAPE, true);
        } else if (frame == 101) {
            PushKey(SDLK_ESCAPE, false);
        } else if (frame == 105) {
            paused.push_back(gPaused);
            gGameStateManager->next = GameState::Level2;
        } else if (frame == 110) {
            paused.push_back(gPaused);
        }
    });
    EXPECT_EQ(paused, (std::vector<bool>{true, false}));
}

TEST_F(GameLoopTest, DeletedPlayerCannotPause) {
    Run(GameState::Level1, 105, [&](int frame) {
        if (frame == 95) { // the intro picture has faded: the player could pause
            gWorld->Destroy(2, gWorld->GetPlayer());
        } else if (frame == 100) {
            EXPECT_EQ(gWorld->GetPlayer(), nullptr);
            PushKey(SDLK_ESCAPE, true);
        }
    });
    EXPECT_FALSE(gPaused);
}

TEST_F(GameLoopTest, ClosingTheWindowQuitsThroughTheNormalPath) {
    int frames = 0;
    int status = Run(GameState::Menu, -1, [&](int frame) {
        frames = frame + 1;
        if (frame == 3) {
            SDL_Event close{};
            close.type = SDL_WINDOWEVENT;
            close.window.event = SDL_WINDOWEVENT_CLOSE;
            close.window.windowID =
                SDL_GetWindowID(static_cast<SDL_Window*>(TarnSysGetWindowHandle()));
            SDL_PushEvent(&close);
        }
    });
    EXPECT_EQ(status, 0);
    EXPECT_LE(frames, 6);
    EXPECT_EQ(gGameStateManager->current, GameState::Quit);
    EXPECT_TRUE(gWorld->GetLayer(0).empty()); // Free and Unload ran
    EXPECT_EQ(gWorld->GetCamera(), nullptr);
}

} // namespace
