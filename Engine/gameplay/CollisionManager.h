// Moth Lantern: the collision manager.
//
// Keeps one Collider per object made with the collision flag and, once per
// frame after every object's Update, resolves the contacts of the moving
// objects against the level grid, the static objects and each other. Removals
// asked for during a frame are applied by FlushRemovals later in the same
// World update, so no list changes while the contact pass walks it.
//
// Index
//   Collider ........ one registered object and its bounds
//   PushableBlock ... a moving object the player can push
//   CollisionManager  registry, per-frame steps, contact tests, grid look-up
#pragma once
#include "GameObject.h"

#include <list>
#include <unordered_map>

// Side flags of the last grid test (Collider::tileFlags).
enum : int {
    kTileLeft = 1,
    kTileRight = 2,
    kTileTop = 4,
    kTileBottom = 8,
};

// The grid value CellAt reports for any cell outside the level: solid.
constexpr int kCellOutside = 99;

struct Collider {
    TarnVec2 min{0.0f, 0.0f};             // lower-left corner of the bounds
    TarnVec2 max{0.0f, 0.0f};             // upper-right corner
    TarnVec2 half{0.0f, 0.0f};            // half of the object's scale
    TarnVec2 negHalf{0.0f, 0.0f};         // (-half.x, -half.y)
    TarnVec2 posHalf{0.0f, 0.0f};         // (half.x, half.y)
    StaticObject* staticObject = nullptr; // set when the object does not move
    ActiveObject* activeObject = nullptr; // set when it does
    int tileFlags = 0;                    // kTile* flags from the last grid test
    bool isActive = false;                // which of the two pointers is set

    // The object, whichever list it is filed in.
    StaticObject* Object() const {
        return isActive ? static_cast<StaticObject*>(activeObject) : staticObject;
    }
};

// A moving object the player pushes by walking into it: the puzzles' movable
// and direction blocks derive from it. The push rule writes these fields; the
// block moves itself in its own Update.
class PushableBlock : public ActiveObject {
  public:
    using ActiveObject::ActiveObject;

    bool pushed = false;           // the player pushed it this frame
    int blockFlags = 0;            // kTile* sides a wall held it on when last pushed
    Collider* blockedBy = nullptr; // the collider it ran into, if it still holds it
};

class CollisionManager {
  public:
    CollisionManager() = default;
    ~CollisionManager();
    CollisionManager(const CollisionManager&) = delete;
    CollisionManager& operator=(const CollisionManager&) = delete;

    // ---- Registry ----
    // Builds the object's collider from its position and scale; a moving object
    // (an ActiveObject) goes to the active list, anything else to the static
    // list. Registering an object twice returns its existing collider.
    Collider* Register(StaticObject* object);
    // Drops the object's collider at the next FlushRemovals; objects without
    // a collider are ignored.
    void Unregister(StaticObject* object);
    // Drops the object's collider at once. Called when the object is deleted,
    // so no list or pending removal keeps a pointer to it.
    void Forget(const GameObject* object);
    // The collider of the object, or null.
    Collider* Find(const StaticObject* object) const;
    // Deletes every collider (end of a state).
    void Clear();

    // ---- Per-frame steps (World update) ----
    // Contact resolution, after every object's Update: moving objects against
    // the grid, the static colliders and each other. Velocities shrink here;
    // the objects integrate them in their own Draw or Update.
    void Update();
    // Deletes the colliders unregistered since the last flush.
    void FlushRemovals();

    // ---- Contact tests ----
    // Whether the mover meets the other collider within the coming frame, both
    // moving at their velocities (units per second) for gFrameTime. Touching
    // counts. On a hit timeOfImpact holds the time of first contact (0 when
    // they overlap already).
    bool SweptRectTest(const Collider& other, const Collider& mover);
    // Shrinks the object's velocity to the last time of impact, so it barely
    // moves this frame (not at all after an overlap).
    void StopCollider(Collider& collider);
    // Sets the collider's tileFlags from the grid cells just beyond each side.
    void TileContacts(Collider& collider);
    // Moves the object back inside its cell on every side flagged solid,
    // one unit clear of the wall.
    void SnapToTiles(Collider& collider);

    // ---- Grid ----
    // Collision grid value of cell (x, y): 0 walkable, non-zero solid; any cell
    // outside the grid reads kCellOutside.
    int CellAt(int x, int y) const;

    std::list<Collider*> activeColliders;
    std::list<Collider*> staticColliders;
    std::unordered_map<Collider*, bool> pendingRemovals; // collider -> isActive
    float timeOfImpact = 0.0f;
    bool tileCollisionOn = true; // the logo screen switches grid tests off
    Collider* playerCollider = nullptr;

  private:
    // Moves every active collider's bounds to its object's current position;
    // static colliders keep the bounds they were registered with.
    void RefreshActiveBounds();
    // In the puzzle rooms the player cannot walk off the screen.
    void KeepPlayerOnScreen();
    // Every contact of one moving collider, in a story level or elsewhere.
    void ResolveMover(Collider& mover, bool storyLevel);
    void ResolveAgainstStatic(Collider& fixed, Collider& mover, const TarnVec2& dir,
                              bool storyLevel);
    void ResolveAgainstActive(Collider& other, Collider& mover, const TarnVec2& dir,
                              bool storyLevel);
    // A moving collider touches a static one: pick-ups for the player, a stop
    // for everyone.
    void StaticContact(Collider& fixed, Collider& mover);
    // Two moving colliders touch: a spider bites the player, both stop.
    void ActiveContact(Collider& other, Collider& mover);
    // The player walks into a pushable block: the block moves along unless a
    // wall or another collider holds it on that side.
    void PushRule(Collider& player, Collider& block, const TarnVec2& dir);
    // Deletes a collider and clears every pointer to it.
    void DeleteCollider(Collider* collider);
};

extern CollisionManager* gCollisionManager;
