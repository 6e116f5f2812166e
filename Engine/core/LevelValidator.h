// Moth Lantern: the level validator.
//
// Checks a level file (the comma-separated tile-code format) against the rules the game and
// its scripts rely on: the value count for the state's grid, known tile codes,
// one player start, a solid border, every walkable cell reachable from the
// start, a reachable trap door, and the per-file rules (spider spawns in the
// story levels, the free cell of the menu's control wall, rocks only on the
// puzzle room's border ring). It reads the text through the game's own level
// reader and depends on no other game class, so the asset tests and the level
// editor can both use it.
//
// Rows are counted from the top row of the file (the first row it stores);
// the level reader's row r (from the bottom) is height - 1 - that row.
#pragma once
#include "LevelReader.h"

#include <string>
#include <vector>

// What a level file is used for; it decides the rules beyond the common ones.
enum class LevelKind {
    Story,          // Level1..Level5: a maze with spawns and a far trap door
    Menu,           // the main menu room (21 x 7)
    Puzzle,         // the puzzle room (21 x 16), the same file for all five puzzles
    EditorTemplate, // the level editor's starting grid (30 x 30)
    Custom,         // a level exported by the editor
};

struct LevelRules {
    LevelKind kind = LevelKind::Custom;
    int storyLevel = 0; // 1..5 for LevelKind::Story
    int width = 0;
    int height = 0;
};

// A parsed grid: cells[row * width + column], row 0 being the top row of the file.
struct LevelGrid {
    int width = 0;
    int height = 0;
    std::vector<int> cells;

    int At(int column, int rowFromTop) const { return cells[rowFromTop * width + column]; }
    bool Inside(int column, int rowFromTop) const {
        return column >= 0 && rowFromTop >= 0 && column < width && rowFromTop < height;
    }
};

// True for codes the player and spiders can stand on (collision value 0).
bool LevelCodeWalkable(int code);

// Reads a level file's text with the game's reader: comma-separated fields,
// leading white space skipped, the leading digits of each field taken. Cells
// without a value stay 0, values past the grid are dropped. Anything the
// export would never write (a wrong count, an empty or non-numeric field, text
// after a number, a trailing comma, a field over 511 characters) is added to
// `problems` when it is not null.
LevelGrid ParseLevelText(const std::string& text, int width, int height,
                         std::vector<std::string>* problems);

// Every rule broken by the grid, one human-readable line each; empty = valid.
std::vector<std::string> ValidateLevelGrid(const LevelGrid& grid, const LevelRules& rules);

// ParseLevelText followed by ValidateLevelGrid; empty = valid.
std::vector<std::string> ValidateLevelText(const std::string& text, const LevelRules& rules);

// The rules of a level file the game ships, by file name ("menu.text",
// "levels_edited3.text", "puzzle_map.text", "EditorTemplate.text"). False for
// any other name (rules then describe an exported 30 x 30 custom level).
bool LevelRulesForFile(const std::string& fileName, LevelRules* rules);

// Walking distances in cells from one cell to every cell (4-neighbour moves
// over walkable cells), indexed like `cells`; -1 where it cannot walk.
std::vector<int> LevelDistancesFrom(const LevelGrid& grid, int column, int rowFromTop);

// Shortest walking distance in cells between two cells (4-neighbour moves
// over walkable cells); -1 when there is no path.
int LevelPathLength(const LevelGrid& grid, int fromColumn, int fromRow, int toColumn, int toRow);
