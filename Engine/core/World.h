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
// callbacks and the gameplay managers' per-frame steps in their fixed order.
#pragma once
#include "GameObject.h"

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

class Camera;

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
    // Deletes layers 1 to 4 and the managers' records of the state.
    void Free();
    // Deletes layers 0, 5 and 6 and the level data.
    void Unload();

  private:
    void DeleteLayer(int layer);
    // The one place an object is deleted: every holder of a pointer to it is
    // told first, so none keeps a dangling one.
    void DeleteObject(GameObject* object);
    void ApplyRemovals();
    void RunManagers();

    std::vector<std::list<GameObject*>> layers;
    std::unordered_map<GameObject*, int> pendingRemovals; // object -> layer
    Camera* camera = nullptr;
    ActiveObject* player = nullptr;
};

extern World* gWorld;
