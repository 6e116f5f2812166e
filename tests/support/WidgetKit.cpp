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

void SetLeftButton(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&event);
}

void NextInputFrame() {
    TarnSysUpdate();
    TarnInputUpdate();
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
