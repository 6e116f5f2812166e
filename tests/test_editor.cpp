// The level editor: which cell a click paints, the locked border rings, the
// palette, right-click and undo, what a placed code shows, and the export
// with its notice.
#include "Camera.h"
#include "Editor.h"
#include "Globals.h"
#include "LevelData.h"
#include "StateCallbacks.h"
#include "TarnInput.h"
#include "Tilemap.h"
#include "Tiles.h"

#include "GameGlobals.h"
#include "TestEnv.h"
#include "WidgetKit.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using moth_test::ReadFile;
using moth_test::TempDir;
using moth_test::WriteFile;

// Where a click lands on cell (column, row) of the 30 x 30 grid with the
// view at the origin: the middle of the cell's upper half.
float CellX(int column) {
    return (column - 15 + 0.5f) * 50.0f;
}
float CellY(int row) {
    return (row - 15 + 0.75f) * 50.0f;
}

void PushButton(Uint32 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    SDL_PushEvent(&event);
}

void PushKey(Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

// The editor entered as the main loop enters it, on the shipped template.
class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        SetExportedLevelsFolder((temp.Path() / "Exported").string());
        globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
        TarnGfxSetCamPosition(0.0f, 0.0f);
        states.current = states.next = GameState::LevelEditor;
        states.SetState(GameState::LevelEditor);
        world.Load(states.stateName);
        world.Init();
        gFrameTime = 1.0f / 60.0f;
        Frame(); // the first frame shows every cell
    }
    void TearDown() override {
        SetExportedLevelsFolder("Exported");
        gMouseX = gMouseY = 0.0f;
        TarnGfxSetCamPosition(0.0f, 0.0f);
    }

    // One editor frame with whatever input is pending, then the input goes up.
    void Frame() {
        moth_test::NextInputFrame();
        EditorClick();
    }
    void Click(float x, float y, Uint8 button = SDL_BUTTON_LEFT) {
        gMouseX = x;
        gMouseY = y;
        PushButton(SDL_MOUSEBUTTONDOWN, button);
        Frame();
        PushButton(SDL_MOUSEBUTTONUP, button);
        moth_test::NextInputFrame();
    }
    void ClickCell(int column, int row, Uint8 button = SDL_BUTTON_LEFT) {
        Click(CellX(column), CellY(row), button);
    }
    void CtrlZ() {
        PushKey(SDL_KEYDOWN, SDLK_LCTRL);
        PushKey(SDL_KEYDOWN, SDLK_z);
        Frame();
        PushKey(SDL_KEYUP, SDLK_z);
        PushKey(SDL_KEYUP, SDLK_LCTRL);
        moth_test::NextInputFrame();
    }
    int Tile(int column, int row) const { return level.TileAt(column, row, -1); }
    const Tilemap* Placeholder(int column, int row) const {
        for (GameObject* object : world.GetLayer(0)) {
            auto* tile = dynamic_cast<Tilemap*>(object);
            if (tile != nullptr && tile->cellColumn == column && tile->cellRow == row) {
                return tile;
            }
        }
        return nullptr;
    }
    int DoorsAt(int column, int row) const {
        int doors = 0;
        for (GameObject* object : world.GetLayer(1)) {
            auto* door = dynamic_cast<TrapDoor*>(object);
            doors += door != nullptr && !world.IsMarkedForRemoval(door) &&
                     door->position.x == CellX(column) &&
                     door->position.y == (row - 15 + 0.5f) * 50.0f;
        }
        return doors;
    }
    ExportButton* Export() const {
        for (GameObject* object : world.GetLayer(6)) {
            if (auto* button = dynamic_cast<ExportButton*>(object)) {
                return button;
            }
        }
        return nullptr;
    }
    // A click on the export button, then a drawn frame of `seconds`.
    void ExportAndDraw(float seconds) {
        gMouseX = 455.0f;
        gMouseY = 170.0f;
        SetLeftButtonFrame(true);
        Export()->Update();
        SetLeftButtonFrame(false);
        DrawExport(seconds);
    }
    void DrawExport(float seconds) {
        gFrameTime = seconds;
        Export()->Draw();
    }
    static void SetLeftButtonFrame(bool down) {
        moth_test::SetLeftButton(down);
        moth_test::NextInputFrame();
    }

    TempDir temp;
    moth_test::GameGlobals globals{GameState::LevelEditor};
    World& world = globals.Get<World>();
    LevelData& level = globals.Get<LevelData>();
    GameStateManager& states = globals.Get<GameStateManager>();
};

TEST_F(EditorTest, AClickPaintsTheCellItsRuleNames) {
    // The origin is the corner of four cells; the rule picks column 15, row 14.
    EXPECT_EQ(Tile(15, 14), kTileFloor);
    Click(0.0f, 0.0f);
    EXPECT_EQ(Tile(15, 14), kTileWall);

    // Within the cell of column 15, row 15 (x 0..50, y 0..50): the lower half
    // selects the cell below, the upper half the cell itself, the whole
    // width the same column.
    for (float x : {1.0f, 25.0f, 49.0f}) {
        EXPECT_EQ(EditorCellAt(x, 10.0f).column, 15) << x;
        EXPECT_EQ(EditorCellAt(x, 10.0f).row, 14) << x;
        EXPECT_EQ(EditorCellAt(x, 40.0f).row, 15) << x;
    }
    EXPECT_EQ(EditorCellAt(-1.0f, 40.0f).column, 14);
}

TEST_F(EditorTest, TheTwoOuterRingsNeverChange) {
    const auto before = level.GetTileGrid();
    for (int ring : {0, 1, 28, 29}) {
        for (int other : {5, 14}) {
            EXPECT_FALSE(PlaceTile(ring, other, kTileVoid)) << ring;
            EXPECT_FALSE(PlaceTile(other, ring, kTileVoid)) << ring;
        }
    }
    ClickCell(1, 10);
    ClickCell(10, 1);
    EXPECT_EQ(level.GetTileGrid(), before);
    EXPECT_TRUE(PlaceTile(2, 2, kTileVoid));
    EXPECT_TRUE(PlaceTile(27, 27, kTileVoid));

    // The far corner of the editable area is reached by moving the view.
    PushKey(SDL_KEYDOWN, SDLK_RIGHT);
    PushKey(SDL_KEYDOWN, SDLK_UP);
    for (int i = 0; i < 120; ++i) {
        Frame();
    }
    PushKey(SDL_KEYUP, SDLK_RIGHT);
    PushKey(SDL_KEYUP, SDLK_UP);
    Frame();
    const TarnVec2 camera = world.GetCamera()->GetPos();
    EXPECT_FLOAT_EQ(camera.x, 300.0f);
    EXPECT_FLOAT_EQ(camera.y, 300.0f);
    Click(CellX(26) - camera.x, CellY(27) - camera.y);
    EXPECT_EQ(Tile(26, 27), kTileWall);
}

TEST_F(EditorTest, ThePaletteChoosesTheCodeAndDimsTheChosenEntry) {
    const std::vector<UITilemap*> palette = EditorPalette();
    ASSERT_EQ(palette.size(), 5u);
    const int codes[] = {kTileWall, kTileTrapDoor, kTileVoid, kTileFloor, kTilePlayerStart};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(palette[i]->code, codes[i]);
        // Every entry stands in the view, clear of the grid.
        EXPECT_GT(palette[i]->position.x - 25.0f, 396.0f);
        EXPECT_LT(palette[i]->position.x + 25.0f, 512.0f);
        EXPECT_GT(palette[i]->position.y - 25.0f, -384.0f);
    }

    ::testing::internal::CaptureStdout();
    Click(palette[2]->position.x, palette[2]->position.y);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "CLICKED\n");
    EXPECT_EQ(level.selectedCode, kTileVoid);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(palette[i]->selected, i == 2);
        EXPECT_FLOAT_EQ(palette[i]->GetTransparency(), i == 2 ? 0.5f : 1.0f);
    }
    ClickCell(8, 9);
    EXPECT_EQ(Tile(8, 9), kTileVoid);

    // The edges of an entry are outside it.
    Click(palette[0]->position.x + 25.0f, palette[0]->position.y);
    EXPECT_EQ(level.selectedCode, kTileVoid);
    Click(palette[0]->position.x + 24.0f, palette[0]->position.y);
    EXPECT_EQ(level.selectedCode, kTileWall);
    EXPECT_FLOAT_EQ(palette[2]->GetTransparency(), 1.0f);
}

TEST_F(EditorTest, APlacedCodeShowsAtOnceAndRightClickAndUndoTakeItBack) {
    ClickCell(6, 6);
    EXPECT_EQ(Placeholder(6, 6)->GetTexture(), TextureNamed("o_wall.png"));
    ClickCell(6, 6, SDL_BUTTON_RIGHT);
    EXPECT_EQ(Tile(6, 6), kTileFloor);
    EXPECT_EQ(Placeholder(6, 6)->GetTexture(), TextureNamed("o_floor.png"));

    level.selectedCode = kTileTrapDoor;
    ClickCell(7, 7);
    EXPECT_EQ(DoorsAt(7, 7), 1);
    level.selectedCode = kTileVoid;
    ClickCell(7, 7);
    EXPECT_EQ(DoorsAt(7, 7), 0); // the door of the old code goes with it

    CtrlZ();
    EXPECT_EQ(Tile(7, 7), kTileTrapDoor);
    EXPECT_EQ(DoorsAt(7, 7), 1);
    CtrlZ();
    CtrlZ(); // the right-click
    EXPECT_EQ(Tile(6, 6), kTileWall);
    CtrlZ();
    CtrlZ(); // nothing left to undo
    EXPECT_EQ(Tile(6, 6), kTileFloor);
    EXPECT_EQ(Tile(7, 7), kTileFloor);

    // A level has one start: a new one moves it, and undo puts it back.
    const auto& grid = level.GetTileGrid();
    ASSERT_EQ(grid[12][13], kTilePlayerStart); // the template's start
    ASSERT_TRUE(PlaceTile(20, 20, kTilePlayerStart));
    EXPECT_EQ(grid[12][13], kTileFloor);
    EXPECT_TRUE(UndoLastPlacement());
    EXPECT_EQ(grid[12][13], kTilePlayerStart);
    EXPECT_EQ(grid[20][20], kTileFloor);
}

TEST_F(EditorTest, TwoExportsWithinASecondWriteTwoFilesAndKeepTheFirstNotice) {
    const fs::path folder = ExportedLevelsFolder();
    WriteFile(folder / "Exported_7.txt", "an earlier run's level");
    ExportAndDraw(0.5f);
    EXPECT_TRUE(gExportNotice);
    ExportAndDraw(0.5f);
    EXPECT_EQ(ReadFile(folder / "Exported_7.txt"), "an earlier run's level");
    EXPECT_TRUE(fs::exists(folder / "Exported_8.txt"));
    EXPECT_TRUE(fs::exists(folder / "Exported_9.txt"));
    EXPECT_EQ(CurrentExportNotice().headline, "Exported");
    // One second after the first click the notice is gone.
    DrawExport(0.1f);
    EXPECT_FALSE(gExportNotice);
    EXPECT_FLOAT_EQ(gExportNoticeTimer, 0.0f);

    // The editor keeps the start where the template has it.
    const std::string text = ReadFile(folder / "Exported_8.txt");
    EXPECT_EQ(text.size(), 30u * 30u * 2u - 1u + 30u);
    EXPECT_EQ(text.substr((29 - 13) * 61 + 12 * 2, 2), "3,");
}

TEST_F(EditorTest, TheNoticeSaysWhatAnExportLacksOrThatItFailed) {
    level.SetTile(25, 25, kTileFloor); // the template's only trap door
    ExportAndDraw(0.1f);
    const ExportNoticeText& incomplete = CurrentExportNotice();
    EXPECT_EQ(incomplete.headline, "Exported");
    ASSERT_EQ(incomplete.details.size(), 2u);
    EXPECT_NE(incomplete.details[0].find("Exported_0.txt, not playable yet"), std::string::npos);
    EXPECT_EQ(incomplete.details[1], "- the level has no trap door (2)");

    // A file where the folder should be: nothing can be written there, even
    // by root.
    const fs::path blocker = temp.Path() / "blocked";
    WriteFile(blocker, "not a folder");
    SetExportedLevelsFolder(blocker.string());
    DrawExport(1.0f);
    DrawExport(1.0f); // the last notice has ended
    ExportAndDraw(0.1f);
    const ExportNoticeText& failed = CurrentExportNotice();
    EXPECT_EQ(failed.headline, "Not saved");
    ASSERT_EQ(failed.details.size(), 1u);
    EXPECT_NE(failed.details[0].find("Export failed"), std::string::npos);
    EXPECT_EQ(ReadFile(blocker), "not a folder");
    EXPECT_EQ(level.LastExportPath(), (temp.Path() / "Exported" / "Exported_0.txt").string());
}

TEST_F(EditorTest, ThePlainButtonGoesBackToTheMenu) {
    gMouseX = 455.0f;
    gMouseY = 250.0f;
    SetLeftButtonFrame(true);
    for (GameObject* object : world.GetLayer(6)) {
        auto* button = dynamic_cast<EditorButton*>(object);
        if (button != nullptr && dynamic_cast<ExportButton*>(object) == nullptr) {
            button->Update();
        }
    }
    SetLeftButtonFrame(false);
    EXPECT_EQ(states.next, GameState::Menu);
}

} // namespace
