// Moth Lantern: spiders: grid cells, the state machine, path search, animation.
#include "AI.h"

#include "AIManager.h"
#include "AudioManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LightManager.h"
#include "TarnSystem.h"
#include "Tiles.h"
#include "UI.h"
#include "World.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int gSpiderCount = 0;
float gSpawnInterval = 5.0f;
int gMaxSpiders = 30;
float gDyingAlpha = 1.0f;
bool gDyingStarted = false;

namespace {

constexpr float kSpiderSize = 32.0f;
constexpr float kSightRange = 200.0f;
constexpr float kChaseSpeedFactor = 1.3f;
constexpr float kIdleSeconds = 1.0f;
constexpr float kArrivalDistance = 1.0f;
constexpr float kStandingStill = 1.1920929e-7f;
constexpr float kDyingFadeRate = 2.0f;
constexpr float kDyingGone = 0.05f;
// A spider outside every light: its dark body all but vanishes, its bright eyes glint.
constexpr float kShownInDark = 0.3f;
constexpr float kLightFadeRate = 2.0f;
constexpr int kBiteDamage = 20;

// Random cells drawn before a level is taken to have no free cell left.
constexpr int kMaxRandomDraws = 4096;
// Path searches a spider tries per patrol plan before it rests and retries.
constexpr int kMaxPatrolPlans = 16;

// The crash report names the spider code the way the game's reports always have.
constexpr const char* kSourceName = "Engine\\AI";
constexpr const char* kFunctionName = "AI::FSMTrigger";
constexpr int kPathEndLine = 327;
constexpr int kVelocityLine = 334;
constexpr int kNormalisedLine = 345;

enum SearchMark : unsigned char { kUnseen = 0, kInOpen = 1, kInClosed = 2 };

// The four frame sets: front, right, left, lured.
enum FrameSet { kFront, kRight, kLeft, kLured };
const char* const kFrameNames[4][3] = {
    {"ai_spider_front1.png", "ai_spider_front2.png", "ai_spider_front3.png"},
    {"ai_spider_right1.png", "ai_spider_right2.png", "ai_spider_right3.png"},
    {"ai_spider_left1.png", "ai_spider_left2.png", "ai_spider_left3.png"},
    {"a1.png", "a2.png", "a3.png"},
};

float Distance(const TarnVec2& a, const TarnVec2& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The unit vector from a towards b scaled to `length`; zero when a == b.
TarnVec2 StepTowards(const TarnVec2& a, const TarnVec2& b, float length) {
    const float d = Distance(a, b);
    if (d == 0.0f) {
        return TarnVec2{0.0f, 0.0f};
    }
    return TarnVec2{(b.x - a.x) / d * length, (b.y - a.y) / d * length};
}

// The grid column of an origin-centred cell coordinate.
int GridIndex(int cell, float gridSize) {
    return static_cast<int>(std::floor(static_cast<float>(cell) + gridSize / 2.0f));
}

} // namespace

// ---- Grid cells ---------------------------------------------------------------------

GridCell CellOf(const TarnVec2& position) {
    return GridCell{static_cast<int>(std::round(position.x / gTileSize)),
                    static_cast<int>(std::round(position.y / gTileSize))};
}

TarnVec2 WaypointOf(const GridCell& cell) {
    return TarnVec2{static_cast<float>(cell.x) * gTileSize, static_cast<float>(cell.y) * gTileSize};
}

bool IsWalkable(const GridCell& cell) {
    return gCollisionManager->CellAt(GridIndex(cell.x, gGridWidth),
                                     GridIndex(cell.y, gGridHeight)) == 0;
}

bool RandomWalkableCell(GridCell* out) {
    // Cells on the centre row or column are only taken when nothing else is free.
    bool foundAny = false;
    for (int draw = 0; draw < kMaxRandomDraws; ++draw) {
        const int x = static_cast<int>(TarnRandFloat() * gGridWidth);
        const int y = static_cast<int>(TarnRandFloat() * gGridHeight);
        if (gCollisionManager->CellAt(x, y) != 0) {
            continue;
        }
        // The inverse of GridIndex, so the cell handed out is the one tested.
        const GridCell cell{
            static_cast<int>(std::ceil(static_cast<float>(x) - gGridWidth / 2.0f)),
            static_cast<int>(std::ceil(static_cast<float>(y) - gGridHeight / 2.0f))};
        *out = cell;
        foundAny = true;
        if (cell.x != 0 && cell.y != 0) {
            return true;
        }
    }
    return foundAny;
}

// ---- Life cycle ------------------------------------------------------------------------

AI::AI(float x, float y) {
    position = TarnVec2{x, y};
    AddPatrolNode(x, y);
    ++gSpiderCount;
}

AI::~AI() {
    --gSpiderCount;
    // Deleted mid-fade (the level ended): the next bite starts a fresh fade.
    if (touchedPlayer) {
        gDyingAlpha = 1.0f;
    }
}

void AI::Init() {
    gAIManager->AddSpider(this);
    state = AIState::PlanPatrol;
    patrolNode = &patrol[0];
}

void AI::AddPatrolNode(float x, float y) {
    if (patrolCount == kPatrolCapacity) {
        return;
    }
    patrol[patrolCount] = PatrolNode{x, y, &patrol[0]};
    if (patrolCount > 0) {
        patrol[patrolCount - 1].next = &patrol[patrolCount];
    }
    ++patrolCount;
}

void AI::Bite() {
    gCollisionManager->Unregister(this);
    state = AIState::Dying;
    touchedPlayer = true;
    gPlayerHealth -= kBiteDamage;
    gAudioManager->PlayEffect("s_collide.wav");
}

void AI::Update() {
    FSMTrigger();
    Animate();
    FollowLight();
}

void AI::FollowLight() {
    const bool lit = gLightManager->Illuminates(position);
    const float step = kLightFadeRate * gFrameTime;
    lightShown =
        lit ? std::min(1.0f, lightShown + step) : std::max(kShownInDark, lightShown - step);
}

void AI::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    const float alpha = tintColor.a * lightShown;
    if (alpha == 0.0f || IsOutsideView(position, scale)) {
        return;
    }
    DrawQuad(transform, tintColor, blendColor, alpha, TARN_BLEND_ADDITIVE, texture, UnitQuadMesh());
}

// ---- State machine ------------------------------------------------------------------------

bool AI::CanSeePlayer(const StaticObject* player, float* length) const {
    const TarnVec2 from = player->GetPos();
    const float distance = Distance(from, position);
    *length = distance;
    // Beyond sight range the answer changes nothing (no chase starts, a chase
    // ends either way), so the ray through every wall is not cast.
    if (distance > kSightRange) {
        return false;
    }
    const RayHit hit = gLightManager->RayCast(from, position, distance);
    *length = hit.distance;
    return hit.object == nullptr;
}

void AI::FSMTrigger() {
    // Each step may hand over to the next within the same frame.
    const StaticObject* player = gWorld->GetPlayer();
    float length = 0.0f;
    const bool clearView = player != nullptr && CanSeePlayer(player, &length);
    if (state != AIState::Lured && state != AIState::Idle && !touchedPlayer && clearView &&
        length < kSightRange) {
        state = AIState::Chase;
    }
    if (state == AIState::PlanPatrol && patrolNode != nullptr) {
        PlanPatrol();
    }
    if (state == AIState::Search) {
        Search();
    }
    if (state == AIState::FollowPath && !path.empty()) {
        FollowPath();
    }
    if (state == AIState::Idle) {
        Idle();
    }
    if (state == AIState::NextPatrol && patrolNode != nullptr) {
        patrolNode = patrolNode->next;
        state = AIState::PlanPatrol;
    }
    if (state == AIState::Chase) {
        Chase(player, clearView, length);
    }
    if (state == AIState::Dying && touchedPlayer) {
        Dying();
    }
}

void AI::PlanPatrol() {
    const GridCell start = CellOf(position);
    bool found = FindPath(start, CellOf(TarnVec2{patrolNode->x, patrolNode->y}));
    // An unreachable node gives way to random cells; a spider walled in from
    // all of them rests and plans again after its idle second.
    for (int plan = 1; !found && plan < kMaxPatrolPlans; ++plan) {
        GridCell elsewhere;
        if (!RandomWalkableCell(&elsewhere)) {
            break;
        }
        found = FindPath(start, elsewhere);
    }
    if (!found) {
        state = AIState::Idle;
        return;
    }
    waypoint = 0;
    state = AIState::FollowPath;
}

void AI::Search() {
    const GridCell goal = CellOf(lastSeen);
    if (!IsWalkable(goal)) {
        return; // tried again next frame
    }
    // A failed search leaves no path: the spider waits until it sees the player.
    FindPath(CellOf(position), goal);
    waypoint = path.empty() ? -1 : 0;
    state = AIState::FollowPath;
}

void AI::FollowPath() {
    const int remaining = static_cast<int>(path.size()) - waypoint;
    if (waypoint >= 0 && Distance(position, path[waypoint]) < kArrivalDistance && remaining > 1) {
        ++waypoint;
    }
    if (static_cast<int>(path.size()) - waypoint < 2 &&
        Distance(position, path.back()) < kArrivalDistance) {
        ClearPath();
        TARN_ASSERT(std::isfinite(position.x) && std::isfinite(position.y) &&
                        !std::isnan(position.x) && !std::isnan(position.y),
                    kPathEndLine, kFunctionName, kSourceName);
        state = AIState::Idle;
    }
    if (waypoint < 0) {
        return;
    }
    TarnVec2 currVel{path[waypoint].x - position.x, path[waypoint].y - position.y};
    TARN_ASSERT((std::isfinite(currVel.x) && std::isfinite(currVel.y) && !std::isnan(currVel.x) &&
                 !std::isnan(currVel.y)),
                kVelocityLine, kFunctionName, kSourceName);
    if (std::fabs(currVel.x) < kStandingStill && std::fabs(currVel.y) < kStandingStill) {
        state = AIState::Idle;
        return;
    }
    currVel = StepTowards(TarnVec2{0.0f, 0.0f}, currVel, moveSpeed);
    TARN_ASSERT((std::isfinite(currVel.x) && std::isfinite(currVel.y) && !std::isnan(currVel.x) &&
                 !std::isnan(currVel.y)),
                kNormalisedLine, kFunctionName, kSourceName);
    velocity = currVel;
    AddPos(velocity.x, velocity.y);
}

void AI::Idle() {
    velocity = TarnVec2{0.0f, 0.0f};
    idleTimer += gFrameTime;
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    if (idleTimer > kIdleSeconds) {
        idleTimer = 0.0f;
        state = AIState::NextPatrol;
    }
}

void AI::Chase(const StaticObject* player, bool clearView, float length) {
    SetTintColor(1.0f, 0.0f, 0.0f, 1.0f);
    if (player == nullptr) {
        state = AIState::Search; // hunts where it last saw the player
        return;
    }
    const TarnVec2 target = player->GetPos();
    if (!clearView || length > kSightRange) {
        state = AIState::Search;
        lastSeen = target;
    }
    velocity = StepTowards(position, target, moveSpeed * kChaseSpeedFactor);
    SetPos(TarnVec2{position.x + velocity.x, position.y + velocity.y});
    if (touchedPlayer) {
        velocity = TarnVec2{0.0f, 0.0f};
        state = AIState::Dying;
    }
}

void AI::Dying() {
    // One fade for all: spiders that bite in the same moment vanish together.
    if (!gDyingStarted) {
        gDyingAlpha = 1.0f;
        SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
        velocity = TarnVec2{0.0f, 0.0f};
        gDyingStarted = true;
    }
    gDyingAlpha -= kDyingFadeRate * gFrameTime;
    SetTintColor(1.0f, 1.0f, 1.0f, gDyingAlpha);
    if (GetTransparency() <= kDyingGone) {
        touchedPlayer = false;
        gWorld->Destroy(Layer::Actors, this);
        gDyingAlpha = 1.0f;
    }
}

void AI::MoveToLure(const TarnVec2& orbPosition) {
    if (Distance(position, orbPosition) > scale.x / 2.0f + moveSpeed) {
        velocity = StepTowards(position, orbPosition, moveSpeed);
        SetPos(TarnVec2{position.x + velocity.x, position.y + velocity.y});
    } else {
        velocity = TarnVec2{0.0f, 0.0f};
        state = AIState::Lured;
    }
}

void AI::ClearPath() {
    open.clear();
    nodes.clear();
    path.clear();
    waypoint = -1;
}

// ---- Path search ---------------------------------------------------------------------------

unsigned char& AI::MarkOf(const GridCell& cell) {
    const int columns = static_cast<int>(gGridWidth);
    const int rows = static_cast<int>(gGridHeight);
    const int column = GridIndex(cell.x, gGridWidth);
    const int row = GridIndex(cell.y, gGridHeight);
    if (column < 0 || row < 0 || column >= columns || row >= rows) {
        outsideMark = kUnseen; // never walkable, so never queued
        return outsideMark;
    }
    return marks[static_cast<std::size_t>(column * rows + row)];
}

bool AI::FindPath(const GridCell& start, const GridCell& goal) {
    ClearPath();
    marks.assign(static_cast<std::size_t>(gGridWidth) * static_cast<std::size_t>(gGridHeight),
                 kUnseen);
    nodes.push_back(PathNode{start, -1, 0.1f});
    open.emplace(nodes.back().cost, 0);
    MarkOf(start) = kInOpen;
    // Every pass closes one more cell for good, so the search ends.
    while (!open.empty()) {
        const int taken = open.begin()->second;
        const float cost = open.begin()->first;
        if (nodes[taken].cell == goal) {
            BuildRoute(taken);
            return true;
        }
        // Greedy: every other node as far from the goal is dropped with it.
        auto [first, last] = open.equal_range(cost);
        for (auto it = first; it != last; ++it) {
            MarkOf(nodes[it->second].cell) = kUnseen;
        }
        open.erase(first, last);
        MarkOf(nodes[taken].cell) = kInClosed;
        const GridCell at = nodes[taken].cell;
        const GridCell neighbours[4] = {
            {at.x - 1, at.y}, {at.x + 1, at.y}, {at.x, at.y + 1}, {at.x, at.y - 1}};
        for (const GridCell& next : neighbours) {
            if (!IsWalkable(next) || MarkOf(next) != kUnseen) {
                continue;
            }
            const float toGoal = std::hypot(static_cast<float>(goal.x - next.x),
                                            static_cast<float>(goal.y - next.y));
            nodes.push_back(PathNode{next, taken, toGoal});
            open.emplace(toGoal, static_cast<int>(nodes.size()) - 1);
            MarkOf(next) = kInOpen;
        }
    }
    return false;
}

void AI::BuildRoute(int goalNode) {
    path.clear();
    for (int node = goalNode; node >= 0; node = nodes[node].parent) {
        path.push_back(WaypointOf(nodes[node].cell));
    }
    std::reverse(path.begin(), path.end());
}

// ---- Animation --------------------------------------------------------------------------------

void AI::Animate() {
    animTimer += gFrameTime;
    rotation = std::atan2(velocity.y, velocity.x);
    constexpr float kQuarterTurn = 0.7853981f;
    constexpr float kThreeQuarterTurn = 2.3561945f;
    int set = kFront;
    if (state == AIState::Lured) {
        set = kLured;
    } else if (rotation > -kQuarterTurn && rotation < kQuarterTurn) {
        set = kRight;
    } else if (rotation > kThreeQuarterTurn || rotation < -kThreeQuarterTurn) {
        set = kLeft;
    }
    ChooseFrames(set);
    // Frames 1, 2, 3, 2 for half a second each; a clock exactly on a
    // boundary keeps the frame it had.
    if (animTimer > 0.0f && animTimer < 0.5f) {
        texture = frames[0];
    } else if (animTimer > 0.5f && animTimer < 1.0f) {
        texture = frames[1];
    } else if (animTimer > 1.0f && animTimer < 1.5f) {
        texture = frames[2];
    } else if (animTimer > 1.5f && animTimer < 2.0f) {
        texture = frames[1];
    } else if (animTimer > 2.0f) {
        animTimer = 0.0f;
    }
}

void AI::ChooseFrames(int set) {
    if (set == frameSet) {
        return;
    }
    frameSet = set;
    for (int i = 0; i < 3; ++i) {
        frames[i] = TextureNamed(kFrameNames[set][i]);
    }
}

// ---- Creating spiders ------------------------------------------------------------------------

AI* SpawnSpider(float x, float y) {
    auto* spider = new AI(x, y);
    spider->SetScale(kSpiderSize, kSpiderSize);
    spider->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    spider->SetTexture(TextureNamed(kFrameNames[kFront][0]));
    spider->velocity = TarnVec2{0.1f, 0.1f};
    gCollisionManager->Register(spider);
    gWorld->Add(Layer::Actors, spider);
    // The far end of the patrol; with no free cell anywhere the spider
    // patrols its own cell.
    const GridCell home = CellOf(spider->GetPos());
    GridCell far = home;
    RandomWalkableCell(&far);
    std::printf("%d  %d  %d  %d\n", far.x, far.y, home.x, home.y);
    const TarnVec2 farPoint = WaypointOf(far);
    spider->AddPatrolNode(farPoint.x, farPoint.y);
    spider->state = AIState::PlanPatrol;
    spider->Init();
    return spider;
}

void SetUpSpawns(GameStateId level) {
    gSpawnInterval = 5.0f;
    gMaxSpiders = level <= GameState::Level2 ? 10 : 20;
}

// ---- Nests --------------------------------------------------------------------------------

namespace {

// The first spider of an empty level comes this long after the level starts.
constexpr float kFirstSpiderDelay = 2.0f;
// In the first level it appears this far above the nest, in sight of the start.
constexpr float kFirstLevelSpawnOffset = 200.0f;
// The spawn timer runs this many times slower than gSpawnInterval.
constexpr float kSpawnIntervalScale = 3.0f;
// No spider hatches while the player stands this close to the nest.
constexpr float kSpawnKeepAway = 150.0f;

bool IsFirstLevel() {
    return gGameStateManager->stateName == "Level1";
}

bool PlayerNear(const TarnVec2& at) {
    const ActiveObject* player = gWorld->GetPlayer();
    if (player == nullptr) {
        return false;
    }
    const TarnVec2 p = player->GetPos();
    return std::hypot(p.x - at.x, p.y - at.y) < kSpawnKeepAway;
}

} // namespace

void AISpawn::Update() {
    Tilemap::Update();
    spawnTimer += gFrameTime;
    if (spawnTimer > kFirstSpiderDelay && gSpiderCount == 0) {
        const float offset = IsFirstLevel() ? kFirstLevelSpawnOffset : 0.0f;
        SpawnSpider(position.x, position.y + offset);
        spawnTimer = 0.0f;
    }
    if (spawnTimer / kSpawnIntervalScale >= gSpawnInterval) {
        if (!PlayerNear(position) && gSpiderCount < gMaxSpiders) {
            SpawnSpider(position.x, position.y);
            gAudioManager->PlayEffect("s_bell.wav");
        }
        spawnTimer = 0.0f;
    }
}
