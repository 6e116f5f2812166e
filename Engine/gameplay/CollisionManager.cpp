// Moth Lantern: the collision manager's registry and per-frame steps.
#include "CollisionManager.h"

#include "LevelData.h"
#include "PlayerAnimator.h"
#include "World.h"

#include <algorithm>

CollisionManager* gCollisionManager = nullptr;

namespace {

// The player's collider is the one the contact rules single out. Until the
// Player class exists the player is recognised as the object the scripts
// handed to the World or to the PlayerAnimator.
bool IsPlayer(const StaticObject* object) {
    if (gWorld != nullptr && gWorld->GetPlayer() == object) {
        return true;
    }
    return gPlayerAnimator != nullptr && gPlayerAnimator->GetPlayer() == object;
}

void SetBounds(Collider* collider, const TarnVec2& position) {
    collider->min = TarnVec2{position.x + collider->negHalf.x, position.y + collider->negHalf.y};
    collider->max = TarnVec2{position.x + collider->posHalf.x, position.y + collider->posHalf.y};
}

// Removes and deletes every collider of the list whose object is the given one.
// Returns true when one was found.
bool EraseColliders(std::list<Collider*>& colliders, const GameObject* object,
                    std::unordered_map<Collider*, bool>& pending, Collider*& player) {
    bool found = false;
    for (auto it = colliders.begin(); it != colliders.end();) {
        Collider* collider = *it;
        if (static_cast<const GameObject*>(collider->Object()) != object) {
            ++it;
            continue;
        }
        pending.erase(collider);
        if (player == collider) {
            player = nullptr;
        }
        delete collider;
        it = colliders.erase(it);
        found = true;
    }
    return found;
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
        if (IsPlayer(object)) {
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
    if (!EraseColliders(activeColliders, object, pendingRemovals, playerCollider)) {
        EraseColliders(staticColliders, object, pendingRemovals, playerCollider);
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

// ---- Per-frame steps -----------------------------------------------------------------

void CollisionManager::Update() {
    RefreshActiveBounds();
    // The contact rules (grid contacts, swept tests against static and moving
    // colliders, pick-ups, bites and pushes) run here, after the bounds are
    // current; they arrive with the gameplay they serve.
}

void CollisionManager::FlushRemovals() {
    for (const auto& [collider, isActive] : pendingRemovals) {
        std::list<Collider*>& colliders = isActive ? activeColliders : staticColliders;
        colliders.remove(collider);
        if (playerCollider == collider) {
            playerCollider = nullptr;
        }
        delete collider;
    }
    pendingRemovals.clear();
}

void CollisionManager::RefreshActiveBounds() {
    for (Collider* collider : activeColliders) {
        SetBounds(collider, collider->activeObject->GetPos());
    }
}

// ---- Grid ------------------------------------------------------------------------

int CollisionManager::CellAt(int x, int y) const {
    if (gLevelData == nullptr) {
        return kCellOutside;
    }
    return gLevelData->CollisionAt(x, y, kCellOutside);
}
