// The logo, lose and win screens: skip keys, the four-second logo, clicks
// ignored until a picture has grown, the way out after the fade, and the win
// screen's four emitters on every visit; the menu room's doors into a saved
// or a new game.
#include "CollisionManager.h"
#include "CustomLevel.h"
#include "Globals.h"
#include "Hud.h"
#include "LevelData.h"
#include "Light.h"
#include "LightBox.h"
#include "Particle.h"
#include "Pickups.h"
#include "PictureScreens.h"
#include "Progress.h"
#include "StateCallbacks.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "TransitionBox.h"
#include "WidgetKit.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

class ScreenTest : public testing::Test {
  protected:
    explicit ScreenTest(GameStateId state) : globals(state) {}
    ~ScreenTest() override { moth_test::UseFixedFrameTime(0.0); }

    // Enters the state as the main loop does: load, then init.
    void Enter() {
        world.Load(states.stateName);
        world.Init();
    }
    // One frame of the state as the game runs it (the World's update: the
    // state's script, every object, the managers, the deferred removals),
    // 1/60 s long as the playtest driver's fixed step makes it.
    void Step(bool click = false) {
        moth_test::UseFixedFrameTime(1.0 / 60.0);
        moth_test::SetLeftButton(click);
        moth_test::RunFrame(world);
    }
    // A frame with Esc pressed, then one with it let go.
    void PressEscape() {
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event escape{};
            escape.type = type;
            escape.key.keysym.sym = SDLK_ESCAPE;
            SDL_PushEvent(&escape);
            Step();
        }
    }
    int StepsUntilLeaving(int limit) {
        for (int step = 1; step <= limit; ++step) {
            Step();
            if (states.next != states.current) {
                return step;
            }
        }
        return -1;
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
    GameStateManager& states = globals.Get<GameStateManager>();
};

class LogoTest : public ScreenTest {
  protected:
    LogoTest() : ScreenTest(GameState::Logo) {}
};

TEST_F(LogoTest, WaitingTakesAboutFourSecondsAndTheMenuTurnsTileCollisionBackOn) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    Enter();
    EXPECT_FALSE(gCollisionManager->tileCollisionOn);
    int steps = StepsUntilLeaving(400);
    EXPECT_GE(steps, 235);
    EXPECT_LE(steps, 250);
    EXPECT_EQ(states.next, GameState::Menu);
    EXPECT_EQ(gLogoBox, nullptr);
    MenuLoad();
    EXPECT_TRUE(gCollisionManager->tileCollisionOn);
}

TEST_F(LogoTest, SpaceSkipsAtOnceAndTheBoxGoes) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    Enter();
    Step();
    TransitionBox* box = gLogoBox;
    SDL_Event space{};
    space.type = SDL_KEYDOWN;
    space.key.keysym.sym = SDLK_SPACE;
    space.key.state = SDL_PRESSED;
    SDL_PushEvent(&space);
    Step();
    EXPECT_EQ(states.next, GameState::Menu);
    EXPECT_EQ(gLogoBox, nullptr);
    EXPECT_TRUE(gCollisionManager->tileCollisionOn);
    EXPECT_FALSE(world.GetLayer(6).size() > 0 && world.GetLayer(6).front() == box);
    space.type = SDL_KEYUP;
    SDL_PushEvent(&space);
    Step();
}

class LoseTest : public ScreenTest {
  protected:
    LoseTest() : ScreenTest(GameState::Lose) {}
};

TEST_F(LoseTest, ClicksWaitForTheGrownPictureThenFadeToTheRetry) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    states.retryState = GameState::Level3;
    Enter();
    Step(true); // a click while the picture still grows does nothing
    Step(false);
    EXPECT_EQ(gLoseFade, nullptr);
    for (int i = 0; i < 30; ++i) {
        Step();
    }
    ASSERT_TRUE(gLoseScreen->done);
    Step(true);
    ASSERT_NE(gLoseFade, nullptr);
    TransitionBox* fade = gLoseFade;
    Step(false);
    Step(true); // a second click makes no second fade
    EXPECT_EQ(gLoseFade, fade);
    EXPECT_EQ(StepsUntilLeaving(100), 59);
    EXPECT_EQ(states.next, GameState::Level3);
    EXPECT_EQ(gLoseScreen, nullptr);
}

TEST_F(LoseTest, ThePictureSwitchesOnlyAfterTheFramePastTwoSecondsAndEscSkipsLikeAClick) {
    moth_test::PictureAssets pictures(globals, {"lose.png", "lose_1.png", "o_black.png"});
    ASSERT_TRUE(pictures.ok);
    Enter();
    TarnGfxTexture* first = TextureNamed("lose.png");
    TarnGfxTexture* second = TextureNamed("lose_1.png");
    gLoseTimer = 1.5f;
    Step();
    EXPECT_EQ(gLoseScreen->GetTexture(), second);
    gLoseTimer = 1.99f;
    Step(); // past two seconds: the clock starts over, the picture stays
    EXPECT_EQ(gLoseScreen->GetTexture(), second);
    EXPECT_FLOAT_EQ(gLoseTimer, 0.0f);
    Step();
    EXPECT_EQ(gLoseScreen->GetTexture(), first);

    for (int i = 0; i < 30; ++i) {
        Step();
    }
    ASSERT_TRUE(gLoseScreen->done);
    PressEscape();
    EXPECT_NE(gLoseFade, nullptr);
}

class WinTest : public ScreenTest {
  protected:
    WinTest() : ScreenTest(GameState::Win) {}
    // The emitters the particles left from (each has moved one step of 5
    // since); -1 for a particle near none of them.
    std::set<int> EmittersUsed() {
        std::set<int> used;
        for (GameObject* object : world.GetLayer(4)) {
            auto* particle = dynamic_cast<Particle*>(object);
            int found = -1;
            for (size_t i = 0; particle != nullptr && i < gWinEmitters.size(); ++i) {
                float dx = particle->position.x - gWinEmitters[i].x;
                float dy = particle->position.y - gWinEmitters[i].y;
                if (dx * dx + dy * dy <= 5.01f * 5.01f) {
                    found = static_cast<int>(i);
                }
            }
            used.insert(found);
        }
        return used;
    }
};

TEST_F(WinTest, EscSkipsTheGrownPictureLikeAClick) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    Enter();
    PressEscape(); // still growing: nothing
    EXPECT_EQ(gWinFade, nullptr);
    for (int i = 0; i < 30; ++i) {
        Step();
    }
    PressEscape();
    EXPECT_NE(gWinFade, nullptr);
    EXPECT_GT(StepsUntilLeaving(100), 0);
    EXPECT_EQ(states.next, GameState::Menu);
}

TEST_F(WinTest, EmitsTwelveParticlesAFrameFromFourPointsOnEveryVisit) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    for (int visit = 0; visit < 2; ++visit) {
        Enter();
        ASSERT_EQ(gWinEmitters.size(), 4u);
        for (int i = 0; i < 26; ++i) {
            Step();
        }
        world.Free(); // drop the flying particles, keep the picture
        Step();
        EXPECT_EQ(world.GetLayer(4).size(), 12u) << "visit " << visit;
        EXPECT_EQ(EmittersUsed(), (std::set<int>{0, 1, 2, 3})) << "visit " << visit;
        world.Free();
        world.Unload();
    }
}

} // namespace

namespace {

class CustomLevelTest : public ScreenTest {
  protected:
    CustomLevelTest() : ScreenTest(GameState::Custom) {}
};

TEST_F(CustomLevelTest, TheWandererGetsItsOwnLightBoxWithItsLightAndAHud) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    world.Load("NoSuchState"); // only the camera
    CustomLoad();
    CustomInit();
    ASSERT_NE(gLightBox, nullptr);
    ASSERT_NE(world.GetPlayer(), nullptr);
    ASSERT_NE(gLightBox->playerLight, nullptr);
    EXPECT_EQ(gLightBox->playerLight->owner, world.GetPlayer());
    bool hud = false;
    for (GameObject* object : world.GetLayer(6)) {
        hud = hud || dynamic_cast<HealthBar*>(object) != nullptr;
    }
    EXPECT_TRUE(hud);
    world.Destroy(2, world.GetPlayer());
    moth_test::ApplyRemovals(world);
    EXPECT_EQ(gLightBox->playerLight->owner, nullptr); // the light outlives its owner safely
}

// A level the editor test-plays (read from its text, not a file), with a
// key or without one.
TEST_F(CustomLevelTest, AKeyKeepsTheDoorsShutUntilTakenAndNoKeyLeavesThemOpen) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    for (bool withKey : {true, false}) {
        std::string text;
        for (int row = 29; row >= 0; --row) {
            for (int column = 0; column < 30; ++column) {
                const bool border = row == 0 || row == 29 || column == 0 || column == 29;
                int code = border ? kTileWall : kTileFloor;
                code = row == 5 && column == 5 ? kTilePlayerStart : code;
                code = row == 5 && column == 8 ? kTileTrapDoor : code;
                code = row == 5 && column == 7 && withKey ? kTileKey : code;
                text += std::to_string(code) + (row == 0 && column == 29 ? "\n" : ",");
            }
        }
        gTestPlayLevel = text;
        gHasKey = !withKey; // whatever came before
        Enter();
        EXPECT_EQ(gHasKey, !withKey);
        int keys = 0;
        for (GameObject* object : world.GetLayer(1)) {
            keys += dynamic_cast<Key*>(object) != nullptr;
        }
        EXPECT_EQ(keys, withKey ? 1 : 0);
        EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().x, (5 - 15 + 0.5f) * 50.0f); // the start
        world.Free();
        world.Unload();
    }
    gTestPlayLevel.clear();
}

} // namespace

namespace {

// The menu room read from its level file, with a game of two memories saved
// (or none): its doors start runs.
class MenuRoomTest : public ScreenTest {
  protected:
    MenuRoomTest() : ScreenTest(GameState::Menu) {}
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
        UseProgressFile(progress);
        gMemoriesCollected = 4; // what an earlier run left
    }
    void TearDown() override { UseProgressFile(""); }

    std::vector<TrapDoor*> Doors() const {
        std::vector<TrapDoor*> doors;
        for (GameObject* object : world.GetLayer(1)) {
            if (auto* door = dynamic_cast<TrapDoor*>(object)) {
                doors.push_back(door);
            }
        }
        return doors;
    }
    // Walks through the door: it opens, its picture grows, the state is asked for.
    GameStateId Through(TrapDoor* door) {
        OpenTrapDoor(door);
        EXPECT_GT(StepsUntilLeaving(60), 0);
        return states.next;
    }

    moth_test::TempDir folder;
    std::string progress = (folder.Path() / "progress.txt").string();
};

TEST_F(MenuRoomTest, TheRoomsDoorContinuesASavedGameAtItsLevelWithItsMemories) {
    RecordMemories(2);
    Enter();
    const std::vector<TrapDoor*> doors = Doors();
    ASSERT_EQ(doors.size(), 2u) << "the room's door and the new game's";
    TrapDoor* room = doors[0]->newGame ? doors[1] : doors[0];
    ASSERT_FALSE(room->newGame);
    EXPECT_EQ(Through(room), GameState::Level3);
    EXPECT_EQ(room->doorTransition->GetTexture(), TextureNamed("level3_transition.png"));
    EXPECT_EQ(gMemoriesCollected, 2);
    EXPECT_EQ(states.retryState, GameState::Level3);
    EXPECT_TRUE(std::filesystem::exists(progress)) << "kept until the game moves on";
}

TEST_F(MenuRoomTest, TheNewGameDoorStartsAtLevelOneWithNoMemoriesAndForgetsTheSavedGame) {
    RecordMemories(2);
    Enter();
    TrapDoor* newGame = nullptr;
    for (TrapDoor* door : Doors()) {
        newGame = door->newGame ? door : newGame;
    }
    ASSERT_NE(newGame, nullptr);
    EXPECT_EQ(Through(newGame), GameState::Level1);
    EXPECT_EQ(gMemoriesCollected, 0);
    EXPECT_EQ(SavedMemories(), 0);
    EXPECT_FALSE(std::filesystem::exists(progress));
}

TEST_F(MenuRoomTest, WithNothingSavedOneDoorStartsANewGame) {
    Enter();
    const std::vector<TrapDoor*> doors = Doors();
    ASSERT_EQ(doors.size(), 1u);
    EXPECT_EQ(Through(doors[0]), GameState::Level1);
    EXPECT_EQ(gMemoriesCollected, 0) << "a new run starts with no memories";
}

} // namespace
