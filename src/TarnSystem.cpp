// Tarn engine: system start-up and shut-down, the window procedure, full
// screen, the frame-rate controller (sleep, then spin the last stretch), the
// clock and random numbers.
#include "TarnGraphics.h"
#include "TarnInput.h"
#include "TarnInternal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

int gTarnSysAppActive = 0;

namespace tarn {
SystemState gSystem;
}
using tarn::gSystem;

// ============================================================================
// Frame-rate controller
// ============================================================================
namespace {

struct FrameRateState {
    unsigned int frameCount = 0;
    double maxFrameRate = 0.0;
    double frameRate = 0.0;
    double minFrameTime = 0.0;
    double frameTime = 0.0;
    double secondsPerTick = 0.0;
    Uint64 frameStart = 0;
    Uint64 frameEnd = 0;
    double fixedFrameTime = 0.0; // > 0: deterministic frames (playtest driver)
    bool busyWait = false;       // spin the whole wait instead of sleeping first
    double spinMargin = 0.002;   // the wait's last stretch, spun (see NextSpinMargin)
};
FrameRateState gFrc;

double FrameTimeFor(double rate) {
    return rate > 0.0 ? 1.0 / rate : 0.0;
}

double SecondsSinceFrameStart() {
    return static_cast<double>(SDL_GetPerformanceCounter() - gFrc.frameStart) * gFrc.secondsPerTick;
}

// Sleeps until the spin margin before the frame's end, then learns from how
// late the sleep woke.
void SleepMostOfTheWait() {
    const double asked = gFrc.minFrameTime - SecondsSinceFrameStart() - gFrc.spinMargin;
    if (asked <= 0.0) {
        return;
    }
    const double before = SecondsSinceFrameStart();
    std::this_thread::sleep_for(std::chrono::duration<double>(asked));
    const double late = SecondsSinceFrameStart() - before - asked;
    gFrc.spinMargin = tarn::NextSpinMargin(gFrc.spinMargin, late);
}

} // namespace

namespace tarn {

// A sleep wakes late by the scheduler's latency: about 0.1 to 0.2 ms on this
// kind of machine when it is quiet, a few milliseconds when other programs
// hold the cores (bench_frame_pacing measures both). The margin covers the
// latest recent wake with room to spare, at once, and eases back towards its
// floor over a second or two, so a quiet machine spins half a millisecond a
// frame and a busy one no more than it must.
double NextSpinMargin(double margin, double late) {
    constexpr double kFloor = 0.0005;
    constexpr double kCeiling = 0.004;
    constexpr double kRoom = 1.5;      // times the latest lateness
    constexpr double kEaseDown = 0.98; // per frame
    const double covering = late * kRoom;
    return std::clamp(std::max(covering, margin * kEaseDown), kFloor, kCeiling);
}

} // namespace tarn

void TarnFrameRateControllerInit(unsigned int frameRate) {
    gFrc.frameCount = 0;
    gFrc.maxFrameRate = gFrc.frameRate = static_cast<double>(frameRate);
    gFrc.minFrameTime = gFrc.frameTime = FrameTimeFor(gFrc.maxFrameRate);
    gFrc.frameStart = SDL_GetPerformanceCounter();
}

void TarnFrameRateControllerReset(void) {
    gFrc.frameCount = 0;
    gFrc.frameRate = gFrc.maxFrameRate;
    gFrc.minFrameTime = gFrc.frameTime = FrameTimeFor(gFrc.maxFrameRate);
}

void TarnFrameRateControllerStart(void) {
    gFrc.secondsPerTick = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    gFrc.frameStart = SDL_GetPerformanceCounter();
}

void TarnFrameRateControllerEnd(void) {
    if (gFrc.fixedFrameTime > 0.0) {
        gFrc.frameTime = gFrc.fixedFrameTime;
    } else {
        if (!gFrc.busyWait) {
            SleepMostOfTheWait();
        }
        do {
            gFrc.frameEnd = SDL_GetPerformanceCounter();
            gFrc.frameTime =
                static_cast<double>(gFrc.frameEnd - gFrc.frameStart) * gFrc.secondsPerTick;
        } while (gFrc.minFrameTime > gFrc.frameTime);
    }
    gFrc.frameRate = 1.0 / gFrc.frameTime;
    gFrc.frameCount++;
}

double TarnFrameRateControllerGetFrameTime(void) {
    return gFrc.frameTime;
}
unsigned int TarnFrameRateControllerGetFrameCount(void) {
    return gFrc.frameCount;
}

void TarnFrameRateControllerSetFixedFrameTime(double seconds) {
    gFrc.fixedFrameTime = seconds > 0.0 ? seconds : 0.0;
}

void TarnFrameRateControllerSetBusyWait(int on) {
    gFrc.busyWait = on != 0;
}

// ============================================================================
// Clock and random numbers
// ============================================================================
double TarnGetTime(double* out) {
    Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 counter = SDL_GetPerformanceCounter();
    // Split into whole seconds and remainder to keep precision on large counters.
    Uint64 whole = counter / frequency;
    Uint64 remainder = counter - whole * frequency;
    double time = static_cast<double>(remainder) / static_cast<double>(frequency) +
                  static_cast<double>(whole);
    if (out) {
        *out = time;
    }
    return time;
}

// The C library's rand() ranges far beyond 32767 here; its low 15 bits give
// the engine's [0, 1] range with both ends reachable.
float TarnRandFloat(void) {
    return static_cast<float>(std::rand() & 0x7FFF) / 32767.0f;
}

// ============================================================================
// Window procedure
// ============================================================================
long TarnWindowProc(void* window, unsigned int message, unsigned long wParam, long lParam) {
    (void)window;
    (void)lParam;
    switch (message) {
    case tarn::kMsgDestroy:
        gSystem.windowExists = 0;
        return 0;
    case tarn::kMsgActivate:
        gTarnSysAppActive = (wParam & 0xFFFF) != 0 ? 1 : 0;
        return 0;
    case tarn::kMsgCreate:
    case tarn::kMsgMove:
    case tarn::kMsgPaint:
        return 0; // drawing happens in the frame loop
    default:
        return 0;
    }
}

// ============================================================================
// System
// ============================================================================
int TarnSysInit(void* instance, int showCommand, int width, int height, int createConsole,
                unsigned int frameRate, TarnWindowProcedure windowProcedure) {
    (void)showCommand;
    (void)createConsole; // standard output is the console on this platform
    gSystem.instance = instance;
    std::printf("Tarn Engine version: %2.2f\n\n", TARN_ENGINE_VERSION);
    std::fflush(stdout);
    gSystem.procedure = windowProcedure ? windowProcedure : TarnWindowProc;
    gSystem.width = width;
    gSystem.height = height;
    gSystem.horizontalScale = gSystem.verticalScale = 1.0f;
    gSystem.windowedWidth = width;
    gSystem.windowedHeight = height;
    if (!tarn::PlatformInit() || !tarn::PlatformCreateWindow("Tarn Engine", width, height)) {
        return 0;
    }
    tarn::UpdatePicture();
    gSystem.windowExists = 1;
    gTarnSysAppActive = 1;
    if (!TarnGfxInit(width, height)) {
        return 0;
    }
    TarnFrameRateControllerInit(frameRate);
    return 1;
}

void TarnSysReset(void) {
    TarnFrameRateControllerReset();
    TarnInputReset();
}

void TarnSysUpdate(void) {
    tarn::PlatformPumpEvents();
}

void TarnSysExit(void) {
    TarnGfxExit();
    tarn::PlatformShutdown();
    gSystem.window = nullptr;
    gSystem.windowExists = 0;
}

void TarnSysFrameStart(void) {
    TarnFrameRateControllerStart();
    TarnGfxStart();
}

void TarnSysFrameEnd(void) {
    TarnGfxEnd();
    TarnFrameRateControllerEnd();
    TarnSysUpdate();
}

void* TarnSysGetWindowHandle(void) {
    return gSystem.window;
}

void TarnSysSetWindowTitle(const char* title) {
    if (gSystem.window && title) {
        SDL_SetWindowTitle(gSystem.window, title);
    }
}

int TarnSysDoesWindowExist(void) {
    return gSystem.windowExists;
}
int TarnGetWindowWidth(void) {
    return gSystem.width;
}
int TarnGetWindowHeight(void) {
    return gSystem.height;
}
float TarnSysGetHorizontalScale(void) {
    return gSystem.horizontalScale;
}
float TarnSysGetVerticalScale(void) {
    return gSystem.verticalScale;
}

void TarnSysKeepKeysOnFocusLoss(int keep) {
    gSystem.keepKeysOnFocusLoss = keep != 0;
    // Scripted pads must reach the game whichever window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, keep != 0 ? "1" : "0");
}

void TarnToogleFullScreen(bool on) {
    tarn::BatchFlush(); // gathered quads belong to the picture before the switch
    gSystem.fullScreen = on;
    tarn::PlatformSetFullScreen(on, gSystem.windowedWidth, gSystem.windowedHeight);
    tarn::UpdatePicture();
}

void TarnSysSetWindowIcon(const unsigned char* pixels, int width, int height) {
    if (!gSystem.window || !pixels || width <= 0 || height <= 0) {
        return;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (icon) {
        SDL_SetWindowIcon(gSystem.window, icon);
        SDL_FreeSurface(icon);
    }
}

void TarnFatalStop(void) {
    std::fflush(stdout);
    // Wait for a key only when someone can press one; CI has no terminal.
    if (isatty(STDIN_FILENO)) {
        std::getchar();
    }
    std::exit(1);
}
