// Moth Lantern: the light manager's registry, caster geometry and ray cast.
#include "LightManager.h"

#include <algorithm>
#include <cmath>

LightManager* gLightManager = nullptr;

namespace {

// Tolerances of the ray-versus-edge test, shared by light rays and RayCast.
constexpr float kEdgeParamMin = -1e-5f;
constexpr float kEdgeParamMax = 1.00001f;

float Dot(const TarnVec2& a, const TarnVec2& b) {
    return a.x * b.x + a.y * b.y;
}
float Cross(const TarnVec2& a, const TarnVec2& b) {
    return a.x * b.y - a.y * b.x;
}

// Corners from the lower-left one, counter-clockwise; each edge runs from its
// corner to the next.
void BuildEdges(ShadowCaster* caster) {
    const TarnVec2 p = caster->object->GetPos();
    const TarnVec2 s = caster->object->GetScale();
    const TarnVec2 c{p.x - s.x / 2.0f, p.y - s.y / 2.0f};
    const TarnVec2 corners[4] = {
        {c.x, c.y}, {c.x + s.x, c.y}, {c.x + s.x, c.y + s.y}, {c.x, c.y + s.y}};
    for (int i = 0; i < 4; ++i) {
        CasterEdge& edge = caster->edges[i];
        const TarnVec2& from = corners[i];
        const TarnVec2& to = corners[(i + 1) % 4];
        edge.start = from;
        edge.vector = TarnVec2{to.x - from.x, to.y - from.y};
        edge.owner = caster;
        edge.next = &caster->edges[(i + 1) % 4];
    }
    caster->position = p;
}

template <typename T> void RemoveAll(std::list<T*>& list, const GameObject* object) {
    list.remove_if([object](const T* item) { return item == object; });
}

} // namespace

LightManager::~LightManager() {
    Clear();
}

// ---- Shadow casters ----------------------------------------------------------------

ShadowCaster* LightManager::AddCaster(StaticObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    if (ShadowCaster* existing = FindCaster(object)) {
        return existing;
    }
    auto* caster = new ShadowCaster;
    caster->object = object;
    BuildEdges(caster);
    casters.push_back(caster);
    if (dynamic_cast<ActiveObject*>(object) != nullptr) {
        movingCasters.push_back(caster);
    }
    return caster;
}

void LightManager::RemoveCaster(const StaticObject* object) {
    EraseCasters(object);
}

void LightManager::EraseCasters(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    for (auto it = casters.begin(); it != casters.end();) {
        ShadowCaster* caster = *it;
        if (static_cast<const GameObject*>(caster->object) != object) {
            ++it;
            continue;
        }
        movingCasters.remove(caster);
        // The scratch lists may point into the record; they are rebuilt per light.
        ClearScratch();
        delete caster;
        it = casters.erase(it);
    }
}

ShadowCaster* LightManager::FindCaster(const StaticObject* object) const {
    auto it = std::find_if(casters.begin(), casters.end(),
                           [object](const ShadowCaster* c) { return c->object == object; });
    return it != casters.end() ? *it : nullptr;
}

// ---- Lights and orbs -------------------------------------------------------------------

void LightManager::AddLight(StaticObject* light) {
    if (light != nullptr && std::find(lights.begin(), lights.end(), light) == lights.end()) {
        lights.push_back(light);
    }
}

void LightManager::RemoveLight(const StaticObject* light) {
    lights.remove_if([light](const StaticObject* l) { return l == light; });
    if (currentLight == light) {
        currentLight = nullptr;
    }
}

void LightManager::AddOrb(ActiveObject* orb) {
    if (orb != nullptr && std::find(orbs.begin(), orbs.end(), orb) == orbs.end()) {
        orbs.push_back(orb);
    }
}

void LightManager::RemoveOrb(const ActiveObject* orb) {
    orbs.remove_if([orb](const ActiveObject* o) { return o == orb; });
}

void LightManager::Forget(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    RemoveAll(lights, object);
    RemoveAll(orbs, object);
    if (currentLight == object) {
        currentLight = nullptr;
    }
    EraseCasters(object);
}

void LightManager::Clear() {
    ClearScratch();
    for (ShadowCaster* caster : casters) {
        delete caster;
    }
    casters.clear();
    movingCasters.clear();
    lights.clear();
    orbs.clear();
    currentLight = nullptr;
}

void LightManager::ClearScratch() {
    candidateCasters.clear();
    candidateEdges.clear();
    points.clear();
}

// ---- Per frame ----------------------------------------------------------------------------

void LightManager::Update() {
    FollowMovingCasters();
    // Each light's visibility polygon is rebuilt here against the casters that
    // now stand where their objects are; the polygon builder arrives with the
    // Light class.
}

void LightManager::FollowMovingCasters() {
    for (ShadowCaster* caster : movingCasters) {
        const TarnVec2 now = caster->object->GetPos();
        const TarnVec2 delta{now.x - caster->position.x, now.y - caster->position.y};
        caster->position = now;
        for (CasterEdge& edge : caster->edges) {
            edge.start.x += delta.x;
            edge.start.y += delta.y;
        }
    }
}

// ---- Ray cast -----------------------------------------------------------------------------

RayHit LightManager::RayCast(const TarnVec2& origin, const TarnVec2& target,
                             float maxDistance) const {
    TarnVec2 d{target.x - origin.x, target.y - origin.y};
    const float length = std::sqrt(Dot(d, d));
    if (length > 0.0f) {
        d = TarnVec2{d.x / length, d.y / length};
    }
    const TarnVec2 n{d.y, -d.x};
    RayHit hit;
    hit.distance = maxDistance;
    for (const ShadowCaster* caster : casters) {
        for (const CasterEdge& edge : caster->edges) {
            const TarnVec2 w{edge.start.x - origin.x, edge.start.y - origin.y};
            const float den = Dot(edge.vector, n);
            if (den == 0.0f) {
                continue; // the edge runs along the ray
            }
            const float t = Cross(edge.vector, w) / den;
            const float s = Dot(w, n) / -den;
            if (t > 0.0f && s > kEdgeParamMin && s < kEdgeParamMax && t < hit.distance) {
                hit.distance = t;
                hit.object = caster->object;
            }
        }
    }
    hit.point = TarnVec2{origin.x + d.x * hit.distance, origin.y + d.y * hit.distance};
    return hit;
}
