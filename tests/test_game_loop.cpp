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
#include "PauseMenu.h"
#include "Tarn.h"
#include "TarnInternal.h"
#include "TestEnv.h"
#include "UI.h"
#include "World.h"

#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

class GameLoopTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        tarn::InputReleaseAllKeys(); // a key an earlier test left down
        TarnInputReset();
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
        // Other tests' windows on the shared display take the focus now and then.
        options.pauseOnFocusLoss = false;
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

TEST_F(GameLoopTest, AnIconThatIsAPipeIsNeverOpened) {
    moth_test::TempDir dir;
    const std::string icon = (dir.Path() / "icon.png").string();
    ASSERT_EQ(::mkfifo(icon.c_str(), 0600), 0);
    // Whoever opens the pipe to read it would wait for a writer for ever; a
    // writer looking out for a reader lets it go (and tells on it).
    std::atomic<bool> done{false};
    std::atomic<bool> opened{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = ::open(icon.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    SetWindowIcon(dir.Path().string() + "/");
    done = true;
    writer.join();
    EXPECT_FALSE(opened);
}

TEST_F(GameLoopTest, CursorAlternatesEveryHalfSecondAndHoldsOnTheReset) {
    TarnGfxTexture* first = gAssetManager->GetTexture("mouse1.png");
    TarnGfxTexture* second = gAssetManager->GetTexture("mouse2.png");
    ASSERT_NE(first, second);
    SetFrameTime(1.0 / 32.0); // exact in binary: the timer lands on 0.5 and 1.0
    for (int step = 1; step <= 34; ++step) {
        UpdateCursor();
        const int ticks = step < 32 ? step : step - 32; // reset to 0 at 1.0
        const TarnGfxTexture* expected = step == 32 ? second : (ticks < 16 ? first : second);
        EXPECT_FLOAT_EQ(gCursorTimer, ticks / 32.0f) << step;
        EXPECT_EQ(gCursor->GetTexture(), expected) << step;
    }
    EXPECT_FLOAT_EQ(gFrameTime, 1.0f / 32.0f);
}

TEST_F(GameLoopTest, TheGameSeesAtMostATwentiethOfASecondPerFrame) {
    SetFrameTime(0.2); // a stall, a window drag
    UpdateCursor();
    EXPECT_FLOAT_EQ(gFrameTime, 0.05f);
    SetFrameTime(0.04);
    UpdateCursor();
    EXPECT_FLOAT_EQ(gFrameTime, 0.04f);
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

TEST_F(GameLoopTest, LosingTheFocusPausesALevelOnceButNeverTheMenuRoom) {
    auto loseFocusAt = [](int at, bool pauses) {
        return [at, pauses](int frame) {
            if (frame == at) {
                SDL_Event lost{};
                lost.type = SDL_WINDOWEVENT;
                lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
                lost.window.windowID =
                    SDL_GetWindowID(static_cast<SDL_Window*>(TarnSysGetWindowHandle()));
                SDL_PushEvent(&lost);
            } else if (frame == at + 5) {
                EXPECT_EQ(gPaused, pauses);
                if (gPaused) {
                    TogglePause(); // resumed while still away: it stays resumed
                }
            }
        };
    };
    GameRunOptions options;
    options.fixedStep = true;
    options.firstState = GameState::Menu;
    options.maxFrames = 30;
    options.beforeInput = loseFocusAt(10, false);
    RunGame(options);
    EXPECT_FALSE(gPaused);
    gTarnSysAppActive = 1;
    options.firstState = GameState::Level1; // free to walk from about frame 90
    options.maxFrames = 120;
    options.beforeInput = loseFocusAt(100, true);
    RunGame(options);
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(gTarnSysAppActive, 0);
    gTarnSysAppActive = 1;
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
