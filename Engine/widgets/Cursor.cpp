#include "Cursor.h"

#include "Globals.h"
#include "Tarn.h"

UIBox* gCursor = nullptr;
float gCursorTimer = 0.0f;

namespace {

// The pointer: a box whose picture is a ring on a transparent ground, drawn
// blended like a button (an opaque box would show a square around the ring
// on every light surface).
class Cursor : public UIBox {
  public:
    void Draw() override {
        if (visible) {
            UI::Draw();
        }
    }
};

} // namespace

UIBox* MakeCursor() {
    auto* cursor = new Cursor();
    cursor->SetScale(15.0f, 15.0f);
    cursor->SetTransparency(1.0f);
    cursor->SetTexture(TextureNamed("mouse1.png"));
    cursor->visible = false;
    return cursor;
}

void UpdateCursor() {
    gFrameTime = static_cast<float>(TarnFrameRateControllerGetFrameTime());
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
