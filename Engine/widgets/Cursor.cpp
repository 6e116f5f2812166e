#include "Cursor.h"

#include "Globals.h"
#include "PadControls.h"
#include "PadFocus.h"
#include "Tarn.h"
#include "World.h"

#include <algorithm>

UIBox* gCursor = nullptr;
float gCursorTimer = 0.0f;

namespace {
// The longest step the game logic takes. A longer frame (a stall, a window
// drag) would carry an orb over its landing point or a pushed block into the
// border rocks; capped, the game runs in slow motion below 20 frames a second
// instead of skipping through walls.
constexpr double kLongestFrameTime = 0.05;

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

// How far from the player the right stick puts the cursor.
constexpr float kAimRadius = 150.0f;

// The right stick's last direction, kept while the stick rests so the lantern
// stays pointed, until the mouse moves.
struct PadAim {
    bool aiming = false;
    TarnVec2 direction{1.0f, 0.0f};
};
PadAim gPadAim;

// The cursor from the mouse, in world units from the window centre, y up.
TarnVec2 MouseOffset() {
    int cursorX = 0;
    int cursorY = 0;
    TarnInputGetCursorPosition(&cursorX, &cursorY);
    return TarnVec2{static_cast<float>(cursorX) - gHalfWindowWidth,
                    gHalfWindowHeight - static_cast<float>(cursorY)};
}

// The right stick puts the cursor on a circle round the player, which the
// lantern then faces; moving the mouse gives it back to the mouse.
bool PadAimOffset(TarnVec2* offset) {
    int dx = 0;
    int dy = 0;
    TarnInputGetCursorPositionDelta(&dx, &dy);
    if (dx != 0 || dy != 0) {
        gPadAim.aiming = false;
    }
    TarnVec2 direction;
    if (PadAimDirection(&direction)) {
        gPadAim = PadAim{true, direction};
    }
    const ActiveObject* player = gWorld->GetPlayer();
    if (!gPadAim.aiming || player == nullptr) {
        return false;
    }
    float cameraX = 0.0f;
    float cameraY = 0.0f;
    TarnGfxGetCamPosition(&cameraX, &cameraY);
    const TarnVec2 at = player->GetPos();
    *offset = TarnVec2{at.x - cameraX + gPadAim.direction.x * kAimRadius,
                       at.y - cameraY + gPadAim.direction.y * kAimRadius};
    return true;
}

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
    gFrameTime =
        static_cast<float>(std::min(TarnFrameRateControllerGetFrameTime(), kLongestFrameTime));
    TarnVec2 pointer{0.0f, 0.0f};
    if (!PadAimOffset(&pointer)) {
        pointer = MouseOffset();
    }
    gMouseX = pointer.x;
    gMouseY = pointer.y;
    UpdatePadFocus();
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
