// Moth Lantern: the World's layers, deferred removal and state life cycle.
#include "World.h"

#include "Camera.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"

#include <algorithm>
#include <unordered_set>

World* gWorld = nullptr;
WorldHooks gWorldHooks;

namespace {

bool IsLayer(int layer) {
    return layer >= 0 && layer < World::kLayerCount;
}

// Layers that a restart keeps: the level placeholders, the camera and HUD.
bool SurvivesFree(int layer) {
    return layer == Layer::Level || layer == Layer::Panels || layer == Layer::Pictures;
}

// Removes every occurrence of the object; returns how many there were.
std::size_t RemoveFrom(std::list<GameObject*>& list, const GameObject* object) {
    const std::size_t before = list.size();
    list.remove_if([object](const GameObject* o) { return o == object; });
    return before - list.size();
}

} // namespace

World::World() : layers(kLayerCount) {}

World::~World() {
    // Normally empty by now. The managers may already be gone, so leftovers
    // are deleted without telling them.
    for (auto& layer : layers) {
        std::unordered_set<GameObject*> seen;
        for (GameObject* object : layer) {
            if (seen.insert(object).second) {
                delete object;
            }
        }
        layer.clear();
    }
}

// ---- Objects ------------------------------------------------------------------------

void World::Add(int layer, GameObject* object) {
    if (object != nullptr && IsLayer(layer)) {
        layers[layer].push_back(object);
    }
}

void World::Destroy(int layer, GameObject* object) {
    if (object != nullptr) {
        pendingRemovals.emplace(object, layer); // keeps the first record
    }
}

bool World::IsMarkedForRemoval(const GameObject* object) const {
    return pendingRemovals.count(const_cast<GameObject*>(object)) != 0;
}

const std::list<GameObject*>& World::GetLayer(int layer) const {
    static const std::list<GameObject*> kNone;
    return IsLayer(layer) ? layers[layer] : kNone;
}

void World::SetPlayer(ActiveObject* newPlayer) {
    player = newPlayer;
    if (camera != nullptr && newPlayer != nullptr) {
        const TarnVec2 at = newPlayer->GetPos();
        camera->SetPosition(at.x, at.y);
    }
}

// ---- State life cycle -------------------------------------------------------------------

void World::Load(const std::string& stateName) {
    camera = new Camera();
    Add(Layer::Panels, camera);
    if (gGameStateManager->loadCallback != nullptr) {
        gGameStateManager->loadCallback(); // sets the grid size the reader needs
    }
    if (gGameStateManager->current == GameState::Logo) {
        return;
    }
    if (const std::string* key = gGameStateManager->FindCodedKey(stateName)) {
        gLevelData->Reset();
        gLevelData->Read(*key);
    }
}

void World::Init() {
    if (gGameStateManager->initCallback != nullptr) {
        gGameStateManager->initCallback();
    }
    gDarkAlpha = gDefaultDarkAlpha;
    // Walked to their current end, so objects added meanwhile (the doors and
    // spawns that placeholders build) get their Init in this same pass.
    for (auto& layer : layers) {
        for (auto it = layer.begin(); it != layer.end(); ++it) {
            (*it)->Init();
        }
    }
}

// One frame's update, and what each step reads and writes:
//   beginFrame      reads the frame timer and the mouse; writes gFrameTime,
//                   gMouseX/Y and the cursor.
//   update callback the state's script: timers, pictures, requests for `next`.
//   objects         layer by layer: the player sets its velocity from the keys,
//                   spiders run their state machines, the light box reads F and
//                   the mouse and throws orbs, tiles fade, widgets follow the
//                   camera and read clicks.
//   runManagers     collisions move and stop objects and apply pick-ups, bites
//                   and pushes (gPlayerHealth, gHasKey, gLightCharge...); the
//                   lights rebuild their polygons and flash lit tiles; the
//                   puzzle traces its beams and may request the next state;
//                   spiders are lured to orbs; audio advances; dropped
//                   colliders go.
//   pausedUpdate    instead of the three above while paused: the pause menu.
//   ApplyRemovals   deletes what was marked this frame, telling every listener.
// The player moves by its velocity in its own Draw, after all of this.
void World::Update() {
    if (gWorldHooks.beginFrame != nullptr) {
        gWorldHooks.beginFrame();
    }
    if (!gPaused) {
        if (gGameStateManager->updateCallback != nullptr) {
            gGameStateManager->updateCallback();
        }
        for (auto& layer : layers) {
            for (auto it = layer.begin(); it != layer.end(); ++it) {
                (*it)->Update();
            }
        }
        if (gWorldHooks.runManagers != nullptr) {
            gWorldHooks.runManagers();
        }
    } else if (gWorldHooks.pausedUpdate != nullptr) {
        gWorldHooks.pausedUpdate();
    }
    ApplyRemovals();
}

void World::Draw() {
    for (auto& layer : layers) {
        for (auto it = layer.begin(); it != layer.end(); ++it) {
            (*it)->Draw();
        }
    }
    if (gWorldHooks.drawOverlay != nullptr) {
        gWorldHooks.drawOverlay();
    }
}

void World::Free() {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (!SurvivesFree(layer)) {
            DeleteLayer(layer);
        }
    }
    // What the freed objects took with them (a danger block's countdown
    // picture) goes now: left to the next update it would act once more, on
    // the restarted level.
    while (!pendingRemovals.empty()) {
        ApplyRemovals();
    }
    if (gWorldHooks.forgetState != nullptr) {
        gWorldHooks.forgetState(gGameStateManager->next == GameState::Restart);
    }
}

void World::Unload() {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (SurvivesFree(layer)) {
            DeleteLayer(layer);
        }
    }
    gLevelData->Unload();
}

// ---- Listeners ------------------------------------------------------------------------

void World::AddDeleteListener(const void* owner, DeleteListener listener) {
    deleteListeners.emplace_back(owner, std::move(listener));
}

void World::RemoveDeleteListeners(const void* owner) {
    deleteListeners.erase(
        std::remove_if(deleteListeners.begin(), deleteListeners.end(),
                       [owner](const auto& entry) { return entry.first == owner; }),
        deleteListeners.end());
}

// ---- Deletion ------------------------------------------------------------------------------

void World::ApplyRemovals() {
    if (pendingRemovals.empty()) {
        return;
    }
    // Destructors may mark further objects; those wait for the next update.
    std::unordered_map<GameObject*, int> batch;
    batch.swap(pendingRemovals);
    for (const auto& [object, layer] : batch) {
        std::size_t removed = 0;
        if (IsLayer(layer)) {
            removed = RemoveFrom(layers[layer], object);
        }
        if (removed == 0) {
            // Marked with the wrong layer: find it wherever it is, so no
            // layer keeps a pointer to a deleted object.
            for (auto& list : layers) {
                removed += RemoveFrom(list, object);
            }
        }
        if (removed != 0) {
            DeleteObject(object); // not held by any layer: not ours to delete
        }
    }
}

void World::DeleteLayer(int layer) {
    std::list<GameObject*> doomed;
    doomed.swap(layers[layer]);
    std::unordered_set<GameObject*> seen; // an object added twice is deleted once
    for (GameObject* object : doomed) {
        if (seen.insert(object).second) {
            DeleteObject(object);
        }
    }
}

void World::DeleteObject(GameObject* object) {
    if (object == static_cast<GameObject*>(player)) {
        player = nullptr;
    }
    if (object == static_cast<GameObject*>(camera)) {
        camera = nullptr;
    }
    // Listeners only clear pointers; an owner that goes with this object
    // unlistens in its destructor, after the loop.
    for (const auto& entry : deleteListeners) {
        entry.second(object);
    }
    pendingRemovals.erase(object);
    delete object;
}
