// Moth Lantern: the light manager's registry, caster geometry and ray cast.
#include "LightManager.h"

#include "Light.h"
#include "Tiles.h"

#include <algorithm>
#include <cmath>
#include <cstring>

LightManager* gLightManager = nullptr;

namespace {

// Tolerances of the ray-versus-edge test, shared by light rays and RayCast.
constexpr float kEdgeParamMin = -1e-5f;
constexpr float kEdgeParamMax = 1.00001f;
// More than any hit can fall short of its rectangle's distance: the widened
// edge ends plus rounding. Casters farther than a ray's best hit by this much
// cannot stop it.
constexpr float kReachSlack = 1.0f;

float Dot(const TarnVec2& a, const TarnVec2& b) {
    return a.x * b.x + a.y * b.y;
}
float Cross(const TarnVec2& a, const TarnVec2& b) {
    return a.x * b.y - a.y * b.x;
}
TarnVec2 Minus(const TarnVec2& a, const TarnVec2& b) {
    return TarnVec2{a.x - b.x, a.y - b.y};
}

// Where a ray meets an edge: the distance along the ray, or -1 for a miss
// (also for a hit farther than `within`, which the caller has no use for).
// The ray leaves its origin along a unit vector whose clockwise normal is
// `n`; the edge (vector `e`) starts `w` away from the origin. A hit counts
// ahead of the origin and on the edge, its ends widened a hair so that rays
// aimed at a corner do not slip past it.
float EdgeHit(const TarnVec2& e, const TarnVec2& w, const TarnVec2& n, float within) {
    constexpr float kMiss = -1.0f;
    const float den = Dot(e, n);
    if (den == 0.0f) {
        return kMiss; // the edge runs along the ray
    }
    const float t = Cross(e, w) / den;
    if (!(t > 0.0f && t <= within)) {
        return kMiss; // behind the origin, or beyond a nearer hit: where on the edge is moot
    }
    const float s = Dot(w, n) / -den;
    return s > kEdgeParamMin && s < kEdgeParamMax ? t : kMiss;
}

// A light's surroundings are split into this many equal sectors, and each
// ray only looks at the casters that reach into its own.
constexpr int kSectors = 64;

// A stand-in for a direction's angle that grows with it, 0 to 4 once round
// counter-clockwise from +x: cheaper than atan2, and all that sorting
// directions into sectors needs.
float DiamondAngle(const TarnVec2& v) {
    if (v.y >= 0.0f) {
        return v.x >= 0.0f ? v.y / (v.x + v.y) : 1.0f - v.x / (v.y - v.x);
    }
    return v.x < 0.0f ? 2.0f - v.y / (-v.x - v.y) : 3.0f + v.x / (v.x - v.y);
}

// The sector of a direction (not the zero vector).
int SectorOf(const TarnVec2& v) {
    const float turn = DiamondAngle(v) * (kSectors / 4.0f);
    return turn > 0.0f ? std::min(static_cast<int>(turn), kSectors - 1) : 0;
}

// Squared distance from a point to a caster's rectangle (0 inside).
float BoxDistance2(const ShadowCaster& caster, const TarnVec2& point) {
    const float dx = std::max(std::max(caster.boxMin.x - point.x, point.x - caster.boxMax.x), 0.0f);
    const float dy = std::max(std::max(caster.boxMin.y - point.y, point.y - caster.boxMax.y), 0.0f);
    return dx * dx + dy * dy;
}

// The rectangle's bounds from two opposite corners of its edges.
void UpdateBox(ShadowCaster* caster) {
    const TarnVec2& a = caster->edges[0].start;
    const TarnVec2& b = caster->edges[2].start;
    caster->boxMin = TarnVec2{std::min(a.x, b.x), std::min(a.y, b.y)};
    caster->boxMax = TarnVec2{std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The unsigned angle between the axis and `rel`, whose projection on the
// axis is `c`. Rounding may push the cosine a hair past 1, where acos has no
// answer (and a NaN angle would spoil the sort of a light's points).
float AngleFromAxis(float c, const TarnVec2& rel) {
    return std::acos(std::clamp(c / std::sqrt(Dot(rel, rel)), -1.0f, 1.0f));
}

// Light reached the caster's object: a tile brightens, the menu's control
// wall reveals its picture.
void LightUp(ShadowCaster* caster) {
    if (!caster->kindKnown) {
        caster->tile = dynamic_cast<Tilemap*>(caster->object);
        caster->menuWall = dynamic_cast<MenuWall*>(caster->object);
        caster->kindKnown = true;
    }
    if (caster->tile != nullptr) {
        caster->tile->Flash();
    }
    if (caster->menuWall != nullptr) {
        caster->menuWall->Reveal();
    }
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
    UpdateBox(caster);
}

template <typename T> void RemoveAll(std::list<T*>& list, const GameObject* object) {
    list.remove_if([object](const T* item) { return item == object; });
}

} // namespace

float CornerAngle(const TarnVec2& rel, const TarnVec2& direction) {
    constexpr float kOnAxis = 1e-5f;
    constexpr float kBehind = 3.1415925f;
    const TarnVec2 clockwise{direction.y, -direction.x};
    const float c = Dot(rel, direction);
    const float s = Dot(rel, clockwise);
    if (s > 0.0f) {
        return -AngleFromAxis(c, rel);
    }
    if (s > -kOnAxis) {
        return c > 0.0f ? 0.0f : kBehind; // on the axis line, ahead or behind
    }
    return AngleFromAxis(c, rel);
}

LightManager::LightManager() : sectors(kSectors) {}

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
    ++casterChanges;
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
        ++casterChanges;
    }
}

ShadowCaster* LightManager::FindCaster(const StaticObject* object) const {
    auto it = std::find_if(casters.begin(), casters.end(),
                           [object](const ShadowCaster* c) { return c->object == object; });
    return it != casters.end() ? *it : nullptr;
}

// ---- Lights and orbs -------------------------------------------------------------------

void LightManager::AddLight(Light* light) {
    if (light != nullptr && std::find(lights.begin(), lights.end(), light) == lights.end()) {
        lights.push_back(light);
    }
}

void LightManager::RemoveLight(const Light* light) {
    lights.remove_if([light](const Light* l) { return l == light; });
    builtPolygons.erase(light);
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
    for (auto it = builtPolygons.begin(); it != builtPolygons.end();) {
        const bool gone = static_cast<const GameObject*>(it->first) == object;
        it = gone ? builtPolygons.erase(it) : std::next(it);
    }
    RemoveAll(orbs, object);
    if (currentLight == object) {
        currentLight = nullptr;
    }
    // A light whose owner is gone stays where it last was.
    for (Light* light : lights) {
        if (light->owner == object) {
            light->owner = nullptr;
        }
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
    builtPolygons.clear();
    ++casterChanges;
    orbs.clear();
    currentLight = nullptr;
}

void LightManager::ClearScratch() {
    blockers.clear();
    for (std::vector<int>& sector : sectors) {
        sector.clear();
    }
    candidateCasters.clear();
    candidateEdges.clear();
    points.clear();
}

// ---- Per frame ----------------------------------------------------------------------------

void LightManager::Update() {
    FollowMovingCasters();
    for (Light* light : lights) {
        BuiltPolygon& built = builtPolygons[light];
        if (!NeedsBuilding(*light, &built)) {
            LightUpAgain(built);
            continue;
        }
        built.lit.clear();
        litByBuild = &built.lit;
        BuildPoints(*light);
        litByBuild = nullptr;
        light->SetPolygon(points);
    }
}

bool LightManager::NeedsBuilding(const Light& light, BuiltPolygon* built) const {
    const float inputs[8] = {light.position.x,  light.position.y, light.direction.x,
                             light.direction.y, light.rotation,   light.halfAngle,
                             light.radius,      light.step};
    static_assert(sizeof inputs == sizeof built->inputs);
    // A NaN never equals itself: such a light is built every frame, as before.
    const bool same = built->casters == casterChanges &&
                      std::equal(std::begin(inputs), std::end(inputs), built->inputs);
    std::copy(std::begin(inputs), std::end(inputs), built->inputs);
    built->casters = casterChanges;
    return !same;
}

void LightManager::LightUpAgain(const BuiltPolygon& built) {
    for (ShadowCaster* caster : built.lit) {
        LightUp(caster);
    }
}

void LightManager::FollowMovingCasters() {
    for (ShadowCaster* caster : movingCasters) {
        const TarnVec2 now = caster->object->GetPos();
        const TarnVec2 delta{now.x - caster->position.x, now.y - caster->position.y};
        if (delta.x == 0.0f && delta.y == 0.0f) {
            continue;
        }
        caster->position = now;
        ++casterChanges;
        for (CasterEdge& edge : caster->edges) {
            edge.start.x += delta.x;
            edge.start.y += delta.y;
        }
        UpdateBox(caster);
    }
}

// ---- Light polygons ---------------------------------------------------------------------

void LightManager::BuildPoints(Light& light) {
    currentLight = &light;
    SelectCandidates(light);
    ForgetCornerRays();
    for (const CasterEdge* corner : candidateEdges) {
        points.push_back(CornerPoint(*corner));
    }
    Sweep(light);
    std::sort(points.begin(), points.end(),
              [](const LightPoint& a, const LightPoint& b) { return a.angle < b.angle; });
}

// A new build stamp makes every entry stale at once; the table is emptied
// only when it grows (kept at most half full, so that a search ends soon) or
// the stamp comes round to zero.
void LightManager::ForgetCornerRays() {
    size_t tableSize = 256;
    while (tableSize < 2 * candidateEdges.size()) {
        tableSize *= 2;
    }
    if (cornerRays.size() < tableSize || ++build == 0) {
        cornerRays.assign(std::max(tableSize, cornerRays.size()), CornerRay{});
        build = 1;
    }
}

LightPoint LightManager::CornerPoint(const CasterEdge& corner) {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::memcpy(&x, &corner.rel.x, sizeof x);
    std::memcpy(&y, &corner.rel.y, sizeof y);
    const std::uint64_t key = (std::uint64_t{x} << 32) | y;
    const size_t mask = cornerRays.size() - 1;
    size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & mask;
    while (cornerRays[slot].light == build) {
        if (cornerRays[slot].corner == key) {
            return cornerRays[slot].point;
        }
        slot = (slot + 1) & mask;
    }
    cornerRays[slot] = CornerRay{key, build, LightRay(corner.rel, corner.angle)};
    return cornerRays[slot].point;
}

void LightManager::SelectCandidates(Light& light) {
    ClearScratch();
    const float r = light.rotation;
    const float h = light.halfAngle;
    light.leftNormal = TarnVec2{std::sin(r + h), -std::cos(r + h)};
    light.rightNormal = TarnVec2{-std::sin(r - h), std::cos(r - h)};
    // Up to a half circle the cone is the intersection of the two borders'
    // inner sides; wider, it is their union.
    const bool wide = h > 1.5707963f;
    const float reach2 = light.radius * light.radius;
    const float slackReach = light.radius + kReachSlack;
    int order = -1;
    for (ShadowCaster* caster : casters) {
        ++order;
        const float boxDistance2 = BoxDistance2(*caster, light.position);
        if (boxDistance2 > slackReach * slackReach) {
            continue; // no corner of it can be in reach
        }
        bool inReach = false;
        for (CasterEdge& edge : caster->edges) {
            edge.rel = Minus(edge.start, light.position);
            edge.dist2 = Dot(edge.rel, edge.rel);
            const bool left = Dot(light.leftNormal, edge.rel) > 0.0f;
            const bool right = Dot(light.rightNormal, edge.rel) > 0.0f;
            const bool inCone = wide ? (left || right) : (left && right);
            if (inCone && reach2 > edge.dist2) {
                edge.angle = CornerAngle(edge.rel, light.direction);
                candidateEdges.push_back(&edge);
                inReach = true;
            }
        }
        if (inReach) {
            candidateCasters.push_back(caster);
            AddBlocker(caster, std::sqrt(boxDistance2), order);
        }
    }
    // Nearest first, so that each ray can stop looking once the casters left
    // are all beyond what it already hit.
    std::sort(blockers.begin(), blockers.end(),
              [](const Blocker& a, const Blocker& b) { return a.reach < b.reach; });
    FillSectors();
}

void LightManager::FillSectors() {
    for (int index = 0; index < static_cast<int>(blockers.size()); ++index) {
        const Blocker& blocker = blockers[index];
        // Whatever a ray can hit of the caster lies within `hull` of its centre.
        const float hull = blocker.extent + kReachSlack;
        const float distance = std::sqrt(Dot(blocker.middle, blocker.middle));
        int first = 0;
        int last = kSectors - 1;
        if (distance > hull) {
            // Seen from the light, that disc spans `spread` either side of
            // the centre's direction.
            const float spread = std::asin(hull / distance);
            const float c = std::cos(spread);
            const float s = std::sin(spread);
            const TarnVec2 mid{blocker.middle.x / distance, blocker.middle.y / distance};
            // One more sector either way absorbs rounding at the borders.
            first = SectorOf(TarnVec2{mid.x * c + mid.y * s, mid.y * c - mid.x * s}) - 1;
            last = SectorOf(TarnVec2{mid.x * c - mid.y * s, mid.y * c + mid.x * s}) + 1;
            if (last < first) {
                last += kSectors; // the span crosses +x
            }
        }
        for (int sector = first; sector <= last; ++sector) {
            sectors[(sector + kSectors) % kSectors].push_back(index);
        }
    }
}

void LightManager::AddBlocker(ShadowCaster* caster, float reach, int order) {
    const TarnVec2& a = caster->edges[0].rel; // opposite corners
    const TarnVec2& b = caster->edges[2].rel;
    const TarnVec2 diagonal = Minus(b, a);
    blockers.push_back(Blocker{reach, std::sqrt(Dot(diagonal, diagonal)) / 2.0f,
                               TarnVec2{(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f}, order, caster});
}

void LightManager::Sweep(const Light& light) {
    const float r = light.rotation;
    const float h = light.halfAngle;
    const float step = light.step;
    // A step that does not advance (or an angle so large that subtracting the
    // step leaves it unchanged) would sweep forever; no sweep needs more rays
    // than a light's mesh can hold.
    constexpr int kMaxSweepRays = 4096;
    if (step > 0.0f) {
        const float stepCos = std::cos(step);
        const float stepSin = std::sin(step);
        TarnVec2 ray{std::cos(r + h), std::sin(r + h)};
        int rays = 0;
        for (float k = h; k > -h && rays < kMaxSweepRays; k -= step, ++rays) {
            points.push_back(LightRay(ray, k));
            ray = TarnVec2{ray.x * stepCos + ray.y * stepSin, ray.y * stepCos - ray.x * stepSin};
        }
    }
    points.push_back(LightRay(TarnVec2{std::cos(r - h), std::sin(r - h)}, -h));
}

LightPoint LightManager::LightRay(const TarnVec2& v, float angle) {
    const float length = std::sqrt(Dot(v, v));
    if (currentLight == nullptr || length == 0.0f) {
        return LightPoint{0.0f, 0.0f, angle};
    }
    const TarnVec2 unit{v.x / length, v.y / length};
    const TarnVec2 n{unit.y, -unit.x};
    float t = currentLight->radius;
    const Blocker* nearest = nullptr;
    for (int index : sectors[SectorOf(unit)]) {
        const Blocker& blocker = blockers[index];
        if (blocker.reach > t + kReachSlack) {
            break; // this one and all after it lie beyond the hit
        }
        if (std::fabs(Dot(blocker.middle, n)) > blocker.extent + kReachSlack) {
            continue; // the ray's line passes the rectangle by
        }
        for (const CasterEdge& edge : blocker.caster->edges) {
            const float hit = EdgeHit(edge.vector, edge.rel, n, t);
            // Two casters hit at the same distance (a ray into the seam of
            // two walls): the one registered first lights up.
            const bool tie = hit == t && nearest != nullptr && blocker.order < nearest->order;
            if (hit > 0.0f && (hit < t || tie)) {
                t = hit;
                nearest = &blocker;
            }
        }
    }
    if (nearest != nullptr) {
        LightUp(nearest->caster);
        if (litByBuild != nullptr &&
            (litByBuild->empty() || litByBuild->back() != nearest->caster)) {
            litByBuild->push_back(nearest->caster);
        }
    }
    return LightPoint{unit.x * t, unit.y * t, angle};
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
    // Every hit lies on the segment and on its caster's rectangle, so a caster
    // whose rectangle keeps clear of the segment's bounds (by more than the
    // rounding and the widened edge ends) is passed by untested.
    const TarnVec2 end{origin.x + d.x * maxDistance, origin.y + d.y * maxDistance};
    const TarnVec2 low{std::min(origin.x, end.x) - kReachSlack,
                       std::min(origin.y, end.y) - kReachSlack};
    const TarnVec2 high{std::max(origin.x, end.x) + kReachSlack,
                        std::max(origin.y, end.y) + kReachSlack};
    for (const ShadowCaster* caster : casters) {
        if (caster->boxMax.x < low.x || caster->boxMin.x > high.x || caster->boxMax.y < low.y ||
            caster->boxMin.y > high.y) {
            continue;
        }
        for (const CasterEdge& edge : caster->edges) {
            const float t = EdgeHit(edge.vector, Minus(edge.start, origin), n, hit.distance);
            if (t > 0.0f && t < hit.distance) {
                hit.distance = t;
                hit.object = caster->object;
            }
        }
    }
    hit.point = TarnVec2{origin.x + d.x * hit.distance, origin.y + d.y * hit.distance};
    return hit;
}

bool LightManager::Illuminates(const TarnVec2& point) const {
    for (const Light* light : lights) {
        const TarnVec2 rel = Minus(point, light->GetPos());
        const float distance = std::sqrt(Dot(rel, rel));
        if (!light->enabled || distance >= light->radius) {
            continue;
        }
        const bool inCone =
            distance == 0.0f || std::fabs(CornerAngle(rel, light->direction)) <= light->halfAngle;
        if (inCone && RayCast(light->GetPos(), point, distance).distance >= distance) {
            return true;
        }
    }
    return false;
}
