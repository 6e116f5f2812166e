// Moth Lantern: spiders.
//
// A spider walks the level's collision grid between the cell it was spawned
// in and a second, random cell, chases the player while it can see it, hunts
// for the place it last saw the player, is drawn to thrown light orbs (the
// AIManager moves it then) and dies after one bite, fading out with every
// other spider dying at the same time.
//
// Index
//   Spider globals ..... live count, spawn interval and cap, the shared fade
//   Grid cells ......... world position <-> origin-centred cell, walkability
//   AI ................. the state machine, path search, animation
//   SpawnSpider ........ creating a spider with its patrol ring
#pragma once
#include "GameObject.h"
#include "GameStateManager.h"

#include <map>
#include <vector>

// ---- Spider globals -------------------------------------------------------------

extern int gSpiderCount;     // live spiders: +1 when one is made, -1 when deleted
extern float gSpawnInterval; // a spawn tile makes a spider every 3 x this many seconds
extern int gMaxSpiders;      // no spawn tile makes one while this many live
extern float gDyingAlpha;    // the fade every dying spider shares
extern bool gDyingStarted;   // a spider has started dying since the game began

// ---- Grid cells -------------------------------------------------------------------
// Cells are counted from the world origin: cell (0, 0) is the centre tile of
// the (odd-sized) level grid, and a cell's waypoint is cell x tile size.

struct GridCell {
    int x = 0;
    int y = 0;
    bool operator==(const GridCell& other) const { return x == other.x && y == other.y; }
};

// The cell a world position falls in (rounded per axis).
GridCell CellOf(const TarnVec2& position);
// The world position spiders walk to for a cell.
TarnVec2 WaypointOf(const GridCell& cell);
// True when the collision grid is free at the cell.
bool IsWalkable(const GridCell& cell);
// Draws random cells until one is walkable and off the centre row and column.
// Gives up after a few thousand draws and returns false, so a level with no
// room cannot hang the game.
bool RandomWalkableCell(GridCell* out);

// ---- Spiders ------------------------------------------------------------------------

namespace AIState {
enum : int {
    Idle = 0,
    NextPatrol = 1,
    Chase = 2,
    PlanPatrol = 3,
    FollowPath = 4,
    Search = 5,
    Lured = 7,
    Dying = 8,
};
} // namespace AIState

// One target of a spider's patrol ring.
struct PatrolNode {
    float x = 0.0f;
    float y = 0.0f;
    PatrolNode* next = nullptr;
};

// A cell reached by the path search; `parent` indexes the search's nodes.
struct PathNode {
    GridCell cell;
    int parent = -1;
    float cost = 0.1f;
};

class AI : public ActiveObject {
  public:
    static constexpr int kPatrolCapacity = 10;

    // A spider at (x, y) whose patrol ring starts there; it is put in no layer
    // and no registry (SpawnSpider does that).
    AI(float x, float y);
    ~AI() override;
    AI(const AI&) = delete;
    AI& operator=(const AI&) = delete;

    // Registers with the AIManager and starts by planning a patrol.
    void Init() override;
    // The state machine, the walk animation, then the fade into or out of the light.
    void Update() override;
    // Additive, like every actor, at the strength the light gives it.
    void Draw() override;

    // One step of the state machine (sight, chase, patrol, search, dying).
    void FSMTrigger();
    // Greedy best-first search on the collision grid; fills `path` (start
    // first) and returns true when the goal was reached.
    bool FindPath(const GridCell& start, const GridCell& goal);
    // Steps towards a light orb, stopping once it sits on it.
    void MoveToLure(const TarnVec2& orbPosition);
    // The player touched it: it stops chasing and fades out.
    void Bite();
    // Appends a patrol node and closes the ring; ignored once the ring is full.
    void AddPatrolNode(float x, float y);

    int state = AIState::NextPatrol;
    PatrolNode* patrolNode = nullptr; // the patrol target being walked to
    float idleTimer = 0.0f;
    PatrolNode patrol[kPatrolCapacity];
    int patrolCount = 0;
    bool touchedPlayer = false;
    float animTimer = 0.0f;
    std::multimap<float, int> open;   // cost -> index in nodes, lowest cost first
    std::vector<unsigned char> marks; // per grid cell: in open, closed, or neither
    std::vector<PathNode> nodes;      // every node of the last search
    std::vector<TarnVec2> path;       // the planned route, start first
    int waypoint = -1;                // index in path of the waypoint walked to, -1 none
    TarnGfxTexture* frames[3] = {nullptr, nullptr, nullptr};
    TarnVec2 lastSeen{0.0f, 0.0f};
    float moveSpeed = 1.0f; // world units per frame
    // How much of the picture shows: 1 in the light, a faint silhouette with
    // glinting eyes in the dark; it changes at a lit tile's fade rate.
    float lightShown = 0.0f;

  private:
    // Sight test against the player: true with the distance when nothing
    // stands between them.
    bool CanSeePlayer(const StaticObject* player, float* length) const;
    void PlanPatrol();
    void Search();
    void FollowPath();
    void Idle();
    void Chase(const StaticObject* player, bool clearView, float length);
    void Dying();
    void ClearPath();
    void Animate();
    void FollowLight();
    // The first frame of a new set of three.
    void ChooseFrames(int set);
    void BuildRoute(int goalNode);
    // The search mark of a cell (0 when outside the grid).
    unsigned char& MarkOf(const GridCell& cell);

    int frameSet = -1; // which of the four frame sets `frames` holds
    unsigned char outsideMark = 0;
};

// ---- Creating spiders ---------------------------------------------------------------

// Makes a spider at (x, y) in layer 2 with a collider, a patrol ring between
// its cell and a random walkable cell, and runs its Init. Returns it.
AI* SpawnSpider(float x, float y);

// Called by a story level's script at every level start: the spawn interval
// and the level's spider cap (10 in the first two levels, 20 from the third).
void SetUpSpawns(GameStateId level);
