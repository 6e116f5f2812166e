// Transitions: grow and shrink timing, delayed fades, the intro picture
// handing over to the four tips, the puzzle instructions' click, and watched
// pointers cleared when a box goes.
#include "Globals.h"
#include "Player.h"
#include "TransitionBox.h"
#include "WidgetKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr float kStep = 1.0f / 60.0f;

class TransitionTest : public testing::Test {
  protected:
    explicit TransitionTest(GameStateId state = GameState::Level1) : globals(state) {}
    void SetUp() override {
        moth_test::WithoutStateScripts(globals.Get<GameStateManager>());
        world.Load("NoSuchState"); // only makes the camera
        gFrameTime = kStep;
        gGameMode = 0;
    }
    // Updates until the box reports done; the number of updates it took.
    static int UpdatesUntilDone(TransitionBox& box, int limit = 1000) {
        for (int update = 1; update <= limit; ++update) {
            box.Update();
            if (box.done) {
                return update;
            }
        }
        return -1;
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
};

TEST_F(TransitionTest, GrowAndShrinkTakeTwentyFiveStepsAndSnap) {
    TransitionBox* box = new TransitionBox();
    EXPECT_FLOAT_EQ(box->GetScale().x, 10.0f);
    EXPECT_FLOAT_EQ(box->growStep.x, 40.96f);
    // 10 + 25 x 40.96 = 1034 is past the window, so the 26th update snaps.
    EXPECT_EQ(UpdatesUntilDone(*box), 26);
    EXPECT_FLOAT_EQ(box->GetScale().x, 1024.0f);
    EXPECT_FLOAT_EQ(box->GetScale().y, 768.0f);
    EXPECT_FALSE(world.IsMarkedForRemoval(box)); // a grow waits for its owner

    box->done = false;
    box->style = TransitionStyle::Shrink;
    EXPECT_EQ(UpdatesUntilDone(*box), 26);
    EXPECT_FLOAT_EQ(box->GetScale().x, 10.0f);
    EXPECT_TRUE(world.IsMarkedForRemoval(box));
}

TEST_F(TransitionTest, ADelayedFadeWaitsThenTakesASecond) {
    TransitionBox* box = new TransitionBox();
    box->style = TransitionStyle::FadeOut;
    box->delay = 0.5f;
    for (int update = 0; update < 30; ++update) {
        box->Update();
    }
    EXPECT_FLOAT_EQ(box->GetTransparency(), 1.0f);
    const int fade = UpdatesUntilDone(*box);
    EXPECT_GE(fade, 59);
    EXPECT_LE(fade, 61);
    EXPECT_FALSE(world.IsMarkedForRemoval(box));
}

TEST_F(TransitionTest, BoxesHoldThePlayerUntilTheyHaveFaded) {
    Player* player = new Player();
    world.Add(2, player);
    world.SetPlayer(player);
    TransitionBox* grow = new TransitionBox();
    grow->Update();
    EXPECT_FALSE(player->canMove);
    UpdatesUntilDone(*grow);
    grow->Update();
    EXPECT_FALSE(player->canMove); // a grow leaves the player to its owner

    TransitionBox* fade = new TransitionBox();
    fade->style = TransitionStyle::FadeOut;
    fade->Update();
    EXPECT_FALSE(player->canMove);
    UpdatesUntilDone(*fade);
    EXPECT_TRUE(player->canMove);

    // Tips never hold the player, even while a tip fades in.
    TipsBox* tips = new TipsBox(4);
    tips->SetTransparency(0.0f);
    tips->style = TransitionStyle::FadeIn;
    player->canMove = false;
    tips->Update();
    EXPECT_TRUE(player->canMove);
}

// A screen's own pointer to its picture, watched like the game's globals.
TransitionBox* gScreenPicture = nullptr;

TEST_F(TransitionTest, AGoneBoxClearsEveryWatchedPointer) {
    world.WatchPointer(&gScreenPicture);
    world.WatchPointer(&gScreenPicture); // once is enough
    gMemoryTransition = new TransitionBox();
    gScreenPicture = new TransitionBox();
    TransitionBox* survivor = new TransitionBox();

    world.Destroy(6, gMemoryTransition);
    world.Destroy(6, gScreenPicture);
    moth_test::ApplyRemovals(world);
    EXPECT_EQ(gMemoryTransition, nullptr);
    EXPECT_EQ(gScreenPicture, nullptr);

    // An unwatched slot is left alone.
    world.UnwatchPointer(&gScreenPicture);
    gScreenPicture = survivor;
    world.Destroy(6, survivor);
    moth_test::ApplyRemovals(world);
    EXPECT_EQ(gScreenPicture, survivor);
    gScreenPicture = nullptr;
}

// ---- The intro picture and the tips -----------------------------------------------------------

class TipsTest : public TransitionTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        TransitionTest::SetUp();
        moth_test::UseFixedFrameTime(kStep);
    }
    void TearDown() override { moth_test::UseFixedFrameTime(0.0); }
    // One frame as the game runs it.
    void Frame() { moth_test::RunFrame(world); }
    TipsBox* Tips() const {
        for (GameObject* object : world.GetLayer(4)) {
            if (auto* tips = dynamic_cast<TipsBox*>(object)) {
                return tips;
            }
        }
        return nullptr;
    }
    TarnGfxTexture* Picture(const char* name) const { return gAssetManager->GetTexture(name); }

    moth_test::PictureAssets pictures{globals,
                                      {"tips1.png", "tips2.png", "tips3.png", "tips4.png"}};
};

TEST_F(TipsTest, FourTipsFollowTheIntroInTurnThenGo) {
    CreateIntroPicture("level1_transition.png");
    std::vector<TarnGfxTexture*> shown;
    int lastFrameWithTips = 0;
    for (int frame = 1; frame <= 1200; ++frame) {
        Frame();
        if (TipsBox* tips = Tips()) {
            if (shown.empty() || shown.back() != tips->GetTexture()) {
                shown.push_back(tips->GetTexture());
            }
            lastFrameWithTips = frame;
        }
    }
    const std::vector<TarnGfxTexture*> expected = {Picture("tips1.png"), Picture("tips2.png"),
                                                   Picture("tips3.png"), Picture("tips4.png")};
    EXPECT_EQ(shown, expected);
    // Half a second's wait and a second's fade, then four tips of a little over four
    // seconds each (a frame or two passes between the steps of each tip).
    EXPECT_NEAR(lastFrameWithTips, 90 + 4 * 240, 30);
    EXPECT_TRUE(world.GetLayer(6).empty()); // the intro went when it had faded
}

TEST_F(TipsTest, NoTipsOutsideAStoryLevel) {
    gGameMode = 1;
    CreateIntroPicture("level1_transition.png");
    for (int frame = 0; frame < 150; ++frame) {
        Frame();
    }
    EXPECT_EQ(Tips(), nullptr);
    EXPECT_TRUE(world.GetLayer(6).empty());
}

// ---- The puzzle instructions --------------------------------------------------------------------

class InstructionTest : public TransitionTest {
  protected:
    InstructionTest() : TransitionTest(GameState::Puzzle1) {}
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        TransitionTest::SetUp();
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
        moth_test::NextInputFrame();
    }
    void TearDown() override {
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
    }
    // One frame with the left button held or not.
    void Frame(bool buttonDown) {
        moth_test::SetLeftButton(buttonDown);
        moth_test::NextInputFrame();
        box->Update();
    }

    moth_test::PictureAssets pictures{globals, {"i_puzzle1.png", "i_puzzle1_1.png"}};
    InstructionBox* box = nullptr;
};

TEST_F(InstructionTest, AlternatesItsPicturesUntilAClickFadesItOut) {
    box = CreatePuzzleInstructions();
    std::vector<TarnGfxTexture*> seen;
    for (int frame = 0; frame < 200; ++frame) {
        Frame(false);
        if (frame == 30 || frame == 90 || frame == 150) {
            seen.push_back(box->GetTexture());
        }
    }
    TarnGfxTexture* first = gAssetManager->GetTexture("i_puzzle1.png");
    TarnGfxTexture* second = gAssetManager->GetTexture("i_puzzle1_1.png");
    EXPECT_EQ(seen, (std::vector<TarnGfxTexture*>{first, second, first}));
    EXPECT_FLOAT_EQ(box->GetTransparency(), 1.0f); // held, however long

    Frame(true);
    EXPECT_EQ(box->style, TransitionStyle::FadeOut);
    for (int frame = 0; frame < 30; ++frame) {
        Frame(false);
    }
    // A second click mid-fade starts the fade state again from where it is.
    const float midFade = box->GetTransparency();
    Frame(true);
    EXPECT_FALSE(box->done);
    EXPECT_NEAR(box->GetTransparency(), midFade - kStep, 1e-4f);
    int frames = 0;
    while (!world.IsMarkedForRemoval(box) && frames < 100) {
        Frame(false);
        ++frames;
    }
    EXPECT_NEAR(frames, 30, 2);
}

} // namespace
