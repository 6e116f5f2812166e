// Moth Lantern: level files, the level grids and the exported levels.
//
// A level is a grid of integer tile codes in a plain text file: decimal values
// separated by commas, rows from the top row down, each row left to right. The
// file holds no size; the state decides it. The reader fills the tile grid and
// the 0/1 collision grid, records the player's start cell and puts one
// placeholder Tilemap per cell into World layer 0 (its Init builds the wall,
// trap door or spider spawn). The editor writes the same format with Export.
//
// Index
//   Tile codes and level globals ..... kTile*, LevelGridSize, gCustomLevelName, gTestPlayLevel
//   Exported-levels folder ........... ExportedLevelsFolder
//   LevelData ........................ Reset, Read, grids, Export, Unload
#pragma once
#include "GameStateManager.h"
#include "LevelReader.h"

#include <cstddef>
#include <fstream>
#include <list>
#include <string>
#include <vector>

class Tilemap;
class UITilemap;

// ---- Tile codes and level globals ---------------------------------------------------

// The grid (columns x rows) a state's level file is read at; false for states
// without a level of their own. Exported levels are read at the editor's
// 30 x 30, the size the editor writes them in.
bool LevelGridSize(GameStateId state, float* columns, float* rows);

// The exported level the Custom state plays: a file name inside the
// exported-levels folder, chosen in the Load dialog.
extern std::string gCustomLevelName;
// The editor's grid in the level format while the Custom state test-plays
// it (read instead of the chosen file; its doors and Esc lead back to the
// editor); "" otherwise. The menu's load clears it.
extern std::string gTestPlayLevel;
bool TestPlaying();

// ---- Exported-levels folder -------------------------------------------------------------

// One folder for the exports, the Custom state's reader and the Load dialog:
// "Exported" beside "Assets" (in the working directory unless the game was
// started from another folder).
const std::string& ExportedLevelsFolder();
// Points the exports and the Custom reader elsewhere (tests; a game started
// from another folder uses the one beside its Assets/).
void SetExportedLevelsFolder(const std::string& folder);
// Deletes the temporary files that exports cut short (the game killed while
// writing) left in the folder; another running game's export is left alone.
// Returns how many went. Run at start-up and before every export.
int RemoveStaleExportFiles();

// ---- LevelData ------------------------------------------------------------------------------

class LevelData {
  public:
    static constexpr std::size_t kLineBufferSize = kLevelFieldBufferSize;
    // Bounds any grid size the globals may ask for.
    static constexpr int kMaxGridCells = 256;

    LevelData();
    LevelData(const LevelData&) = delete;
    LevelData& operator=(const LevelData&) = delete;

    // Empties both grids to gGridWidth x gGridHeight zeros and counts the
    // level files; in the editor also makes one empty cell list per column.
    void Reset();
    // Reads the level file of the key into the grids, then makes the editor
    // palette (editor only) and the placeholders. A key without a file, or a
    // file that cannot be opened, prints "Error opening file" and leaves the
    // grids empty with no placeholder.
    void Read(const std::string& codedKey);
    // Read for a path: the file, then the palette and placeholders.
    void ReadFile(const std::string& path);
    // Read for a level's text itself: the grids, then the palette and placeholders.
    void ReadText(const std::string& text);
    // Releases the grids, the palette list and the editor's cell lists (the
    // objects themselves belong to the World).
    void Unload();

    // ---- Grid access ----
    // Writes a tile code and the cell's collision value; cells outside the
    // grid are ignored.
    void SetTile(int column, int row, int code);
    // Indexed [column][row], row 0 at the bottom.
    const std::vector<std::vector<int>>& GetTileGrid() const { return tileGrid; }
    const std::vector<std::vector<int>>& GetCollisionGrid() const { return collisionGrid; }
    // Cell values with a fallback for cells outside the grid.
    int TileAt(int column, int row, int outside) const;
    // Whether any cell holds the code (a custom level's key, code 5).
    bool Holds(int code) const;
    int CollisionAt(int column, int row, int outside) const;
    int Columns() const { return static_cast<int>(tileGrid.size()); }
    int Rows() const { return tileGrid.empty() ? 0 : static_cast<int>(tileGrid[0].size()); }

    // ---- Export ----
    // The tile grid in the level format, as Export writes it.
    std::string Text() const;
    // Writes the tile grid as the next Exported_N.txt of the exported-levels
    // folder (made when missing): N continues after the highest number there,
    // so no export replaces another, and the file appears whole or not at all.
    // Returns false, and changes nothing, when the file cannot be written.
    bool Export();
    // The path of the last successful export ("" before the first).
    const std::string& LastExportPath() const { return lastExportPath; }

    // The editor palette's order: 0 -> 1 -> 2 -> 9 -> 0; other codes stay.
    static int NextPaletteCode(int code);
    // The level file a key names ("" for keys without one).
    static std::string LevelPathOf(const std::string& codedKey);

    int selectedCode = kTileWall;                 // the editor's current tile code
    int levelCount = 0;                           // level files known, minus one
    std::vector<std::list<Tilemap*>> editorCells; // per column, the editor's cell objects
    char lineBuffer[kLineBufferSize];             // the field being read
    std::ifstream input;
    std::vector<std::vector<int>> tileGrid;      // [column][row]
    std::vector<std::vector<int>> collisionGrid; // 0 walkable, 1 blocked
    int exportCount = 0;                         // the number of the next export, at least
    bool startFound = false; // the last read level has a start (gPlayerStart* is its centre)
    std::vector<UITilemap*> palette; // the editor's four palette entries

  private:
    // Fills the grids from `input` and records the start position.
    // The grids from the text, then the editor's palette and the placeholders.
    void ReadLevel(std::streambuf* source);
    void MakePalette();
    void MakePlaceholders();

    std::string lastExportPath;
};

extern LevelData* gLevelData;
