// Moth Lantern: the spider manager's registry.
#include "AIManager.h"

#include "AI.h"
#include "LightManager.h"

#include <algorithm>
#include <cmath>

AIManager* gAIManager = nullptr;

void AIManager::AddSpider(ActiveObject* spider) {
    if (spider != nullptr && std::find(spiders.begin(), spiders.end(), spider) == spiders.end()) {
        spiders.push_back(spider);
    }
}

namespace {

// How far a light orb draws spiders, in world units.
constexpr float kLureRange = 150.0f;

// Walks the spider towards every orb it can see; true when it saw one.
bool LureToOrbs(AI* spider) {
    bool lured = false;
    const TarnVec2 from = spider->GetPos();
    for (const ActiveObject* orb : gLightManager->orbs) {
        const TarnVec2 to = orb->GetPos();
        const float d = std::hypot(to.x - from.x, to.y - from.y);
        // A clear line reports exactly the distance asked for.
        if (d >= kLureRange || gLightManager->RayCast(from, to, d).distance != d) {
            continue;
        }
        spider->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
        spider->MoveToLure(to);
        spider->state = AIState::Lured;
        lured = true;
    }
    return lured;
}

} // namespace

void AIManager::Update() {
    for (ActiveObject* object : spiders) {
        auto* spider = dynamic_cast<AI*>(object);
        // A bitten spider keeps fading out whatever light it sees.
        if (spider == nullptr || spider->touchedPlayer) {
            continue;
        }
        if (!LureToOrbs(spider) && spider->state == AIState::Lured) {
            spider->state = AIState::Idle;
        }
    }
}

void AIManager::Forget(const GameObject* object) {
    spiders.remove_if([object](const ActiveObject* s) { return s == object; });
}
