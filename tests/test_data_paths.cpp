// Where the game reads its data and keeps exports: in place when the working
// directory holds Assets/, else the installed data beside the executable with
// exports in the player's data folder.
#include "DataPaths.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class DataPathsTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root() / "usr/bin");
        fs::create_directories(root() / "usr/share/moth-lantern/Assets");
        fs::create_directories(root() / "somewhere");
        fs::create_directories(root() / "checkout/Assets");
        context.workingDirectory = root() / "somewhere";
        context.executable = root() / "usr/bin/moth_lantern";
        context.home = (root() / "home").string();
    }
    const fs::path& root() const { return temp.Path(); }

    moth_test::TempDir temp;
    DataPathsContext context;
};

TEST_F(DataPathsTest, AWorkingDirectoryWithAssetsRunsInPlace) {
    context.workingDirectory = root() / "checkout";
    DataPaths paths = ResolveDataPaths(context);
    EXPECT_EQ(paths.assets, "Assets/");
    EXPECT_EQ(paths.exported, "Exported");
}

TEST_F(DataPathsTest, AnInstalledGameReadsBesideItselfAndExportsToTheUsersFolder) {
    context.xdgDataHome = (root() / "xdg").string();
    DataPaths paths = ResolveDataPaths(context);
    EXPECT_EQ(paths.assets, (root() / "usr/share/moth-lantern/Assets").string() + "/");
    EXPECT_EQ(paths.exported, (root() / "xdg/moth-lantern/Exported").string());
    // Without XDG_DATA_HOME, or with a relative one (which does not count),
    // exports go to ~/.local/share.
    for (const char* xdg : {"", "relative/dir"}) {
        context.xdgDataHome = xdg;
        EXPECT_EQ(ResolveDataPaths(context).exported,
                  (root() / "home/.local/share/moth-lantern/Exported").string())
            << xdg;
    }
}

TEST_F(DataPathsTest, ABuildStartedElsewhereFindsAssetsBesideItOrInItsParent) {
    const fs::path game = root() / "game";
    const fs::path build = game / "build";
    fs::create_directories(build);
    context.executable = build / "moth_lantern";

    fs::create_directories(game / "Assets"); // cd build && ./moth_lantern
    context.workingDirectory = build;
    DataPaths parent = ResolveDataPaths(context);
    EXPECT_EQ(parent.assets, (game / "Assets").string() + "/");
    EXPECT_EQ(parent.exported, (game / "Exported").string());

    fs::create_directories(build / "Assets"); // an unpacked copy beside the executable
    context.workingDirectory = root() / "somewhere";
    EXPECT_EQ(ResolveDataPaths(context).assets, (build / "Assets").string() + "/");
}

TEST_F(DataPathsTest, NoDataAnywhereSaysWhereTheGameLookedInOneLine) {
    const fs::path bin = root() / "elsewhere/bin";
    context.executable = bin / "moth_lantern";
    DataPaths paths = ResolveDataPaths(context);
    EXPECT_EQ(paths.assets, "");
    const std::string message = NoAssetsMessage(paths);
    EXPECT_EQ(message.find('\n'), std::string::npos);
    for (const fs::path& looked : {root() / "somewhere", root() / "elsewhere/share/moth-lantern",
                                   bin, root() / "elsewhere"}) {
        EXPECT_NE(message.find(looked.string()), std::string::npos) << message;
    }
}

} // namespace
