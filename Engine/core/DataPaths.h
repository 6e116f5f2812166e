// Moth Lantern: where the game reads its data and keeps the levels it exports.
//
// One rule decides it. A working directory holding Assets/ (the source tree,
// ./play.sh, an unpacked copy) runs the game in place: data from ./Assets/,
// exports into ./Exported/. Otherwise the game is an installed one: its data
// lies beside the executable in ../share/moth-lantern/Assets/, and exports go
// to the player's own folder, $XDG_DATA_HOME/moth-lantern/Exported/
// (~/.local/share when XDG_DATA_HOME is unset), never into the install.
// A build started from another folder (cd build && ./moth_lantern) finds
// Assets/ beside its executable or in the executable's parent and exports
// beside it. With no Assets/ anywhere the game says where it looked.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct DataPaths {
    std::string assets;                // the asset folder, ending in '/'; "" when none was found
    std::string exported;              // the exported-levels folder, without a trailing '/'
    std::vector<std::string> searched; // the folders looked in for Assets/, in order
};

// What the process sees: its working directory, executable and environment.
struct DataPathsContext {
    std::filesystem::path workingDirectory;
    std::filesystem::path executable;
    std::string xdgDataHome; // empty when unset
    std::string home;
};

DataPaths ResolveDataPaths(const DataPathsContext& context);
// The one line to print when no Assets/ was found: where the game looked.
std::string NoAssetsMessage(const DataPaths& paths);
// The paths of this process, decided once.
const DataPaths& GameDataPaths();
