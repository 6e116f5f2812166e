// Engine system layer: frame pacing, clock, random numbers, window life cycle.
#include "TarnGraphics.h"
#include "TarnInternal.h"
#include "TarnSystem.h"
#include "TestEnv.h"

#include <GL/glew.h>
#include <SDL.h>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>

namespace {

// Sets or removes an environment variable for one scope and puts back what it
// held, so that the tests after it still find the display.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* held = std::getenv(name)) {
            old_ = held;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

void RunFrame(std::chrono::microseconds work) {
    TarnFrameRateControllerStart();
    std::this_thread::sleep_for(work);
    TarnFrameRateControllerEnd();
}

// Red of a window pixel, counted from the window's top-left corner.
int WindowPixelRed(int x, int y) {
    int width = 0, height = 0;
    TarnSysGetWindowPixels(&width, &height);
    unsigned char rgba[4] = {};
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0];
}

} // namespace

TEST(FrameRateController, SixtyTargetNeverReportsAShorterFrame) {
    TarnFrameRateControllerInit(60);
    for (int i = 0; i < 5; ++i) {
        RunFrame(std::chrono::milliseconds(5));
        EXPECT_GE(TarnFrameRateControllerGetFrameTime(), 1.0 / 60.0);
    }
    EXPECT_EQ(TarnFrameRateControllerGetFrameCount(), 5u);
}

TEST(FrameRateController, LongFramesAreReportedInFull) {
    TarnFrameRateControllerInit(60);
    RunFrame(std::chrono::milliseconds(40));
    EXPECT_GE(TarnFrameRateControllerGetFrameTime(), 0.040);
}

// The last stretch of the wait is spun: long enough to cover how late the
// latest sleep woke, never less than half a millisecond nor more than four.
TEST(FrameRateController, TheSpinMarginCoversALateWakeAtOnceAndEasesBackToItsFloor) {
    double margin = 0.0005;
    EXPECT_EQ(tarn::NextSpinMargin(margin, 0.0001), 0.0005); // prompt wakes stay at the floor
    EXPECT_EQ(tarn::NextSpinMargin(margin, -0.0001), 0.0005);
    margin = tarn::NextSpinMargin(margin, 0.001);
    EXPECT_GE(margin, 0.0015); // a 1 ms late wake is covered by the very next frame
    const double afterLateWake = margin;
    margin = tarn::NextSpinMargin(margin, 0.0001);
    EXPECT_LT(margin, afterLateWake);
    EXPECT_GT(margin, 0.9 * afterLateWake); // eases down, not at once
    for (int frame = 0; frame < 300; ++frame) {
        margin = tarn::NextSpinMargin(margin, 0.0001);
    }
    EXPECT_EQ(margin, 0.0005);
    EXPECT_EQ(tarn::NextSpinMargin(margin, 0.05), 0.004); // a stopped process: capped
}

TEST(FrameRateController, ZeroTargetNeverWaits) {
    TarnFrameRateControllerInit(0);
    EXPECT_EQ(TarnFrameRateControllerGetFrameTime(), 0.0);
    RunFrame(std::chrono::microseconds(0));
    EXPECT_LT(TarnFrameRateControllerGetFrameTime(), 0.005);
    EXPECT_EQ(TarnFrameRateControllerGetFrameCount(), 1u);
}

TEST(FrameRateController, ResetRestoresCountAndMinimumFrameTime) {
    TarnFrameRateControllerInit(60);
    RunFrame(std::chrono::milliseconds(20));
    RunFrame(std::chrono::milliseconds(1));
    TarnFrameRateControllerReset();
    EXPECT_EQ(TarnFrameRateControllerGetFrameCount(), 0u);
    EXPECT_DOUBLE_EQ(TarnFrameRateControllerGetFrameTime(), 1.0 / 60.0);
}

TEST(FrameRateController, FixedFrameTimeSkipsTheWait) {
    TarnFrameRateControllerInit(60);
    TarnFrameRateControllerSetFixedFrameTime(1.0 / 60.0);
    auto before = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        RunFrame(std::chrono::microseconds(0));
        EXPECT_DOUBLE_EQ(TarnFrameRateControllerGetFrameTime(), 1.0 / 60.0);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
    TarnFrameRateControllerSetFixedFrameTime(0.0);
}

TEST(Clock, TimeAdvancesAndNullOutIsAllowed) {
    double stored = -1.0;
    double first = TarnGetTime(&stored);
    EXPECT_EQ(first, stored);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    double second = TarnGetTime(nullptr);
    EXPECT_GT(second - first, 0.0015);
}

TEST(Random, StaysWithinZeroAndOneAndFollowsTheSeed) {
    std::srand(7);
    float first = TarnRandFloat();
    for (int i = 0; i < 100000; ++i) {
        float value = TarnRandFloat();
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 1.0f);
    }
    std::srand(7);
    EXPECT_EQ(TarnRandFloat(), first);
}

TEST(Window, InitWithoutDisplayFailsCleanly) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        // Video stays up once opened (see PlatformShutdown), so only a process
        // that has not opened it yet can start without a display: ctest runs
        // each test in a process of its own.
        GTEST_SKIP() << "an earlier test in this process opened the display";
    }
    ScopedEnv noDisplay("DISPLAY", nullptr);
    ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv x11("SDL_VIDEODRIVER", "x11");
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    int result = TarnSysInit(nullptr, 0, 1024, 768, 0, 60, nullptr);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("Tarn Engine version: 3.05\n\n"), std::string::npos);
    EXPECT_NE(err.find("no display"), std::string::npos);
    EXPECT_EQ(TarnSysDoesWindowExist(), 0);
}

TEST(Window, OpensAtTheLogicalSizeAndClosesOnRequest) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    EXPECT_EQ(TarnGetWindowWidth(), 1024);
    EXPECT_EQ(TarnGetWindowHeight(), 768);
    EXPECT_EQ(TarnSysDoesWindowExist(), 1);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(TarnSysGetWindowHandle()));
    SDL_PushEvent(&close);
    EXPECT_EQ(TarnSysDoesWindowExist(), 1);
    TarnSysUpdate();
    EXPECT_EQ(TarnSysDoesWindowExist(), 0);
}

TEST(Window, FocusChangesFollowTheActiveFlag) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    TarnWindowProc(nullptr, 6, 0, 0);
    EXPECT_EQ(gTarnSysAppActive, 0);
    TarnWindowProc(nullptr, 6, 2, 0); // click-activation counts as active
    EXPECT_EQ(gTarnSysAppActive, 1);
    TarnWindowProc(nullptr, 6, 0x10000, 0); // only the low word matters
    EXPECT_EQ(gTarnSysAppActive, 0);
}

// Full screen keeps the picture's proportions: on the test desktop (wider or
// taller than 4:3) the cleared picture fills its rectangle and the rest of the
// screen shows black bars; stretched, the picture reaches the far corner.
TEST(Window, FullScreenShowsThePictureWithBarsOrStretchedAndBack) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    TarnFrameRateControllerInit(0);
    TarnGfxSetBackgroundColor(1.0f, 1.0f, 1.0f);
    TarnToogleFullScreen(true);
    EXPECT_EQ(TarnSysIsFullScreen(), 1);
    for (int mode : {TARN_ASPECT_KEEP, TARN_ASPECT_STRETCH}) {
        TarnSysSetAspectMode(mode);
        for (int frame = 0; frame < 3; ++frame) { // the buffers follow the window at a swap
            SDL_Delay(30);
            TarnSysFrameStart();
            TarnSysFrameEnd();
        }
        TarnSysFrameStart();
        TarnGfxPresentPicture();
        const TarnViewRect picture = TarnSysGetPictureRect();
        const TarnViewRect fit = TarnSysFitPicture(desktop.w, desktop.h, 1024, 768, mode);
        EXPECT_EQ(picture.x, fit.x) << mode;
        EXPECT_EQ(picture.width, fit.width) << mode;
        EXPECT_FLOAT_EQ(TarnSysGetHorizontalScale(), fit.width / 1024.0f) << mode;
        EXPECT_EQ(WindowPixelRed(picture.x + picture.width / 2, desktop.h / 2), 255);
        const bool bars = mode == TARN_ASPECT_KEEP && (fit.x > 0 || fit.y > 0);
        EXPECT_EQ(WindowPixelRed(0, 0), bars ? 0 : 255) << mode;
        TarnSysFrameEnd();
    }
    TarnSysSetAspectMode(TARN_ASPECT_KEEP);
    TarnToogleFullScreen(false);
    EXPECT_EQ(TarnSysIsFullScreen(), 0);
}

TEST(Window, FrameLoopRunsAndExitReleasesTheContext) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    TarnFrameRateControllerInit(60);
    for (int i = 0; i < 3; ++i) {
        TarnSysFrameStart();
        TarnSysFrameEnd();
    }
    EXPECT_EQ(TarnFrameRateControllerGetFrameCount(), 3u);
    TarnSysExit();
    EXPECT_EQ(TarnSysGetWindowHandle(), nullptr);
    EXPECT_EQ(TarnSysDoesWindowExist(), 0);
}
