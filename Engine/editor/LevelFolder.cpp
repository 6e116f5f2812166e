// Moth Lantern: the exported-levels folder as the Levels dialog shows it.
#include "LevelFolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The run of digits starting at `at`, without its leading zeros.
std::string DigitRun(const std::string& text, std::size_t* at) {
    const std::size_t start = *at;
    while (*at < text.size() && IsDigit(text[*at])) {
        ++*at;
    }
    const std::string run = text.substr(start, *at - start);
    const std::size_t firstSignificant = run.find_first_not_of('0');
    return firstSignificant == std::string::npos ? std::string() : run.substr(firstSignificant);
}

// <0, 0, >0 as a comes before, with or after b in natural order (bytes aside).
int NaturalCompare(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string x = DigitRun(a, &i);
            const std::string y = DigitRun(b, &j);
            if (x.size() != y.size()) {
                return x.size() < y.size() ? -1 : 1;
            }
            if (x != y) {
                return x < y ? -1 : 1;
            }
            continue;
        }
        const int x = std::tolower(static_cast<unsigned char>(a[i++]));
        const int y = std::tolower(static_cast<unsigned char>(b[j++]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return (i < a.size()) - (j < b.size());
}

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// The first of name, "stem (2).ext", "stem (3).ext", ... not yet in the folder.
fs::path FreeNameIn(const fs::path& folder, const std::string& name) {
    const fs::path original(name);
    fs::path candidate = folder / original;
    std::error_code error;
    for (int copy = 2; fs::exists(candidate, error); ++copy) {
        candidate = folder / (original.stem().string() + " (" + std::to_string(copy) + ")" +
                              original.extension().string());
    }
    return candidate;
}

} // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    const int order = NaturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

std::vector<std::string> ListLevelFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(typeError) && name[0] != '.') {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::string DeletedFolderBeside(const std::string& folder) {
    fs::path exported = fs::path(folder).lexically_normal();
    if (exported.filename().empty()) {
        exported = exported.parent_path(); // "Exported/" names the folder "Exported"
    }
    return (exported.parent_path() / "Deleted").string();
}

LevelMoveResult MoveLevelToDeleted(const std::string& folder, const std::string& name) {
    LevelMoveResult result;
    const fs::path source = fs::path(folder) / name;
    std::error_code error;
    if (!IsPlainName(name) || !fs::is_regular_file(source, error)) {
        result.error = "no such level";
        return result;
    }
    const fs::path deleted = DeletedFolderBeside(folder);
    fs::create_directories(deleted, error);
    if (error) {
        result.error = error.message();
        return result;
    }
    const fs::path target = FreeNameIn(deleted, name);
    fs::rename(source, target, error);
    if (error) {
        result.error = error.message();
        return result;
    }
    result.moved = true;
    result.path = target.string();
    return result;
}
