// Tarn engine: the SDL2 back end. Everything the engine needs from the
// platform (window, GL context, events, screen size) is behind the few
// functions of this file.
#include "TarnInput.h"
#include "TarnInternal.h"
#include "TarnSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace tarn {
namespace {
SDL_GLContext gContext = nullptr;
// The game controllers open now, by SDL instance id.
std::map<int, SDL_GameController*> gControllers;

// Title bar height assumed when the window manager does not tell the frame's size.
constexpr int kAssumedTitleBar = 32;

// The first window fits the desktop's usable area (without panels), frame
// included, keeping the picture's proportions: a 1024 x 768 window with a
// title bar does not fit a 768-pixel-high screen. It never grows beyond the
// logical size.
void FitWindowToDesktop(int width, int height) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return;
    }
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(gSystem.window, &top, &left, &bottom, &right) != 0) {
        top = kAssumedTitleBar;
    }
    const int roomWidth = std::min(width, usable.w - left - right);
    const int roomHeight = std::min(height, usable.h - top - bottom);
    if (roomWidth <= 0 || roomHeight <= 0 || (roomWidth == width && roomHeight == height)) {
        return;
    }
    TarnViewRect fit = TarnSysFitPicture(roomWidth, roomHeight, width, height, TARN_ASPECT_KEEP);
    gSystem.windowedWidth = fit.width;
    gSystem.windowedHeight = fit.height;
    SDL_SetWindowSize(gSystem.window, fit.width, fit.height);
    SDL_SetWindowPosition(gSystem.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

constexpr int kDisplayAttempts = 4;
constexpr Uint32 kDisplayRetryMilliseconds = 100;

// SDL falls back on its off-screen and dummy drivers when no X11 or Wayland
// display answers: the game would then run with no window, for ever. They
// are taken only when the environment names them.
bool IsHeadlessDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool AskedFor(const char* driver) {
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    return wanted != nullptr && std::strstr(wanted, driver) != nullptr;
}

// Opens SDL's video and events on a real display; false (with a message on
// stderr) when none answers.
bool InitVideo() {
    // A named display that does not answer at once (a busy X server) is
    // asked again a few times, for well under a second.
    const bool displayNamed = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    const char* driver = nullptr;
    for (int attempt = 0; attempt < kDisplayAttempts; ++attempt) {
        if (attempt > 0) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
            SDL_Delay(kDisplayRetryMilliseconds);
        }
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "Tarn Engine: no display available (%s)\n", SDL_GetError());
            return false;
        }
        driver = SDL_GetCurrentVideoDriver();
        if (!IsHeadlessDriver(driver) || AskedFor(driver) || !displayNamed) {
            break;
        }
    }
    if (IsHeadlessDriver(driver) && !AskedFor(driver)) {
        std::fprintf(stderr, "Tarn Engine: no display available (only SDL's %s driver)\n", driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }
    return true;
}

} // namespace

bool PlatformInit() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && !InitVideo()) {
        return false;
    }
    // Without controller support the game still runs on keyboard and mouse.
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    return true;
}

bool PlatformCreateWindow(const char* title, int width, int height) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    gSystem.window =
        SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!gSystem.window) {
        std::fprintf(stderr, "Tarn Engine: cannot open a window (%s)\n", SDL_GetError());
        return false;
    }
    FitWindowToDesktop(width, height);
    return true;
}

bool PlatformCreateGLContext() {
    gContext = SDL_GL_CreateContext(gSystem.window);
    if (!gContext) {
        std::fprintf(stderr, "Tarn Engine: cannot create an OpenGL context (%s)\n", SDL_GetError());
        return false;
    }
    SDL_GL_MakeCurrent(gSystem.window, gContext);
    // The frame-rate controller paces the loop unless the player asked for VSync.
    SDL_GL_SetSwapInterval(gSystem.vsync ? 1 : 0);
    return true;
}

void PlatformMakeContextCurrent() {
    if (gContext) {
        SDL_GL_MakeCurrent(gSystem.window, gContext);
    }
}

void PlatformDestroyGLContext() {
    if (gContext) {
        SDL_GL_DeleteContext(gContext);
        gContext = nullptr;
    }
}

void PlatformSetSwapInterval(int interval) {
    if (gContext) {
        SDL_GL_SetSwapInterval(interval);
    }
}

void PlatformSwapBuffers() {
    if (gSystem.window) {
        SDL_GL_SwapWindow(gSystem.window);
    }
}

void PlatformScreenSize(int* width, int* height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
    } else {
        *width = gSystem.width;
        *height = gSystem.height;
    }
}

bool PlatformWindowPixels(int* width, int* height) {
    if (!gSystem.window) {
        return false;
    }
    SDL_GL_GetDrawableSize(gSystem.window, width, height);
    return true;
}

void PlatformSetFullScreen(bool on, int width, int height) {
    if (!gSystem.window) {
        return;
    }
    if (on) {
        // A borderless top-most window covering the screen works with or
        // without a window manager; the full-screen request then lets a window
        // manager hide its panels as well.
        int screenWidth = 0;
        int screenHeight = 0;
        PlatformScreenSize(&screenWidth, &screenHeight);
        SDL_SetWindowBordered(gSystem.window, SDL_FALSE);
        SDL_SetWindowAlwaysOnTop(gSystem.window, SDL_TRUE);
        SDL_SetWindowPosition(gSystem.window, 0, 0);
        SDL_SetWindowSize(gSystem.window, screenWidth, screenHeight);
        SDL_SetWindowFullscreen(gSystem.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(gSystem.window, 0);
        SDL_SetWindowBordered(gSystem.window, SDL_TRUE);
        SDL_SetWindowSize(gSystem.window, width, height);
        SDL_SetWindowPosition(gSystem.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        SDL_ShowWindow(gSystem.window);
    }
}

namespace {

unsigned char MouseButtonKey(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

void SendWindowMessage(unsigned int message, unsigned long wParam) {
    gSystem.procedure(gSystem.window, message, wParam, 0);
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        SendWindowMessage(kMsgDestroy, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SendWindowMessage(kMsgActivate, 1);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SendWindowMessage(kMsgActivate, 0);
        if (!gSystem.keepKeysOnFocusLoss) {
            InputReleaseAllKeys(); // keys let go elsewhere never send their release
        }
        break;
    case SDL_WINDOWEVENT_MOVED:
        SendWindowMessage(kMsgMove, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        SendWindowMessage(kMsgPaint, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        UpdatePicture(); // pointer positions follow the new placement at once
        break;
    default:
        break;
    }
}

// A controller plugged in (or found at start-up): SDL numbers it by device
// index here and by instance id in every later event.
void OpenController(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return;
    }
    const int pad = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (gControllers.count(pad) != 0) {
        SDL_GameControllerClose(controller); // opened before: drop the second reference
        return;
    }
    gControllers[pad] = controller;
    InputPadAdded(pad);
}

void CloseController(int pad) {
    auto found = gControllers.find(pad);
    if (found != gControllers.end()) {
        SDL_GameControllerClose(found->second);
        gControllers.erase(found);
    }
    InputPadRemoved(pad);
}

void HandleControllerEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        OpenController(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        CloseController(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        InputSetPadButton(event.cbutton.which, event.cbutton.button,
                          event.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    case SDL_CONTROLLERAXISMOTION:
        InputSetPadAxis(event.caxis.which, event.caxis.axis,
                        std::max(-1.0f, static_cast<float>(event.caxis.value) / 32767.0f));
        break;
    default:
        break;
    }
}

// Alt+Enter switches between full screen and the window at any time, as
// players of desktop games expect.
bool IsFullScreenToggle(const SDL_KeyboardEvent& key) {
    return key.type == SDL_KEYDOWN && key.repeat == 0 &&
           (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

bool OnPicture(int x, int y) {
    return gSystem.picture.width <= 0 ||
           TarnSysWindowToLogical(&gSystem.picture, gSystem.width, gSystem.height, x, y, nullptr,
                                  nullptr) != 0;
}

void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        SendWindowMessage(kMsgDestroy, 0);
        break;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (IsFullScreenToggle(event.key)) {
            TarnToogleFullScreen(!gSystem.fullScreen);
            break;
        }
        InputSetKey(TarnInputVirtualKeyFromSDL(event.key.keysym.sym), event.type == SDL_KEYDOWN);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        InputSetCursor(event.button.x, event.button.y);
        // A press on a bar beside the picture lands nowhere; releases always
        // count, so no button stays held.
        if (event.type == SDL_MOUSEBUTTONUP || OnPicture(event.button.x, event.button.y)) {
            InputSetKey(MouseButtonKey(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
        }
        break;
    case SDL_MOUSEMOTION:
        InputSetCursor(event.motion.x, event.motion.y);
        break;
    default:
        HandleControllerEvent(event);
        break;
    }
}

// SDL stops reporting motion once the pointer leaves a window, which would
// freeze the cursor at the edge (and the lantern with it). While the pointer
// is outside, its desktop position is read instead, so positions left of and
// above the window come out negative. Only real pointer movement counts: an
// unchanged desktop position leaves whatever events reported in place.
void FollowPointerOutsideWindow() {
    static int lastX = -1, lastY = -1;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    bool moved = x != lastX || y != lastY;
    lastX = x;
    lastY = y;
    if (!moved || gSystem.fullScreen || SDL_GetMouseFocus() == gSystem.window) {
        return;
    }
    int windowX = 0, windowY = 0;
    SDL_GetWindowPosition(gSystem.window, &windowX, &windowY);
    InputSetCursor(x - windowX, y - windowY);
}

} // namespace

void PlatformPumpEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
    if (gSystem.window) {
        FollowPointerOutsideWindow();
    }
}

void PlatformShutdown() {
    for (auto& [pad, controller] : gControllers) {
        SDL_GameControllerClose(controller);
    }
    gControllers.clear();
    if (gSystem.window) {
        SDL_DestroyWindow(gSystem.window);
        gSystem.window = nullptr;
    }
    // SDL's video subsystem stays up until the process ends: shutting it down
    // unloads the X11 and GL libraries it opened, and the process is about to
    // exit anyway.
}

} // namespace tarn
