// The game-state manager: what SetState changes and ignores, and what every
// state's load sets up when the World enters it (grid size, game mode,
// darkness, camera, walls and level file), a restart and two requests in one
// frame, as the main loop's EnterState and LeaveState run them.
#include "AssetManager.h"
#include "Camera.h"
#include "CollisionManager.h"
#include "Game.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "Light.h"
#include "LightBox.h"
#include "PuzzleLayouts.h"
#include "PuzzleManager.h"
#include "StateCallbacks.h"
#include "StateTable.h"
#include "TarnSystem.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "World.h"

#include "GameGlobals.h"
#include "LevelMap.h"
#include "TestEnv.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// ---- The table --------------------------------------------------------------------

TEST(GameStateTable, RequestsAndUnknownIdsChangeNothing) {
    GameStateManager::InstallCallbacks(StateTable());
    GameStateManager states(GameState::Level3);
    EXPECT_EQ(states.previous, GameState::Level3);
    EXPECT_EQ(states.next, GameState::Level3);
    EXPECT_EQ(states.retryState, GameState::Level1);
    for (GameStateId id : std::initializer_list<GameStateId>{GameState::Restart, GameState::Quit,
                                                             GameState::Count, 100, -1}) {
        states.SetState(id);
        EXPECT_EQ(states.stateName, "Level3") << id;
        EXPECT_EQ(states.loadCallback, &StoryLevelLoad) << id;
        EXPECT_EQ(states.initCallback, &Level3Init) << id;
        EXPECT_STREQ(GameStateManager::NameOf(id), "") << id;
    }
    EXPECT_EQ(states.FindCodedKey("Restart"), nullptr);
    EXPECT_EQ(states.FindCodedKey(""), nullptr);
}

// ---- Entering states -----------------------------------------------------------------

// A level file of the given size: walls all round, floor inside, the cells
// of `inside` (a map's characters) along the second row from the top.
std::string Level(int columns, int rows, const std::string& inside = "") {
    std::vector<std::string> map = moth_test::WalledRoom(columns, rows);
    map[1].replace(1, inside.size(), inside);
    return moth_test::LevelTextOf(map);
}

// The game's globals on an asset folder of our own, entered state by state
// the way the main loop does it.
class StateEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!moth_test::EnsureEngineWindow()) {
            GTEST_SKIP() << "no display";
        }
        const fs::path assets = temp.Path() / "Assets";
        fs::create_directories(assets);
        ASSERT_TRUE(moth_test::WriteSolidPng(assets / "o_wall.png", 1, 1, 255, 255, 255));
        // Level3's own stone; the other levels have none here and use o_wall.png.
        ASSERT_TRUE(moth_test::WriteSolidPng(assets / "o_wall3.png", 1, 1, 255, 255, 255));
        ASSERT_TRUE(moth_test::WriteSolidPng(assets / "rocks.png", 1, 1, 255, 255, 255));
        ASSERT_TRUE(moth_test::WriteSolidPng(assets / "trapdoorClose.png", 1, 1, 255, 255, 255));
        moth_test::WriteFile(assets / "menu.text", Level(21, 7, "SD"));
        for (int i = 1; i <= 5; ++i) {
            const int size = 11 + 4 * i;
            moth_test::WriteFile(assets / ("levels_edited" + std::to_string(i) + ".text"),
                                 Level(size, size, "SxD"));
        }
        moth_test::WriteFile(assets / "puzzle_map.text", Level(21, 16));
        moth_test::WriteFile(assets / "EditorTemplate.text", Level(30, 30, "D"));
        moth_test::WriteFile(temp.Path() / "Exported" / "Exported_0.txt", Level(30, 30, "S"));
        SetExportedLevelsFolder((temp.Path() / "Exported").string());

        globals.LoadAssets(assets.string() + "/");
    }
    void TearDown() override {
        gCustomLevelName.clear();
        SetExportedLevelsFolder("Exported");
        gGridWidth = gGridHeight = 31.0f;
        gGameMode = 0;
        gDarkAlpha = gDefaultDarkAlpha = 0.0f;
        TarnGfxSetCamPosition(0.0f, 0.0f);
    }

    // Enters the state as the main loop does; returns what was printed.
    std::string Enter(GameStateId id) {
        ::testing::internal::CaptureStdout();
        EnterFirstState(states, id);
        return ::testing::internal::GetCapturedStdout();
    }

    // What the main loop does between the last frame of a state and the next
    // state's first frame.
    void Switch() {
        LeaveState(states);
        EnterState(states);
    }

    // The placeholder of cell (0, 0), a wall in every level file here.
    const Tilemap* CornerTile() const {
        for (GameObject* object : world.GetLayer(0)) {
            auto* tile = dynamic_cast<Tilemap*>(object);
            if (tile != nullptr && tile->cellColumn == 0 && tile->cellRow == 0) {
                return tile;
            }
        }
        return nullptr;
    }

    template <typename T> int CountOf(int layer) const {
        int n = 0;
        for (GameObject* object : world.GetLayer(layer)) {
            n += dynamic_cast<T*>(object) != nullptr;
        }
        return n;
    }

    moth_test::TempDir temp;
    moth_test::GameGlobals globals{GameState::Logo};
    GameStateManager& states = globals.Get<GameStateManager>();
    World& world = globals.Get<World>();
    LevelData& level = globals.Get<LevelData>();
    CollisionManager& collisions = globals.Get<CollisionManager>();
    PuzzleManager& puzzles = globals.Get<PuzzleManager>();
};

struct Expected {
    GameStateId id;
    float columns;
    float rows;
    int mode;
    float dark;
    bool follow;
    const char* wall; // texture of the corner cell, a wall in every level file
};

TEST_F(StateEntry, EachLevelReadsAtItsOwnSizeWithItsOwnWalls) {
    const Expected table[] = {
        {GameState::Menu, 21, 7, 2, 0.5f, false, "o_wall.png"},
        {GameState::Level1, 15, 15, 0, 0.0f, true, "o_wall.png"},
        {GameState::Level2, 19, 19, 0, 0.0f, true, "o_wall.png"},
        {GameState::Level3, 23, 23, 0, 0.0f, true, "o_wall3.png"},
        {GameState::Level4, 27, 27, 0, 0.0f, true, "o_wall.png"},
        {GameState::Level5, 31, 31, 0, 0.0f, true, "o_wall.png"},
        {GameState::LevelEditor, 30, 30, 2, 0.5f, false, "o_wall.png"},
        {GameState::Puzzle1, 21, 16, 1, 1.0f, false, "rocks.png"},
        {GameState::Puzzle2, 21, 16, 1, 1.0f, false, "rocks.png"},
        {GameState::Puzzle3, 21, 16, 1, 1.0f, false, "rocks.png"},
        {GameState::Puzzle4, 21, 16, 1, 1.0f, false, "rocks.png"},
        {GameState::Puzzle5, 21, 16, 1, 1.0f, false, "rocks.png"},
    };
    for (const Expected& row : table) {
        gGridWidth = gGridHeight = 3; // whatever the state before left
        // A puzzle reports each direction block it builds, nothing else.
        std::string printed;
        const bool puzzle = row.id >= GameState::Puzzle1 && row.id <= GameState::Puzzle5;
        const std::size_t blocks =
            puzzle ? PuzzleLayoutFor(row.id - GameState::Puzzle1 + 1)->directions.size() : 0;
        for (std::size_t i = 0; i < blocks; ++i) {
            printed += "Created direction block\n";
        }
        EXPECT_EQ(Enter(row.id), printed) << row.id;
        EXPECT_FLOAT_EQ(gGridWidth, row.columns) << row.id;
        EXPECT_FLOAT_EQ(gGridHeight, row.rows) << row.id;
        EXPECT_EQ(gGameMode, row.mode) << row.id;
        EXPECT_FLOAT_EQ(gDarkAlpha, row.dark) << row.id;
        EXPECT_FLOAT_EQ(gDefaultDarkAlpha, row.dark) << row.id;
        ASSERT_NE(world.GetCamera(), nullptr);
        EXPECT_EQ(world.GetCamera()->IsFollowing(), row.follow) << row.id;
        // One placeholder per cell (a level may lay its floor picture there too).
        EXPECT_EQ(CountOf<Tilemap>(0), static_cast<int>(row.columns * row.rows));
        const Tilemap* corner = CornerTile();
        ASSERT_NE(corner, nullptr) << row.id;
        EXPECT_EQ(corner->GetTexture(), gAssetManager->GetTexture(row.wall)) << row.id;
        EXPECT_NE(corner->GetTexture(), nullptr) << row.id;
        EXPECT_FLOAT_EQ(corner->GetTransparency(), row.dark) << row.id;
        const size_t slots = row.id == GameState::Puzzle2 ? 3 : row.mode == 1 ? 2 : 0;
        EXPECT_EQ(puzzles.segments.size(), slots) << row.id;
        states.next = GameState::Menu;
        LeaveState(states);
    }
}

TEST_F(StateEntry, ScreensReadNoLevelAndTheLogoDoesNotEvenTry) {
    EXPECT_EQ(Enter(GameState::Logo), ""); // "codedLogo" names no file, but none is opened
    EXPECT_EQ(gGameMode, 4);
    EXPECT_FALSE(world.GetCamera()->IsFollowing());
    EXPECT_TRUE(world.GetLayer(0).empty());
    LeaveState(states);

    gPlayerHealth = 20;
    EXPECT_EQ(Enter(GameState::Win), "Error opening file\n");
    EXPECT_EQ(gPlayerHealth, 100);
    EXPECT_EQ(gGameMode, 4);
    for (GameObject* object : world.GetLayer(0)) { // only the win picture, no level
        EXPECT_EQ(dynamic_cast<Tilemap*>(object), nullptr);
    }
    LeaveState(states);
    EXPECT_EQ(Enter(GameState::Lose), "Error opening file\n");
}

TEST_F(StateEntry, TheChooserFallsBackToTheMenuAndACustomLevelReadsAtTheEditorSize) {
    // Esc closes the Load dialog, which then asks for the menu. The dialog
    // holds the game loop, so the loop runs here, pressing Esc on every other
    // frame (a window of another test taking the focus lets keys go).
    GameRunOptions run;
    run.pauseOnFocusLoss = false; // other tests' windows take the focus
    run.firstState = GameState::Load;
    run.maxFrames = 20;
    run.fixedStep = true;
    run.beforeInput = [](int frame) {
        SDL_Event escape{};
        escape.type = frame % 2 == 0 ? SDL_KEYDOWN : SDL_KEYUP;
        escape.key.keysym.sym = SDLK_ESCAPE;
        SDL_PushEvent(&escape);
        TarnSysUpdate();
    };
    std::vector<GameStateId> seen;
    run.afterDraw = [&](int) {
        if (seen.empty() || seen.back() != states.current) {
            seen.push_back(states.current);
        }
    };
    ::testing::internal::CaptureStdout();
    RunGame(run);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(seen, (std::vector<GameStateId>{GameState::Load, GameState::Menu}));
    TarnFrameRateControllerSetFixedFrameTime(0.0);

    gCustomLevelName = "Exported_0.txt";
    states.next = GameState::Custom;
    Switch();
    EXPECT_FLOAT_EQ(gGridWidth, 30.0f);
    EXPECT_EQ(CountOf<Tilemap>(0), 900);
    EXPECT_FLOAT_EQ(gPlayerStartX, (1 - 15 + 0.5f) * 50.0f);
}

TEST_F(StateEntry, ACustomLevelsWandererStandsOnItsStartAndARestartBuildsItAgain) {
    // The start in cell (1, 28) of a 30 x 30 level, far from (-100, -50).
    gCustomLevelName = "Exported_0.txt";
    Enter(GameState::Custom);
    const TarnVec2 start{(1 - 15 + 0.5f) * 50.0f, (28 - 15 + 0.5f) * 50.0f};
    ASSERT_NE(world.GetPlayer(), nullptr);
    EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().x, start.x);
    EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().y, start.y);
    EXPECT_EQ(gGameMode, GameMode::Story);           // the story floor, darkness and controls
    EXPECT_TRUE(gHasKey);                            // its doors stand open
    EXPECT_EQ(states.retryState, GameState::Custom); // a death retries it

    states.next = GameState::Restart;
    Switch();
    ASSERT_NE(world.GetPlayer(), nullptr);
    EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().x, start.x);
    ASSERT_NE(gLightBox, nullptr);
    ASSERT_NE(gLightBox->playerLight, nullptr);
    EXPECT_EQ(gLightBox->playerLight->owner, world.GetPlayer());

    // A level without a start puts the wanderer at the fixed spot.
    moth_test::WriteFile(temp.Path() / "Exported" / "Exported_1.txt", Level(30, 30, "D"));
    gCustomLevelName = "Exported_1.txt";
    states.next = GameState::Custom;
    Switch();
    ASSERT_NE(world.GetPlayer(), nullptr);
    EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().x, -100.0f);
    EXPECT_FLOAT_EQ(world.GetPlayer()->GetPos().y, -50.0f);
}

TEST_F(StateEntry, ARestartRunsFreeAndInitButNoUnloadOrLoad) {
    Enter(GameState::Level1); // 15 x 15: start in cell (1, 13), a spawn and a door beside it
    EXPECT_FLOAT_EQ(gPlayerStartX, (1 - 7.5f + 0.5f) * 50.0f);
    EXPECT_FLOAT_EQ(gPlayerStartY, (13 - 7.5f + 0.5f) * 50.0f);
    Camera* camera = world.GetCamera();
    const std::list<GameObject*> placeholders = world.GetLayer(0);
    const StateCallback init = states.initCallback;
    gGridWidth = 99; // a Load would reset it, a restart must not
    states.next = GameState::Restart;
    Switch();
    EXPECT_EQ(states.current, GameState::Level1);
    EXPECT_EQ(states.next, GameState::Level1);
    EXPECT_EQ(states.previous, GameState::Level1);
    EXPECT_EQ(states.stateName, "Level1");
    EXPECT_EQ(states.initCallback, init);
    EXPECT_EQ(world.GetCamera(), camera);
    EXPECT_EQ(world.GetLayer(0), placeholders);
    EXPECT_FLOAT_EQ(gGridWidth, 99.0f);
    EXPECT_EQ(level.Columns(), 15);
    EXPECT_EQ(CountOf<TrapDoor>(1), 1);
    EXPECT_EQ(CountOf<AISpawn>(1), 1);
    // The one rebuilt door, the key kept in its cell and five new batteries.
    EXPECT_EQ(collisions.staticColliders.size(), 1u + 1u + 5u);

    // Two requests in one frame: the last one is entered, once.
    states.next = GameState::Level2;
    states.next = GameState::Puzzle1;
    Switch();
    EXPECT_EQ(states.current, GameState::Puzzle1);
    EXPECT_EQ(states.previous, GameState::Level1);
    EXPECT_FLOAT_EQ(gGridWidth, 21.0f); // loaded this time
    EXPECT_EQ(CountOf<Camera>(5), 1);   // only the new camera
}

} // namespace
