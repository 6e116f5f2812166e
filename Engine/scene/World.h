// Moth Lantern: the World, owner of every object of the current state.
//
// Objects live in seven layers, updated and drawn from layer 0 to layer 6 and
// in insertion order within a layer:
//   0  level placeholders (walls are placeholders) and block particles   kept by Free
//   1  trap doors, spider spawns, keys, batteries, memories
//   2  the player, spiders, pushable blocks
//   3  lights, light orbs, puzzle beams
//   4  other particles
//   5  the camera, HUD backgrounds, logo, credits                        kept by Free
//   6  HUD foregrounds, pause menu, buttons, editor palette              kept by Free
// Removal is deferred: Destroy records the object and the World deletes it at
// the end of its Update, after every object and manager has run, so no list
// loses an element while it is walked. The World also runs the state's
// callbacks and, through hooks, the gameplay managers' per-frame steps in
// their fixed order.
#pragma once
#include "GameObject.h"

#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class Camera;

// The steps of the floors above the World that it runs at fixed points of a
// frame and of a state. The application installs them once at start-up
// (InstallGameHooks in app/Game.cpp), so their order is written in one place;
// a hook left null is skipped.
struct WorldHooks {
    void (*beginFrame)() = nullptr;   // frame time, mouse and cursor; also while paused
    void (*pausedUpdate)() = nullptr; // the pause menu, while it is open
    void (*runManagers)() = nullptr;  // the gameplay managers, in their fixed order
    void (*forgetState)(bool restarting) = nullptr; // managers drop a freed state's records
    void (*drawOverlay)() = nullptr;                // the game's cursor, over everything
    // A new object joins the collision registry, or casts shadows.
    void (*registerCollider)(StaticObject* object) = nullptr;
    void (*addShadowCaster)(StaticObject* object) = nullptr;
    // Builds what a level cell holds beyond a tile (trap door, spider nest) at
    // that place; null for other codes.
    StaticObject* (*buildCellObject)(int code, float x, float y) = nullptr;
};

extern WorldHooks gWorldHooks;

// Told about an object just before the World deletes it.
using DeleteListener = std::function<void(const GameObject* object)>;

class World {
  public:
    static constexpr int kLayerCount = 7;

    World();
    // Deletes any object still held (normally none: the last Unload took them).
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // ---- Objects ----
    // Appends the object to the layer; the World owns it from now on. Null
    // objects and layers outside 0..6 are ignored.
    void Add(int layer, GameObject* object);
    // Marks the object for deletion at the end of the current (or, outside an
    // update, the next) Update. Marking it again changes nothing.
    void Destroy(int layer, GameObject* object);
    bool IsMarkedForRemoval(const GameObject* object) const;
    const std::list<GameObject*>& GetLayer(int layer) const;

    Camera* GetCamera() const { return camera; }
    // The player the state script handed over; null once it has been deleted.
    ActiveObject* GetPlayer() const { return player; }
    // Keeps the player and puts the camera on it at once.
    void SetPlayer(ActiveObject* newPlayer);

    // ---- Forgetting deleted objects ----
    // Everyone who keeps a pointer to objects the World owns (the managers,
    // the light box, the pause menu, the owners of pictures) listens here, so
    // none keeps a dangling one. The owner key removes the listener again.
    void AddDeleteListener(const void* owner, DeleteListener listener);
    void RemoveDeleteListeners(const void* owner);
    // Clears *slot when the object it points to is deleted. Watching the same
    // slot twice keeps one record.
    template <typename T> void WatchPointer(T** slot) {
        RemoveDeleteListeners(slot);
        AddDeleteListener(slot, [slot](const GameObject* object) {
            if (*slot != nullptr && static_cast<const GameObject*>(*slot) == object) {
                *slot = nullptr;
            }
        });
    }
    void UnwatchPointer(const void* slot) { RemoveDeleteListeners(slot); }

    // ---- State life cycle (main loop) ----
    // New camera, the state's load callback, then its level file.
    void Load(const std::string& stateName);
    // The state's init callback, then every object's Init.
    void Init();
    // Cursor; unless paused the update callback, every object's Update and the
    // managers; while paused only the pause menu; then the deferred removals.
    void Update();
    // Every object's Draw, then the cursor.
    void Draw();
    // Deletes layers 1 to 4, then whatever their objects marked for removal
    // on their way out, and the managers' records of the state.
    void Free();
    // Deletes layers 0, 5 and 6 and the level data.
    void Unload();

  private:
    void DeleteLayer(int layer);
    // The one place an object is deleted: every holder of a pointer to it is
    // told first, so none keeps a dangling one.
    void DeleteObject(GameObject* object);
    void ApplyRemovals();

    std::vector<std::list<GameObject*>> layers;
    std::unordered_map<GameObject*, int> pendingRemovals; // object -> layer
    std::vector<std::pair<const void*, DeleteListener>> deleteListeners;
    Camera* camera = nullptr;
    ActiveObject* player = nullptr;
};

extern World* gWorld;
