// Moth Lantern: the light manager.
//
// Keeps the shadow casters (one rectangle of four edges per shadow-casting
// object), the lights and the thrown light orbs. Once per frame it moves the
// edges of moving casters along with their objects and rebuilds every light's
// visibility polygon; any time it answers line-of-sight questions (RayCast)
// for spiders, orbs and puzzle beams.
//
// A light's polygon is a fan of points around it: one ray towards every
// caster corner inside its cone and reach, plus a fixed sweep of rays across
// the cone, each stopped by the nearest caster edge. Tiles that a ray stops on
// are lit for the frame. Building the points needs no GL; only the light's
// mesh upload does. To keep the many rays cheap, each looks only at the
// candidate casters that reach into its sector round the light, nearest
// first, and stops looking once the rest lie beyond its hit.
//
// Index
//   CasterEdge, ShadowCaster, LightPoint, RayHit ... records
//   CornerAngle ..................................... a corner's angle in a cone
//   LightManager .................................... registry, Update, RayCast
#pragma once
#include "GameObject.h"

#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

class Light;
class MenuWall;
class Tilemap;
struct ShadowCaster;

// One side of a caster's rectangle; the four sides of a caster form a ring.
struct CasterEdge {
    TarnVec2 vector{0.0f, 0.0f}; // end minus start
    TarnVec2 start{0.0f, 0.0f};  // a corner, world space
    TarnVec2 rel{0.0f, 0.0f};    // start minus the position of the light being built
    float angle = 0.0f;          // the corner's angle seen from that light
    ShadowCaster* owner = nullptr;
    CasterEdge* next = nullptr;
    float dist2 = 0.0f; // squared length of rel
};

struct ShadowCaster {
    StaticObject* object = nullptr;
    TarnVec2 position{0.0f, 0.0f}; // object position when the edges were last moved
    // The rectangle's lower-left and upper-right corners, kept with the edges
    // so that the many lights and rays that pass it by are told at a glance.
    TarnVec2 boxMin{0.0f, 0.0f};
    TarnVec2 boxMax{0.0f, 0.0f};
    CasterEdge edges[4]; // lower, right, upper, left side, counter-clockwise
    // The object as the tiles that light acts on (null when it is none),
    // looked up at the first hit: while AddCaster runs from a constructor the
    // object is not yet its final class, and every ray is too often to ask.
    bool kindKnown = false;
    Tilemap* tile = nullptr;
    MenuWall* menuWall = nullptr;
};

// A point of a light's polygon, relative to the light.
struct LightPoint {
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
};

// Angle of a corner at `rel` (from the light) away from the cone's axis
// `direction` (a unit vector): counter-clockwise positive, 0 on the axis, pi
// straight behind.
float CornerAngle(const TarnVec2& rel, const TarnVec2& direction);

struct RayHit {
    float distance = 0.0f;          // maxDistance when nothing was hit
    TarnVec2 point{0.0f, 0.0f};     // origin + direction x distance
    StaticObject* object = nullptr; // the nearest caster hit, or null
};

class LightManager {
  public:
    LightManager();
    ~LightManager();
    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // ---- Shadow casters ----
    // Builds the object's rectangle from its position and scale. Moving objects
    // (ActiveObjects) are also filed as moving casters. Adding an object twice
    // returns its existing record.
    ShadowCaster* AddCaster(StaticObject* object);
    // Deletes the object's caster record, if it has one.
    void RemoveCaster(const StaticObject* object);
    ShadowCaster* FindCaster(const StaticObject* object) const;

    // ---- Lights and orbs (kept as plain pointers; the World owns them) ----
    void AddLight(Light* light);
    void RemoveLight(const Light* light);
    void AddOrb(ActiveObject* orb);
    void RemoveOrb(const ActiveObject* orb);

    // Drops every record that points at the object, and lights it owned stop
    // following it. Called when it is deleted.
    void Forget(const GameObject* object);
    // Empties the lights, orbs and casters (end of a state).
    void Clear();

    // ---- Per frame (World update, after the collision manager) ----
    // Moves the moving casters' edges, then rebuilds every light's polygon,
    // disabled ones included (each light makes its mesh when drawn).
    void Update();

    // The light's polygon into `points`, sorted by angle and relative to the
    // light; lights the tiles its rays stop on. No GL.
    void BuildPoints(Light& light);
    // One ray of the current light along `v` (any length): the point where the
    // nearest candidate edge stops it, or the light's reach.
    LightPoint LightRay(const TarnVec2& v, float angle);

    // Nearest caster edge on the segment from origin towards target, up to
    // maxDistance. Every caster whose rectangle comes near the segment is
    // tested. A clear line reports exactly maxDistance.
    RayHit RayCast(const TarnVec2& origin, const TarnVec2& target, float maxDistance) const;

    // True when an enabled light reaches the point: inside its cone and reach
    // with no caster edge in between.
    bool Illuminates(const TarnVec2& point) const;

    std::list<ActiveObject*> orbs;               // LightOrbs, the spiders' lures
    Light* currentLight = nullptr;               // the light being rebuilt
    std::list<Light*> lights;                    // every light
    std::list<ShadowCaster*> movingCasters;      // casters whose object moves
    std::vector<ShadowCaster*> casters;          // every caster, in registration order
    std::vector<ShadowCaster*> candidateCasters; // scratch of the light being built
    std::vector<CasterEdge*> candidateEdges;
    std::vector<LightPoint> points;

  private:
    // A candidate caster as the light being built sees it, kept side by side
    // with the others so that every ray can skim past those it cannot hit.
    struct Blocker {
        float reach;     // distance of the rectangle from the light
        float extent;    // half its diagonal
        TarnVec2 middle; // its centre, relative to the light
        int order;       // its place in the casters list
        ShadowCaster* caster;
    };

    // Shifts the edges of every moving caster by its object's movement.
    void FollowMovingCasters();
    // Deletes every caster record of the object.
    void EraseCasters(const GameObject* object);
    void ClearScratch();
    // Picks the corners inside the current light's cone and reach.
    void SelectCandidates(Light& light);
    // Files a candidate caster (edges already relative to the light) as a blocker.
    void AddBlocker(ShadowCaster* caster, float reach, int order);
    // Files every blocker under the sectors round the light that it reaches into.
    void FillSectors();
    // The fixed fan of rays across the cone, border to border.
    void Sweep(const Light& light);

    // What a light's polygon was last built from, and the casters its rays
    // stopped on: while all of it stays the same, so does the polygon.
    struct BuiltPolygon {
        float inputs[8] = {};      // position, axis, rotation, cone, reach, sweep step
        std::uint64_t casters = 0; // casterChanges at the build
        std::vector<ShadowCaster*> lit;
    };
    // Whether the light's polygon must be built again this frame.
    bool NeedsBuilding(const Light& light, BuiltPolygon* built) const;
    // The casters it lit flash again, as a rebuild would make them.
    static void LightUpAgain(const BuiltPolygon& built);

    // A ray already cast for the light being built, by the corner it aims at.
    struct CornerRay {
        std::uint64_t corner = 0; // the corner's coordinates, bit for bit
        unsigned int light = 0;   // which build it belongs to; older ones are stale
        LightPoint point{};
    };
    // The point of the ray aimed at `corner`: walls side by side share
    // corners, and each shared one is cast once (same ray, same point).
    LightPoint CornerPoint(const CasterEdge& corner);
    // Readies cornerRays for the candidates of the light being built.
    void ForgetCornerRays();

    std::vector<Blocker> blockers;     // the candidate casters, nearest first
    std::vector<CornerRay> cornerRays; // open addressing, a power of two long
    std::unordered_map<const Light*, BuiltPolygon> builtPolygons;
    std::vector<ShadowCaster*>* litByBuild = nullptr; // where the light being built notes its hits
    std::uint64_t casterChanges = 0;                  // counts casters added, removed or moved
    unsigned int build = 0;                           // counts light builds, to age cornerRays
    // For each sector round the light, the blockers reaching into it, nearest first.
    std::vector<std::vector<int>> sectors;
};

extern LightManager* gLightManager;
