#include "Cursor.h"

#include "Globals.h"
#include "Tarn.h"

#include <algorithm>

UIBox* gCursor = nullptr;
float gCursorTimer = 0.0f;

namespace {
// The longest step the game logic takes. A longer frame (a stall, a window
// drag) would carry an orb over its landing point or a pushed block into the
// border rocks; capped, the game runs in slow motion below 20 frames a second
// instead of skipping through walls.
constexpr double kLongestFrameTime = 0.05;
} // namespace

UIBox* MakeCursor() {
    auto* cursor = new UIBox();
    cursor->SetScale(15.0f, 15.0f);
    cursor->SetTransparency(1.0f);
    cursor->SetTexture(TextureNamed("mouse1.png"));
    cursor->visible = false;
    return cursor;
}

void UpdateCursor() {
    gFrameTime =
        static_cast<float>(std::min(TarnFrameRateControllerGetFrameTime(), kLongestFrameTime));
    int cursorX = 0;
    int cursorY = 0;
    TarnInputGetCursorPosition(&cursorX, &cursorY);
    gMouseX = static_cast<float>(cursorX) - gHalfWindowWidth;
    gMouseY = gHalfWindowHeight - static_cast<float>(cursorY);
    gCursor->offset = TarnVec2{gMouseX, gMouseY};
    gCursor->UI::Update();
    gCursorTimer += gFrameTime;
    const char* frame = nullptr;
    if (gCursorTimer < 0.5f) {
        frame = "mouse1.png";
    } else if (gCursorTimer < 1.0f) {
        frame = "mouse2.png";
    } else {
        gCursorTimer = 0.0f; // the texture stays as it is for this frame
    }
    if (frame != nullptr) {
        gCursor->SetTexture(TextureNamed(frame));
    }
}

void DrawCursor() {
    gCursor->Draw();
}

void SetCursorVisible(bool visible) {
    gCursor->visible = visible;
}
