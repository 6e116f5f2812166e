// Moth Lantern: the spider manager.
//
// Keeps every live spider (each registers itself in its Init) and, once per
// frame after the light manager, draws spiders that see a thrown light orb
// towards it.
#pragma once
#include "GameObject.h"

#include <list>

class AIManager {
  public:
    AIManager() = default;
    AIManager(const AIManager&) = delete;
    AIManager& operator=(const AIManager&) = delete;

    // Adding a spider twice keeps one entry. Only AI objects are lured.
    void AddSpider(ActiveObject* spider);

    // ---- Per frame (World update, after the puzzle manager) ----
    void Update();

    // Forgets every spider (end of a state; the World deletes the spiders).
    void Clear() { spiders.clear(); }
    // Drops the object if it is a spider. Called when it is deleted.
    void Forget(const GameObject* object);

    std::list<ActiveObject*> spiders; // AI objects, owned by the World
};

extern AIManager* gAIManager;
