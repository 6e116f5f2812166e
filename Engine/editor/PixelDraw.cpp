// Moth Lantern: drawing a modal screen in window pixels.
#include "PixelDraw.h"

#include "AssetManager.h"
#include "Globals.h"
#include "UI.h"

namespace {

TarnVec2 ToWorld(float x, float y) {
    return CameraPlus(TarnVec2{x - gHalfWindowWidth, gHalfWindowHeight - y});
}

void DrawRect(const PixelRect& rect, const Color& tint, const Color& blend, int blendMode,
              TarnGfxTexture* texture) {
    const TarnVec2 centre = ToWorld(static_cast<float>(rect.x) + rect.width / 2.0f,
                                    static_cast<float>(rect.y) + rect.height / 2.0f);
    TarnMtx33 transform;
    BuildTransform(&transform,
                   TarnVec2{static_cast<float>(rect.width), static_cast<float>(rect.height)},
                   centre, 0.0f);
    DrawQuad(transform, tint, blend, 1.0f, blendMode, texture, UnitQuadMesh());
}

} // namespace

void FillPixelRect(const PixelRect& rect, const Color& colour) {
    const Color blend{colour.r, colour.g, colour.b, 1.0f};
    const bool opaque = colour.a >= 1.0f;
    DrawRect(rect, Color{1.0f, 1.0f, 1.0f, colour.a}, blend,
             opaque ? TARN_BLEND_NONE : TARN_BLEND_TRANSLUCENT, nullptr);
}

void DrawPixelTexture(const PixelRect& rect, TarnGfxTexture* texture, const Color& tint,
                      int blendMode) {
    // A textured quad keeps the last blend colour: clear it so nothing tints the picture.
    TarnGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    DrawRect(rect, tint, texture ? Color{0.0f, 0.0f, 0.0f, 0.0f} : tint, blendMode, texture);
}

void DrawPixelPicture(const PixelRect& rect, const char* textureName, const Color& tint) {
    DrawPixelTexture(rect, TextureNamed(textureName), tint, TARN_BLEND_TRANSLUCENT);
}

void PrintAtPixel(const std::string& text, int x, int y, const Color& colour) {
    const TarnVec2 at = ToWorld(static_cast<float>(x), static_cast<float>(y));
    PrintText(gAssetManager->GetFont(), text, at.x, at.y, colour);
}
