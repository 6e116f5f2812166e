// The Levels dialog: the folder in natural order, deleting into Deleted/,
// names fitted to the list, the level's picture, selection and scrolling, the
// ways out (Load, Edit, Cancel), and how it is drawn.
#include "LevelFolder.h"
#include "LoadDialog.h"

#include "Globals.h"
#include "TarnGraphics.h"
#include "TarnInput.h"
#include "TarnSystem.h"

#include "GameGlobals.h"
#include "Pixels.h"
#include "TestEnv.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Outcome = LoadDialog::Outcome;
using moth_test::ReadFile;
using moth_test::TempDir;
using moth_test::WriteFile;

constexpr unsigned char kEnter = 13;
constexpr unsigned char kEscape = 27;
constexpr unsigned char kUp = 38;
constexpr unsigned char kDown = 40;
constexpr unsigned char kDelete = 46;

// Every character 10 pixels wide.
int TenEach(const std::string& text) {
    return 10 * static_cast<int>(text.size());
}

// A 30 x 30 level of floor inside a wall ring, with a start and a trap door.
std::string SmallLevel() {
    std::string text;
    for (int row = 0; row < 30; ++row) {
        for (int column = 0; column < 30; ++column) {
            int code = (row == 0 || row == 29 || column == 0 || column == 29) ? 1 : 0;
            code = (row == 3 && column == 5) ? 3 : (row == 20 && column == 7) ? 2 : code;
            text += std::to_string(code) + (column < 29 ? "," : ",\n");
        }
    }
    return text;
}

void WriteLevels(const TempDir& temp, int count) {
    for (int i = count - 1; i >= 0; --i) {
        WriteFile(temp.Path() / ("Exported_" + std::to_string(i) + ".txt"), SmallLevel());
    }
}

LoadDialog DialogWith(const TempDir& temp, int files) {
    WriteLevels(temp, files);
    LoadDialog dialog(TenEach);
    dialog.List(temp.Path().string());
    return dialog;
}

// The middle of a list row, and of a rectangle.
int RowY(const LoadDialog& dialog, int row) {
    return dialog.GetLayout().list.y + row * LoadDialog::kRowHeight + LoadDialog::kRowHeight / 2;
}
int RowX(const LoadDialog& dialog) {
    return dialog.GetLayout().list.x + 40;
}
Outcome ClickOn(LoadDialog& dialog, const LoadDialog::Rect& rect) {
    return dialog.Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

// ---- The folder ---------------------------------------------------------------------------

TEST(LevelFolderTest, ListsLevelsInNaturalOrderWithoutFoldersOrHiddenFiles) {
    TempDir temp;
    for (const char* name : {"Exported_10.txt", "b.txt", "Exported_2.txt", "exported_3.txt",
                             "Exported_02.txt", "Exported_1.txt", ".partial", "A level"}) {
        WriteFile(temp.Path() / name, "1");
    }
    fs::create_directories(temp.Path() / "old");
    const std::vector<std::string> expected = {
        "A level",        "b.txt",          "Exported_1.txt", "Exported_02.txt",
        "Exported_2.txt", "exported_3.txt", "Exported_10.txt"};
    EXPECT_EQ(ListLevelFiles(temp.Path().string()), expected);
    EXPECT_TRUE(ListLevelFiles((temp.Path() / "missing").string()).empty());
    // Numbers past any integer still order by their digits.
    EXPECT_TRUE(NaturalLess("L_99999999999999999999", "L_100000000000000000000"));
    EXPECT_FALSE(NaturalLess("same", "same"));
}

TEST(LevelFolderTest, DeleteMovesTheFileIntoDeletedBesideAndRenamesAClash) {
    TempDir temp;
    const fs::path exported = temp.Path() / "Exported";
    const fs::path deleted = temp.Path() / "Deleted";
    EXPECT_EQ(DeletedFolderBeside(exported.string() + "/"), deleted.string());
    EXPECT_EQ(DeletedFolderBeside("Exported"), "Deleted");

    for (const char* content : {"first", "second", "third"}) {
        WriteFile(exported / "Exported_1.txt", content);
        const LevelMoveResult moved = MoveLevelToDeleted(exported.string() + "/", "Exported_1.txt");
        ASSERT_TRUE(moved.moved) << moved.error;
        EXPECT_FALSE(fs::exists(exported / "Exported_1.txt"));
        EXPECT_EQ(ReadFile(moved.path), content);
    }
    // Nothing overwritten: each deletion kept its own file.
    EXPECT_EQ(ReadFile(deleted / "Exported_1.txt"), "first");
    EXPECT_EQ(ReadFile(deleted / "Exported_1 (2).txt"), "second");
    EXPECT_EQ(ReadFile(deleted / "Exported_1 (3).txt"), "third");

    // Only a file of the folder moves.
    WriteFile(temp.Path() / "outside.txt", "keep");
    for (const char* name : {"../outside.txt", "missing.txt", "", ".."}) {
        EXPECT_FALSE(MoveLevelToDeleted(exported.string(), name).moved) << name;
    }
    EXPECT_EQ(ReadFile(temp.Path() / "outside.txt"), "keep");
}

TEST(LevelFolderTest, AFailedMoveSaysWhyAndKeepsTheFile) {
    TempDir temp;
    const fs::path exported = temp.Path() / "Exported";
    WriteFile(exported / "Exported_0.txt", "level");
    WriteFile(temp.Path() / "Deleted", "a file where the folder would go");
    const LevelMoveResult moved = MoveLevelToDeleted(exported.string(), "Exported_0.txt");
    EXPECT_FALSE(moved.moved);
    EXPECT_FALSE(moved.error.empty());
    EXPECT_EQ(ReadFile(exported / "Exported_0.txt"), "level");
}

// ---- Text that fits ---------------------------------------------------------------------

TEST(TextFitTest, LongTextIsShortenedInTheMiddleAsLittleAsNeeded) {
    EXPECT_EQ(ShortenToFit("Exported_1.txt", 140, TenEach), "Exported_1.txt");
    const std::string name = "A_very_long_level_name_Exported_12.txt";
    const std::string shown = ShortenToFit(name, 200, TenEach);
    EXPECT_EQ(shown, "A_very_lo...d_12.txt"); // as many characters as 200 pixels hold ...
    EXPECT_LE(TenEach(shown), 200);
    EXPECT_EQ(ShortenToFit(name, 29, TenEach), ""); // ... and no room for "..." is no text
    EXPECT_EQ(ShortenToFit(name, 30, TenEach), "...");

    EXPECT_EQ(PrintableText("L\xc3\xa9vel\t1"), "L??vel?1");

    const std::vector<std::string> lines =
        WrapText("No levels here yet. Make one in the editor", 120, TenEach);
    const std::vector<std::string> expected = {"No levels", "here yet.", "Make one in",
                                               "the editor"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(WrapText("Unbreakable_word_here", 100, TenEach).front(), "Unbr...ere");
}

// ---- The level's picture -------------------------------------------------------------------

TEST(LevelPreviewTest, ShowsTheLevelAsTheGameReadsItWithItsStart) {
    TempDir temp;
    WriteFile(temp.Path() / "level.txt", SmallLevel());
    LevelPreview preview;
    ASSERT_TRUE(preview.Read((temp.Path() / "level.txt").string()));
    EXPECT_EQ(preview.CodeAt(5, 3), kTilePlayerStart); // rows counted from the top, as written
    EXPECT_EQ(preview.CodeAt(7, 20), kTileTrapDoor);
    EXPECT_EQ(preview.CodeAt(0, 12), kTileWall);
    EXPECT_EQ(preview.CodeAt(12, 12), kTileFloor);

    WriteFile(temp.Path() / "empty.txt", "");
    EXPECT_FALSE(preview.Read((temp.Path() / "empty.txt").string()));
    EXPECT_TRUE(preview.Empty());
    EXPECT_FALSE(preview.Read((temp.Path() / "missing.txt").string()));
    // Codes the game does not know look like the walls they play as; the key
    // and the batteries a maker placed do not.
    EXPECT_EQ(LevelPreview::CellColour(77).r, LevelPreview::CellColour(kTileWall).r);
    for (int placed : {kTileKey, kTileBattery}) {
        EXPECT_NE(LevelPreview::CellColour(placed).g, LevelPreview::CellColour(kTileWall).g);
    }
}

// ---- The dialog --------------------------------------------------------------------------

TEST(LoadDialogTest, FitsItsListAndStaysCentredOnTheScreen) {
    TempDir temp;
    LoadDialog dialog(TenEach);
    const auto onScreen = [](const LoadDialog::Rect& r) {
        return r.x >= 0 && r.y >= 0 && r.Right() <= 1024 && r.Bottom() <= 768;
    };
    std::vector<int> heights;
    for (int files : {0, 3, 10, 40}) {
        WriteLevels(temp, files);
        dialog.List(temp.Path().string());
        const LoadDialog::Layout& layout = dialog.GetLayout();
        EXPECT_TRUE(onScreen(layout.box)) << files;
        EXPECT_EQ(layout.box.x + layout.box.width / 2, 512);
        EXPECT_NEAR(layout.box.y + layout.box.height / 2, 384, 1);
        EXPECT_EQ(layout.visibleRows, std::clamp(files, 8, 12));
        for (const LoadDialog::Rect* part : {&layout.list, &layout.preview, &layout.load,
                                             &layout.edit, &layout.remove, &layout.cancel}) {
            EXPECT_TRUE(part->x >= layout.box.x && part->Right() <= layout.box.Right() &&
                        part->y >= layout.box.y && part->Bottom() <= layout.box.Bottom());
        }
        EXPECT_GE(layout.preview.x, layout.list.Right());
        heights.push_back(layout.box.height);
    }
    EXPECT_EQ(heights[0], heights[1]); // the picture sets the least height ...
    EXPECT_LT(heights[1], heights[2]); // ... a longer list makes it taller, up to 12 rows
    EXPECT_LT(heights[2], heights[3]);

    // A long name widens the list up to a bound, then is shortened in its row.
    const int narrow = dialog.GetLayout().list.width;
    WriteFile(temp.Path() / (std::string(80, 'x') + ".txt"), SmallLevel());
    dialog.List(temp.Path().string());
    EXPECT_GT(dialog.GetLayout().list.width, narrow);
    EXPECT_TRUE(onScreen(dialog.GetLayout().box));
    const std::string shown = dialog.ShownName(static_cast<int>(dialog.Entries().size()) - 1);
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_LE(TenEach(shown) + 2 * LoadDialog::kTextPad + LoadDialog::kScrollBarWidth,
              dialog.GetLayout().list.width);
}

TEST(LoadDialogTest, AnEmptyFolderSaysHowToMakeALevelAndOnlyCancelActs) {
    TempDir temp;
    LoadDialog dialog(TenEach);
    dialog.List((temp.Path() / "missing").string());
    std::string text;
    for (const std::string& line : dialog.EmptyFolderLines()) {
        EXPECT_LE(TenEach(line), dialog.GetLayout().list.width);
        text += line + " ";
    }
    EXPECT_NE(text.find("EDITOR"), std::string::npos) << text;
    EXPECT_NE(text.find("Export"), std::string::npos) << text;
    int hooked = 0;
    dialog.SetEditHook([&hooked](const std::string&) { return ++hooked > 0; });
    const LoadDialog::Layout& layout = dialog.GetLayout();
    for (const LoadDialog::Rect* button : {&layout.load, &layout.edit, &layout.remove}) {
        EXPECT_EQ(ClickOn(dialog, *button), Outcome::Open);
    }
    EXPECT_EQ(dialog.PressKey(kDown), Outcome::Open);
    EXPECT_EQ(dialog.PressKey(kEnter), Outcome::Open);
    dialog.PressKey(kDelete);
    EXPECT_FALSE(dialog.Asking());
    EXPECT_EQ(hooked, 0);
    EXPECT_EQ(ClickOn(dialog, layout.cancel), Outcome::Cancel);
    EXPECT_EQ(dialog.PressKey(kEscape), Outcome::Cancel);
}

TEST(LoadDialogTest, DeleteAsksFirstThenMovesTheLevelAndSelectsTheNext) {
    TempDir temp;
    const fs::path exported = temp.Path() / "Exported";
    for (int i : {1, 2, 10}) {
        WriteFile(exported / ("Exported_" + std::to_string(i) + ".txt"), SmallLevel());
    }
    LoadDialog dialog(TenEach);
    dialog.List(exported.string());
    dialog.Select(1); // Exported_2, between 1 and 10
    ASSERT_EQ(dialog.SelectedName(), "Exported_2.txt");

    // The Delete key asks; No, Esc or a click beside the buttons keeps the file.
    dialog.PressKey(kDelete);
    EXPECT_TRUE(dialog.Asking());
    EXPECT_EQ(dialog.Click(0, 0), Outcome::Open);
    EXPECT_EQ(dialog.PressKey(kEscape), Outcome::Open); // answers the question, stays open
    EXPECT_FALSE(dialog.Asking());
    ClickOn(dialog, dialog.GetLayout().remove);
    ClickOn(dialog, dialog.GetLayout().no);
    EXPECT_FALSE(dialog.Asking());
    EXPECT_TRUE(fs::exists(exported / "Exported_2.txt"));

    // Yes moves it beside Exported/ and the level after it takes its row.
    ClickOn(dialog, dialog.GetLayout().remove);
    EXPECT_EQ(dialog.PressKey(kEnter), Outcome::Open); // Enter answers yes, it loads nothing
    EXPECT_FALSE(fs::exists(exported / "Exported_2.txt"));
    EXPECT_EQ(ReadFile(temp.Path() / "Deleted" / "Exported_2.txt"), SmallLevel());
    const std::vector<std::string> left = {"Exported_1.txt", "Exported_10.txt"};
    EXPECT_EQ(dialog.Entries(), left);
    EXPECT_EQ(dialog.SelectedName(), "Exported_10.txt");
    EXPECT_FALSE(dialog.Preview().Empty());
    EXPECT_NE(dialog.Message().find("Moved Exported_2.txt to Deleted/"), std::string::npos);

    // A level of the same name deleted again lands beside the first.
    WriteFile(exported / "Exported_2.txt", "again");
    dialog.List(exported.string());
    dialog.Select(1);
    dialog.PressKey(kDelete);
    ClickOn(dialog, dialog.GetLayout().yes);
    EXPECT_EQ(ReadFile(temp.Path() / "Deleted" / "Exported_2 (2).txt"), "again");
    EXPECT_EQ(ReadFile(temp.Path() / "Deleted" / "Exported_2.txt"), SmallLevel());
}

TEST(LoadDialogTest, EditHandsTheChosenPathToTheHook) {
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 3);
    dialog.Select(2);
    EXPECT_FALSE(dialog.CanEdit()); // no hook: the button is dim and does nothing
    EXPECT_EQ(ClickOn(dialog, dialog.GetLayout().edit), Outcome::Open);

    std::vector<std::string> opened;
    bool accept = false;
    dialog.SetEditHook([&](const std::string& path) {
        opened.push_back(path);
        return accept;
    });
    EXPECT_EQ(ClickOn(dialog, dialog.GetLayout().edit), Outcome::Open); // refused
    EXPECT_NE(dialog.Message().find("Could not open Exported_2.txt"), std::string::npos);
    accept = true;
    EXPECT_EQ(ClickOn(dialog, dialog.GetLayout().edit), Outcome::Edit);
    const std::string path = (temp.Path() / "Exported_2.txt").string();
    EXPECT_EQ(opened, (std::vector<std::string>{path, path}));
}

TEST(LoadDialogTest, TheSelectionScrollsIntoViewAndTheBarScrolls) {
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 20); // more than the twelve rows that show
    ASSERT_EQ(dialog.GetLayout().visibleRows, 12);
    EXPECT_EQ(dialog.PressKey(kUp), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), 0);
    for (int i = 0; i < 12; ++i) {
        dialog.PressKey(kDown);
    }
    EXPECT_EQ(dialog.Selected(), 12);
    EXPECT_EQ(dialog.FirstVisible(), 1);
    for (int i = 0; i < 20; ++i) {
        dialog.PressKey(kDown);
    }
    EXPECT_EQ(dialog.Selected(), 19);
    EXPECT_EQ(dialog.FirstVisible(), 8); // the last row at the bottom, no further

    // The bar's arrows move one row, within the list; its track pages.
    const LoadDialog::Rect& list = dialog.GetLayout().list;
    const int barX = list.Right() - LoadDialog::kScrollBarWidth / 2;
    dialog.Click(barX, list.y + 2);
    EXPECT_EQ(dialog.FirstVisible(), 7);
    dialog.Click(barX, list.Bottom() - 2);
    dialog.Click(barX, list.Bottom() - 2);
    EXPECT_EQ(dialog.FirstVisible(), 8);
    dialog.Click(barX, list.y + LoadDialog::kScrollBarWidth + 2);
    EXPECT_EQ(dialog.FirstVisible(), 0);

    // A click picks the row under it as scrolled, natural order kept.
    dialog.Scroll(2);
    dialog.Click(RowX(dialog), RowY(dialog, 9));
    EXPECT_EQ(dialog.SelectedName(), "Exported_11.txt");
}

TEST(LoadDialogTest, LoadNeedsASelectionAndADoubleClickLoads) {
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 2);
    const LoadDialog::Rect& load = dialog.GetLayout().load;
    EXPECT_EQ(ClickOn(dialog, load), Outcome::Open);
    EXPECT_EQ(dialog.PressKey(kEnter), Outcome::Open);
    // Below the last entry is empty list space.
    EXPECT_EQ(dialog.Click(RowX(dialog), RowY(dialog, 4)), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), -1);

    EXPECT_EQ(dialog.Click(RowX(dialog), RowY(dialog, 1)), Outcome::Open);
    EXPECT_EQ(dialog.Click(RowX(dialog), RowY(dialog, 1)), Outcome::Load); // a double click
    EXPECT_EQ(dialog.SelectedName(), "Exported_1.txt");
    EXPECT_EQ(ClickOn(dialog, load), Outcome::Load);

    // Two clicks far apart in time are two single clicks.
    dialog.Click(RowX(dialog), RowY(dialog, 0));
    dialog.HandleInput(1.0f);
    EXPECT_EQ(dialog.Click(RowX(dialog), RowY(dialog, 0)), Outcome::Open);
}

TEST(LoadDialogTest, ThePadsDpadSelectsAPressesLoadAndBCancels) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    moth_test::VirtualPad pad;
    ASSERT_TRUE(pad.Attached()) << SDL_GetError();
    TarnSysUpdate(); // plugged in
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 3);
    auto press = [&](SDL_GameControllerButton button) {
        pad.Button(button, true);
        TarnSysUpdate();
        TarnInputUpdate();
        const Outcome outcome = dialog.HandleInput(0.0f);
        pad.Button(button, false);
        TarnSysUpdate();
        TarnInputUpdate();
        return outcome;
    };
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_DPAD_DOWN), Outcome::Open);
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_DPAD_DOWN), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), 1);
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_DPAD_UP), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), 0);
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_A), Outcome::Load);
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_B), Outcome::Cancel);
}

TEST(LoadDialogTest, IsDrawnInTheGamesPanelWithTheLevelsPicture) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    moth_test::GameGlobals globals;
    globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
    TarnGfxSetCamPosition(0.0f, 0.0f);
    TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    TarnGfxStart();
    TempDir temp;
    WriteLevels(temp, 3);
    LoadDialog dialog(FontMeasure(gAssetManager->GetFont()));
    dialog.List(temp.Path().string());
    dialog.Select(0);
    dialog.Draw();
    // Window pixel (x, y) seen as a world point of a camera at the origin.
    auto at = [](int x, int y) {
        return moth_test::ReadWorldPixel(x - gHalfWindowWidth, gHalfWindowHeight - y);
    };
    const LoadDialog::Layout& layout = dialog.GetLayout();
    // Each cell of the picture in its tile's colour: the start, a wall, the floor.
    auto cell = [&](int column, int row) {
        return at(layout.preview.x + column * 8 + 4, layout.preview.y + row * 8 + 4);
    };
    auto colour = [](int code) {
        const Color c = LevelPreview::CellColour(code);
        return moth_test::Pixel{static_cast<int>(c.r * 255 + 0.5f),
                                static_cast<int>(c.g * 255 + 0.5f),
                                static_cast<int>(c.b * 255 + 0.5f)};
    };
    for (const auto& [column, row, code] :
         {std::tuple{5, 3, 3}, {7, 20, 2}, {0, 0, 1}, {12, 12, 0}}) {
        const moth_test::Pixel expected = colour(code);
        const moth_test::Pixel actual = cell(column, row);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(actual[i], expected[i], 2) << column << "," << row;
        }
    }
    // The selected row glows deep amber; the panel is dark, not a grey box.
    const moth_test::Pixel row = at(layout.list.Right() - 30, RowY(dialog, 0));
    EXPECT_GT(row[0], row[2] + 40);
    const moth_test::Pixel panel = at(layout.box.x + 60, layout.box.Bottom() - 12);
    EXPECT_LT(panel[0] + panel[1] + panel[2], 3 * 60);
    EXPECT_LE(panel[0], panel[2] + 12);
}

} // namespace
