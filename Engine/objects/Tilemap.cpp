// Moth Lantern: tile objects: building a level cell, the light fade, walls.
#include "Tilemap.h"

#include "AI.h"
#include "AudioManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "TransitionBox.h"
#include "World.h"

#include <cmath>

namespace {

// Doors, spawns and other tiles built from the grid live in layer 1, which a
// restart clears; the placeholders that build them stay in layer 0.
constexpr int kBuiltTilesLayer = 1;

// Transparency change per second while lighting up or fading out.
constexpr float kFadeRate = 2.0f;

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
    // Story levels, the menu room and the editor build with stone walls; the
    // puzzle rooms are ringed with rocks.
    if (gGameMode == 0 || gGameMode == 2) {
        texture = TextureNamed("o_wall.png");
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

// ---- Spider spawns ---------------------------------------------------------------

namespace {

// The first spider of an empty level comes this long after the level starts.
constexpr float kFirstSpiderDelay = 2.0f;
// In the first level it appears this far above the nest, in sight of the start.
constexpr float kFirstLevelSpawnOffset = 200.0f;
// The spawn timer runs this many times slower than gSpawnInterval.
constexpr float kSpawnIntervalScale = 3.0f;
// No spider hatches while the player stands this close to the nest.
constexpr float kSpawnKeepAway = 150.0f;

bool IsFirstLevel() {
    return gGameStateManager != nullptr && gGameStateManager->stateName == "Level1";
}

bool PlayerNear(const TarnVec2& at) {
    const ActiveObject* player = gWorld != nullptr ? gWorld->GetPlayer() : nullptr;
    if (player == nullptr) {
        return false;
    }
    const TarnVec2 p = player->GetPos();
    return std::hypot(p.x - at.x, p.y - at.y) < kSpawnKeepAway;
}

} // namespace

void AISpawn::Update() {
    Tilemap::Update();
    spawnTimer += gFrameTime;
    if (spawnTimer > kFirstSpiderDelay && gSpiderCount == 0) {
        const float offset = IsFirstLevel() ? kFirstLevelSpawnOffset : 0.0f;
        SpawnSpider(position.x, position.y + offset);
        spawnTimer = 0.0f;
    }
    if (spawnTimer / kSpawnIntervalScale >= gSpawnInterval) {
        if (!PlayerNear(position) && gSpiderCount < gMaxSpiders) {
            SpawnSpider(position.x, position.y);
            if (gAudioManager != nullptr) {
                gAudioManager->PlayEffect("s_bell.wav");
            }
        }
        spawnTimer = 0.0f;
    }
}

// ---- Trap doors -------------------------------------------------------------------

namespace {

// The puzzle behind a story level; the menu room (and anything else) leads
// to the first level.
GameStateId StateBehindDoor(GameStateId current) {
    if (current >= GameState::Level1 && current <= GameState::Level5) {
        return GameState::Puzzle1 + (current - GameState::Level1);
    }
    return GameState::Level1;
}

} // namespace

TrapDoor::~TrapDoor() {
    UnwatchTransitionPointer(&doorTransition);
}

void TrapDoor::Update() {
    Tilemap::Update();
    if (gHasKey) {
        texture = TextureNamed("trapdoorOpen.png");
    }
    if (doorTransition == nullptr || !doorTransition->done || gGameStateManager == nullptr) {
        return;
    }
    if (gGameMode == 2) {
        gLightCharge = 360.0f;
        gGameStateManager->next = GameState::Level1;
    } else {
        gGameStateManager->next = StateBehindDoor(gGameStateManager->current);
    }
    doorTransition->done = false;
}
