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

TEST_F(DataPathsTest, NoDataAnywhereStaysInPlace) {
    context.executable = root() / "elsewhere/bin/moth_lantern";
    DataPaths paths = ResolveDataPaths(context);
    EXPECT_EQ(paths.assets, "Assets/");
    EXPECT_EQ(paths.exported, "Exported");
}

} // namespace
