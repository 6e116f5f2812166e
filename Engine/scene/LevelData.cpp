// Moth Lantern: the level reader, the level grids and the editor's export.
#include "LevelData.h"

#include "AssetManager.h"
#include "Globals.h"
#include "Tilemap.h"
#include "World.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <unistd.h>

LevelData* gLevelData = nullptr;
std::string gCustomLevelName;
std::string gTestPlayLevel;

bool TestPlaying() {
    return !gTestPlayLevel.empty();
}

namespace {

namespace fs = std::filesystem;

// The palette and editor cells live only in the level editor.
constexpr int kPaletteEntries = 4;

// Exports are named from this template: "Exported_" + number + ".txt".
constexpr const char* kExportTemplate = "Exported.txt";
// Highest export number worth parsing from a file name.
constexpr std::size_t kMaxExportDigits = 9;
// Names tried after the first when another export takes the number first.
constexpr int kExportAttempts = 64;

const char* const kCustomKey = "codedCustom";

std::string& FolderSetting() {
    static std::string folder = "Exported";
    return folder;
}

bool IsCurrentState(GameStateId state) {
    return gGameStateManager->current == state;
}

// A grid dimension from a level global: truncated, and 0 for anything that is
// not a sane positive size.
int GridCells(float size) {
    if (!std::isfinite(size) || size < 1.0f) {
        return 0;
    }
    return static_cast<int>(std::fmin(size, static_cast<float>(LevelData::kMaxGridCells)));
}

float CellCentre(int cell, float gridSize) {
    return (cell - gridSize / 2.0f + 0.5f) * gTileSize;
}

// A file name that stays inside its folder.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// "Exported" and ".txt" of the template, split at its last dot.
void ExportNameParts(std::string* base, std::string* extension) {
    const std::string name = kExportTemplate;
    const std::size_t dot = name.rfind('.');
    *base = name.substr(0, dot);
    *extension = name.substr(dot + 1);
}

std::string ExportName(int number) {
    std::string base;
    std::string extension;
    ExportNameParts(&base, &extension);
    return base + "_" + std::to_string(number) + "." + extension;
}

// The number between `prefix` and `suffix` of a file name made of them and
// up to nine digits in between, or -1 for any other name.
long NumberInName(const std::string& name, const std::string& prefix, const std::string& suffix) {
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return -1;
    }
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > kMaxExportDigits ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stol(digits);
}

// The highest N of the folder's export files, or -1 when there is none.
int HighestExportNumber(const fs::path& folder) {
    std::string base;
    std::string extension;
    ExportNameParts(&base, &extension);
    long highest = -1;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        highest = std::max(highest, NumberInName(name, base + "_", "." + extension));
    }
    return static_cast<int>(highest);
}

// Temporary export files are named ".export-" + the writer's process id + ".tmp".
constexpr const char* kTempPrefix = ".export-";
constexpr const char* kTempSuffix = ".tmp";

fs::path TempExportPath(const fs::path& folder) {
    return folder / (kTempPrefix + std::to_string(::getpid()) + kTempSuffix);
}

// A temporary file is left over when its writer is gone: killed mid-export,
// or this very process before its own export began.
bool IsLeftOver(long writer) {
    if (writer <= 0) {
        return false;
    }
    if (writer == static_cast<long>(::getpid())) {
        return true;
    }
    return ::kill(static_cast<pid_t>(writer), 0) != 0 && errno == ESRCH;
}

// Writes the whole text and flushes it to the disk; false on any failure.
bool WriteWholeFile(const fs::path& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    bool ok = true;
    while (ok && written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        written += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// Gives the finished temporary file its final name without replacing a file
// of that name. False when the name is taken.
bool PublishWithoutReplacing(const fs::path& temp, const fs::path& target, bool* taken) {
    *taken = false;
    if (::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return true;
    }
    if (errno == EEXIST) {
        *taken = true;
        return false;
    }
    // File systems without hard links: a rename, once the name is known free.
    std::error_code error;
    if (fs::exists(target, error) || error) {
        *taken = !error;
        return false;
    }
    return ::rename(temp.c_str(), target.c_str()) == 0;
}

} // namespace

// ---- Tile codes and level globals ---------------------------------------------------

bool LevelGridSize(GameStateId state, float* columns, float* rows) {
    float size[2];
    switch (state) {
    case GameState::Menu:
        size[0] = 21.0f;
        size[1] = 7.0f;
        break;
    case GameState::Level1:
    case GameState::Level2:
    case GameState::Level3:
    case GameState::Level4:
    case GameState::Level5: // 15 x 15 growing by 4 per level up to 31 x 31
        size[0] = size[1] = 15.0f + 4.0f * static_cast<float>(state - GameState::Level1);
        break;
    case GameState::Puzzle1:
    case GameState::Puzzle2:
    case GameState::Puzzle3:
    case GameState::Puzzle4:
    case GameState::Puzzle5:
        size[0] = 21.0f;
        size[1] = 16.0f;
        break;
    case GameState::LevelEditor:
    case GameState::Custom:
        size[0] = size[1] = 30.0f;
        break;
    default:
        return false;
    }
    *columns = size[0];
    *rows = size[1];
    return true;
}

const std::string& ExportedLevelsFolder() {
    return FolderSetting();
}

int RemoveStaleExportFiles() {
    int removed = 0;
    std::error_code error;
    const fs::path folder = ExportedLevelsFolder();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code removeError;
        const long writer = NumberInName(it->path().filename().string(), kTempPrefix, kTempSuffix);
        if (IsLeftOver(writer) && fs::remove(it->path(), removeError)) {
            ++removed;
        }
    }
    return removed;
}

void SetExportedLevelsFolder(const std::string& folder) {
    FolderSetting() = folder;
}

// ---- LevelData: life cycle ------------------------------------------------------------------

LevelData::LevelData() : lineBuffer{' ', '\0'} {}

void LevelData::Reset() {
    levelCount = static_cast<int>(gAssetManager->GetLevelFiles().size()) - 1;
    const int columns = GridCells(gGridWidth);
    const int rows = GridCells(gGridHeight);
    tileGrid.assign(columns, std::vector<int>(rows, 0));
    collisionGrid.assign(columns, std::vector<int>(rows, 0));
    startFound = false;
    if (IsCurrentState(GameState::LevelEditor)) {
        editorCells.assign(columns, std::list<Tilemap*>());
    }
}

void LevelData::Unload() {
    tileGrid.clear();
    collisionGrid.clear();
    palette.clear();
    editorCells.clear();
}

// ---- LevelData: reading ------------------------------------------------------------------------

std::string LevelData::LevelPathOf(const std::string& codedKey) {
    auto assetPath = [](const char* name) { return gAssetManager->GetLevelFilePath(name); };
    if (codedKey == "codedM") {
        return assetPath("menu.text");
    }
    if (codedKey.size() == 6 && codedKey.compare(0, 5, "coded") == 0 && codedKey[5] >= '1' &&
        codedKey[5] <= '5') {
        return assetPath(("levels_edited" + codedKey.substr(5) + ".text").c_str());
    }
    if (codedKey == "codedL") {
        return assetPath("EditorTemplate.text");
    }
    if (codedKey.size() == 7 && codedKey.compare(0, 6, "codedP") == 0 && codedKey[6] >= '1' &&
        codedKey[6] <= '5') {
        return assetPath("puzzle_map.text"); // one map for all five puzzles
    }
    if (codedKey == kCustomKey && IsPlainFileName(gCustomLevelName)) {
        return (fs::path(ExportedLevelsFolder()) / gCustomLevelName).string();
    }
    return std::string();
}

void LevelData::Read(const std::string& codedKey) {
    if (codedKey == kCustomKey) {
        // Exports are written at the editor's size, whatever state came before.
        float columns = 0.0f;
        float rows = 0.0f;
        LevelGridSize(GameState::Custom, &columns, &rows);
        if (gGridWidth != columns || gGridHeight != rows) {
            gGridWidth = columns;
            gGridHeight = rows;
            Reset();
        }
        if (TestPlaying()) {
            ReadText(gTestPlayLevel);
            return;
        }
    }
    ReadFile(LevelPathOf(codedKey));
}

void LevelData::ReadFile(const std::string& path) {
    std::error_code error;
    // Only a regular file is a level: a folder or a device would "open" here.
    if (!path.empty() && fs::is_regular_file(path, error)) {
        input.open(path, std::ios::in | std::ios::binary);
    }
    if (!input.is_open()) {
        std::fputs("Error opening file\n", stdout);
        std::fflush(stdout);
        return;
    }
    ReadLevel(input.rdbuf());
    input.close();
    input.clear();
}

void LevelData::ReadText(const std::string& text) {
    std::stringbuf source(text);
    ReadLevel(&source);
}

void LevelData::ReadLevel(std::streambuf* source) {
    // The editor keeps the start code in its grid, so the start shows and
    // an export writes it back where it was.
    const bool inEditor = IsCurrentState(GameState::LevelEditor);
    const LevelReadResult read =
        ReadLevelCells(source, lineBuffer, &tileGrid, &collisionGrid, inEditor);
    startFound = read.startFound;
    if (read.startFound) {
        gPlayerStartX = CellCentre(read.startColumn, gGridWidth);
        gPlayerStartY = CellCentre(read.startRow, gGridHeight);
    }
    if (inEditor) {
        MakePalette();
    }
    MakePlaceholders();
}

// ---- LevelData: placeholders -----------------------------------------------------------------

void LevelData::MakePalette() {
    for (int i = 0; i < kPaletteEntries; ++i) {
        auto* entry = new UITilemap();
        entry->SetScale(gTileSize, gTileSize);
        entry->SetPos((gGridWidth / 2.0f + 1.0f) * gTileSize, -static_cast<float>(i) * gTileSize);
        entry->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
        entry->SetTileTexture(selectedCode);
        entry->code = selectedCode;
        gWorld->Add(Layer::Pictures, entry);
        palette.push_back(entry);
        selectedCode = NextPaletteCode(selectedCode);
    }
}

void LevelData::MakePlaceholders() {
    const int columns = Columns();
    const int rows = Rows();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* tile = new Tilemap();
            tile->SetScale(gTileSize, gTileSize);
            tile->SetPos(CellCentre(column, gGridWidth), CellCentre(row, gGridHeight));
            tile->SetTintColor(1.0f, 1.0f, 1.0f, 0.0f);
            tile->SetCell(column, row);
            gWorld->Add(Layer::Level, tile);
        }
    }
}

// ---- LevelData: grid access -------------------------------------------------------------------

void LevelData::SetTile(int column, int row, int code) {
    if (column >= 0 && row >= 0 && column < Columns() && row < Rows()) {
        tileGrid[column][row] = code;
        // Walls painted in the editor stop whoever walks there at once.
        collisionGrid[column][row] = CollisionValueOf(code);
    }
}

int LevelData::TileAt(int column, int row, int outside) const {
    if (column < 0 || row < 0 || column >= Columns() || row >= Rows()) {
        return outside;
    }
    return tileGrid[column][row];
}

bool LevelData::Holds(int code) const {
    return std::any_of(tileGrid.begin(), tileGrid.end(), [code](const std::vector<int>& column) {
        return std::find(column.begin(), column.end(), code) != column.end();
    });
}

int LevelData::CollisionAt(int column, int row, int outside) const {
    if (column < 0 || row < 0 || column >= static_cast<int>(collisionGrid.size()) ||
        row >= static_cast<int>(collisionGrid[column].size())) {
        return outside;
    }
    return collisionGrid[column][row];
}

int LevelData::NextPaletteCode(int code) {
    switch (code) {
    case kTileFloor:
        return kTileWall;
    case kTileWall:
        return kTileTrapDoor;
    case kTileTrapDoor:
        return kTileVoid;
    case kTileVoid:
        return kTileFloor;
    default:
        return code;
    }
}

// ---- LevelData: export
// ---------------------------------------------------------------------------

std::string LevelData::Text() const {
    // The level format: rows from the top, "," after every value but the
    // file's last, a line break after each row.
    std::string text;
    const int columns = Columns();
    const int rows = Rows();
    for (int row = rows - 1; row >= 0; --row) {
        for (int column = 0; column < columns; ++column) {
            text += std::to_string(tileGrid[column][row]);
            if (row != 0 || column != columns - 1) {
                text += ',';
            }
        }
        text += '\n';
    }
    return text;
}

bool LevelData::Export() {
    const std::string text = Text();

    const fs::path folder = ExportedLevelsFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        return false;
    }
    RemoveStaleExportFiles();
    const fs::path temp = TempExportPath(folder);
    if (!WriteWholeFile(temp, text)) {
        fs::remove(temp, error);
        return false;
    }
    int number = std::max(exportCount, HighestExportNumber(folder) + 1);
    for (int attempt = 0; attempt < kExportAttempts; ++attempt, ++number) {
        const fs::path target = folder / ExportName(number);
        bool taken = false;
        if (PublishWithoutReplacing(temp, target, &taken)) {
            lastExportPath = target.string();
            exportCount = number + 1;
            ++levelCount;
            return true;
        }
        if (!taken) {
            break;
        }
    }
    fs::remove(temp, error);
    return false;
}
