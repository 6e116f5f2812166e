// Moth Lantern: the collision manager's registry, contact rules and grid tests.
//
// Index
//   Contact handlers .. what touching each kind of object does to the player
//   Registry .......... Register, Unregister, Forget, Clear
//   Per-frame steps ... Update and its passes, FlushRemovals
//   Contact tests ..... SweptRectTest, StopCollider, TileContacts, SnapToTiles
//   Grid .............. CellAt
#include "CollisionManager.h"

#include "AI.h"
#include "AIManager.h"
#include "AssetManager.h"
#include "AudioManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "Pickups.h"
#include "Player.h"
#include "PuzzleManager.h"
#include "Tiles.h"
#include "World.h"

#include <algorithm>
#include <cmath>

CollisionManager* gCollisionManager = nullptr;

namespace {

// A mover only meets what lies ahead of it outside the story levels: the
// direction to the other object must be within about 45 degrees of its own.
constexpr float kFacingDot = -0.71f;
// Below this relative speed an axis counts as still.
constexpr float kStillSpeed = 1e-5f;
// Grid probes stay this far (in cells) from the corners, so a wall beside the
// mover does not count as one in front of it.
constexpr float kProbeInset = 0.3f;
// Snapped objects stay this many units clear of the wall.
constexpr float kSnapGap = 1.0f;
constexpr int kHealthPerBite = 20;

TarnVec2 Sub(const TarnVec2& a, const TarnVec2& b) {
    return TarnVec2{a.x - b.x, a.y - b.y};
}

TarnVec2 Unit(const TarnVec2& v) {
    TarnVec2 out;
    TarnVec2Normalize(&out, &v);
    return out;
}

float Dot(const TarnVec2& a, const TarnVec2& b) {
    return a.x * b.x + a.y * b.y;
}

TarnVec2 VelocityOf(const Collider& collider) {
    return collider.isActive ? collider.activeObject->velocity : TarnVec2{0.0f, 0.0f};
}

void SetBounds(Collider* collider, const TarnVec2& position) {
    collider->min = TarnVec2{position.x + collider->negHalf.x, position.y + collider->negHalf.y};
    collider->max = TarnVec2{position.x + collider->posHalf.x, position.y + collider->posHalf.y};
}

bool InStoryLevel() {
    const GameStateId state = gGameStateManager->current;
    return state >= GameState::Level1 && state <= GameState::Level5;
}

bool IsSpider(const StaticObject* object) {
    const auto& spiders = gAIManager->spiders;
    return std::find(spiders.begin(), spiders.end(), object) != spiders.end();
}

void PlayEffect(const char* name) {
    gAudioManager->PlayEffect(name);
}

// ---- Contact handlers --------------------------------------------------------------
// One per kind of object the player can touch. The collision manager stops
// the player afterwards in every case, so touching a pick-up also halts it for
// that frame.

// The key opens the level's trap doors: it vanishes in a burst of yellow sparks.
void OnKeyContact(Player& /*player*/, Key& key) {
    PickUpKey(&key);
}

// A battery refills the lantern and leaves the level.
void OnBatteryContact(Player& /*player*/, Battery& battery) {
    PickUpBattery(&battery);
}

// Without the key a trap door is only a wall. With it the door opens and leads
// to the level's puzzle.
void OnTrapDoorContact(Player& /*player*/, TrapDoor& door) {
    if (gHasKey) {
        OpenTrapDoor(&door);
    }
}

// A memory ends a solved puzzle: the puzzle manager celebrates it.
void OnMemoryContact(Player& /*player*/, Memory& /*memory*/) {
    gPuzzleManager->CollectMemory();
}

// A spider that reaches the player bites once and dies: it loses its collider
// at once so it cannot bite again, and the player blinks. The spider's own
// part (its dying state) comes with the spiders and runs here.
void OnSpiderBite(Player& player, ActiveObject& spider) {
    if (player.Dying()) {
        return;
    }
    player.SetHurt(true);
    if (auto* ai = dynamic_cast<AI*>(&spider)) {
        ai->Bite(); // it fades out
        return;
    }
    gCollisionManager->Unregister(&spider);
    gPlayerHealth -= kHealthPerBite;
    PlayEffect("s_collide.wav");
}

// A dying player only stops against things: it takes and opens nothing.
void OnStaticContact(Player& player, StaticObject& object) {
    if (player.Dying()) {
        return;
    }
    if (auto* key = dynamic_cast<Key*>(&object)) {
        OnKeyContact(player, *key);
    } else if (auto* battery = dynamic_cast<Battery*>(&object)) {
        OnBatteryContact(player, *battery);
    } else if (auto* door = dynamic_cast<TrapDoor*>(&object)) {
        OnTrapDoorContact(player, *door);
    } else if (auto* memory = dynamic_cast<Memory*>(&object)) {
        OnMemoryContact(player, *memory);
    }
}

} // namespace

CollisionManager::~CollisionManager() {
    Clear();
}

// ---- Registry ------------------------------------------------------------------

Collider* CollisionManager::Register(StaticObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    if (Collider* existing = Find(object)) {
        return existing;
    }
    auto* collider = new Collider;
    TarnVec2 scale = object->GetScale();
    collider->half = TarnVec2{scale.x * 0.5f, scale.y * 0.5f};
    collider->negHalf = TarnVec2{-collider->half.x, -collider->half.y};
    collider->posHalf = collider->half;
    SetBounds(collider, object->GetPos());
    if (auto* mover = dynamic_cast<ActiveObject*>(object)) {
        collider->activeObject = mover;
        collider->isActive = true;
        activeColliders.push_back(collider);
        if (dynamic_cast<Player*>(object) != nullptr) {
            playerCollider = collider;
        }
    } else {
        collider->staticObject = object;
        staticColliders.push_back(collider);
    }
    return collider;
}

void CollisionManager::Unregister(StaticObject* object) {
    if (Collider* collider = Find(object)) {
        pendingRemovals.emplace(collider, collider->isActive);
    }
}

void CollisionManager::Forget(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    for (auto* colliders : {&activeColliders, &staticColliders}) {
        for (auto it = colliders->begin(); it != colliders->end();) {
            Collider* collider = *it;
            if (static_cast<const GameObject*>(collider->Object()) != object) {
                ++it;
                continue;
            }
            it = colliders->erase(it);
            DeleteCollider(collider);
        }
    }
}

Collider* CollisionManager::Find(const StaticObject* object) const {
    if (object == nullptr) {
        return nullptr;
    }
    auto matches = [object](const Collider* c) { return c->Object() == object; };
    auto active = std::find_if(activeColliders.begin(), activeColliders.end(), matches);
    if (active != activeColliders.end()) {
        return *active;
    }
    auto fixed = std::find_if(staticColliders.begin(), staticColliders.end(), matches);
    return fixed != staticColliders.end() ? *fixed : nullptr;
}

void CollisionManager::Clear() {
    // The objects may be gone already (end of a state, shut-down): only the
    // records are touched here.
    for (Collider* collider : activeColliders) {
        delete collider;
    }
    for (Collider* collider : staticColliders) {
        delete collider;
    }
    activeColliders.clear();
    staticColliders.clear();
    pendingRemovals.clear();
    playerCollider = nullptr;
}

void CollisionManager::DeleteCollider(Collider* collider) {
    pendingRemovals.erase(collider);
    if (playerCollider == collider) {
        playerCollider = nullptr;
    }
    // A block remembers what held it; it must not hold on to a deleted record.
    for (Collider* other : activeColliders) {
        auto* block = dynamic_cast<PushableBlock*>(other->activeObject);
        if (block != nullptr && block->blockedBy == collider) {
            block->blockedBy = nullptr;
        }
    }
    if (auto* block = dynamic_cast<PushableBlock*>(collider->activeObject)) {
        block->blockedBy = nullptr;
    }
    delete collider;
}

// ---- Per-frame steps -----------------------------------------------------------------

void CollisionManager::Update() {
    RefreshActiveBounds();
    if (gGameMode == GameMode::Puzzle) {
        KeepPlayerOnScreen();
    }
    const bool storyLevel = InStoryLevel();
    for (Collider* mover : activeColliders) {
        ResolveMover(*mover, storyLevel);
    }
}

void CollisionManager::FlushRemovals() {
    std::unordered_map<Collider*, bool> batch;
    batch.swap(pendingRemovals);
    for (const auto& [collider, isActive] : batch) {
        std::list<Collider*>& colliders = isActive ? activeColliders : staticColliders;
        colliders.remove(collider);
        DeleteCollider(collider);
    }
}

void CollisionManager::RefreshActiveBounds() {
    for (Collider* collider : activeColliders) {
        SetBounds(collider, collider->activeObject->GetPos());
    }
}

void CollisionManager::KeepPlayerOnScreen() {
    if (playerCollider == nullptr) {
        return;
    }
    ActiveObject& player = *playerCollider->activeObject;
    const TarnVec2 half = playerCollider->half;
    TarnVec2 at = player.GetPos();
    bool clamped = false;
    if (at.x + half.x > TarnGfxGetWinMaxX()) {
        at.x = TarnGfxGetWinMaxX() - half.x;
        clamped = true;
    }
    if (at.x - half.x < TarnGfxGetWinMinX()) {
        at.x = TarnGfxGetWinMinX() + half.x;
        clamped = true;
    }
    if (at.y + half.y > TarnGfxGetWinMaxY()) {
        at.y = TarnGfxGetWinMaxY() - half.y;
        clamped = true;
    }
    if (at.y - half.y < TarnGfxGetWinMinY()) {
        at.y = TarnGfxGetWinMinY() + half.y;
        clamped = true;
    }
    if (clamped) {
        player.SetPos(at);
        player.velocity = TarnVec2{0.0f, 0.0f};
    }
}

void CollisionManager::ResolveMover(Collider& mover, bool storyLevel) {
    const TarnVec2 step{mover.activeObject->velocity.x * gFrameTime,
                        mover.activeObject->velocity.y * gFrameTime};
    const TarnVec2 dir = Unit(step);
    // The puzzle rooms keep the player on screen instead of inside the grid.
    if (tileCollisionOn && (gGameMode != GameMode::Puzzle || &mover != playerCollider)) {
        TileContacts(mover);
        SnapToTiles(mover);
    }
    for (Collider* fixed : staticColliders) {
        ResolveAgainstStatic(*fixed, mover, dir, storyLevel);
    }
    for (Collider* other : activeColliders) {
        if (other != &mover) {
            ResolveAgainstActive(*other, mover, dir, storyLevel);
        }
    }
}

void CollisionManager::ResolveAgainstStatic(Collider& fixed, Collider& mover, const TarnVec2& dir,
                                            bool storyLevel) {
    if (storyLevel) {
        StaticContact(fixed, mover);
        return;
    }
    const TarnVec2 away = Unit(Sub(mover.Object()->GetPos(), fixed.Object()->GetPos()));
    if (Dot(dir, away) >= kFacingDot || !SweptRectTest(fixed, mover)) {
        return;
    }
    if (auto* block = dynamic_cast<PushableBlock*>(mover.activeObject)) {
        block->blockedBy = &fixed;
    }
    StaticContact(fixed, mover);
}

void CollisionManager::ResolveAgainstActive(Collider& other, Collider& mover, const TarnVec2& dir,
                                            bool storyLevel) {
    if (storyLevel) {
        ActiveContact(other, mover);
        return;
    }
    const TarnVec2 away = Unit(Sub(mover.Object()->GetPos(), other.Object()->GetPos()));
    if (Dot(dir, away) >= kFacingDot || !SweptRectTest(other, mover)) {
        return;
    }
    if (auto* block = dynamic_cast<PushableBlock*>(mover.activeObject)) {
        if (&other != playerCollider) {
            block->blockedBy = &other;
        }
        StopCollider(mover);
        return;
    }
    if (&mover != playerCollider) {
        return;
    }
    if (IsSpider(other.activeObject)) {
        StopCollider(mover);
        StopCollider(other);
        OnSpiderBite(static_cast<Player&>(*mover.activeObject), *other.activeObject);
    } else if (dynamic_cast<PushableBlock*>(other.activeObject) != nullptr) {
        PushRule(mover, other, dir);
    }
}

void CollisionManager::StaticContact(Collider& fixed, Collider& mover) {
    if (!SweptRectTest(fixed, mover)) {
        return;
    }
    if (&mover == playerCollider) {
        OnStaticContact(static_cast<Player&>(*mover.activeObject), *fixed.Object());
    }
    StopCollider(mover);
}

void CollisionManager::ActiveContact(Collider& other, Collider& mover) {
    if (!SweptRectTest(other, mover)) {
        return;
    }
    if (&mover == playerCollider && IsSpider(other.activeObject)) {
        OnSpiderBite(static_cast<Player&>(*mover.activeObject), *other.activeObject);
    }
    StopCollider(mover);
    StopCollider(other);
}

void CollisionManager::PushRule(Collider& player, Collider& blockCollider, const TarnVec2& dir) {
    auto& block = static_cast<PushableBlock&>(*blockCollider.activeObject);
    block.pushed = true;
    if (blockCollider.tileFlags != 0) {
        block.blockFlags = blockCollider.tileFlags;
    }
    // A wall holds the block only while the push goes straight into it.
    struct Side {
        int flag;
        TarnVec2 axis;
    };
    static const Side kSides[] = {{kTileBottom, {0.0f, -1.0f}},
                                  {kTileTop, {0.0f, 1.0f}},
                                  {kTileLeft, {-1.0f, 0.0f}},
                                  {kTileRight, {1.0f, 0.0f}}};
    for (const Side& side : kSides) {
        const float along = Dot(dir, side.axis);
        if ((block.blockFlags & side.flag) != 0 && !(along > 0.99999f && along < 1.00001f)) {
            block.blockFlags = 0;
        }
    }
    // Likewise another collider holds it only while the push goes towards it.
    if (block.blockedBy != nullptr) {
        const TarnVec2 from = Unit(Sub(block.GetPos(), block.blockedBy->Object()->GetPos()));
        if (Dot(dir, from) > -0.7f) {
            block.blockedBy = nullptr;
        }
    }
    if (block.blockedBy != nullptr || block.blockFlags != 0) {
        block.velocity = TarnVec2{0.0f, 0.0f};
        StopCollider(player);
    } else {
        block.velocity = player.activeObject->velocity;
    }
}

// ---- Contact tests ---------------------------------------------------------------------

bool CollisionManager::SweptRectTest(const Collider& other, const Collider& mover) {
    const bool apartX = other.min.x > mover.max.x || mover.min.x > other.max.x;
    const bool apartY = other.min.y > mover.max.y || mover.min.y > other.max.y;
    if (!apartX && !apartY) {
        timeOfImpact = 0.0f;
        return true;
    }
    const TarnVec2 rel = Sub(VelocityOf(mover), VelocityOf(other));
    const bool stillX = std::fabs(rel.x) < kStillSpeed;
    const bool stillY = std::fabs(rel.y) < kStillSpeed;
    if ((stillX && stillY) || (stillX && apartX) || (stillY && apartY)) {
        return false;
    }
    float tFirst = 0.0f;
    float tLast = gFrameTime;
    // Per axis: when the gap closes (tFirst) and when the overlap ends (tLast).
    const float relAxes[2] = {rel.x, rel.y};
    const float otherMin[2] = {other.min.x, other.min.y};
    const float otherMax[2] = {other.max.x, other.max.y};
    const float moverMin[2] = {mover.min.x, mover.min.y};
    const float moverMax[2] = {mover.max.x, mover.max.y};
    for (int axis = 0; axis < 2; ++axis) {
        const float v = relAxes[axis];
        if (v > 0.0f) {
            if (moverMin[axis] > otherMax[axis]) {
                return false;
            }
            if (otherMin[axis] > moverMax[axis]) {
                tFirst = std::max(tFirst, (otherMin[axis] - moverMax[axis]) / v);
            }
            if (otherMax[axis] > moverMin[axis]) {
                tLast = std::min(tLast, (otherMax[axis] - moverMin[axis]) / v);
            }
        } else if (v < 0.0f) {
            if (otherMin[axis] > moverMax[axis]) {
                return false;
            }
            if (moverMin[axis] > otherMax[axis]) {
                tFirst = std::max(tFirst, (otherMax[axis] - moverMin[axis]) / v);
            }
            if (moverMax[axis] > otherMin[axis]) {
                tLast = std::min(tLast, (otherMin[axis] - moverMax[axis]) / v);
            }
        }
    }
    if (tFirst > tLast) {
        return false;
    }
    timeOfImpact = tFirst;
    return true;
}

void CollisionManager::StopCollider(Collider& collider) {
    if (!collider.isActive) {
        return;
    }
    TarnVec2& velocity = collider.activeObject->velocity;
    velocity = TarnVec2{velocity.x * timeOfImpact, velocity.y * timeOfImpact};
}

void CollisionManager::TileContacts(Collider& collider) {
    const StaticObject& object = *collider.Object();
    const float x = object.position.x / gTileSize + gGridWidth / 2.0f;
    const float y = object.position.y / gTileSize + gGridHeight / 2.0f;
    const float halfW = object.scale.x / gTileSize / 2.0f;
    const float halfH = object.scale.y / gTileSize / 2.0f;
    auto solid = [this](float px, float py) {
        return CellAt(static_cast<int>(px), static_cast<int>(py)) != 0;
    };
    auto side = [&solid](float ax, float ay, float bx, float by, int flag) {
        return solid(ax, ay) || solid(bx, by) ? flag : 0;
    };
    const float in = kProbeInset;
    collider.tileFlags = side(x - halfW, y + halfH - in, x - halfW, y - halfH + in, kTileLeft) |
                         side(x + halfW, y + halfH - in, x + halfW, y - halfH + in, kTileRight) |
                         side(x - halfW + in, y + halfH, x + halfW - in, y + halfH, kTileTop) |
                         side(x - halfW + in, y - halfH, x + halfW - in, y - halfH, kTileBottom);
}

void CollisionManager::SnapToTiles(Collider& collider) {
    StaticObject& object = *collider.Object();
    const int flags = collider.tileFlags;
    if (flags == 0) {
        return;
    }
    const int cellX = static_cast<int>(object.position.x / gTileSize + gGridWidth / 2.0f);
    const int cellY = static_cast<int>(object.position.y / gTileSize + gGridHeight / 2.0f);
    const float centreX = (static_cast<float>(cellX) + 0.5f - gGridWidth / 2.0f) * gTileSize;
    const float centreY = (static_cast<float>(cellY) + 0.5f - gGridHeight / 2.0f) * gTileSize;
    const float halfTile = gTileSize / 2.0f;
    const float halfW = object.scale.x / 2.0f;
    const float halfH = object.scale.y / 2.0f;
    if ((flags & kTileBottom) != 0) {
        object.SetPos(object.position.x, centreY - halfTile + halfH + kSnapGap);
    }
    if ((flags & kTileTop) != 0) {
        object.SetPos(object.position.x, centreY + halfTile - halfH - kSnapGap);
    }
    if ((flags & kTileLeft) != 0) {
        object.SetPos(centreX - halfTile + halfW + kSnapGap, object.position.y);
    }
    if ((flags & kTileRight) != 0) {
        object.SetPos(centreX + halfTile - halfW - kSnapGap, object.position.y);
    }
}

// ---- Grid ------------------------------------------------------------------------

int CollisionManager::CellAt(int x, int y) const {
    return gLevelData->CollisionAt(x, y, kCellOutside);
}
