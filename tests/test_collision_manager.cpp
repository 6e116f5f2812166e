// Collision manager: the swept rectangle test, grid flags and snapping, walls
// that stop a walking player, pick-ups and bites in story levels, pushing
// blocks and the screen edge in the puzzle rooms, and no record left pointing
// at a deleted collider.
#include "AIManager.h"
#include "CollisionManager.h"
#include "Cursor.h"
#include "GameGlobals.h"
#include "Globals.h"
#include "LevelData.h"
#include "LevelMap.h"
#include "Player.h"
#include "PuzzleBlocks.h"
#include "PuzzleManager.h"
#include "TarnGraphics.h"
#include "TarnSystem.h"
#include "TestEnv.h"
#include "Tilemap.h"
#include "World.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Mover : public ActiveObject {
  public:
    Mover(float x, float y, float size) : ActiveObject(2, x, y, nullptr, true, false, size, size) {}
    void Init() override {}
    void Update() override {}
};

class Block : public PushableBlock {
  public:
    Block(float x, float y) : PushableBlock(2, x, y, nullptr, true, false, 50.0f, 50.0f) {}
    void Init() override {}
    void Update() override {}
};

// A 5 x 5 room: a ring of wall around 3 x 3 floor cells. Cell (c, r) has its
// centre at ((c - 2) x 50, (r - 2) x 50); the right wall starts at x = 75.
const std::vector<std::string> kRoom = {"#####", "#...#", "#...#", "#...#", "#####"};

class CollisionTest : public testing::Test {
  protected:
    void SetUp() override {
        gFrameTime = 1.0f / 60.0f;
        moth_test::LoadLevelMap(kRoom);
    }
    void TearDown() override {
        gGridWidth = gGridHeight = 31.0f;
        gGameMode = 0;
        gHasKey = false;
        gPlayerHealth = 100;
        gTarnWinMinX = savedWindow[0];
        gTarnWinMaxX = savedWindow[1];
        gTarnWinMinY = savedWindow[2];
        gTarnWinMaxY = savedWindow[3];
    }

    // A player at (x, y), registered and in the World.
    Player* NewPlayer(float x, float y) { return MakePlayer(x, y); }

    // Enters a puzzle room: direction tests and the edges of a 1024 x 768
    // window centred on the origin apply.
    void EnterPuzzle() {
        states.current = GameState::Puzzle1;
        gGameMode = 1;
        gTarnWinMinX = -512.0f;
        gTarnWinMaxX = 512.0f;
        gTarnWinMinY = -384.0f;
        gTarnWinMaxY = 384.0f;
    }

    bool CentreInSolidCell(const StaticObject& object) const {
        const int column = static_cast<int>(object.GetPos().x / 50.0f + 2.5f);
        const int row = static_cast<int>(object.GetPos().y / 50.0f + 2.5f);
        return collisions.CellAt(column, row) != 0;
    }

    const float savedWindow[4] = {gTarnWinMinX, gTarnWinMaxX, gTarnWinMinY, gTarnWinMaxY};
    moth_test::GameGlobals globals{GameState::Level1};
    World& world = globals.Get<World>();
    CollisionManager& collisions = globals.Get<CollisionManager>();
    LevelData& level = globals.Get<LevelData>();
    GameStateManager& states = globals.Get<GameStateManager>(); // starts in Level1
};

// ---- The swept test ---------------------------------------------------------------------------

TEST_F(CollisionTest, SweptTestFindsTouchMissAndTheTimeOfFirstContact) {
    gFrameTime = 0.1f;
    struct Case {
        const char* name;
        float otherX, otherY, otherVx; // a 10 x 10 box
        float moverVx, moverVy;        // a 10 x 10 box at the origin
        bool hit;
        float time;
    };
    const Case cases[] = {
        {"touching edges overlap", 10, 0, 0, 0, 0, true, 0.0f},
        {"gap too wide for one frame", 30, 0, 0, 100, 0, false, 0},
        {"gap closed exactly at frame end", 20, 0, 0, 100, 0, true, 0.1f},
        {"half a frame away", 15, 0, 0, 100, 0, true, 0.05f},
        {"moving away", 15, 0, 0, -100, 0, false, 0},
        {"half a frame away to the left", -15, 0, 0, -100, 0, true, 0.05f},
        {"passing alongside", 15, 20, 0, 100, 0, false, 0},
        {"diagonal onto the corner", 15, 15, 0, 100, 100, true, 0.05f},
        {"both moving together", 15, 0, 100, 100, 0, false, 0},
        {"closing from both sides", 25, 0, -100, 100, 0, true, 0.075f},
    };
    for (const Case& c : cases) {
        auto* other = new Mover(c.otherX, c.otherY, 10.0f); // the World owns both
        auto* mover = new Mover(0.0f, 0.0f, 10.0f);
        other->velocity = TarnVec2{c.otherVx, 0.0f};
        mover->velocity = TarnVec2{c.moverVx, c.moverVy};
        collisions.timeOfImpact = -1.0f;
        EXPECT_EQ(collisions.SweptRectTest(*collisions.Find(other), *collisions.Find(mover)), c.hit)
            << c.name;
        if (c.hit) {
            EXPECT_NEAR(collisions.timeOfImpact, c.time, 1e-6) << c.name;
        }
        world.Free();
    }
}

// ---- The grid -----------------------------------------------------------------------------------

TEST_F(CollisionTest, GridFlagsOnlyTheSideThatMeetsAWallAndSnapsBackOneUnitClear) {
    Player* player = NewPlayer(62.0f, 0.0f); // right edge at 77, two units into the wall
    Collider& collider = *collisions.playerCollider;
    collisions.TileContacts(collider);
    EXPECT_EQ(collider.tileFlags, kTileRight);
    collisions.SnapToTiles(collider);
    EXPECT_FLOAT_EQ(player->GetPos().x, 59.0f);
    EXPECT_FLOAT_EQ(player->GetPos().y, 0.0f);

    // Against the top wall only: the probes stay clear of the corner, so the
    // wall above does not count as one to the right.
    player->SetPos(59.0f, 62.0f);
    collisions.TileContacts(collider);
    EXPECT_EQ(collider.tileFlags, kTileTop);
    collisions.SnapToTiles(collider);
    EXPECT_FLOAT_EQ(player->GetPos().x, 59.0f);
    EXPECT_FLOAT_EQ(player->GetPos().y, 59.0f);

    player->SetPos(0.0f, 0.0f);
    collisions.TileContacts(collider);
    EXPECT_EQ(collider.tileFlags, 0);
}

TEST_F(CollisionTest, APlayerWalkingIntoAWallStopsAndNeverStandsInIt) {
    Player* player = NewPlayer(0.0f, 0.0f);
    for (int frame = 0; frame < 60; ++frame) {
        player->velocity = TarnVec2{200.0f, 0.0f};
        collisions.Update();
        ASSERT_FALSE(CentreInSolidCell(*player)) << frame;
        ASSERT_LT(player->GetPos().x + 15.0f, 75.0f) << frame; // resolved bounds clear the wall
        player->Draw();                                        // integrates
    }
    collisions.Update();
    EXPECT_FLOAT_EQ(player->GetPos().x, 59.0f);
}

// ---- Story levels: pick-ups and bites --------------------------------------------------------

TEST_F(CollisionTest, TouchingAKeyTakesItAndStopsThePlayer) {
    Player* player = NewPlayer(0.0f, 0.0f);
    auto* key = new Key(1, 27.0f, 0.0f, nullptr, true, true, 20.0f, 20.0f); // two units ahead
    player->velocity = TarnVec2{200.0f, 0.0f};
    collisions.Update();
    EXPECT_TRUE(gHasKey);
    EXPECT_TRUE(world.IsMarkedForRemoval(key));
    EXPECT_EQ(collisions.pendingRemovals.count(collisions.Find(key)), 1u);
    EXPECT_EQ(world.GetLayer(4).size(), 20u);    // the spark burst
    EXPECT_NEAR(player->velocity.x, 2.0f, 1e-4); // only up to the key this frame
}

TEST_F(CollisionTest, MemoryIsCollectedAndASpiderBitesOnceThenLetsGo) {
    Player* player = NewPlayer(0.0f, 0.0f);
    new Memory(1, 0.0f, 30.0f, nullptr, true);    // touching from above
    auto* spider = new Mover(30.0f, 0.0f, 30.0f); // touching on the right
    globals.Get<AIManager>().AddSpider(spider);
    player->velocity = TarnVec2{200.0f, 0.0f};
    spider->velocity = TarnVec2{-50.0f, 0.0f};
    collisions.Update();
    EXPECT_TRUE(globals.Get<PuzzleManager>().collected);
    EXPECT_EQ(gPlayerHealth, 80);
    EXPECT_TRUE(player->hurt);
    EXPECT_FLOAT_EQ(player->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(spider->velocity.x, 0.0f);

    collisions.FlushRemovals(); // the spider's collider goes: no second bite
    player->velocity = TarnVec2{200.0f, 0.0f};
    collisions.Update();
    EXPECT_EQ(gPlayerHealth, 80);
}

// ---- Puzzle rooms: pushing and the screen edge --------------------------------------------------

TEST_F(CollisionTest, ABlockAgainstAWallHoldsOnlyWhileThePushGoesStraightIntoIt) {
    EnterPuzzle();
    auto* block = new Block(50.0f, 0.0f); // against the right wall
    Player* player = NewPlayer(8.0f, 0.0f);
    player->velocity = TarnVec2{200.0f, 0.0f};
    collisions.Update();
    EXPECT_FLOAT_EQ(block->GetPos().x, 49.0f); // snapped off the wall
    EXPECT_TRUE(block->pushed);
    EXPECT_EQ(block->blockFlags, kTileRight);
    EXPECT_FLOAT_EQ(block->velocity.x, 0.0f);
    EXPECT_LT(player->velocity.x, 200.0f); // the player is held too

    // From below, the wall beside it no longer matters: the block goes along.
    player->SetPos(49.0f, -41.0f);
    player->velocity = TarnVec2{0.0f, 200.0f};
    collisions.Update();
    EXPECT_EQ(block->blockFlags, 0);
    EXPECT_FLOAT_EQ(block->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(block->velocity.y, 200.0f);
    EXPECT_FLOAT_EQ(player->velocity.y, 200.0f);
}

TEST_F(CollisionTest, ABlockLetsGoOfItsBlockerWhenTheBlockerGoes) {
    EnterPuzzle();
    auto* block = new Block(-20.0f, 0.0f);
    auto* stone = new Key(1, 16.0f, 0.0f, nullptr, true, false, 20.0f, 20.0f); // 1 unit ahead
    block->velocity = TarnVec2{200.0f, 0.0f};
    collisions.Update();
    ASSERT_EQ(block->blockedBy, collisions.Find(stone));
    collisions.Unregister(stone);
    collisions.FlushRemovals();
    EXPECT_EQ(block->blockedBy, nullptr);
}

TEST_F(CollisionTest, AFifthOfASecondFramePushesNoBlockIntoTheWall) {
    EnterPuzzle();
    auto* block = new MovableBlock(0.0f, 0.0f, nullptr); // the right wall starts at x = 75
    Player* player = NewPlayer(-40.0f, 0.0f);
    TarnFrameRateControllerSetFixedFrameTime(0.2); // a stall, a window drag
    for (int frame = 0; frame < 12; ++frame) {
        TarnFrameRateControllerStart();
        TarnFrameRateControllerEnd();
        UpdateCursor(); // the frame time the game sees
        block->Update();
        player->SetPos(block->GetPos().x - 40.0f, 0.0f); // right behind it
        player->velocity = TarnVec2{200.0f, 0.0f};
        collisions.Update();
        EXPECT_FALSE(CentreInSolidCell(*block)) << frame;
        EXPECT_LE(block->GetPos().x, 50.0f) << frame; // its right side at the wall at most
    }
    TarnFrameRateControllerSetFixedFrameTime(0.0);
}

TEST_F(CollisionTest, InAPuzzleRoomThePlayerKeepsToTheScreenNotToTheGrid) {
    EnterPuzzle();
    Player* player = NewPlayer(505.0f, -380.0f);
    player->velocity = TarnVec2{200.0f, 0.0f};
    collisions.Update();
    EXPECT_FLOAT_EQ(player->GetPos().x, 497.0f);
    EXPECT_FLOAT_EQ(player->GetPos().y, -369.0f);
    EXPECT_FLOAT_EQ(player->velocity.x, 0.0f);

    player->SetPos(100.0f, 0.0f); // on the grid's wall ring, yet not pushed out
    collisions.Update();
    EXPECT_FLOAT_EQ(player->GetPos().x, 100.0f);
}

} // namespace
