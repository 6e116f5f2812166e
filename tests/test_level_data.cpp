// Level files: the reader's grids, start cell and placeholders, its behaviour
// on damaged files, the grid sizes per state, and the editor's export.
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "Tilemap.h"
#include "World.h"

#include "GameGlobals.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <optional>
#include <random>
#include <set>

namespace {

namespace fs = std::filesystem;
using moth_test::ReadFile;
using moth_test::TempDir;
using moth_test::WriteFile;
using Grid = std::vector<std::vector<int>>; // [column][row], row 0 at the bottom

// A LevelData with the World and state manager it talks to, on a grid of the
// given size, with the export folder inside a fresh temp folder.
class LevelFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SetExportedLevelsFolder((temp.Path() / "Exported").string());
        gPlayerStartX = gPlayerStartY = -1.0f;
    }
    void TearDown() override {
        gCustomLevelName.clear();
        gGridWidth = gGridHeight = 31.0f;
        SetExportedLevelsFolder("Exported");
    }

    void UseGrid(float columns, float rows) {
        gGridWidth = columns;
        gGridHeight = rows;
        level.Reset();
    }

    // Reads text as a level file of the current grid; returns standard output.
    std::string ReadText(const std::string& text) {
        ::testing::internal::CaptureStdout();
        level.ReadText(text);
        return ::testing::internal::GetCapturedStdout();
    }

    std::vector<Tilemap*> Placeholders() const {
        std::vector<Tilemap*> tiles;
        for (GameObject* object : world.GetLayer(0)) {
            tiles.push_back(dynamic_cast<Tilemap*>(object));
        }
        return tiles;
    }

    TempDir temp;
    moth_test::GameGlobals globals{GameState::Level1};
    World& world = globals.Get<World>();
    GameStateManager& states = globals.Get<GameStateManager>();
    LevelData& level = globals.Get<LevelData>();
};

// ---- Reading ----------------------------------------------------------------------

// A text read on a grid of its size: the tile grid it gives and the centre of
// the start cell it finds (none: the start stays unset, -1).
struct ReadCase {
    const char* what;
    int columns, rows;
    std::string text;
    Grid tiles;
    std::optional<std::pair<float, float>> start;
};

const ReadCase kReadCases[] = {
    // Top row: wall, start (stored as floor); bottom row: spider spawn, void.
    {"two by two", 2, 2, "1,3,4,9", {{4, 1}, {9, 0}}, {{25.0f, 25.0f}}},
    {"white space and trailing text", 4, 1, "\n  7,12abc, -3,x5", {{7}, {12}, {-3}, {0}}, {}},
    {"fewer values", 3, 2, "9,9", {{0, 9}, {0, 9}, {0, 0}}, {}},
    // The extra start cells lie beyond the grid.
    {"extra values", 2, 1, "1,1,3,3,3,3,3,", {{1}, {1}}, {}},
    {"a field over the buffer", 3, 1, "1,9," + std::string(512, ' ') + "1,1", {{1}, {9}, {0}}, {}},
    {"511 characters fit", 2, 1, std::string(510, ' ') + "4,2", {{4}, {2}}, {}},
    {"two starts", 2, 2, "3,0,\n0,3\n", {{0, 0}, {0, 0}}, {{25.0f, -25.0f}}},
    {"CRLF", 3, 2, "1,2,4,\r\n9,3,0\r\n", {{9, 1}, {0, 2}, {0, 4}}, {{0.0f, -25.0f}}},
};

TEST_F(LevelFixture, EachTextGivesItsGridsStartAndAPlaceholderPerCell) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.what);
        world.Unload();
        gPlayerStartX = gPlayerStartY = -1.0f;
        UseGrid(static_cast<float>(c.columns), static_cast<float>(c.rows));
        EXPECT_EQ(ReadText(c.text), "");
        EXPECT_EQ(level.GetTileGrid(), c.tiles);
        for (int column = 0; column < c.columns; ++column) {
            for (int row = 0; row < c.rows; ++row) {
                EXPECT_EQ(level.GetCollisionGrid()[column][row],
                          CollisionValueOf(c.tiles[column][row]));
            }
        }
        const auto start = c.start.value_or(std::pair{-1.0f, -1.0f});
        EXPECT_FLOAT_EQ(gPlayerStartX, start.first);
        EXPECT_FLOAT_EQ(gPlayerStartY, start.second);
        EXPECT_EQ(Placeholders().size(), static_cast<size_t>(c.columns * c.rows));
    }
}

TEST_F(LevelFixture, PlaceholdersCoverTheGridRowByRowFromTheBottom) {
    UseGrid(3, 2);
    ReadText("1,1,1,\n1,0,1\n");
    const std::vector<Tilemap*> tiles = Placeholders();
    ASSERT_EQ(tiles.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        const Tilemap* tile = tiles[i];
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->cellColumn, i % 3);
        EXPECT_EQ(tile->cellRow, i / 3);
        EXPECT_FLOAT_EQ(tile->GetPos().x, (i % 3 - 1.5f + 0.5f) * 50.0f);
        EXPECT_FLOAT_EQ(tile->GetPos().y, (i / 3 - 1.0f + 0.5f) * 50.0f);
        EXPECT_FLOAT_EQ(tile->GetScale().x, 50.0f);
        EXPECT_FLOAT_EQ(tile->GetTransparency(), 0.0f);
        EXPECT_EQ(tile->GetTexture(), nullptr); // the wall texture comes with Init
    }
    EXPECT_TRUE(world.GetLayer(6).empty()); // no palette outside the editor
}

TEST(LevelFields, ParseLikeTheLevelFormatSays) {
    auto parse = [](const std::string& field) {
        return ParseLevelField(field.data(), field.size());
    };
    EXPECT_EQ(parse(""), 0);
    EXPECT_EQ(parse("+5"), 5);
    EXPECT_EQ(parse("\r\n\t 42 7"), 42);
    EXPECT_EQ(parse("-"), 0);
    EXPECT_EQ(parse("99999999999999999999"), INT_MAX);
    EXPECT_EQ(parse("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(parse(std::string("4\0"
                                "9",
                                3)),
              4);
}

TEST_F(LevelFixture, MissingFilesAndKeysWithoutAFileReportAndMakeNothing) {
    UseGrid(3, 3);
    ::testing::internal::CaptureStdout();
    level.ReadFile((temp.Path() / "nothing.text").string());
    level.ReadFile(temp.Path().string()); // a folder is no level either
    level.Read("codedWin");
    level.Read("codedLose");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error opening file\nError opening file\nError opening file\nError opening file\n");
    for (const auto& column : level.GetCollisionGrid()) {
        EXPECT_EQ(column, std::vector<int>(3, 0));
    }
    EXPECT_TRUE(world.GetLayer(0).empty());
    EXPECT_FLOAT_EQ(gPlayerStartX, -1.0f);
}

TEST_F(LevelFixture, RandomBytesNeverLeaveTheGrid) {
    std::mt19937 random(20240611);
    const std::string alphabet = "0123456789,,,,\r\n -+\t";
    for (int round = 0; round < 300; ++round) {
        const int columns = 1 + static_cast<int>(random() % 9);
        const int rows = 1 + static_cast<int>(random() % 9);
        UseGrid(static_cast<float>(columns), static_cast<float>(rows));
        std::string bytes(random() % 1500, '\0');
        for (char& byte : bytes) {
            // Half the bytes anything at all, half from the format's own alphabet.
            byte = random() % 2 ? static_cast<char>(random() % 256)
                                : alphabet[random() % alphabet.size()];
        }
        ReadText(bytes);
        ASSERT_EQ(level.Columns(), columns);
        ASSERT_EQ(level.Rows(), rows);
        for (int c = 0; c < columns; ++c) {
            ASSERT_EQ(level.GetCollisionGrid()[c].size(), static_cast<size_t>(rows));
            for (int r = 0; r < rows; ++r) {
                const int tile = level.GetTileGrid()[c][r];
                ASSERT_NE(tile, kTilePlayerStart);
                ASSERT_EQ(level.GetCollisionGrid()[c][r], CollisionValueOf(tile));
            }
        }
        ASSERT_EQ(world.GetLayer(0).size(), static_cast<size_t>(columns * rows));
        world.Unload();
    }
}

TEST_F(LevelFixture, OddGridSizesAreTruncatedOrEmptyAndAccessStaysInside) {
    UseGrid(3.9f, 2.2f);
    EXPECT_EQ(level.Columns(), 3);
    EXPECT_EQ(level.Rows(), 2);
    UseGrid(std::nanf(""), 4);
    EXPECT_EQ(level.Columns(), 0);
    ReadText("1,1,1");
    EXPECT_TRUE(world.GetLayer(0).empty());
    EXPECT_EQ(level.TileAt(0, 0, -7), -7);
    EXPECT_EQ(level.CollisionAt(-1, 0, 99), 99);

    UseGrid(3, 3); // SetTile writes inside the grid only
    for (auto [column, row] : {std::pair{2, 1}, {3, 1}, {-1, 0}}) {
        level.SetTile(column, row, 9);
    }
    EXPECT_EQ(level.TileAt(2, 1, -1), 9);
    EXPECT_EQ(level.TileAt(3, 1, -1), -1);
}

TEST(LevelCodes, CollisionValuesAndPaletteOrder) {
    for (int code : {0, 2, 3, 4, 5, 6}) { // 5 and 6: a key's and a battery's floor
        EXPECT_EQ(CollisionValueOf(code), 0) << code;
    }
    for (int code : {1, 7, 8, 9, -1, 100}) {
        EXPECT_EQ(CollisionValueOf(code), 1) << code;
    }
    EXPECT_EQ(LevelData::NextPaletteCode(0), 1);
    EXPECT_EQ(LevelData::NextPaletteCode(1), 2);
    EXPECT_EQ(LevelData::NextPaletteCode(2), 9);
    EXPECT_EQ(LevelData::NextPaletteCode(9), 0);
    EXPECT_EQ(LevelData::NextPaletteCode(4), 4);
}

TEST(LevelCodes, OnlyLevelStatesHaveAGridSize) {
    float columns = 0;
    float rows = 0;
    ASSERT_TRUE(LevelGridSize(GameState::Custom, &columns, &rows));
    EXPECT_FLOAT_EQ(columns, 30);
    EXPECT_FLOAT_EQ(rows, 30);
    float untouched = -1;
    for (GameStateId state :
         std::initializer_list<GameStateId>{GameState::Load, GameState::Win, GameState::Logo,
                                            GameState::Restart, GameState::Quit, 19}) {
        EXPECT_FALSE(LevelGridSize(state, &untouched, &untouched)) << state;
    }
    EXPECT_FLOAT_EQ(untouched, -1);
}

TEST_F(LevelFixture, TheEditorGetsItsPaletteInLayerSix) {
    states.current = GameState::LevelEditor;
    UseGrid(30, 30);
    EXPECT_EQ(level.editorCells.size(), 30u);
    ReadText("1");
    const auto& layer = world.GetLayer(6);
    ASSERT_EQ(layer.size(), 4u);
    ASSERT_EQ(level.palette.size(), 4u);
    const int codes[] = {1, 2, 9, 0};
    int i = 0;
    for (GameObject* object : layer) {
        auto* entry = dynamic_cast<UITilemap*>(object);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry, level.palette[i]);
        EXPECT_EQ(entry->code, codes[i]);
        EXPECT_FLOAT_EQ(entry->GetPos().x, 800.0f);
        EXPECT_FLOAT_EQ(entry->GetPos().y, -50.0f * i);
        EXPECT_FLOAT_EQ(entry->GetTransparency(), 1.0f);
        ++i;
    }
    EXPECT_EQ(level.selectedCode, 1);

    level.Unload();
    EXPECT_TRUE(level.palette.empty());
    EXPECT_TRUE(level.editorCells.empty());
    EXPECT_EQ(level.Columns(), 0);
    EXPECT_EQ(world.GetLayer(6).size(), 4u); // the entries belong to the World
}

// ---- Export ----------------------------------------------------------------------------

TEST_F(LevelFixture, ExportWritesTheLevelFormatExactly) {
    UseGrid(3, 2);
    for (int c = 0; c < 3; ++c) {
        level.SetTile(c, 1, 1);
    }
    level.SetTile(0, 0, 1);
    level.SetTile(2, 0, 1);
    const fs::path folder = ExportedLevelsFolder();
    EXPECT_FALSE(fs::exists(folder));
    ASSERT_TRUE(level.Export());
    EXPECT_EQ(level.LastExportPath(), (folder / "Exported_0.txt").string());
    EXPECT_EQ(ReadFile(folder / "Exported_0.txt"), "1,1,1,\n1,0,1\n");
    // Only the export is left in the folder: no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(LevelFixture, AFailedExportReportsFailureAndChangesNothing) {
    UseGrid(2, 2);
    const fs::path blocker = temp.Path() / "file";
    WriteFile(blocker, "a file where the folder should be");
    SetExportedLevelsFolder(blocker.string());
    EXPECT_FALSE(level.Export());
    EXPECT_EQ(level.exportCount, 0);
    EXPECT_EQ(level.LastExportPath(), "");
    EXPECT_EQ(ReadFile(blocker), "a file where the folder should be");
}

TEST_F(LevelFixture, TemporaryFilesOfExportsCutShortGoAtTheNextExportOrStart) {
    const fs::path folder = temp.Path() / "Exported";
    fs::create_directories(folder);
    // A game killed mid-export left its empty temporary file; another game,
    // still running (this test's parent), is writing one right now.
    const fs::path killed = folder / ".export-999999999.tmp";
    const fs::path running = folder / (".export-" + std::to_string(::getppid()) + ".tmp");
    WriteFile(killed, "");
    WriteFile(running, "");
    WriteFile(folder / ".export-notes.tmp", "not an export's");
    EXPECT_EQ(RemoveStaleExportFiles(), 1); // at start-up
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(folder / ".export-notes.tmp"));

    WriteFile(killed, "");
    UseGrid(2, 2);
    ASSERT_TRUE(level.Export());
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(folder / "Exported_0.txt"));
}

TEST_F(LevelFixture, AnExportedLevelPlaysBackAtTheEditorSize) {
    UseGrid(30, 30);
    level.SetTile(0, 29, 1);
    level.SetTile(15, 14, 9);
    level.SetTile(29, 0, 2);
    ASSERT_TRUE(level.Export());
    const auto written = level.GetTileGrid();

    // The Custom state keeps the size of the state before it; the reader does not.
    world.Unload();
    states.current = GameState::Custom;
    UseGrid(21, 7);
    gCustomLevelName = fs::path(level.LastExportPath()).filename().string();
    ::testing::internal::CaptureStdout();
    level.Read("codedCustom");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_FLOAT_EQ(gGridWidth, 30.0f);
    EXPECT_FLOAT_EQ(gGridHeight, 30.0f);
    EXPECT_EQ(level.GetTileGrid(), written);
    EXPECT_EQ(world.GetLayer(0).size(), 900u);
}

TEST_F(LevelFixture, CustomNamesStayInsideTheExportFolder) {
    WriteFile(temp.Path() / "outside.txt", "1");
    for (const char* name : {"", "../outside.txt", "..", "."}) {
        gCustomLevelName = name;
        EXPECT_EQ(LevelData::LevelPathOf("codedCustom"), "") << name;
    }
    gCustomLevelName = "Exported_3.txt";
    EXPECT_EQ(LevelData::LevelPathOf("codedCustom"),
              (fs::path(ExportedLevelsFolder()) / "Exported_3.txt").string());
}

} // namespace
