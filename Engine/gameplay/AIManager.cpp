// Moth Lantern: the spider manager's registry.
#include "AIManager.h"

#include <algorithm>

AIManager* gAIManager = nullptr;

void AIManager::AddSpider(ActiveObject* spider) {
    if (spider != nullptr && std::find(spiders.begin(), spiders.end(), spider) == spiders.end()) {
        spiders.push_back(spider);
    }
}

void AIManager::RemoveSpider(const ActiveObject* spider) {
    spiders.remove_if([spider](const ActiveObject* s) { return s == spider; });
}

void AIManager::Update() {
    // Each spider is tested here against every orb of the light manager: a
    // spider with a clear line to an orb nearer than 150 units walks to it.
    // The lure arrives with the spiders and orbs.
}

void AIManager::Forget(const GameObject* object) {
    spiders.remove_if([object](const ActiveObject* s) { return s == object; });
}
