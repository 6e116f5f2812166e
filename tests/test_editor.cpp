// The level editor: its model without drawing (which cell a point names, the
// locked rings, strokes and their history, the live check), then the editor
// state as a player drives it (strokes by mouse, undo and redo keys, the
// palette, the collision grid, export, reopening and leaving).
#include "Camera.h"
#include "Editor.h"
#include "EditorModel.h"
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

// ---- The model ------------------------------------------------------------------------------

// A 30 x 30 room: a wall ring, floor inside, a start and a trap door.
LevelCells Room() {
    LevelCells cells(30, std::vector<int>(30, kTileFloor));
    for (int i = 0; i < 30; ++i) {
        cells[i][0] = cells[i][29] = cells[0][i] = cells[29][i] = kTileWall;
    }
    cells[5][5] = kTilePlayerStart;
    cells[20][20] = kTileTrapDoor;
    return cells;
}

EditorModel RoomModel() {
    EditorModel model;
    model.Reset(Room(), 50.0f);
    return model;
}

TEST(EditorModelTest, APointNamesTheCellThatContainsItAndTheRingsAreLocked) {
    const EditorModel model = RoomModel();
    // Cell (15, 15) spans x 0..50 and y 0..50: both halves of it name it.
    for (float x : {1.0f, 25.0f, 49.0f}) {
        for (float y : {1.0f, 10.0f, 26.0f, 49.0f}) {
            EXPECT_EQ(model.CellAt(x, y), (EditorCell{15, 15})) << x << "," << y;
        }
    }
    EXPECT_EQ(model.CellAt(-1.0f, -1.0f), (EditorCell{14, 14}));
    EXPECT_EQ(model.CellAt(-751.0f, 0.0f).column, -1); // left of the grid, not column 0
    for (int ring : {0, 1, 28, 29}) {
        EXPECT_FALSE(model.IsEditable({ring, 10})) << ring;
        EXPECT_FALSE(model.IsEditable({10, ring})) << ring;
    }
    EXPECT_TRUE(model.IsEditable({2, 2}));
    EXPECT_TRUE(model.IsEditable({27, 27}));
    EditorModel painted = RoomModel();
    EXPECT_TRUE(painted.Paint({1, 10}, kTileVoid).empty());
    EXPECT_TRUE(painted.Paint({30, 10}, kTileVoid).empty());
    EXPECT_EQ(painted.Cells(), Room());
}

TEST(EditorModelTest, AFastDragCrossesEveryCellBetweenItsEnds) {
    const std::vector<EditorCell> crossed = CellsCrossed(2.5f, 2.5f, 12.9f, 7.1f);
    ASSERT_FALSE(crossed.empty());
    EXPECT_EQ(crossed.front(), (EditorCell{2, 2}));
    EXPECT_EQ(crossed.back(), (EditorCell{12, 7}));
    for (std::size_t i = 1; i < crossed.size(); ++i) {
        const int step = std::abs(crossed[i].column - crossed[i - 1].column) +
                         std::abs(crossed[i].row - crossed[i - 1].row);
        EXPECT_EQ(step, 1) << i; // side by side: no gap, no corner cut
    }
    EXPECT_EQ(CellsCrossed(4.2f, 4.7f, 4.8f, 4.1f).size(), 1u);
    EXPECT_EQ(CellsCrossed(9.5f, 3.5f, 3.5f, 3.5f).size(), 7u); // leftwards
}

TEST(EditorModelTest, AStrokeIsOneUndoStepAndRedoPutsItBack) {
    EditorModel model = RoomModel();
    model.BeginStroke();
    model.PaintSegment(3.5f, 10.5f, 8.5f, 10.5f, kTileWall);
    model.PaintSegment(8.5f, 10.5f, 8.5f, 14.5f, kTileWall);
    model.EndStroke();
    EXPECT_EQ(model.UndoSteps(), 1u);
    EXPECT_EQ(model.At(3, 10), kTileWall);
    EXPECT_EQ(model.At(8, 14), kTileWall);
    EXPECT_TRUE(model.Unsaved());

    const EditorStep undone = model.Undo();
    EXPECT_EQ(undone.size(), 10u); // six cells along, four up
    EXPECT_EQ(model.Cells(), Room());
    EXPECT_FALSE(model.Unsaved());
    model.Redo();
    EXPECT_EQ(model.At(8, 12), kTileWall);
    EXPECT_TRUE(model.Redo().empty());

    // A new change forgets what was undone.
    model.Undo();
    model.Paint({4, 4}, kTileVoid);
    EXPECT_EQ(model.RedoSteps(), 0u);
    EXPECT_TRUE(model.Redo().empty());
}

TEST(EditorModelTest, OneStartAndOneKeyMoveAndTheHistoryKeepsTwoHundredSteps) {
    EditorModel model = RoomModel();
    model.Paint({9, 9}, kTilePlayerStart);
    EXPECT_EQ(model.At(5, 5), kTileFloor);
    model.Paint({10, 10}, kTileKey);
    model.Paint({11, 11}, kTileKey);
    EXPECT_EQ(model.At(10, 10), kTileFloor);
    model.Undo();
    model.Undo();
    model.Undo();
    EXPECT_EQ(model.Cells(), Room());

    for (int i = 0; i < 250; ++i) {
        model.Paint({2 + i % 20, 2 + i / 20}, i % 2 == 0 ? kTileWall : kTileVoid);
    }
    EXPECT_EQ(model.UndoSteps(), EditorModel::kHistorySteps);
    while (!model.Undo().empty()) {
    }
    EXPECT_EQ(model.At(2, 2), kTileWall); // the first 50 steps fell out of the history
    EXPECT_EQ(model.At(2 + 50 % 20, 2 + 50 / 20), kTileFloor);
}

TEST(EditorModelTest, TheLiveCheckSaysWhatTheLevelLacks) {
    EditorModel model = RoomModel();
    EXPECT_TRUE(CheckEditedLevel(model.Cells()).Playable());

    // Walls round the trap door: it and the cells inside cannot be reached.
    model.BeginStroke();
    model.PaintSegment(18.5f, 18.5f, 22.5f, 18.5f, kTileWall);
    model.PaintSegment(22.5f, 18.5f, 22.5f, 22.5f, kTileWall);
    model.PaintSegment(22.5f, 22.5f, 18.5f, 22.5f, kTileWall);
    model.PaintSegment(18.5f, 22.5f, 18.5f, 18.5f, kTileWall);
    model.EndStroke();
    EditorCheck check = CheckEditedLevel(model.Cells());
    ASSERT_EQ(check.lacks.size(), 2u);
    EXPECT_NE(check.lacks[0].find("9 walkable cell(s) cannot be reached"), std::string::npos);
    EXPECT_EQ(check.lacks[1], "no trap door can be reached from the start");
    EXPECT_EQ(check.unreachable.size(), 9u);

    model.Paint({5, 5}, kTileFloor); // the start goes
    check = CheckEditedLevel(model.Cells());
    EXPECT_EQ(check.lacks.front(), "expected exactly one player start (3), found 0");
    EXPECT_TRUE(check.unreachable.empty());

    // Keys, batteries and nests are walkable things of a level.
    EditorModel things = RoomModel();
    things.Paint({7, 7}, kTileKey);
    things.Paint({8, 7}, kTileBattery);
    things.Paint({9, 7}, kTileSpiderSpawn);
    EXPECT_TRUE(CheckEditedLevel(things.Cells()).Playable());
}

// ---- The editor state -----------------------------------------------------------------------

// Where the pointer is over cell (column, row) with the view at the origin:
// in the cell's lower half, the half the old rule gave to the cell below.
float CellX(int column) {
    return (column - 15 + 0.5f) * 50.0f;
}
float CellY(int row) {
    return (row - 15 + 0.25f) * 50.0f;
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

// The editor entered as the main loop enters it.
class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        SetExportedLevelsFolder((temp.Path() / "Exported").string());
        globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
        Enter();
    }
    void TearDown() override {
        SetExportedLevelsFolder("Exported");
        gMouseX = gMouseY = 0.0f;
        TarnGfxSetCamPosition(0.0f, 0.0f);
    }
    void Enter() {
        TarnGfxSetCamPosition(0.0f, 0.0f);
        states.current = states.next = GameState::LevelEditor;
        states.SetState(GameState::LevelEditor);
        world.Load(states.stateName);
        world.Init();
        gFrameTime = 1.0f / 60.0f;
        Frame(); // the first frame shows every cell
    }
    void Leave() {
        world.Free();
        world.Unload();
    }

    // One editor frame with whatever input is pending.
    void Frame() {
        moth_test::NextInputFrame();
        EditorClick();
    }
    void Press(float x, float y, Uint8 button = SDL_BUTTON_LEFT) {
        gMouseX = x;
        gMouseY = y;
        PushButton(SDL_MOUSEBUTTONDOWN, button);
        Frame();
    }
    void MoveTo(float x, float y) {
        gMouseX = x;
        gMouseY = y;
        Frame();
    }
    void Release(Uint8 button = SDL_BUTTON_LEFT) {
        PushButton(SDL_MOUSEBUTTONUP, button);
        Frame();
    }
    void ClickCell(int column, int row, Uint8 button = SDL_BUTTON_LEFT) {
        Press(CellX(column), CellY(row), button);
        Release(button);
    }
    // Ctrl with the key, Shift too when asked.
    void CtrlKey(SDL_Keycode key, bool shift = false) {
        PushKey(SDL_KEYDOWN, SDLK_LCTRL);
        if (shift) {
            PushKey(SDL_KEYDOWN, SDLK_LSHIFT);
        }
        PushKey(SDL_KEYDOWN, key);
        Frame();
        PushKey(SDL_KEYUP, key);
        PushKey(SDL_KEYUP, SDLK_LSHIFT);
        PushKey(SDL_KEYUP, SDLK_LCTRL);
        Frame();
    }
    int Tile(int column, int row) const { return level.TileAt(column, row, -1); }
    template <typename T> int CountIn(int layer) const {
        int count = 0;
        for (GameObject* object : world.GetLayer(layer)) {
            count += dynamic_cast<T*>(object) != nullptr && !world.IsMarkedForRemoval(object);
        }
        return count;
    }

    TempDir temp;
    moth_test::GameGlobals globals{GameState::LevelEditor};
    World& world = globals.Get<World>();
    LevelData& level = globals.Get<LevelData>();
    GameStateManager& states = globals.Get<GameStateManager>();
};

TEST_F(EditorTest, ADragPaintsACellAtEveryStepAndIsUndoneAndRedoneWhole) {
    Press(CellX(4), CellY(10)); // the lower half of the cell: that cell, not the one below
    EXPECT_EQ(Tile(4, 10), kTileWall);
    EXPECT_EQ(Tile(4, 9), kTileFloor);
    MoveTo(CellX(9), CellY(10)); // a fast move: five cells in one frame
    MoveTo(CellX(9), CellY(13));
    Release();
    for (int column = 4; column <= 9; ++column) {
        EXPECT_EQ(Tile(column, 10), kTileWall) << column;
    }
    EXPECT_EQ(Tile(9, 13), kTileWall);
    // The wanderer is stopped by the painted walls at once.
    EXPECT_EQ(level.CollisionAt(6, 10, 0), 1);

    CtrlKey(SDLK_z);
    EXPECT_EQ(Tile(4, 10), kTileFloor);
    EXPECT_EQ(Tile(9, 13), kTileFloor);
    EXPECT_EQ(level.CollisionAt(6, 10, 1), 0);
    CtrlKey(SDLK_y);
    EXPECT_EQ(Tile(7, 10), kTileWall);
    CtrlKey(SDLK_z);
    CtrlKey(SDLK_z, true); // Ctrl+Shift+Z redoes too
    EXPECT_EQ(Tile(9, 12), kTileWall);

    // The right button puts floor back along its own stroke.
    Press(CellX(5), CellY(10), SDL_BUTTON_RIGHT);
    MoveTo(CellX(8), CellY(10));
    Release(SDL_BUTTON_RIGHT);
    EXPECT_EQ(Tile(4, 10), kTileWall);
    EXPECT_EQ(Tile(6, 10), kTileFloor);
    EXPECT_EQ(Tile(9, 10), kTileWall);
    EXPECT_EQ(EditedLevel().UndoSteps(), 2u);
}

TEST_F(EditorTest, ThePaletteHoldsEightThingsAndTheChoiceStays) {
    const std::vector<UITilemap*> palette = EditorPalette();
    const int codes[] = {kTileWall,        kTileTrapDoor,    kTileVoid, kTileFloor,
                         kTilePlayerStart, kTileSpiderSpawn, kTileKey,  kTileBattery};
    ASSERT_EQ(palette.size(), std::size(codes));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(palette[i]->code, codes[i]);
        EXPECT_STRNE(TileLabel(codes[i]), "unknown");
        // Every entry stands in the view.
        EXPECT_LT(palette[i]->position.x + 18.0f, 512.0f);
        EXPECT_GT(palette[i]->position.y - 18.0f, -384.0f);
    }
    ::testing::internal::CaptureStdout();
    Press(palette[5]->position.x + 60.0f, palette[5]->position.y); // on its label
    Release();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "CLICKED\n");
    EXPECT_EQ(level.selectedCode, kTileSpiderSpawn);
    ClickCell(8, 9);
    for (int i = 0; i < 60; ++i) {
        Frame();
    }
    EXPECT_EQ(level.selectedCode, kTileSpiderSpawn);
    EXPECT_EQ(Tile(8, 9), kTileSpiderSpawn);
    // A nest in the editor is a picture: no spiders come out of it here.
    EXPECT_EQ(CountIn<AISpawn>(Layer::Items), 0);
}

TEST_F(EditorTest, TabShowsEveryCellAndPaintingThereNamesTheSameCells) {
    PushKey(SDL_KEYDOWN, SDLK_TAB);
    Frame();
    PushKey(SDL_KEYUP, SDLK_TAB);
    ASSERT_TRUE(Session().overview);
    const float size = OverviewCellSize();
    const TarnVec2 origin = OverviewOrigin();
    // All 30 x 30 cells inside the area left by the panel and the bar.
    EXPECT_GE(origin.x, -512.0f);
    EXPECT_LE(origin.x + 30.0f * size, kPanelLeft);
    EXPECT_GE(origin.y, kBarTop);
    EXPECT_LE(origin.y + 30.0f * size, 384.0f);
    // The far corners of the editable area, each in its lower-left part.
    Press(origin.x + 2.2f * size, origin.y + 2.2f * size);
    MoveTo(origin.x + 27.2f * size, origin.y + 27.2f * size);
    Release();
    EXPECT_EQ(Tile(2, 2), kTileWall);
    EXPECT_EQ(Tile(27, 27), kTileWall);
    EXPECT_EQ(Tile(1, 1), kTileFloor); // the locked ring, untouched
    EXPECT_EQ(Tile(28, 28), kTileFloor);
    EXPECT_EQ(EditedLevel().UndoSteps(), 1u);
}

TEST_F(EditorTest, ExportsNumberOnAndSayWhatTheLevelLacks) {
    const fs::path folder = ExportedLevelsFolder();
    // An earlier run's files: the numbers go on after the highest.
    WriteFile(folder / "Exported_7.txt", "an earlier run's level");
    WriteFile(folder / "Exported_x.txt", "not an export number");
    EXPECT_FALSE(ExportEditedLevel().failed);
    PlaceTile(25, 25, kTileFloor); // the template's only trap door
    const ExportNoticeText notice = ExportEditedLevel();
    EXPECT_EQ(ReadFile(folder / "Exported_7.txt"), "an earlier run's level");
    EXPECT_TRUE(fs::exists(folder / "Exported_8.txt"));
    ASSERT_EQ(notice.details.size(), 2u);
    EXPECT_NE(notice.details[0].find("Exported_9.txt, not playable yet"), std::string::npos);
    EXPECT_EQ(notice.details[1], "Lacks: the level has no trap door (2)");
    EXPECT_TRUE(gExportNotice);
    for (int i = 0; i <= 60 * kExportNoticeSeconds; ++i) {
        Frame();
    }
    EXPECT_FALSE(gExportNotice);

    // The editor keeps the start where the template has it.
    const std::string text = ReadFile(folder / "Exported_8.txt");
    EXPECT_EQ(text.size(), 30u * 30u * 2u - 1u + 30u);
    EXPECT_EQ(text.substr((29 - 13) * 61 + 12 * 2, 2), "3,");

    // A file where the folder should be: nothing can be written there.
    const fs::path blocker = temp.Path() / "blocked";
    WriteFile(blocker, "not a folder");
    SetExportedLevelsFolder(blocker.string());
    const ExportNoticeText failed = ExportEditedLevel();
    EXPECT_TRUE(failed.failed);
    EXPECT_NE(failed.details[0].find("Export failed"), std::string::npos);
    EXPECT_EQ(ReadFile(blocker), "not a folder");
}

TEST_F(EditorTest, AReopenedLevelKeepsItsNameAndExportsUnderANewNumber) {
    const fs::path folder = ExportedLevelsFolder();
    PlaceTile(6, 6, kTileBattery);
    PlaceTile(7, 6, kTileKey);
    ASSERT_FALSE(ExportEditedLevel().failed);
    const std::string first = ReadFile(folder / "Exported_0.txt");
    Leave();

    EXPECT_FALSE(OpenLevelForEditing((folder / "missing.txt").string()));
    ASSERT_TRUE(OpenLevelForEditing((folder / "Exported_0.txt").string()));
    Enter();
    EXPECT_EQ(Tile(6, 6), kTileBattery);
    EXPECT_EQ(Tile(7, 6), kTileKey);
    EXPECT_EQ(Session().sourceName, "Exported_0.txt");
    EXPECT_EQ(EditedLevel().UndoSteps(), 0u);
    EXPECT_FALSE(EditedLevel().Unsaved());

    ClickCell(10, 10);
    ASSERT_FALSE(ExportEditedLevel().failed);
    EXPECT_EQ(ReadFile(folder / "Exported_0.txt"), first);
    const std::string second = ReadFile(folder / "Exported_1.txt");
    EXPECT_NE(second, first);
    EXPECT_EQ(second.substr((29 - 10) * 61 + 10 * 2, 2), "1,");
}

TEST_F(EditorTest, ATestPlayComesBackWithTheGridTheViewAndTheHistory) {
    PushKey(SDL_KEYDOWN, SDLK_LEFT);
    for (int i = 0; i < 20; ++i) {
        Frame();
    }
    PushKey(SDL_KEYUP, SDLK_LEFT);
    Frame();
    const TarnVec2 view = world.GetCamera()->GetPos();
    ASSERT_LT(view.x, 0.0f);
    PlaceTile(9, 12, kTileWall);
    PlaceTile(10, 12, kTileKey);
    PushKey(SDL_KEYDOWN, SDLK_p);
    Frame();
    PushKey(SDL_KEYUP, SDLK_p);
    EXPECT_EQ(states.next, GameState::Custom);
    EXPECT_EQ(gTestPlayLevel, level.Text()); // the Custom state plays this grid
    Leave();

    Enter(); // back from the test-play
    EXPECT_EQ(Tile(9, 12), kTileWall);
    EXPECT_EQ(Tile(10, 12), kTileKey);
    EXPECT_FLOAT_EQ(world.GetCamera()->GetPos().x, view.x);
    EXPECT_EQ(EditedLevel().UndoSteps(), 2u);
    EXPECT_TRUE(UndoLastPlacement());
    EXPECT_EQ(Tile(10, 12), kTileFloor);
    EXPECT_TRUE(gTestPlayLevel.empty()); // the editor's load ends the test-play
}

TEST_F(EditorTest, LeavingWithUnexportedChangesAsksFirst) {
    RunEditorAction(EditorAction::Menu); // nothing changed: away at once
    EXPECT_EQ(states.next, GameState::Menu);
    states.next = GameState::LevelEditor;

    ClickCell(5, 12);
    EXPECT_EQ(Tile(5, 12), kTileWall);
    EXPECT_TRUE(EditedLevel().Unsaved());
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    Frame();
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_TRUE(LeaveQuestionShowing());
    EXPECT_EQ(states.next, GameState::LevelEditor);
    ClickCell(6, 12); // the question holds the grid still
    EXPECT_EQ(Tile(6, 12), kTileFloor);
    RunEditorAction(EditorAction::Stay);
    EXPECT_FALSE(LeaveQuestionShowing());

    RunEditorAction(EditorAction::Menu);
    RunEditorAction(EditorAction::LeaveExport);
    EXPECT_EQ(states.next, GameState::Menu);
    EXPECT_TRUE(fs::exists(fs::path(ExportedLevelsFolder()) / "Exported_0.txt"));

    states.next = GameState::LevelEditor;
    ClickCell(7, 12);
    RunEditorAction(EditorAction::Menu);
    RunEditorAction(EditorAction::LeaveWithout);
    EXPECT_EQ(states.next, GameState::Menu);
}

} // namespace
