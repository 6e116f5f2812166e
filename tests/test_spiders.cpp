// Spiders, their nests and the level's key and batteries: path search on the
// collision grid, sight and chase, lures, the shared dying fade, spawn timing,
// the crash report, random placing that must end even with no free cell and
// keeps off the start, the trap doors, and a dying player touching nothing.
#include "AI.h"
#include "AIManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "Pickups.h"
#include "Player.h"
#include "TarnSystem.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "TransitionBox.h"
#include "World.h"

#include "GameGlobals.h"
#include "LevelMap.h"
#include "SceneProps.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using moth_test::GameGlobals;

constexpr float kStep = 1.0f / 60.0f;

using moth_test::Prop;
using moth_test::WallBlock;

class SpiderTest : public ::testing::Test {
  protected:
    // The game's globals start as at launch (GameGlobals); no state scripts.
    SpiderTest() {
        // Every World::Update reads the frame time from the frame controller.
        TarnFrameRateControllerSetFixedFrameTime(kStep);
        TarnFrameRateControllerStart();
        TarnFrameRateControllerEnd();
        gFrameTime = kStep;
    }

    ~SpiderTest() override { TarnFrameRateControllerSetFixedFrameTime(0.0); }

    // Loads a map, rows from the top: '#' wall, '.' floor.
    void LoadMap(const std::vector<std::string>& rows) { moth_test::LoadLevelMap(rows); }

    // An open 15 x 15 room ringed by walls.
    void LoadRoom() { LoadMap(moth_test::WalledRoom(15, 15)); }

    Prop* PlacePlayer(float x, float y) {
        auto* player = new Prop(2, x, y, 10.0f);
        gWorld->SetPlayer(player);
        return player;
    }

    // A spider at (x, y) in a state with nothing to do this frame.
    AI* StandingSpider(float x, float y) {
        AI* spider = SpawnSpider(x, y);
        spider->state = AIState::FollowPath;
        spider->path.clear();
        return spider;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            gWorld->Update();
        }
    }

    int SpidersInLayer() const {
        int count = 0;
        for (GameObject* object : gWorld->GetLayer(2)) {
            count += dynamic_cast<AI*>(object) != nullptr ? 1 : 0;
        }
        return count;
    }

    GameGlobals globals;
};

// ---- Path search ------------------------------------------------------------------------

TEST_F(SpiderTest, FindPathWalksStraightAroundWallsAndFailsOnUnreachableGoals) {
    LoadMap({
        "#########",
        "#.......#",
        "#.#####.#",
        "#...#...#",
        "#########",
    });
    AI spider(0.0f, 0.0f);
    // Cells from the centre (0, 0): the middle row is y = 0, the top row y = 1.
    ASSERT_TRUE(spider.FindPath({-3, 1}, {3, 1}));
    ASSERT_EQ(spider.path.size(), 7u);
    EXPECT_FLOAT_EQ(spider.path.front().x, -150.0f);
    EXPECT_FLOAT_EQ(spider.path.back().x, 150.0f);
    for (const TarnVec2& p : spider.path) {
        EXPECT_FLOAT_EQ(p.y, 50.0f);
    }

    // From the bottom-left pocket to the bottom-right one: up, across the top, down.
    ASSERT_TRUE(spider.FindPath({-1, -1}, {1, -1}));
    for (const TarnVec2& p : spider.path) {
        EXPECT_TRUE(IsWalkable(CellOf(p))) << p.x << ", " << p.y;
    }
    EXPECT_FLOAT_EQ(spider.path.front().x, -50.0f);
    EXPECT_FLOAT_EQ(spider.path.back().x, 50.0f);
    for (std::size_t i = 1; i < spider.path.size(); ++i) {
        const float step = std::hypot(spider.path[i].x - spider.path[i - 1].x,
                                      spider.path[i].y - spider.path[i - 1].y);
        EXPECT_FLOAT_EQ(step, 50.0f) << "the route moves one cell at a time";
    }

    // The wall in the middle of the bottom row, and a cell outside the grid.
    EXPECT_FALSE(spider.FindPath({-1, -1}, {0, -1}));
    EXPECT_TRUE(spider.path.empty());
    EXPECT_FALSE(spider.FindPath({-1, -1}, {40, 40}));
}

TEST_F(SpiderTest, SpiderPatrolsBetweenItsCellAndASecondNode) {
    LoadRoom();
    AI* spider = SpawnSpider(0.0f, 0.0f);
    ASSERT_EQ(spider->patrolCount, 2);
    EXPECT_EQ(spider->patrol[1].next, &spider->patrol[0]);
    EXPECT_TRUE(IsWalkable(CellOf({spider->patrol[1].x, spider->patrol[1].y})));
    // It stands on its first node, idles a second, then walks to the second.
    gWorld->Update();
    EXPECT_EQ(spider->state, AIState::Idle);
    const TarnVec2 far{spider->patrol[1].x, spider->patrol[1].y};
    bool reached = false;
    for (int frame = 0; frame < 60 * 30 && !reached; ++frame) {
        gWorld->Update();
        reached = std::hypot(spider->GetPos().x - far.x, spider->GetPos().y - far.y) < 1.0f;
    }
    EXPECT_TRUE(reached);
}

// ---- Sight, chase and lure ------------------------------------------------------------------

TEST_F(SpiderTest, ChasesAPlayerInSightCloserThan200ButNeverThroughAWall) {
    LoadRoom();
    AI* spider = StandingSpider(0.0f, 0.0f);
    Prop* player = PlacePlayer(200.0f, 0.0f);
    spider->FSMTrigger();
    EXPECT_EQ(spider->state, AIState::FollowPath) << "200 is out of sight";

    player->SetPos(199.0f, 0.0f);
    spider->FSMTrigger();
    EXPECT_EQ(spider->state, AIState::Chase);
    EXPECT_FLOAT_EQ(spider->GetPos().x, 1.3f) << "a chase runs at 1.3 units per frame";
    EXPECT_FLOAT_EQ(spider->tintColor.g, 0.0f) << "chasing spiders are red";

    // A wall between them: the spider searches where it last saw the player.
    new WallBlock(100.0f, 0.0f);
    spider->FSMTrigger();
    EXPECT_EQ(spider->state, AIState::Search);
    EXPECT_FLOAT_EQ(spider->lastSeen.x, 199.0f);

    AI* other = StandingSpider(0.0f, -100.0f);
    player->SetPos(0.0f, -200.0f + 60.0f);
    new WallBlock(0.0f, -150.0f);
    other->FSMTrigger();
    EXPECT_NE(other->state, AIState::Chase) << "60 units away behind a wall";
}

TEST_F(SpiderTest, OrbsLureSpidersIncludingIdleOnesThatNeverChase) {
    LoadRoom();
    AI* near = StandingSpider(0.0f, 0.0f);
    AI* idle = StandingSpider(50.0f, 50.0f);
    idle->state = AIState::Idle;
    AI* far = StandingSpider(-300.0f, 0.0f);
    auto* orb = new Prop(3, 149.0f, 0.0f, 10.0f);
    gLightManager->AddOrb(orb);
    Prop* player = PlacePlayer(-450.0f, 0.0f);

    gAIManager->Update();
    EXPECT_EQ(near->state, AIState::Lured);
    EXPECT_FLOAT_EQ(near->GetPos().x, 1.0f) << "walks one unit towards the orb";
    EXPECT_EQ(idle->state, AIState::Lured);
    EXPECT_EQ(far->state, AIState::FollowPath) << "449 away";

    // Lured spiders do not chase a player in plain sight.
    player->SetPos(0.0f, 50.0f);
    near->FSMTrigger();
    idle->FSMTrigger();
    EXPECT_EQ(near->state, AIState::Lured);
    EXPECT_EQ(idle->state, AIState::Lured);

    // Once the orb is gone they idle, and an idle spider starts no chase.
    gLightManager->RemoveOrb(orb);
    gAIManager->Update();
    EXPECT_EQ(near->state, AIState::Idle);
    near->FSMTrigger();
    EXPECT_EQ(near->state, AIState::Idle);

    // An orb 150 away lures nothing.
    gLightManager->AddOrb(new Prop(3, 151.0f, 0.0f, 10.0f));
    gAIManager->Update();
    EXPECT_EQ(near->state, AIState::Idle);
}

// ---- Bites and the shared fade ---------------------------------------------------------------

TEST_F(SpiderTest, BittenSpidersShareOneFadeIgnoreLuresAndAreDeleted) {
    LoadRoom();
    gPlayerHealth = 100;
    AI* first = StandingSpider(0.0f, 0.0f);
    AI* second = StandingSpider(100.0f, 0.0f);
    first->Bite();
    second->Bite();
    EXPECT_EQ(gPlayerHealth, 60);
    EXPECT_EQ(gCollisionManager->pendingRemovals.size(), 2u);
    gLightManager->AddOrb(new Prop(3, 50.0f, 0.0f, 10.0f));

    gWorld->Update();
    // Both took their frame's share from the one value.
    EXPECT_NEAR(gDyingAlpha, 1.0f - 4.0f * kStep, 1e-5f);
    EXPECT_FLOAT_EQ(second->GetTransparency(), gDyingAlpha);
    EXPECT_EQ(first->state, AIState::Dying) << "a bitten spider is not lured";
    Frames(60);
    EXPECT_EQ(SpidersInLayer(), 0);
    EXPECT_EQ(gSpiderCount, 0);
    EXPECT_TRUE(gAIManager->spiders.empty());
    EXPECT_TRUE(gCollisionManager->activeColliders.empty());

    // A level that ends mid-fade leaves the next bite a full fade.
    StandingSpider(0.0f, 0.0f)->Bite();
    gWorld->Update();
    gWorld->Free();
    EXPECT_FLOAT_EQ(gDyingAlpha, 1.0f);
}

// ---- Nests ---------------------------------------------------------------------------------

TEST_F(SpiderTest, NestsSpawnTheFirstSpiderThenOnePerIntervalUpToTheCap) {
    LoadRoom();
    auto* nest = new AISpawn(1, 0.0f, -100.0f, nullptr, false, false);
    PlacePlayer(0.0f, 300.0f);
    Frames(119);
    EXPECT_EQ(gSpiderCount, 0);
    Frames(2); // just past 2 seconds
    ASSERT_EQ(gSpiderCount, 1);
    const auto* first = dynamic_cast<AI*>(gWorld->GetLayer(2).back());
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->patrol[0].y, 100.0f) << "in Level1, 200 above the nest";

    // Then one every 3 x gSpawnInterval seconds, at the nest.
    Frames(60 * 15 - 3);
    EXPECT_EQ(gSpiderCount, 1);
    Frames(4);
    ASSERT_EQ(gSpiderCount, 2);
    EXPECT_FLOAT_EQ(dynamic_cast<AI*>(gWorld->GetLayer(2).back())->patrol[0].y, -100.0f);

    gMaxSpiders = 2;
    Frames(60 * 16);
    EXPECT_EQ(gSpiderCount, 2) << "the cap holds";
    EXPECT_LT(nest->spawnTimer, 2.0f) << "the timer restarts even when nothing hatched";
}

TEST_F(SpiderTest, OtherLevelsSpawnAtTheNestAndNotNextToThePlayer) {
    LoadRoom();
    globals.Get<GameStateManager>().stateName = "Level3";
    new AISpawn(1, 0.0f, -100.0f, nullptr, false, false);
    PlacePlayer(0.0f, -50.0f);
    gSpawnInterval = 1.0f;
    Frames(121);
    ASSERT_EQ(gSpiderCount, 1) << "the first spider comes even with the player close";
    EXPECT_FLOAT_EQ(dynamic_cast<AI*>(gWorld->GetLayer(2).back())->patrol[0].y, -100.0f);
    Frames(60 * 10);
    EXPECT_EQ(gSpiderCount, 1) << "no more while the player stands by the nest";
}

// ---- Crash report ------------------------------------------------------------------------

TEST_F(SpiderTest, ANonFiniteWaypointStopsTheGameWithTheSpidersReport) {
    LoadRoom();
    AI* spider = StandingSpider(0.0f, 0.0f);
    spider->path = {TarnVec2{NAN, 0.0f}, TarnVec2{50.0f, 0.0f}};
    spider->waypoint = 0;
    EXPECT_EXIT(
        {
            dup2(2, 1); // the report goes to standard output
            spider->FSMTrigger();
        },
        ::testing::ExitedWithCode(1),
        "TARN_ASSERT: \\(std::isfinite\\(currVel.x\\) && std::isfinite\\(currVel.y\\) && "
        "!std::isnan\\(currVel.x\\) && !std::isnan\\(currVel.y\\)\\)\nLine: 334\nFunc: "
        "AI::FSMTrigger\nFile: Engine.AI\n");
}

// ---- Random places -------------------------------------------------------------------------

TEST_F(SpiderTest, RandomPlacingEndsOnAGridWithNoRoom) {
    LoadMap({"#####", "#####", "#####"});
    std::vector<TarnVec2> positions;
    EXPECT_EQ(PlaceRandomly(positions, 3, 200.0f), 0);
    EXPECT_TRUE(positions.empty());
    GridCell cell{7, 7};
    EXPECT_FALSE(RandomWalkableCell(&cell));
    // With no free cell at all a spider patrols its own cell.
    AI* spider = SpawnSpider(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(spider->patrol[1].x, 0.0f);
    gWorld->Update();
    EXPECT_EQ(spider->state, AIState::Idle);

    // Walled into one cell, with every other free cell out of reach: the
    // patrol planner gives up after a few searches and the spider rests.
    LoadMap({"#########", "#..######", "#..#.####", "#..######", "#########"});
    AI* walled = StandingSpider(0.0f, 0.0f);
    walled->patrol[1] = PatrolNode{-150.0f, 0.0f, &walled->patrol[0]};
    walled->patrolNode = &walled->patrol[1];
    walled->state = AIState::PlanPatrol;
    walled->FSMTrigger();
    EXPECT_EQ(walled->state, AIState::Idle);
    EXPECT_TRUE(walled->path.empty());

    // Two free cells cannot hold three positions 200 apart: the distance gives way.
    LoadMap({"#####", "#.#.#", "#####"});
    gPlayerStartX = gPlayerStartY = 1000.0f; // the start lies far from both
    EXPECT_EQ(PlaceRandomly(positions, 3, 200.0f), 3);
    for (const TarnVec2& p : positions) {
        EXPECT_TRUE(p.x == -50.0f || p.x == 50.0f) << p.x;
        EXPECT_FLOAT_EQ(p.y, 0.0f);
    }
}

TEST_F(SpiderTest, TheKeyKeepsItsPlaceAcrossRestartsWhileBatteriesMove) {
    LoadRoom();
    std::srand(7);
    std::vector<TarnVec2> keyPositions;
    Key* key = PlaceKey(keyPositions);
    ASSERT_NE(key, nullptr);
    const TarnVec2 keyAt = key->GetPos();
    PlaceBatteries(5);
    std::vector<TarnVec2> before;
    for (GameObject* object : gWorld->GetLayer(1)) {
        if (auto* battery = dynamic_cast<Battery*>(object)) {
            before.push_back(battery->GetPos());
            EXPECT_EQ(battery->GetScale().x, 30.0f);
        }
    }
    ASSERT_EQ(before.size(), 5u);
    for (std::size_t i = 0; i < before.size(); ++i) {
        for (std::size_t j = i + 1; j < before.size(); ++j) {
            EXPECT_GE(std::hypot(before[i].x - before[j].x, before[i].y - before[j].y), 200.0f);
        }
    }

    gWorld->Free(); // a restart
    key = PlaceKey(keyPositions);
    ASSERT_NE(key, nullptr);
    EXPECT_FLOAT_EQ(key->GetPos().x, keyAt.x);
    EXPECT_FLOAT_EQ(key->GetPos().y, keyAt.y);
    PlaceBatteries(5);
    int moved = 0;
    int index = 0;
    for (GameObject* object : gWorld->GetLayer(1)) {
        if (auto* battery = dynamic_cast<Battery*>(object)) {
            moved +=
                battery->GetPos().x != before[index].x || battery->GetPos().y != before[index].y;
            ++index;
        }
    }
    EXPECT_GT(moved, 0);

    // A key already taken is not placed again.
    gHasKey = true;
    EXPECT_EQ(PlaceKey(keyPositions), nullptr);
}

TEST_F(SpiderTest, KeysAndBatteriesNeverLandOnOrBesideTheStart) {
    LoadRoom();
    gPlayerStartX = 10.0f;  // in the start cell (7, 7), the room's middle, though
    gPlayerStartY = -10.0f; // not at the cell's centre
    std::srand(11);
    std::vector<TarnVec2> positions;
    EXPECT_EQ(PlaceRandomly(positions, 400, 0.0f), 400);
    for (const TarnVec2& p : positions) {
        const bool beside = std::fabs(p.x) <= 50.0f && std::fabs(p.y) <= 50.0f;
        EXPECT_FALSE(beside) << p.x << ", " << p.y;
    }
    // A room with no other free cell holds nothing.
    LoadMap({"#####", "#...#", "#...#", "#...#", "#####"});
    gPlayerStartX = gPlayerStartY = 0.0f;
    positions.clear();
    EXPECT_EQ(PlaceRandomly(positions, 1, 0.0f), 0);
}

TEST_F(SpiderTest, AnOpenedTrapDoorFadesOnceThenLeadsToThePuzzleOrFromTheMenuToLevel1) {
    LoadRoom();
    GameStateManager& states = globals.Get<GameStateManager>();
    states.current = states.next = GameState::Level3;
    auto* door = new TrapDoor(1, 100.0f, 0.0f, nullptr, true, true);
    OpenTrapDoor(door);
    TransitionBox* fade = door->doorTransition;
    ASSERT_NE(fade, nullptr);
    OpenTrapDoor(door);
    EXPECT_EQ(door->doorTransition, fade);
    EXPECT_EQ(gWorld->GetLayer(6).size(), 1u) << "a second contact makes no second fade";

    door->Update();
    EXPECT_EQ(states.next, GameState::Level3) << "the fade is still running";
    fade->done = true;
    door->Update();
    EXPECT_EQ(states.next, GameState::Puzzle3);
    EXPECT_FALSE(fade->done);

    // The menu room's door starts a new game: whatever the last one left.
    states.current = GameState::Menu;
    gGameMode = GameMode::Menu;
    gLightCharge = 12.0f;
    gMemoriesCollected = 5;
    gPlayerHealth = 40;
    states.retryState = GameState::Level4;
    fade->done = true;
    door->Update();
    EXPECT_EQ(states.next, GameState::Level1);
    EXPECT_FLOAT_EQ(gLightCharge, 360.0f);
    EXPECT_EQ(gMemoriesCollected, 0);
    EXPECT_EQ(gPlayerHealth, 100);
    EXPECT_EQ(states.retryState, GameState::Level1);

    // The fade may go first (a restart keeps layer 6 only until the next
    // state): the door must not keep pointing at it.
    gWorld->Destroy(6, fade);
    gWorld->Update();
    EXPECT_EQ(door->doorTransition, nullptr);
}

TEST_F(SpiderTest, ACustomLevelsDoorShowsLevelCompleteThenLeadsBackToTheMenu) {
    LoadRoom();
    GameStateManager& states = globals.Get<GameStateManager>();
    states.current = states.next = GameState::Custom;
    auto* door = new TrapDoor(1, 100.0f, 0.0f, nullptr, true, true);
    OpenTrapDoor(door);
    ASSERT_NE(door->doorTransition, nullptr);
    door->doorTransition->done = true; // grown to the whole window
    int frames = 0;
    while (states.next == GameState::Custom && frames < 200) {
        door->Update();
        ++frames;
    }
    EXPECT_EQ(states.next, GameState::Menu);
    EXPECT_NEAR(frames * kStep, 1.5f, 3.0f * kStep); // the picture stays up a moment
}

TEST_F(SpiderTest, ADyingPlayerTakesNothingOpensNoDoorAndIsNotBitten) {
    LoadRoom();
    Player* player = MakePlayer(0.0f, 0.0f);
    gHasKey = true;
    gPlayerHealth = 0;
    gLightCharge = 100.0f;
    new Battery(1, 25.0f, 0.0f, nullptr, true, true, 30.0f, 30.0f);
    new Key(1, -35.0f, 0.0f, nullptr, true, true);
    auto* door = new TrapDoor(1, 0.0f, 40.0f, nullptr, true, true);
    AI* spider = StandingSpider(0.0f, -30.0f);
    gWorld->Update();
    EXPECT_TRUE(player->Dying());
    EXPECT_FLOAT_EQ(gLightCharge, 100.0f);
    EXPECT_EQ(gWorld->GetLayer(1).size(), 3u) << "battery, key and door stay";
    EXPECT_EQ(door->doorTransition, nullptr);
    EXPECT_NE(spider->state, AIState::Dying);
    EXPECT_FALSE(player->hurt);
}

TEST_F(SpiderTest, InAStoryLevelThePlayerTakesPickUpsOpensTheDoorAndIsBitten) {
    LoadRoom();
    Player* player = MakePlayer(0.0f, 0.0f);
    gLightCharge = 350.0f;
    gPlayerHealth = 100;
    new Battery(1, 25.0f, 0.0f, nullptr, true, true, 30.0f, 30.0f);
    auto* key = new Key(1, -35.0f, 0.0f, nullptr, true, true);
    auto* door = new TrapDoor(1, 0.0f, 40.0f, nullptr, true, true);
    AI* spider = StandingSpider(0.0f, -30.0f);
    gWorld->Update();
    EXPECT_FLOAT_EQ(gLightCharge, 360.0f) << "a battery fills up to the cap only";
    EXPECT_TRUE(gHasKey);
    EXPECT_EQ(gLightManager->FindCaster(key), nullptr);
    EXPECT_EQ(gWorld->GetLayer(1).size(), 1u) << "only the door is left";
    EXPECT_EQ(gWorld->GetLayer(4).size(), 20u) << "the key bursts into sparkles";
    EXPECT_NE(door->doorTransition, nullptr) << "the key was taken before the door was met";
    EXPECT_EQ(gPlayerHealth, 80);
    EXPECT_EQ(spider->state, AIState::Dying);
    EXPECT_TRUE(player->hurt);
    gWorld->Update();
    EXPECT_EQ(gPlayerHealth, 80) << "one bite per spider";
}

} // namespace
