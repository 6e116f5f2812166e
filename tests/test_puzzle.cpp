// The light-beam puzzle: segments, beams against blocks, direction-block
// chains, danger blocks, gate beams, the five layouts and the memory.
#include "GameGlobals.h"
#include "Globals.h"
#include "LightPuzzle.h"
#include "Player.h"
#include "Progress.h"
#include "PuzzleBlocks.h"
#include "PuzzleLayouts.h"
#include "PuzzleManager.h"
#include "TestEnv.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "TransitionBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace {

using moth_test::GameGlobals;

class PuzzleTest : public testing::Test {
  protected:
    void SetUp() override {
        gFrameTime = 1.0f / 60.0f;
        gGridWidth = 21.0f;
        gGridHeight = 16.0f;
        gGameMode = 1;
        gMemoriesCollected = 0;
    }
    void TearDown() override { gMemoriesCollected = 0; }

    // The puzzle's share of a frame, in the World's order: every object's
    // update, the casters follow their objects, then the puzzle manager. The
    // collision manager stays out, so blocks stay where a test puts them.
    void Frame() {
        for (int layer = 0; layer < World::kLayerCount; ++layer) {
            for (GameObject* object : gWorld->GetLayer(layer)) {
                object->Update();
            }
        }
        gLightManager->Update();
        gPuzzleManager->Update();
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }

    PuzzleBox* Box(float x, float y, bool start = false) {
        auto* box = new PuzzleBox(x, y, nullptr);
        box->boxStart = box->boxLit = start;
        return box;
    }
    LightPuzzle* Beam(PuzzleBox* from, PuzzleBox* to, std::size_t segment, bool gate = false) {
        while (gPuzzleManager->segments.size() <= segment) {
            gPuzzleManager->AddSegmentSlot();
        }
        auto* beam = new LightPuzzle(nullptr, nullptr);
        beam->Link(from, to, gate);
        gWorld->Add(3, beam);
        gPuzzleManager->PushBeam(segment, beam);
        return beam;
    }
    std::size_t Count(int layer) const { return gWorld->GetLayer(layer).size(); }

    // The layout's blocks in creation order: direction blocks, then pushable ones.
    std::vector<MovableBlock*> Blocks() const {
        std::vector<MovableBlock*> blocks;
        for (GameObject* object : gWorld->GetLayer(2)) {
            if (auto* block = dynamic_cast<MovableBlock*>(object)) {
                blocks.push_back(block);
            }
        }
        return blocks;
    }
    bool AnyRestartArmed() const {
        for (GameObject* object : gWorld->GetLayer(1)) {
            auto* danger = dynamic_cast<RestartWall*>(object);
            if (danger != nullptr && danger->restartArmed) {
                return true;
            }
        }
        return false;
    }

    GameGlobals globals{GameState::Puzzle1};
};

// ---- Segments and beams ---------------------------------------------------------------------

TEST_F(PuzzleTest, AnEmptySegmentIsLitButAManagerWithoutSegmentsIsNeverSolved) {
    Frame();
    EXPECT_FALSE(gPuzzleManager->solved);
    gPuzzleManager->AddSegmentSlot();
    Frame();
    EXPECT_TRUE(gPuzzleManager->segments[0].lit);
    EXPECT_TRUE(gPuzzleManager->solved);
}

TEST_F(PuzzleTest, ABlockPushedIntoABeamCutsTheLightAndTheBoxPuffsEveryFrame) {
    PuzzleBox* start = Box(-100, 0, true);
    PuzzleBox* goal = Box(100, 0);
    LightPuzzle* beam = Beam(start, goal, 0);
    auto* block = new MovableBlock(0, 100, nullptr);
    Frame();
    ASSERT_TRUE(goal->boxLit);
    EXPECT_TRUE(beam->reached && beam->soundPlayed && beam->textureLit);
    EXPECT_NEAR(beam->exitPoint.x, -75.0f, 1e-3f); // leaves from its box's side
    EXPECT_NEAR(beam->hitDistance, 150.0f, 1e-3f);
    EXPECT_TRUE(gPuzzleManager->solved);

    block->SetPos(0, 0);
    const std::size_t dust = Count(0);
    Frame();
    EXPECT_FALSE(goal->boxLit);
    EXPECT_TRUE(goal->boxBlocked);
    EXPECT_FALSE(beam->reached || beam->soundPlayed || beam->textureLit);
    EXPECT_NEAR(beam->hitDistance, 50.0f, 1e-3f);
    EXPECT_FALSE(gPuzzleManager->solved);
    Frame();
    EXPECT_EQ(Count(0), dust + 2);

    block->SetPos(0, -100);
    Frame();
    EXPECT_TRUE(goal->boxLit && beam->soundPlayed);
    EXPECT_FALSE(goal->boxBlocked);
}

TEST_F(PuzzleTest, ABeamFromAnUnlitBoxIsADarkStubAndDarkensWhatItLit) {
    PuzzleBox* start = Box(-200, 0, true);
    PuzzleBox* middle = Box(0, 0);
    PuzzleBox* goal = Box(200, 0);
    Beam(start, middle, 0);
    LightPuzzle* second = Beam(middle, goal, 0);
    Frame();
    ASSERT_TRUE(goal->boxLit);
    auto* block = new MovableBlock(-100, 0, nullptr);
    (void)block;
    Frame();
    EXPECT_FALSE(second->active || second->reached || goal->boxLit);
    EXPECT_EQ(second->tintColor.g, 0.0f); // red
    EXPECT_NEAR(second->hitDistance, 25.0f, 1e-3f);
}

// ---- Direction blocks -----------------------------------------------------------------------

TEST_F(PuzzleTest, ADirectionBlockLightsUpInTheSameFrameAndItsBeamLeavesFromItsEdge) {
    PuzzleBox* start = Box(-200, 0, true);
    PuzzleBox* goal = Box(200, 0);
    Beam(start, goal, 0);
    auto* block = new DirectionBlock(0, 0, DirectionBlock::kUp, goal);
    Frame();
    EXPECT_TRUE(block->dirLit && block->beam->active);
    EXPECT_NEAR(block->beam->exitPoint.x, 0.0f, 1e-3f);
    EXPECT_NEAR(block->beam->exitPoint.y, 25.0f, 1e-3f);
    EXPECT_FLOAT_EQ(block->beam->hitDistance, 1050.0f); // nothing above: full reach
    EXPECT_FALSE(goal->boxLit);
    EXPECT_TRUE(goal->boxBlocked);
}

class ChainTest : public PuzzleTest {
  protected:
    // Light from B1 to B2 runs into a pushable block; three direction blocks
    // lead it up, across and down onto B2 instead.
    void SetUp() override {
        PuzzleTest::SetUp();
        start = Box(-200, 0, true);
        goal = Box(200, 0);
        beam = Beam(start, goal, 0);
        new MovableBlock(100, 0, nullptr);
        up = new DirectionBlock(0, 0, DirectionBlock::kUp, goal);
        right = new DirectionBlock(0, 150, DirectionBlock::kRight, goal);
        down = new DirectionBlock(200, 150, DirectionBlock::kDown, goal);
    }

    PuzzleBox* start = nullptr;
    PuzzleBox* goal = nullptr;
    LightPuzzle* beam = nullptr;
    DirectionBlock* up = nullptr;
    DirectionBlock* right = nullptr;
    DirectionBlock* down = nullptr;
};

TEST_F(ChainTest, AChainDeliversTheLightAndStopsWhenAMiddleBlockMoves) {
    Frame();
    EXPECT_TRUE(beam->forcedHit && beam->reached);
    EXPECT_TRUE(goal->boxLit && gPuzzleManager->solved);
    EXPECT_TRUE(up->dirLit && right->dirLit && down->dirLit);

    right->SetPos(-150, 300);
    Frames(2);
    EXPECT_FALSE(beam->forcedHit || beam->reached || goal->boxLit);
    EXPECT_FALSE(down->dirLit);
    EXPECT_TRUE(goal->boxBlocked);
}

TEST_F(ChainTest, PushingTheFirstBlockAsideLeavesTheBoxDark) {
    Frame();
    ASSERT_TRUE(goal->boxLit);
    up->SetPos(0, -200);
    Frames(2);
    EXPECT_FALSE(beam->forcedHit || beam->reached || goal->boxLit);
}

// ---- Danger blocks and gates --------------------------------------------------------------

TEST_F(PuzzleTest, ABeamOnADangerBlockArmsItsRestartEvenThoughItLightsNothing) {
    PuzzleBox* start = Box(-200, 0, true);
    PuzzleBox* goal = Box(200, 0);
    LightPuzzle* beam = Beam(start, goal, 0);
    auto* danger = new RestartWall(1, 0, 0, nullptr, true, true);
    Frame();
    EXPECT_TRUE(danger->restartArmed);
    EXPECT_FALSE(beam->reached || goal->boxLit);
}

TEST_F(PuzzleTest, ADangerBlockCountsDownOnceThenRestartsTheLevel) {
    PuzzleBox* start = Box(-200, 0, true);
    Beam(start, Box(200, 0), 0);
    auto* danger = new RestartWall(1, 0, 0, nullptr, true, true);
    Frame();
    ASSERT_EQ(Count(6), 1u);
    TransitionBox* picture = danger->restartBox;
    ASSERT_NE(picture, nullptr);
    Frames(90); // one second of fade in, then the countdown runs
    EXPECT_EQ(Count(6), 1u);
    EXPECT_EQ(danger->restartBox, picture);
    EXPECT_LT(danger->countdown, 3.9f);
    EXPECT_EQ(picture->style, TransitionStyle::Hold);

    Frames(200);
    EXPECT_EQ(gGameStateManager->next, GameState::Restart);
    EXPECT_TRUE(gWorld->IsMarkedForRemoval(picture));
    EXPECT_FALSE(danger->restartArmed);
    EXPECT_FLOAT_EQ(danger->countdown, 4.0f);
    Frame(); // the beam still hits it, but the restart is already on its way
    EXPECT_EQ(danger->restartBox, nullptr);
    EXPECT_EQ(Count(6), 1u);
}

TEST_F(PuzzleTest, TwoDangerBlocksArmedInTurnLeaveTheRestartedPlayerFree) {
    PuzzleBox* start = Box(-200, 0, true);
    Beam(start, Box(200, 0), 0);
    new RestartWall(1, 0, 0, nullptr, true, true);
    Frames(30);
    Beam(start, Box(-200, 200), 0); // a second beam, on a second danger block
    auto* later = new RestartWall(1, -200, 100, nullptr, true, true);
    Frame();
    ASSERT_TRUE(later->restartArmed);
    int frames = 0;
    while (gGameStateManager->next != GameState::Restart && ++frames < 400) {
        Frame();
    }
    ASSERT_EQ(gGameStateManager->next, GameState::Restart);
    ASSERT_TRUE(later->restartArmed); // its countdown picture is still up

    gWorld->Free(); // the restart: the danger blocks go, and their pictures with them
    EXPECT_EQ(Count(6), 0u);
    Player* player = MakePlayer(0.0f, -200.0f);
    Frame();
    EXPECT_TRUE(player->CanMove());
}

TEST_F(PuzzleTest, AGateBeamLightsItsBoxOnlyWhenTheWholeSegmentBeforeItIsLit) {
    PuzzleBox* start = Box(-200, -100, true);
    PuzzleBox* side = Box(-200, 100);
    PuzzleBox* middle = Box(0, -100);
    PuzzleBox* gate = Box(200, 0);
    PuzzleBox* goal = Box(200, 200);
    Beam(start, middle, 0);
    LightPuzzle* gateBeam = Beam(middle, gate, 0, true);
    Beam(start, side, 0);
    LightPuzzle* last = Beam(gate, goal, 1);
    auto* block = new MovableBlock(-200, 0, nullptr); // cuts start -> side
    Frame();
    EXPECT_TRUE(gateBeam->reached);
    EXPECT_FALSE(gate->boxLit || last->active || goal->boxLit);

    block->SetPos(-300, 0);
    Frame();
    EXPECT_TRUE(gate->boxLit && last->reached && goal->boxLit);
    EXPECT_TRUE(gPuzzleManager->solved);
}

// ---- Layouts ----------------------------------------------------------------------------

// Where each layout's blocks stand once solved, in creation order (direction
// blocks first); every other block stays put.
struct Solution {
    int puzzle;
    std::vector<TarnVec2> blocks;
};

const TarnVec2 kStay{NAN, NAN};

const std::vector<Solution>& Solutions() {
    static const std::vector<Solution> kSolutions{
        {1, {{220, -175}, {50, -170}, {-150, -80}, {-50, 270}}},
        {2,
         {{-297, -197},
          {-298, 123},
          {-203, 120},
          {100, -13},
          {100, 107},
          {180, 170},
          {100, 307},
          kStay,
          {187, -130}}},
        {3, {{150, -95}, {330, -95}, {330, 210}, {-100, 40}, {-50, 135}, {290, -20}}},
        {4,
         {{177, -13},
          {-283, -13},
          {-150, 170},
          {-133, 303},
          {277, 300},
          {267, 70},
          kStay,
          kStay,
          {-397, 30}}},
        {5,
         {{260, 90},
          {400, 90},
          {400, -150},
          {-420, -270},
          {-420, 100},
          {-200, 100},
          kStay,
          {-45, 35},
          kStay,
          kStay,
          {70, -118},
          {50, 185}}},
    };
    return kSolutions;
}

class LayoutTest : public PuzzleTest {
  protected:
    void Build(int puzzle) {
        gPuzzleManager->AddSegmentSlot();
        gPuzzleManager->AddSegmentSlot();
        if (puzzle == 2) {
            gPuzzleManager->AddSegmentSlot();
        }
        BuildPuzzle(*PuzzleLayoutFor(puzzle));
    }
    void Place(const std::vector<TarnVec2>& positions) {
        std::vector<MovableBlock*> blocks = Blocks();
        ASSERT_EQ(blocks.size(), positions.size());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (!std::isnan(positions[i].x)) {
                blocks[i]->SetPos(positions[i]);
            }
        }
    }
};

TEST_F(LayoutTest, EveryPuzzleStartsUnsolvedAndIsSolvedWithItsBlocksMoved) {
    for (const Solution& solution : Solutions()) {
        SCOPED_TRACE(solution.puzzle);
        gWorld->Free();
        Build(solution.puzzle);
        Frames(2);
        EXPECT_FALSE(gPuzzleManager->solved);
        Place(solution.blocks);
        Frames(3);
        EXPECT_TRUE(gPuzzleManager->solved);
        EXPECT_FALSE(AnyRestartArmed());
    }
}

TEST_F(LayoutTest, Puzzle1NeedsBothWaysOutOfB3) {
    Build(1);
    Place(Solutions()[0].blocks);
    Frames(2);
    ASSERT_TRUE(gPuzzleManager->solved);
    std::vector<MovableBlock*> blocks = Blocks();
    blocks[0]->SetPos(150, -25); // between B3 and B8
    Frames(2);
    EXPECT_FALSE(gPuzzleManager->solved);
    blocks[0]->SetPos(220, -175);
    blocks[2]->SetPos(-150, 0); // back between B4 and B5
    Frames(2);
    EXPECT_FALSE(gPuzzleManager->solved);
}

TEST_F(LayoutTest, EveryLayoutPutsItsMemoryInTheSameCorner) {
    for (int puzzle = 1; puzzle <= 5; ++puzzle) {
        gWorld->Free();
        Build(puzzle);
        EXPECT_FLOAT_EQ(gPuzzleManager->memoryPosition.x, -350.0f);
        EXPECT_FLOAT_EQ(gPuzzleManager->memoryPosition.y, -300.0f);
    }
    EXPECT_EQ(PuzzleLayoutFor(0), nullptr);
    EXPECT_EQ(PuzzleLayoutFor(6), nullptr);
}

// ---- The memory -------------------------------------------------------------------------

TEST_F(PuzzleTest, TheFifthMemoryWinsAfterOneSecondWithoutATransition) {
    moth_test::TempDir folder;
    const std::string progress = (folder.Path() / "progress.txt").string();
    UseProgressFile(progress);
    RecordMemories(4);
    PuzzleBox* start = Box(-100, 0, true);
    Beam(start, Box(100, 0), 0);
    gPuzzleManager->SetMemoryPosition(-350, -300);
    gMemoriesCollected = 4;
    Frame();
    Memory* memory = gPuzzleManager->memory;
    ASSERT_NE(memory, nullptr);
    EXPECT_FLOAT_EQ(memory->GetPos().x, -350.0f);
    const std::size_t sparkles = Count(4);
    Frame();
    EXPECT_EQ(Count(4), sparkles + 1);

    gPuzzleManager->CollectMemory();
    Frame();
    EXPECT_EQ(gMemoriesCollected, 5);
    EXPECT_EQ(gPuzzleManager->memory, nullptr);
    EXPECT_TRUE(gWorld->IsMarkedForRemoval(memory));
    Frames(58);
    EXPECT_NE(gGameStateManager->next, GameState::Win);
    Frames(3);
    EXPECT_EQ(gGameStateManager->next, GameState::Win);
    EXPECT_EQ(gMemoryTransition, nullptr);
    EXPECT_EQ(Count(6), 0u);
    EXPECT_EQ(gMemoriesCollected, 5); // counted once
    EXPECT_FALSE(std::filesystem::exists(progress)) << "the finished game is no longer kept";
    UseProgressFile("");
}

TEST_F(PuzzleTest, AnEarlierMemoryIsKeptAndLeadsOnToTheNextStoryLevel) {
    moth_test::TempDir folder;
    UseProgressFile((folder.Path() / "progress.txt").string());
    PuzzleBox* start = Box(-100, 0, true);
    Beam(start, Box(100, 0), 0);
    gMemoriesCollected = 1;
    Frame();
    gPuzzleManager->CollectMemory();
    Frames(61);
    UseProgressFile((folder.Path() / "progress.txt").string()); // as the next start reads it
    EXPECT_EQ(SavedMemories(), 2);
    UseProgressFile("");
    ASSERT_NE(gMemoryTransition, nullptr);
    EXPECT_EQ(Count(6), 1u);
    Frames(26); // the picture grows to the full window
    EXPECT_EQ(gGameStateManager->next, GameState::Level3);
    EXPECT_EQ(gGameStateManager->retryState, GameState::Level3);
    EXPECT_EQ(Count(6), 1u); // one transition only
}

} // namespace
