// Moth Lantern: a light, the cone (or full circle) of brightness that follows
// its owner: the player's lantern or a thrown light orb.
//
// The light manager rebuilds each light's visibility polygon once per frame
// (a fan of points around the light, clipped by the shadow casters); the light
// keeps the points and, when it is drawn, streams them into its mesh and draws
// it additively over the dark level. The update thus does no GL work, and a
// light out of view uploads nothing.
#pragma once
#include "GameObject.h"
#include "LightManager.h"

#include <vector>

class Light : public StaticObject {
  public:
    // A light in layer 3 at its owner's position, its axis at `angle` radians.
    // It joins the light manager's lights at once.
    Light(StaticObject* owner, float angle);
    ~Light() override;
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    void Init() override {}
    // Follows the owner and, when aiming, turns its axis towards the cursor.
    // A disabled light stays where it was.
    void Update() override;
    // The polygon, additively; nothing while disabled or before the first build.
    void Draw() override;

    // Changes the cone, reach and switches at once (the light box's modes).
    void SetLight(float newHalfAngle, float newRadius, bool isEnabled, bool aims);

    // Keeps the polygon (points sorted by angle, relative to the light) for
    // the next draw, which makes the mesh a fan over them; the first triangle
    // is degenerate.
    void SetPolygon(const std::vector<LightPoint>& points);

    StaticObject* owner = nullptr; // null once the owner has been deleted
    TarnGfxVertexList* mesh = nullptr;
    TarnVec2 direction{1.0f, 0.0f};   // unit vector of the cone's axis
    TarnVec2 leftNormal{0.0f, 0.0f};  // inward normal of the counter-clockwise border
    TarnVec2 rightNormal{0.0f, 0.0f}; // inward normal of the clockwise border
    float radius = 300.0f;
    float halfAngle = 0.5235987f; // pi / 6
    float step = 0.05f;           // angle between swept rays
    bool aimAtCursor = true;
    bool enabled = true;

  private:
    // The fan over the kept polygon into the mesh, reusing its buffers.
    void RebuildMesh();

    std::vector<LightPoint> polygon;
    bool meshStale = false; // the polygon changed since the mesh was built
};
