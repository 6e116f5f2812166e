#include "WidgetKit.h"

#include "Globals.h"
#include "TarnInput.h"
#include "TarnSystem.h"

#include <SDL.h>

namespace moth_test {

PictureAssets::PictureAssets(GameGlobals& globals, std::initializer_list<const char*> names) {
    if (!EnsureEngineWindow()) {
        return;
    }
    ok = true;
    unsigned char shade = 10;
    for (const char* name : names) {
        ok = WriteSolidPng(folder.Path() / name, 2, 2, shade, 255 - shade, 128) && ok;
        shade = static_cast<unsigned char>(shade + 10);
    }
    globals.LoadAssets(folder.Path().string() + "/");
}

namespace {
// Where the mouse points, in window pixels (the test window is not scaled).
int gPointerX = 0;
int gPointerY = 0;
} // namespace

void PointAt(float x, float y) {
    gPointerX = static_cast<int>(x + gHalfWindowWidth);
    gPointerY = static_cast<int>(gHalfWindowHeight - y);
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = gPointerX;
    event.motion.y = gPointerY;
    SDL_PushEvent(&event);
}

void SetLeftButton(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = gPointerX;
    event.button.y = gPointerY;
    SDL_PushEvent(&event);
}

void NextInputFrame() {
    TarnSysUpdate();
    TarnInputUpdate();
}

void RunFrame(World& world) {
    NextInputFrame();
    world.Update();
}

void UseFixedFrameTime(double seconds) {
    TarnFrameRateControllerSetFixedFrameTime(seconds);
    TarnFrameRateControllerStart();
    TarnFrameRateControllerEnd();
}

void ClickAt(World& world, float x, float y) {
    PointAt(x, y);
    SetLeftButton(true);
    RunFrame(world);
    SetLeftButton(false);
    RunFrame(world);
}

void WithoutStateScripts(GameStateManager& states) {
    states.loadCallback = states.initCallback = states.updateCallback = nullptr;
}

void ApplyRemovals(World& world) {
    const bool wasPaused = gPaused;
    const float frameTime = gFrameTime;
    const float mouseX = gMouseX;
    const float mouseY = gMouseY;
    gPaused = true;
    world.Update();
    gPaused = wasPaused;
    gFrameTime = frameTime;
    gMouseX = mouseX;
    gMouseY = mouseY;
}

} // namespace moth_test
