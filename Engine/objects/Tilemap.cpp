// Moth Lantern: tile objects: building a level cell, the light fade, walls.
#include "Tilemap.h"

#include "AssetManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "TransitionBox.h"
#include "UI.h"
#include "World.h"

namespace {

// Doors, spawns and other tiles built from the grid live in layer 1, which a
// restart clears; the placeholders that build them stay in layer 0.
constexpr int kBuiltTilesLayer = 1;
// Pictures over the level (the restart countdown) live in the top layer.
constexpr int kHudLayer = 6;

// Transparency change per second while lighting up or fading out.
constexpr float kFadeRate = 2.0f;
// The least transparency of a key or battery: enough for its bright core to
// glow in the dark (additive drawing applies the transparency twice).
constexpr float kGlowAlpha = 0.6f;

// The code of a grid cell; a cell outside the loaded grid builds nothing.
int CellCode(int column, int row) {
    constexpr int kNoCell = -1;
    return gLevelData != nullptr ? gLevelData->TileAt(column, row, kNoCell) : kNoCell;
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
    switch (CellCode(cellColumn, cellRow)) {
    case kTileWall:
        BecomeWall();
        break;
    case kTileTrapDoor: {
        auto* door = new TrapDoor(kBuiltTilesLayer, position.x, position.y,
                                  TextureNamed("trapdoorClose.png"), true, true);
        door->SetTransparency(gDarkAlpha);
        break;
    }
    case kTileSpiderSpawn: {
        auto* spawn = new AISpawn(kBuiltTilesLayer, position.x, position.y, nullptr, false, false);
        spawn->SetTransparency(gDarkAlpha);
        break;
    }
    default:
        break;
    }
}

void Tilemap::BecomeWall() {
    // Story levels, the menu room and the editor build with stone walls (each
    // story level of its own stone); the puzzle rooms are ringed with rocks.
    if (gGameMode == 0 || gGameMode == 2) {
        texture = LevelTextureNamed("o_wall.png");
    } else if (gGameMode == 1) {
        texture = TextureNamed("rocks.png");
    }
    if (gLightManager != nullptr) {
        gLightManager->AddCaster(this);
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

void MenuWall::Reveal() {
    if (!gCreditsShown && controlUI != nullptr) {
        controlUI->revealed = true;
    }
}

// ---- Danger blocks ----------------------------------------------------------------------

void ArmRestart(RestartWall* wall) {
    // Nothing new once a restart is on its way: a picture made now would
    // outlive the restart on the HUD layer.
    const bool restarting =
        gGameStateManager != nullptr && gGameStateManager->next == GameState::Restart;
    if (wall->restartBox != nullptr || restarting) {
        return;
    }
    wall->restartArmed = true;
    auto* box = new TransitionBox();
    box->style = TransitionStyle::FadeIn;
    box->scale = TarnVec2{500.0f, 500.0f};
    box->SetTintColor(1.0f, 1.0f, 1.0f, 0.0f);
    box->SetTexture(TextureNamed("restart1.png"));
    wall->restartBox = box;
    WatchTransitionPointer(&wall->restartBox);
}

RestartWall::~RestartWall() {
    // A level left or restarted some other way while the countdown runs
    // takes the picture with it.
    if (restartBox != nullptr && gWorld != nullptr) {
        gWorld->Destroy(kHudLayer, restartBox);
    }
    UnwatchTransitionPointer(&restartBox);
}

void RestartWall::Update() {
    if (!restartArmed || restartBox == nullptr || !restartBox->done) {
        return;
    }
    restartBox->style = TransitionStyle::Hold;
    countdown -= gFrameTime;
    if (countdown >= 2.0f && countdown < 3.0f) {
        restartBox->SetTexture(TextureNamed("restart2.png"));
    } else if (countdown >= 1.0f && countdown < 2.0f) {
        restartBox->SetTexture(TextureNamed("restart3.png"));
    }
    if (countdown > 0.5f) {
        return;
    }
    if (gWorld != nullptr) {
        gWorld->Destroy(kHudLayer, restartBox);
    }
    restartBox = nullptr;
    countdown = countdownStart;
    restartArmed = false;
    if (gGameStateManager != nullptr) {
        gGameStateManager->next = GameState::Restart;
    }
}
