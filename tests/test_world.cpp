// The World: update and draw order, deferred removal, the Init pass, what Free
// and Unload keep, pausing, the player and camera pointers, and the gameplay
// managers' records that follow the objects they point at.
#include "AIManager.h"
#include "Camera.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "LightPuzzle.h"
#include "PlayerAnimator.h"
#include "PuzzleManager.h"
#include "Tilemap.h"
#include "World.h"

#include "GameGlobals.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> gEvents;

// Logs its Init, Update, Draw and deletion; each may run a test's action.
class Probe : public ActiveObject {
  public:
    explicit Probe(std::string name) : name(std::move(name)) {}
    Probe(std::string name, int layer, bool collides, bool castsShadow)
        : ActiveObject(layer, 0.0f, 0.0f, nullptr, collides, castsShadow, 10.0f, 10.0f),
          name(std::move(name)) {}
    ~Probe() override { gEvents.push_back("delete " + name); }
    void Init() override { Run("init", onInit); }
    void Update() override { Run("update", onUpdate); }
    void Draw() override { Run("draw", onDraw); }

    std::string name;
    std::function<void(Probe*)> onInit, onUpdate, onDraw;

  private:
    void Run(const char* what, const std::function<void(Probe*)>& action) {
        gEvents.push_back(std::string(what) + " " + name);
        if (action) {
            action(this);
        }
    }
};

// Does not move: filed with the static colliders.
class Block : public StaticObject {
  public:
    Block() : StaticObject(1, 0.0f, 0.0f, nullptr, true, true, 50.0f, 50.0f) {}
    void Init() override {}
    void Update() override {}
};

int Count(const std::string& event) {
    return static_cast<int>(std::count(gEvents.begin(), gEvents.end(), event));
}

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override { gEvents.clear(); }

    Probe* Add(int layer, const std::string& name) {
        auto* probe = new Probe(name);
        world.Add(layer, probe);
        return probe;
    }

    // One frame as the main loop runs it.
    void Frame() {
        world.Update();
        world.Draw();
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
    CollisionManager& collisions = globals.Get<CollisionManager>();
    LightManager& lights = globals.Get<LightManager>();
    PuzzleManager& puzzles = globals.Get<PuzzleManager>();
    AIManager& spiders = globals.Get<AIManager>();
    PlayerAnimator& animator = globals.Get<PlayerAnimator>();
    LevelData& level = globals.Get<LevelData>();
};

using Events = std::vector<std::string>;

TEST_F(WorldTest, LayersRunInOrderAndObjectsInInsertionOrder) {
    Add(3, "c");
    Add(0, "a");
    Add(6, "d");
    Add(0, "b");
    Probe ignored("ignored");
    world.Add(7, &ignored); // no such layer
    world.Add(-1, &ignored);
    world.Add(0, nullptr);
    gEvents.clear();
    Frame();
    EXPECT_EQ(gEvents, (Events{"update a", "update b", "update c", "update d", "draw a", "draw b",
                               "draw c", "draw d"}));
}

// ---- Deferred removal ----------------------------------------------------------------

// Marked objects, even the one updating or marked under a wrong layer, are
// deleted after the whole update pass and before the draw; objects the World
// does not hold are never deleted.
TEST_F(WorldTest, RemovalsWaitForTheEndOfTheUpdatePass) {
    Probe* first = Add(1, "first");
    Probe* second = Add(1, "second");
    Probe* leaving = Add(2, "leaving");
    Probe* staying = Add(2, "staying");
    Probe outsider("outsider");
    first->onUpdate = [this, second](Probe*) { world.Destroy(3, second); };
    leaving->onUpdate = [this](Probe* self) { world.Destroy(2, self); };
    world.Destroy(2, &outsider);
    Frame();
    ASSERT_EQ(gEvents.size(), 8u);
    std::sort(gEvents.begin() + 4, gEvents.begin() + 6); // the deletions in any order
    EXPECT_EQ(gEvents, (Events{"update first", "update second", "update leaving", "update staying",
                               "delete leaving", "delete second", "draw first", "draw staying"}));
    EXPECT_EQ(world.GetLayer(1).size(), 1u);
    EXPECT_EQ(world.GetLayer(2).size(), 1u);

    // Marked during the draw: deleted at the end of the next update.
    staying->onDraw = [this](Probe* self) { world.Destroy(2, self); };
    Frame();
    EXPECT_EQ(Count("delete staying"), 0);
    gEvents.clear();
    world.Update();
    EXPECT_EQ(gEvents, (Events{"update first", "update staying", "delete staying"}));
}

TEST_F(WorldTest, MarkingTwiceOrFreeingAMarkedObjectDeletesOnce) {
    Probe* probe = Add(4, "twice");
    world.Destroy(4, probe);
    world.Destroy(4, probe);
    world.Destroy(2, probe); // a second record with another layer is ignored too
    EXPECT_TRUE(world.IsMarkedForRemoval(probe));
    world.Update();
    world.Update();
    EXPECT_EQ(Count("delete twice"), 1);
    EXPECT_TRUE(world.GetLayer(4).empty());

    Probe* freed = Add(2, "freed");
    world.Destroy(2, freed);
    world.Free();
    EXPECT_FALSE(world.IsMarkedForRemoval(freed));
    world.Update();
    EXPECT_EQ(Count("delete freed"), 1);
}

TEST_F(WorldTest, RemovalsStillRunWhilePaused) {
    GameStateManager& states = *gGameStateManager;
    static int callbackRuns;
    callbackRuns = 0;
    states.updateCallback = [] { ++callbackRuns; };
    Probe* probe = Add(2, "paused");
    Add(0, "kept");
    world.Destroy(2, probe);
    gPaused = true;
    Frame();
    EXPECT_EQ(callbackRuns, 0);
    EXPECT_EQ(gEvents, (Events{"delete paused", "draw kept"}));
    gPaused = false;
    world.Update();
    EXPECT_EQ(callbackRuns, 1);
}

// ---- Init pass -------------------------------------------------------------------------

TEST_F(WorldTest, ObjectsAddedDuringTheInitPassGetTheirInit) {
    Probe* placeholder = Add(0, "placeholder");
    Probe* late = Add(2, "late");
    placeholder->onInit = [this](Probe*) {
        Add(1, "door");      // a later layer
        Add(0, "neighbour"); // the same layer, further on
    };
    late->onInit = [this](Probe*) { Add(0, "too-late"); }; // layer 0 has been walked
    world.Init();
    EXPECT_EQ(Count("init door"), 1);
    EXPECT_EQ(Count("init neighbour"), 1);
    EXPECT_EQ(Count("init too-late"), 0);

    // Added to a later layer in the update pass: updated that same frame, never Init.
    bool spawned = false;
    late->onUpdate = [this, &spawned](Probe*) {
        if (!std::exchange(spawned, true)) {
            Add(3, "spawned");
        }
    };
    world.Update();
    EXPECT_EQ(Count("update spawned"), 1);
    world.Update();
    EXPECT_EQ(Count("init spawned"), 0);
    EXPECT_EQ(Count("update spawned"), 2);
}

TEST_F(WorldTest, InitRunsTheStateScriptFirstAndResetsTheDarkness) {
    GameStateManager& states = *gGameStateManager;
    states.initCallback = [] { gEvents.push_back("script"); };
    Add(0, "tile");
    gDarkAlpha = 0.0f;
    gDefaultDarkAlpha = 0.5f;
    world.Init();
    EXPECT_EQ(gEvents, (Events{"script", "init tile"}));
    EXPECT_FLOAT_EQ(gDarkAlpha, 0.5f);
    gDefaultDarkAlpha = gDarkAlpha = 0.0f;
}

// ---- Free and Unload -------------------------------------------------------------------

TEST_F(WorldTest, FreeKeepsLayersZeroFiveAndSixAndUnloadTakesThem) {
    for (int layer = 0; layer < World::kLayerCount; ++layer) {
        Add(layer, "l" + std::to_string(layer));
    }
    world.Add(2, world.GetLayer(2).front()); // added twice, still deleted once
    world.Free();
    for (int layer = 0; layer < World::kLayerCount; ++layer) {
        const bool kept = layer == 0 || layer == 5 || layer == 6;
        EXPECT_EQ(world.GetLayer(layer).size(), kept ? 1u : 0u) << layer;
        EXPECT_EQ(Count("delete l" + std::to_string(layer)), kept ? 0 : 1) << layer;
    }
    gGridWidth = gGridHeight = 3;
    level.Reset();
    world.Unload();
    for (int layer = 0; layer < World::kLayerCount; ++layer) {
        EXPECT_TRUE(world.GetLayer(layer).empty()) << layer;
        EXPECT_EQ(Count("delete l" + std::to_string(layer)), 1) << layer;
    }
    EXPECT_EQ(level.Columns(), 0); // the level data went with them
    gGridWidth = gGridHeight = 31;
}

// ---- Player and camera -----------------------------------------------------------------

TEST_F(WorldTest, TheCameraFollowsThePlayerUntilItIsDeleted) {
    world.Load("NoSuchState");
    Camera* camera = world.GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(world.GetLayer(5).back(), camera);

    auto* player = new Probe("player");
    player->SetPos(120.0f, -40.0f);
    world.Add(2, player);
    world.SetPlayer(player);
    animator.SetPlayer(player);
    EXPECT_EQ(world.GetPlayer(), player);
    EXPECT_FLOAT_EQ(camera->GetPos().x, 120.0f);
    EXPECT_FLOAT_EQ(camera->GetPos().y, -40.0f);

    world.Destroy(2, player);
    world.Update(); // the camera still finds it during this update
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(animator.GetPlayer(), nullptr);
    world.Update(); // and finds none afterwards
    EXPECT_FLOAT_EQ(camera->GetPos().x, 120.0f);

    auto* next = new Probe("next");
    world.Add(2, next);
    world.SetPlayer(next);
    world.Free();
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.GetCamera(), camera); // a restart keeps the camera
    world.Unload();
    EXPECT_EQ(world.GetCamera(), nullptr);
}

// ---- Managers --------------------------------------------------------------------------

TEST_F(WorldTest, DeletedObjectsLeaveEveryRegistryAndUnregisteringFlushesInTheUpdate) {
    auto* mover = new Probe("mover", 2, true, true);
    auto* block = new Block();
    spiders.AddSpider(mover);
    lights.AddOrb(mover);
    auto* beam = new LightPuzzle(nullptr, nullptr);
    world.Add(3, beam);
    puzzles.AddSegmentSlot();
    puzzles.PushBeam(0, beam);
    ASSERT_EQ(lights.casters.size(), 2u);
    // Unregisters itself while updating: its collider goes in the same update.
    auto* stayer = new Probe("stayer", 2, true, false);
    stayer->onUpdate = [this](Probe* self) { collisions.Unregister(self); };

    collisions.Unregister(mover); // pending, then deleted before the flush
    world.Destroy(2, mover);
    world.Destroy(3, beam);
    world.Update();
    EXPECT_EQ(collisions.Find(stayer), nullptr);
    EXPECT_EQ(world.GetLayer(2).size(), 1u); // the object itself stays
    EXPECT_TRUE(collisions.activeColliders.empty());
    EXPECT_TRUE(collisions.pendingRemovals.empty());
    EXPECT_EQ(collisions.staticColliders.size(), 1u);
    EXPECT_EQ(lights.casters.size(), 1u);
    EXPECT_TRUE(lights.movingCasters.empty());
    EXPECT_TRUE(lights.orbs.empty());
    EXPECT_TRUE(spiders.spiders.empty());
    EXPECT_TRUE(puzzles.segments[0].beams.empty());
    EXPECT_EQ(lights.FindCaster(block), lights.casters.front());
}

TEST_F(WorldTest, FreeClearsTheRecordsAndKeepsPuzzleSlotsOnlyForARestart) {
    GameStateManager& states = *gGameStateManager;
    new Block();
    for (int i = 0; i < 3; ++i) {
        puzzles.AddSegmentSlot();
    }
    auto* beam = new LightPuzzle(nullptr, nullptr);
    world.Add(3, beam);
    puzzles.PushBeam(1, beam);
    puzzles.solved = puzzles.collected = true;
    puzzles.celebrateTimer = 0.5f;

    states.next = GameState::Restart;
    world.Free();
    EXPECT_TRUE(collisions.staticColliders.empty());
    EXPECT_TRUE(lights.casters.empty());
    ASSERT_EQ(puzzles.segments.size(), 3u);
    EXPECT_TRUE(puzzles.segments[1].beams.empty());
    EXPECT_FALSE(puzzles.solved);
    EXPECT_FALSE(puzzles.collected);
    EXPECT_FLOAT_EQ(puzzles.celebrateTimer, 0.0f);

    states.next = GameState::Menu;
    world.Free();
    EXPECT_TRUE(puzzles.segments.empty());
}

// ---- Manager records -----------------------------------------------------------------------

TEST(CollisionRegistry, CollidersCarryTheBoundsAndFollowTheirObject) {
    moth_test::GameGlobals globals;
    CollisionManager collisions;
    Probe mover("mover");
    mover.SetPos(100.0f, 50.0f);
    mover.SetScale(30.0f, 20.0f);
    Collider* moving = collisions.Register(&mover);
    ASSERT_NE(moving, nullptr);
    EXPECT_FLOAT_EQ(moving->half.x, 15.0f);
    EXPECT_FLOAT_EQ(moving->min.x, 85.0f);
    EXPECT_FLOAT_EQ(moving->max.y, 60.0f);
    EXPECT_EQ(collisions.Register(&mover), moving); // once per object

    mover.SetPos(0.0f, 0.0f);
    collisions.Update();
    EXPECT_FLOAT_EQ(moving->min.x, -15.0f);

    collisions.Unregister(&mover);
    EXPECT_EQ(collisions.activeColliders.size(), 1u);
    collisions.FlushRemovals();
    EXPECT_TRUE(collisions.activeColliders.empty());
    collisions.Unregister(&mover); // no collider: ignored
    EXPECT_TRUE(collisions.pendingRemovals.empty());
}

TEST(CollisionRegistry, CellsOutsideTheGridAreSolid) {
    moth_test::GameGlobals globals;
    CollisionManager collisions;
    LevelData& level = globals.Get<LevelData>();
    gGridWidth = gGridHeight = 2;
    level.Reset();
    EXPECT_EQ(collisions.CellAt(0, 0), 0);
    EXPECT_EQ(collisions.CellAt(1, 1), 0);
    for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(collisions.CellAt(x, y), 99) << x << "," << y;
    }
}

TEST(LightRegistry, CasterEdgesRingTheRectangleCounterClockwise) {
    LightManager lights;
    Probe box("box");
    box.SetPos(10.0f, 20.0f);
    box.SetScale(4.0f, 6.0f);
    ShadowCaster* caster = lights.AddCaster(&box);
    ASSERT_NE(caster, nullptr);
    const TarnVec2 starts[4] = {{8, 17}, {12, 17}, {12, 23}, {8, 23}};
    const TarnVec2 vectors[4] = {{4, 0}, {0, 6}, {-4, 0}, {0, -6}};
    for (int i = 0; i < 4; ++i) {
        const auto& edge = caster->edges[i];
        EXPECT_FLOAT_EQ(edge.start.x, starts[i].x) << i;
        EXPECT_FLOAT_EQ(edge.start.y, starts[i].y) << i;
        EXPECT_FLOAT_EQ(edge.vector.x, vectors[i].x) << i;
        EXPECT_FLOAT_EQ(edge.vector.y, vectors[i].y) << i;
        EXPECT_EQ(edge.owner, caster);
        EXPECT_EQ(edge.next, &caster->edges[(i + 1) % 4]);
    }
    ASSERT_EQ(lights.movingCasters.size(), 1u);

    box.SetPos(15.0f, 20.0f);
    lights.Update(); // moving casters follow their object
    EXPECT_FLOAT_EQ(caster->edges[0].start.x, 13.0f);
    EXPECT_FLOAT_EQ(caster->position.x, 15.0f);

    lights.RemoveCaster(&box);
    EXPECT_TRUE(lights.casters.empty());
    EXPECT_TRUE(lights.movingCasters.empty());
}

} // namespace
