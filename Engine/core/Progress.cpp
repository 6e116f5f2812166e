#include "Progress.h"

#include "UserFiles.h"

namespace {

constexpr int kFirstKept = 1;
constexpr int kLastKept = 4; // the fifth memory ends the game

struct KeptProgress {
    std::string path;
    int memories = 0;
};
KeptProgress gProgress;

bool Continuable(int memories) {
    return memories >= kFirstKept && memories <= kLastKept;
}

} // namespace

std::string FormatProgress(int memories) {
    return FormatKeptText("Moth Lantern progress: memories of the game being played.",
                          kProgressVersion, {{"memories", std::to_string(memories)}});
}

bool ParseProgress(const std::string& text, int* memories, std::string* error) {
    KeptValues values;
    if (!ParseKeptText(text, kProgressVersion, &values, error)) {
        return false;
    }
    int read = 0;
    auto found = values.find("memories");
    if (values.size() != 1 || found == values.end() || !ParseInt(found->second, &read) ||
        !Continuable(read)) {
        *error = "no memories from 1 to 4";
        return false;
    }
    *memories = read;
    return true;
}

void UseProgressFile(const std::string& path) {
    gProgress = KeptProgress{path, 0};
    if (path.empty()) {
        return;
    }
    std::string text, error;
    const FileRead read = ReadTextFile(path, &text, &error);
    if (read == FileRead::Read && !ParseProgress(text, &gProgress.memories, &error)) {
        gProgress.memories = 0;
    }
    if (read == FileRead::Failed || !error.empty()) {
        ReportUnusableFile(path, error, "there is no game to continue");
    }
}

int SavedMemories() {
    return gProgress.memories;
}

void RecordMemories(int memories) {
    gProgress.memories = Continuable(memories) ? memories : 0;
    if (gProgress.path.empty()) {
        return;
    }
    const bool kept = gProgress.memories == 0
                          ? RemoveTextFile(gProgress.path)
                          : WriteTextFileSafely(gProgress.path, FormatProgress(memories));
    if (!kept) {
        ReportUnusableFile(gProgress.path, "cannot write it", "progress is not kept");
    }
}
