// Moth Lantern: tile objects: building a level cell, the light fade, walls.
#include "Tilemap.h"

#include "AssetManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "World.h"

namespace {

// Transparency change per second while lighting up or fading out.
constexpr float kFadeRate = 2.0f;
// The least transparency of a key or battery: enough for its bright core to
// glow in the dark (additive drawing applies the transparency twice).
constexpr float kGlowAlpha = 0.6f;

// The code of a grid cell; a cell outside the loaded grid builds nothing.
int CellCode(int column, int row) {
    constexpr int kNoCell = -1;
    return gLevelData->TileAt(column, row, kNoCell);
}

} // namespace

Tilemap::Tilemap(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                 bool castsShadow)
    : Tilemap(layer, x, y, texture, collides, castsShadow, gTileSize, gTileSize) {}

Tilemap::Tilemap(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                 bool castsShadow, float scaleX, float scaleY)
    : StaticObject(layer, x, y, texture, collides, castsShadow, scaleX, scaleY) {}

void Tilemap::Init() {
    // Runs again after every restart: the doors and spawns of the last run
    // were deleted with layer 1, and the light forgot its shadow casters.
    // Doors and nests go to layer 1, which a restart clears; the placeholder
    // that builds them stays in layer 0.
    const int code = CellCode(cellColumn, cellRow);
    if (code == kTileWall) {
        BecomeWall();
    } else if (gWorldHooks.buildCellObject != nullptr) {
        if (StaticObject* built = gWorldHooks.buildCellObject(code, position.x, position.y)) {
            built->SetTransparency(gDarkAlpha);
        }
    }
}

void Tilemap::BecomeWall() {
    // Story levels, the menu room and the editor build with stone walls (each
    // story level of its own stone); the puzzle rooms are ringed with rocks.
    if (gGameMode == GameMode::Story || gGameMode == GameMode::Menu) {
        texture = LevelTextureNamed("o_wall.png");
    } else if (gGameMode == GameMode::Puzzle) {
        texture = TextureNamed("rocks.png");
    }
    if (gWorldHooks.addShadowCaster != nullptr) {
        gWorldHooks.addShadowCaster(this);
    }
    SetTransparency(gDarkAlpha);
}

void Tilemap::Update() {
    const float transparency = GetTransparency();
    if (flashing) {
        // Not clamped: a tile may overshoot 1 by up to one frame's step.
        if (transparency < 1.0f) {
            SetTransparency(transparency + kFadeRate * gFrameTime);
        } else {
            flashing = false;
        }
        return;
    }
    // Untextured tiles are invisible under additive drawing; leave them be.
    if (texture == nullptr) {
        return;
    }
    if (transparency > gDarkAlpha) {
        SetTransparency(transparency - kFadeRate * gFrameTime);
    } else {
        SetTransparency(gDarkAlpha);
    }
}

void Tilemap::UpdateGlowing() {
    Tilemap::Update();
    if (texture != nullptr && GetTransparency() < kGlowAlpha) {
        SetTransparency(kGlowAlpha);
    }
}

void Tilemap::SetTileTexture(int code) {
    switch (code) {
    case kTileFloor:
        texture = TextureNamed("o_floor.png");
        break;
    case kTileWall:
        texture = TextureNamed("o_wall.png");
        break;
    case kTileTrapDoor:
        texture = TextureNamed("trapdoorClose.png");
        break;
    case kTileVoid:
        texture = TextureNamed("o_black.png");
        break;
    default:
        break;
    }
}

void Wall::Draw() {
    TarnGfxVertexList* mesh = UnitQuadMesh();
    if (mesh == nullptr) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    // At transparency 0 a translucent quad leaves every pixel as it was.
    if (tintColor.a == 0.0f || IsOutsideView(position, scale)) {
        return;
    }
    // Walls blend translucently and, unlike DrawQuad, set their blend colour
    // even when textured (after the render mode, whose program holds it).
    if (texture != nullptr) {
        TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
        TarnGfxTextureSet(texture, 0.0f, 0.0f);
    } else {
        TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    }
    TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
    TarnGfxSetTintColor(tintColor.r, tintColor.g, tintColor.b, tintColor.a);
    TarnGfxSetBlendColor(blendColor.r, blendColor.g, blendColor.b, blendColor.a);
    TarnGfxSetTransparency(tintColor.a);
    TarnGfxSetTransform(&transform);
    TarnGfxMeshDraw(mesh, TARN_DRAW_TRIANGLES);
}
