// Moth Lantern: widget placement, drawing and button hit tests.
#include "UI.h"

#include "Camera.h"
#include "Globals.h"
#include "PadFocus.h"
#include "TarnInput.h"
#include "World.h"

void (*gSetPlayerCanMove)(bool canMove) = nullptr;

bool IsMouseOver(const TarnVec2& centre, const TarnVec2& size) {
    const float halfWidth = size.x / 2.0f;
    const float halfHeight = size.y / 2.0f;
    return centre.x - halfWidth < gMouseX && gMouseX < centre.x + halfWidth &&
           centre.y - halfHeight < gMouseY && gMouseY < centre.y + halfHeight;
}

void SetPlayerCanMove(bool canMove) {
    if (gSetPlayerCanMove != nullptr) {
        gSetPlayerCanMove(canMove);
    }
}

TarnVec2 CameraPlus(const TarnVec2& offset) {
    TarnVec2 at{0.0f, 0.0f};
    TarnGfxGetCamPosition(&at.x, &at.y);
    TarnVec2Add(&at, &at, &offset);
    return at;
}

void SetUpWidget(UI& widget, int layer, float x, float y, float width, float height,
                 const char* textureName) {
    widget.offset = TarnVec2{x, y};
    widget.SetPos(CameraPlus(widget.offset));
    widget.SetScale(width, height);
    widget.SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    widget.SetTexture(textureName != nullptr ? TextureNamed(textureName) : nullptr);
    gWorld->Add(layer, &widget);
}

void UI::Update() {
    // Before the first level load there is no camera yet; the view is then
    // at the origin.
    const Camera* camera = gWorld->GetCamera();
    const TarnVec2 cameraPosition = camera != nullptr ? camera->GetPos() : TarnVec2{0.0f, 0.0f};
    TarnVec2Add(&position, &cameraPosition, &offset);
}

void UI::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_TRANSLUCENT, texture,
             UnitQuadMesh());
}

UIButton::~UIButton() {
    ForgetPadFocus(this);
}

void UIButton::Update() {
    UI::Update();
    OfferPadFocus(this);
    hovered = IsMouseOver(offset, scale);
    padFocused = HasPadFocus(this);
    const Color& tint = hovered || padFocused ? kHoverTint : kIdleTint;
    SetTintColor(tint.r, tint.g, tint.b, tint.a);
    // Only the frame the button goes down counts, so holding it clicks once
    // and a press dragged in from outside never clicks.
    clicked = (hovered && TarnInputCheckTriggered(TARN_MOUSE_LEFT)) || PressedByPad(this);
}

UIBox::UIBox(float scaleX, float scaleY, float offsetX, float offsetY, TarnGfxTexture* boxTexture) {
    scale = TarnVec2{scaleX, scaleY};
    offset = TarnVec2{offsetX, offsetY};
    texture = boxTexture;
}

void UIBox::Draw() {
    if (!visible) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_NONE, texture, UnitQuadMesh());
}

void PrintText(int font, const std::string& text, float worldX, float worldY, const Color& colour) {
    if (font == 0) {
        return;
    }
    // Text takes the blend colour; opaque, so the glyphs never fade with
    // whatever transparency the last mesh left behind.
    TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    TarnGfxTextureSet(nullptr, 0.0f, 0.0f);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    TarnGfxSetTransparency(1.0f);
    TarnGfxPrint(font, text.c_str(), static_cast<int>(worldX), static_cast<int>(worldY), colour.r,
                 colour.g, colour.b);
}
