// Moth Lantern: keys, batteries and their random places.
#include "Pickups.h"

#include "AudioManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "Particle.h"
#include "Progress.h"
#include "TarnSystem.h"
#include "Tiles.h"
#include "TransitionBox.h"
#include "World.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kBatterySize = 30.0f;
constexpr float kBatterySpacing = 200.0f;
constexpr int kKeySparkles = 20;

// Draws per position before its minimum distance is given up.
constexpr int kMaxDraws = 4096;
// A finished custom level shows its "level complete" picture this long.
constexpr float kLevelCompleteSeconds = 1.5f;

void PlayEffect(const char* name) {
    gAudioManager->PlayEffect(name);
}

bool FarFromAll(const std::vector<TarnVec2>& positions, const TarnVec2& p, float minDistance) {
    const float min2 = minDistance * minDistance;
    return std::all_of(positions.begin(), positions.end(), [&](const TarnVec2& q) {
        const float dx = q.x - p.x;
        const float dy = q.y - p.y;
        return dx * dx + dy * dy >= min2;
    });
}

// The cell of a world position, as the grid counts it.
int CellOf(float worldUnits, float gridCells) {
    return static_cast<int>(std::floor(worldUnits / gTileSize + gridCells / 2.0f));
}

// The player's start cell or one of its eight neighbours: a pick-up there
// would be taken in the first step, before the level has begun.
bool BesideStart(int x, int y) {
    const int startX = CellOf(gPlayerStartX, gGridWidth);
    const int startY = CellOf(gPlayerStartY, gGridHeight);
    return std::abs(x - startX) <= 1 && std::abs(y - startY) <= 1;
}

// One random free cell centre, away from the start, at least minDistance
// from the list, if found within the draw budget.
bool DrawFreeCell(const std::vector<TarnVec2>& positions, float minDistance, TarnVec2* out) {
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        const int x = static_cast<int>(TarnRandFloat() * gGridWidth);
        const int y = static_cast<int>(TarnRandFloat() * gGridHeight);
        if (gCollisionManager->CellAt(x, y) != 0 || BesideStart(x, y)) {
            continue;
        }
        const TarnVec2 p{(static_cast<float>(x) + 0.5f - gGridWidth / 2.0f) * gTileSize,
                         (static_cast<float>(y) + 0.5f - gGridHeight / 2.0f) * gTileSize};
        if (FarFromAll(positions, p, minDistance)) {
            *out = p;
            return true;
        }
    }
    return false;
}

// Takes a tile out of the level: no more drawing, shadow or contact.
void RemoveTile(Tilemap* tile) {
    gWorld->Destroy(Layer::Items, tile);
    gLightManager->RemoveCaster(tile);
    gCollisionManager->Unregister(tile);
}

} // namespace

// ---- Random places and level set-up ------------------------------------------------

int PlaceRandomly(std::vector<TarnVec2>& positions, int count, float minDistance) {
    int placed = 0;
    for (; placed < count; ++placed) {
        TarnVec2 p{0.0f, 0.0f};
        if (!DrawFreeCell(positions, minDistance, &p) && !DrawFreeCell(positions, 0.0f, &p)) {
            break; // no free cell at all
        }
        positions.push_back(p);
    }
    return placed;
}

Key* PlaceKey(std::vector<TarnVec2>& keyPositions) {
    if (gHasKey) {
        return nullptr;
    }
    if (keyPositions.empty()) {
        PlaceRandomly(keyPositions, 1, 0.0f);
    }
    if (keyPositions.empty()) {
        return nullptr;
    }
    return MakeKeyAt(keyPositions.front());
}

void PlaceBatteries(int count) {
    std::vector<TarnVec2> positions;
    PlaceRandomly(positions, count, kBatterySpacing);
    for (const TarnVec2& at : positions) {
        MakeBatteryAt(at);
    }
}

Key* MakeKeyAt(const TarnVec2& at) {
    return new Key(Layer::Items, at.x, at.y, TextureNamed("key.png"), true, true);
}

Battery* MakeBatteryAt(const TarnVec2& at) {
    return new Battery(Layer::Items, at.x, at.y, TextureNamed("battery3.png"), true, true,
                       kBatterySize, kBatterySize);
}

int BatteriesInLevel(GameStateId level) {
    if (level < GameState::Level1 || level > GameState::Level5) {
        return 0;
    }
    return 5 * (level - GameState::Level1 + 1);
}

// ---- Pick-ups -------------------------------------------------------------------------

void PickUpKey(Key* key) {
    if (key == nullptr) {
        return;
    }
    RemoveTile(key);
    gHasKey = true;
    PlayEffect("s_door.wav");
    for (int i = 0; i < kKeySparkles; ++i) {
        SpawnParticle(key->GetPos(), 3.0f, 3.0f, nullptr, 1.0f, 1.0f, 0.0f, 1.0f, Layer::Effects,
                      5.0f);
    }
}

void PickUpBattery(Battery* battery) {
    if (battery == nullptr) {
        return;
    }
    gLightCharge = std::min(gLightCharge + kBatteryCharge, kMaxLightCharge);
    RemoveTile(battery);
    PlayEffect("s_battery.wav");
}

// ---- Trap doors -------------------------------------------------------------------

namespace {

// The puzzle behind a story level; a custom level's door leads back to the
// main menu; the menu room (and anything else) leads to the first level.
GameStateId StateBehindDoor(GameStateId current) {
    if (current >= GameState::Level1 && current <= GameState::Level5) {
        return GameState::Puzzle1 + (current - GameState::Level1);
    }
    if (current == GameState::Custom) {
        return GameState::Menu;
    }
    return GameState::Level1;
}

// A run begins from the menu room: its memories are set here, whatever an
// earlier run left (a new game clears the saved one), with full health and
// charge and no key, and the lose screen retries the level it starts in.
GameStateId BeginRun(const TrapDoor& door) {
    const int memories = RunMemoriesBehind(door);
    gMemoriesCollected = memories;
    gPlayerHealth = kFullHealth;
    gLightCharge = kMaxLightCharge;
    gHasKey = false;
    if (memories == 0) {
        RecordMemories(0);
    }
    const GameStateId level = GameState::Level1 + memories;
    gGameStateManager->retryState = level;
    return level;
}

} // namespace

int RunMemoriesBehind(const TrapDoor& door) {
    return door.newGame ? 0 : SavedMemories();
}

TrapDoor::~TrapDoor() {
    gWorld->UnwatchPointer(&doorTransition);
}

void TrapDoor::Update() {
    Tilemap::Update();
    if (gHasKey) {
        texture = TextureNamed("trapdoorOpen.png");
    }
    if (doorTransition == nullptr || !doorTransition->done) {
        return;
    }
    // A finished custom level leaves its picture up for a moment.
    if (gGameStateManager->current == GameState::Custom && shownFor < kLevelCompleteSeconds) {
        shownFor += gFrameTime;
        return;
    }
    if (TestPlaying()) {
        gGameStateManager->next = GameState::LevelEditor; // the maker goes back to work
    } else if (gGameMode == GameMode::Menu) {
        gLightCharge = kMaxLightCharge;
        const bool menuRoom = gGameStateManager->current == GameState::Menu;
        gGameStateManager->next = menuRoom ? BeginRun(*this) : GameState::Level1;
    } else {
        gGameStateManager->next = StateBehindDoor(gGameStateManager->current);
    }
    doorTransition->done = false;
}

void OpenTrapDoor(TrapDoor* door) {
    if (door == nullptr || door->doorTransition != nullptr) {
        return;
    }
    door->doorTransition = new TransitionBox();
    if (gGameStateManager->current == GameState::Menu) {
        // The picture of the level the run starts in.
        const GameStateId level = GameState::Level1 + RunMemoriesBehind(*door);
        door->doorTransition->SetTexture(TextureNamed(IntroPictureOf(level)));
    }
    gWorld->WatchPointer(&door->doorTransition);
    SetPlayerCanMove(false);
    PlayEffect("s_door.wav");
}
