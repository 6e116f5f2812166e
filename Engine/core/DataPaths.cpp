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
    const fs::path installed = context.executable.parent_path() / ".." / "share" / "moth-lantern";
    if (HasAssets(context.workingDirectory) || !HasAssets(installed)) {
        // In place, as the game has always run (and where a missing Assets/
        // is reported against the working directory).
        return {"Assets/", "Exported"};
    }
    const fs::path data = installed.lexically_normal();
    return {(data / "Assets").string() + "/",
            (DataHome(context) / "moth-lantern" / "Exported").string()};
}

const DataPaths& GameDataPaths() {
    static const DataPaths paths = ResolveDataPaths(ThisProcess());
    return paths;
}
