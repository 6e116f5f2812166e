// Moth Lantern: where the game's files are.
//
// The game reads its textures, sounds and levels from an Assets/ folder and
// writes exported levels to Exported/ beside it. Started from its own folder
// both lie in the working directory; started from elsewhere (cd build &&
// ./moth_lantern) the game finds them beside its executable or in the
// executable's parent folder.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct GameFolders {
    std::string assets;                // ends in '/'; "" when no Assets/ was found
    std::string exported;              // the exported-levels folder beside Assets/
    std::vector<std::string> searched; // the folders looked in, in order
};

// Looks for Assets/ in `workingFolder`, then in the folder holding
// `executable`, then in that folder's parent; the first one found wins. In
// the working directory the paths stay relative ("Assets/", "Exported").
GameFolders FindGameFolders(const std::filesystem::path& workingFolder,
                            const std::filesystem::path& executable);
// The same for this process: its working directory and its executable.
GameFolders FindGameFolders();
// The one line to print when no Assets/ was found: where the game looked.
std::string NoAssetsMessage(const GameFolders& folders);
