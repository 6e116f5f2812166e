// Moth Lantern: the World's layers, deferred removal and state life cycle.
#include "World.h"

#include "AIManager.h"
#include "AudioManager.h"
#include "Camera.h"
#include "CollisionManager.h"
#include "Game.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightBox.h"
#include "LightManager.h"
#include "PauseMenu.h"
#include "PlayerAnimator.h"
#include "PuzzleManager.h"
#include "UI.h"

#include <unordered_set>

World* gWorld = nullptr;

namespace {

constexpr int kCameraLayer = 5;

bool IsLayer(int layer) {
    return layer >= 0 && layer < World::kLayerCount;
}

// Layers that a restart keeps: the level placeholders, the camera and HUD.
bool SurvivesFree(int layer) {
    return layer == 0 || layer == 5 || layer == 6;
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
    Add(kCameraLayer, camera);
    if (gGameStateManager == nullptr) {
        return;
    }
    if (gGameStateManager->loadCallback != nullptr) {
        gGameStateManager->loadCallback(); // sets the grid size the reader needs
    }
    if (gGameStateManager->current == GameState::Logo || gLevelData == nullptr) {
        return;
    }
    if (const std::string* key = gGameStateManager->FindCodedKey(stateName)) {
        gLevelData->Reset();
        gLevelData->Read(*key);
    }
}

void World::Init() {
    if (gGameStateManager != nullptr && gGameStateManager->initCallback != nullptr) {
        gGameStateManager->initCallback();
    }
    gMemoryTransition = nullptr;
    gDarkAlpha = gDefaultDarkAlpha;
    // Walked to their current end, so objects added meanwhile (the doors and
    // spawns that placeholders build) get their Init in this same pass.
    for (auto& layer : layers) {
        for (auto it = layer.begin(); it != layer.end(); ++it) {
            (*it)->Init();
        }
    }
}

void World::Update() {
    UpdateCursor();
    if (!gPaused) {
        if (gGameStateManager != nullptr && gGameStateManager->updateCallback != nullptr) {
            gGameStateManager->updateCallback();
        }
        for (auto& layer : layers) {
            for (auto it = layer.begin(); it != layer.end(); ++it) {
                (*it)->Update();
            }
        }
        RunManagers();
    } else {
        UpdatePauseMenu();
    }
    ApplyRemovals();
}

void World::RunManagers() {
    // The order is fixed: contacts move objects before the lights see them,
    // the puzzle reads the lights, and colliders dropped this frame go last.
    if (gCollisionManager != nullptr) {
        gCollisionManager->Update();
    }
    if (gLightManager != nullptr) {
        gLightManager->Update();
    }
    if (gPuzzleManager != nullptr) {
        gPuzzleManager->Update();
    }
    if (gAIManager != nullptr) {
        gAIManager->Update();
    }
    if (gAudioManager != nullptr) {
        gAudioManager->Update();
    }
    if (gCollisionManager != nullptr) {
        gCollisionManager->FlushRemovals();
    }
}

void World::Draw() {
    for (auto& layer : layers) {
        for (auto it = layer.begin(); it != layer.end(); ++it) {
            (*it)->Draw();
        }
    }
    if (gCursor != nullptr) {
        gCursor->Draw(); // over everything
    }
}

void World::Free() {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (!SurvivesFree(layer)) {
            DeleteLayer(layer);
        }
    }
    if (gCollisionManager != nullptr) {
        gCollisionManager->Clear();
    }
    if (gLightManager != nullptr) {
        gLightManager->Clear();
    }
    if (gPuzzleManager != nullptr) {
        const bool restarting =
            gGameStateManager != nullptr && gGameStateManager->next == GameState::Restart;
        gPuzzleManager->Clear(restarting);
    }
    if (gAIManager != nullptr) {
        gAIManager->Clear();
    }
}

void World::Unload() {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (SurvivesFree(layer)) {
            DeleteLayer(layer);
        }
    }
    if (gLevelData != nullptr) {
        gLevelData->Unload();
    }
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
    if (gCollisionManager != nullptr) {
        gCollisionManager->Forget(object);
    }
    if (gLightManager != nullptr) {
        gLightManager->Forget(object);
    }
    if (gPuzzleManager != nullptr) {
        gPuzzleManager->Forget(object);
    }
    if (gAIManager != nullptr) {
        gAIManager->Forget(object);
    }
    if (gPlayerAnimator != nullptr) {
        gPlayerAnimator->Forget(object);
    }
    if (gLightBox != nullptr) {
        gLightBox->Forget(object);
    }
    pendingRemovals.erase(object);
    delete object;
}
