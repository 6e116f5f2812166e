#include "GameFolders.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasAssets(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "Assets", error);
}

} // namespace

GameFolders FindGameFolders(const fs::path& workingFolder, const fs::path& executable) {
    GameFolders folders;
    folders.searched.push_back(workingFolder.string());
    if (HasAssets(workingFolder)) {
        folders.assets = "Assets/";
        folders.exported = "Exported";
        return folders;
    }
    const fs::path beside = executable.parent_path();
    for (const fs::path& folder : {beside, beside.parent_path()}) {
        if (folder.empty() || folder == workingFolder) {
            continue;
        }
        folders.searched.push_back(folder.string());
        if (HasAssets(folder)) {
            folders.assets = (folder / "Assets").string() + "/";
            folders.exported = (folder / "Exported").string();
            return folders;
        }
    }
    return folders;
}

GameFolders FindGameFolders() {
    std::error_code error;
    const fs::path working = fs::current_path(error);
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return FindGameFolders(working, error ? fs::path() : executable);
}

std::string NoAssetsMessage(const GameFolders& folders) {
    std::string message = "Moth Lantern cannot start: no Assets folder in";
    for (std::size_t i = 0; i < folders.searched.size(); ++i) {
        message += (i == 0 ? " " : (i + 1 == folders.searched.size() ? " or " : ", "));
        message += folders.searched[i];
    }
    return message;
}
