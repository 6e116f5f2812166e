// The Load dialog: its list of exported levels, selection and scrolling, the
// two ways out, and where it is drawn.
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
using moth_test::TempDir;
using moth_test::WriteFile;

constexpr unsigned char kEnter = 13;
constexpr unsigned char kEscape = 27;
constexpr unsigned char kUp = 38;
constexpr unsigned char kDown = 40;

// The middle of a list row on screen.
int RowY(int row) {
    return LoadDialog::kList.y + row * LoadDialog::kRowHeight + LoadDialog::kRowHeight / 2;
}
constexpr int kRowX = LoadDialog::kList.x + 40;

LoadDialog DialogWith(const TempDir& temp, int files) {
    for (int i = files - 1; i >= 0; --i) {
        WriteFile(temp.Path() / ("Exported_" + std::to_string(i) + ".txt"), "1");
    }
    LoadDialog dialog;
    dialog.List(temp.Path().string());
    return dialog;
}

TEST(LoadDialogTest, ListsTheFolderSortedWithoutFoldersOrHiddenFiles) {
    TempDir temp;
    for (const char* name : {"b.txt", "Exported_10.txt", "a level", "Exported_2.txt", ".partial"}) {
        WriteFile(temp.Path() / name, "1");
    }
    fs::create_directories(temp.Path() / "old");
    LoadDialog dialog;
    dialog.List(temp.Path().string());
    const std::vector<std::string> expected = {"Exported_10.txt", "Exported_2.txt", "a level",
                                               "b.txt"};
    EXPECT_EQ(dialog.Entries(), expected);
    EXPECT_EQ(dialog.Selected(), -1);

    // A missing folder lists nothing, and only Cancel leads anywhere.
    dialog.List((temp.Path() / "missing").string());
    EXPECT_TRUE(dialog.Entries().empty());
    EXPECT_EQ(dialog.PressKey(kDown), Outcome::Open);
    EXPECT_EQ(dialog.PressKey(kEnter), Outcome::Open);
    EXPECT_EQ(dialog.Click(kRowX, RowY(0)), Outcome::Open);
    EXPECT_EQ(dialog.Click(LoadDialog::kCancelButton.x + 5, LoadDialog::kCancelButton.y + 5),
              Outcome::Cancel);
    EXPECT_EQ(dialog.PressKey(kEscape), Outcome::Cancel);
}

TEST(LoadDialogTest, TheSelectionScrollsIntoViewAndTheBarScrolls) {
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 10); // more than the six rows that show
    ASSERT_EQ(LoadDialog::kVisibleRows, 6);
    EXPECT_EQ(dialog.PressKey(kUp), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), 0);
    for (int i = 0; i < 6; ++i) {
        dialog.PressKey(kDown);
    }
    EXPECT_EQ(dialog.Selected(), 6);
    EXPECT_EQ(dialog.FirstVisible(), 1);
    for (int i = 0; i < 10; ++i) {
        dialog.PressKey(kDown);
    }
    EXPECT_EQ(dialog.Selected(), 9);
    EXPECT_EQ(dialog.FirstVisible(), 4); // the last row at the bottom, no further

    // The bar's arrows move one row, within the list.
    const LoadDialog::Rect& list = LoadDialog::kList;
    const int barX = list.x + list.width - LoadDialog::kScrollBarWidth / 2;
    dialog.Click(barX, list.y + 2);
    EXPECT_EQ(dialog.FirstVisible(), 3);
    dialog.Click(barX, list.y + list.height - 2);
    dialog.Click(barX, list.y + list.height - 2);
    EXPECT_EQ(dialog.FirstVisible(), 4);
    // The track above the thumb pages up.
    dialog.Click(barX, list.y + LoadDialog::kScrollBarWidth + 2);
    EXPECT_EQ(dialog.FirstVisible(), 0);

    // A click picks the row under it as scrolled.
    dialog.Scroll(2);
    dialog.Click(kRowX, RowY(1));
    EXPECT_EQ(dialog.SelectedName(), "Exported_3.txt");
}

TEST(LoadDialogTest, LoadNeedsASelectionAndADoubleClickLoads) {
    TempDir temp;
    LoadDialog dialog = DialogWith(temp, 2);
    const LoadDialog::Rect& load = LoadDialog::kLoadButton;
    EXPECT_EQ(dialog.Click(load.x + 5, load.y + 5), Outcome::Open);
    EXPECT_EQ(dialog.PressKey(kEnter), Outcome::Open);
    // Below the last entry is empty list space.
    EXPECT_EQ(dialog.Click(kRowX, RowY(4)), Outcome::Open);
    EXPECT_EQ(dialog.Selected(), -1);

    EXPECT_EQ(dialog.Click(kRowX, RowY(1)), Outcome::Open);
    EXPECT_EQ(dialog.Click(kRowX, RowY(1)), Outcome::Load); // a double click
    EXPECT_EQ(dialog.SelectedName(), "Exported_1.txt");
    EXPECT_EQ(dialog.Click(load.x + 5, load.y + 5), Outcome::Load);

    // Two clicks far apart in time are two single clicks.
    dialog.Click(kRowX, RowY(0));
    dialog.HandleInput(1.0f);
    EXPECT_EQ(dialog.Click(kRowX, RowY(0)), Outcome::Open);
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

TEST(LoadDialogTest, IsADarkGreyBoxAtItsPlace) {
    ASSERT_TRUE(moth_test::EnsureEngineWindow());
    moth_test::GameGlobals globals;
    globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
    TarnGfxSetCamPosition(0.0f, 0.0f);
    TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    TarnGfxStart();
    TempDir temp;
    DialogWith(temp, 3).Draw();
    // Window pixel (x, y) seen as a world point of a camera at the origin.
    auto at = [](int x, int y) {
        return moth_test::ReadWorldPixel(x - gHalfWindowWidth, gHalfWindowHeight - y);
    };
    const moth_test::Pixel grey = at(LoadDialog::kBox.x + 10, LoadDialog::kBox.y + 10);
    EXPECT_EQ(grey[0], grey[2]);
    EXPECT_GT(grey[0], 40);
    EXPECT_LT(grey[0], 90);
    const moth_test::Pixel inside = at(LoadDialog::kBox.x + LoadDialog::kBox.width - 5,
                                       LoadDialog::kBox.y + LoadDialog::kBox.height - 5);
    EXPECT_EQ(inside, grey);
    const moth_test::Pixel outside = at(LoadDialog::kBox.x - 5, LoadDialog::kBox.y - 5);
    EXPECT_EQ(outside, (moth_test::Pixel{0, 0, 0}));
    const moth_test::Pixel list = at(LoadDialog::kList.x + 200, RowY(5));
    EXPECT_GT(list[0], 200); // the list is light
}

} // namespace
