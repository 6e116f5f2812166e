// Moth Lantern: the object class tree's shared behaviour: registration,
// position checks and the textured-quad draw.
#include "GameObject.h"

#include "AssetManager.h"
#include "World.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The report names this file the way the game's crash reports always have.
constexpr const char* kSourceName = "Engine\\GameObject.cpp";

// Line numbers the position reports carry, one pair (before, after) per setter.
constexpr int kSetPosLineBefore = 88;
constexpr int kSetPosLineAfter = 91;
constexpr int kAddPosLineBefore = 97;
constexpr int kAddPosLineAfter = 101;
constexpr int kSetPosVecLineBefore = 107;
constexpr int kSetPosVecLineAfter = 110;

} // namespace

// The condition text is part of the report, so it must read exactly like this.
#define ASSERT_POSITION_FINITE(line, function)                                                     \
    TARN_ASSERT(std::isfinite(position.x) && std::isfinite(position.y) &&                          \
                    !std::isnan(position.x) && !std::isnan(position.y),                            \
                line, function, kSourceName)

// ---- Fatal checks ---------------------------------------------------------------

void TarnAssertFail(const char* expression, int line, const char* function, const char* file) {
    std::printf("TARN_ASSERT: %s\nLine: %d\nFunc: %s\nFile: %s\n", expression, line, function,
                file);
    std::fflush(stdout);
    std::exit(1);
}

// ---- Draw helpers -----------------------------------------------------------------

void BuildTransform(TarnMtx33* out, const TarnVec2& scale, const TarnVec2& position,
                    float rotation) {
    TarnMtx33 scaling;
    TarnMtx33 translation;
    TarnMtx33Scale(&scaling, scale.x, scale.y);
    TarnMtx33Trans(&translation, position.x, position.y);
    if (rotation != 0.0f) {
        TarnMtx33 turn;
        TarnMtx33Rot(&turn, rotation);
        TarnMtx33Concat(&scaling, &turn, &scaling);
    }
    TarnMtx33Concat(out, &translation, &scaling);
}

void DrawQuad(const TarnMtx33& matrix, const Color& tint, const Color& blend, float transparency,
              int blendMode, TarnGfxTexture* texture, TarnGfxVertexList* mesh) {
    if (mesh == nullptr) {
        return;
    }
    if (texture != nullptr) {
        TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
        TarnGfxTextureSet(texture, 0.0f, 0.0f);
    } else {
        TarnGfxSetRenderMode(TARN_RENDER_COLOR);
        TarnGfxSetBlendColor(blend.r, blend.g, blend.b, blend.a);
    }
    TarnGfxSetBlendMode(blendMode);
    TarnGfxSetTintColor(tint.r, tint.g, tint.b, tint.a);
    TarnGfxSetTransparency(transparency);
    TarnGfxSetTransform(&matrix);
    TarnGfxMeshDraw(mesh, TARN_DRAW_TRIANGLES);
}

TarnGfxVertexList* UnitQuadMesh() {
    return gAssetManager->GetMesh(0);
}

bool IsOutsideView(const TarnVec2& centre, const TarnVec2& size) {
    const float halfWidth = std::fabs(size.x) / 2.0f;
    const float halfHeight = std::fabs(size.y) / 2.0f;
    return centre.x + halfWidth < gTarnWinMinX || centre.x - halfWidth > gTarnWinMaxX ||
           centre.y + halfHeight < gTarnWinMinY || centre.y - halfHeight > gTarnWinMaxY;
}

// ---- StaticObject -------------------------------------------------------------------

StaticObject::StaticObject(float x, float y, TarnGfxTexture* quadTexture, float scaleX,
                           float scaleY)
    : position{x, y}, scale{scaleX, scaleY}, texture(quadTexture) {}

StaticObject::StaticObject(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                           bool castsShadow, float scaleX, float scaleY)
    : StaticObject(x, y, texture, scaleX, scaleY) {
    AddToWorld(layer, collides, castsShadow);
}

void StaticObject::AddToWorld(int layer, bool collides, bool castsShadow) {
    gWorld->Add(layer, this);
    if (collides && gWorldHooks.registerCollider != nullptr) {
        gWorldHooks.registerCollider(this);
    }
    if (castsShadow && gWorldHooks.addShadowCaster != nullptr) {
        gWorldHooks.addShadowCaster(this);
    }
}

void StaticObject::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    // Additive drawing adds colour times alpha, and the alpha carries the
    // transparency: at 0 (the unlit dark of a story level) the quad adds
    // nothing, so most of a dark level's tiles cost no draw at all.
    if (tintColor.a == 0.0f || IsOutsideView(position, scale)) {
        return;
    }
    DrawQuad(transform, tintColor, blendColor, tintColor.a, TARN_BLEND_ADDITIVE, texture,
             UnitQuadMesh());
}

void StaticObject::SetPos(float x, float y) {
    ASSERT_POSITION_FINITE(kSetPosLineBefore, "StaticObject::SetPos");
    position = TarnVec2{x, y};
    ASSERT_POSITION_FINITE(kSetPosLineAfter, "StaticObject::SetPos");
}

void StaticObject::SetPos(const TarnVec2& newPosition) {
    ASSERT_POSITION_FINITE(kSetPosVecLineBefore, "StaticObject::SetPos");
    position = newPosition;
    ASSERT_POSITION_FINITE(kSetPosVecLineAfter, "StaticObject::SetPos");
}

void StaticObject::AddPos(float dx, float dy) {
    ASSERT_POSITION_FINITE(kAddPosLineBefore, "StaticObject::AddPos");
    position.x += dx;
    position.y += dy;
    ASSERT_POSITION_FINITE(kAddPosLineAfter, "StaticObject::AddPos");
}

void StaticObject::SetDirection(float x, float y) {
    rotation = std::atan2(y, x);
}

// ---- ActiveObject -------------------------------------------------------------------

ActiveObject::ActiveObject(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                           bool castsShadow, float scaleX, float scaleY)
    : StaticObject(x, y, texture, scaleX, scaleY) {
    // Registered here rather than in StaticObject so the registries already
    // see a moving object and file it with the movers.
    AddToWorld(layer, collides, castsShadow);
}
