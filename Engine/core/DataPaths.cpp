#include "DataPaths.h"

#include "UserFiles.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasAssets(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "Assets", error);
}

// Exports of an installed game: the XDG data folder, or ~/.local/share.
fs::path DataHome(const DataPathsContext& context) {
    return XdgBaseFolder(context.xdgDataHome, context.home, ".local/share");
}

DataPathsContext ThisProcess() {
    DataPathsContext context;
    std::error_code error;
    context.workingDirectory = fs::current_path(error);
    context.executable = fs::read_symlink("/proc/self/exe", error);
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    context.xdgDataHome = xdg ? xdg : "";
    context.home = home ? home : "";
    return context;
}

} // namespace

DataPaths ResolveDataPaths(const DataPathsContext& context) {
    DataPaths paths;
    paths.searched.push_back(context.workingDirectory.string());
    if (HasAssets(context.workingDirectory)) {
        paths.assets = "Assets/"; // in place, as the game has always run
        paths.exported = "Exported";
        return paths;
    }
    const fs::path beside = context.executable.parent_path();
    const fs::path installed = (beside / ".." / "share" / "moth-lantern").lexically_normal();
    paths.searched.push_back(installed.string());
    if (HasAssets(installed)) {
        paths.assets = (installed / "Assets").string() + "/";
        paths.exported = (DataHome(context) / "moth-lantern" / "Exported").string();
        return paths;
    }
    for (const fs::path& folder : {beside, beside.parent_path()}) {
        if (folder.empty() || folder == context.workingDirectory) {
            continue;
        }
        paths.searched.push_back(folder.string());
        if (HasAssets(folder)) {
            paths.assets = (folder / "Assets").string() + "/";
            paths.exported = (folder / "Exported").string();
            return paths;
        }
    }
    return paths;
}

std::string NoAssetsMessage(const DataPaths& paths) {
    std::string message = "Moth Lantern cannot start: no Assets folder in";
    for (std::size_t i = 0; i < paths.searched.size(); ++i) {
        message += (i == 0 ? " " : (i + 1 == paths.searched.size() ? " or " : ", "));
        message += paths.searched[i];
    }
    return message;
}

const DataPaths& GameDataPaths() {
    static const DataPaths paths = ResolveDataPaths(ThisProcess());
    return paths;
}
