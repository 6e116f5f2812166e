// Moth Lantern: the level file reader's core, free of the World and the assets.
//
// Turns the bytes of a level file into the tile and collision grids. Level
// files can come from anywhere (exported levels are shared and hand-edited),
// so this is the one place that parses untrusted text: it never writes
// outside the grids it is given, whatever the bytes. LevelData wraps it with
// the file, the start position and the placeholders; the fuzz target drives it
// directly.
#pragma once
#include <cstddef>
#include <streambuf>
#include <utility>
#include <vector>

// Tile codes of the level format.
enum : int {
    kTileFloor = 0,
    kTileWall = 1,
    kTileTrapDoor = 2,
    kTilePlayerStart = 3, // stored as floor; the reader records the start position
    kTileSpiderSpawn = 4,
    kTileKey = 5,     // floor holding the level's key (custom levels; story levels draw theirs)
    kTileBattery = 6, // floor holding a battery (custom levels)
    kTileVoid = 9,
};

using LevelCells = std::vector<std::vector<int>>; // [column][row], row 0 at the bottom

struct LevelReadResult {
    bool complete = true;    // false when a field over 511 characters ended the read
    bool startFound = false; // a player start (code 3) was read
    int startColumn = 0;     // the last start in file order
    int startRow = 0;
};

// Longest field the reader accepts is one less: 511 characters.
constexpr std::size_t kLevelFieldBufferSize = 512;

// What the reader met in a file that the editor's export never writes. The
// game reads such files all the same; the validator and the editor's notice
// say what is wrong with them.
struct LevelReadReport {
    enum class Field { NoNumber, TextAfterNumber };
    int values = 0;             // fields read, those past the grid included
    bool trailingComma = false; // the text ends with a comma after its last value
    int tooLongField = 0;       // the 1-based field over 511 characters that ended the read
    std::vector<std::pair<int, Field>> fieldProblems; // 1-based field number, in file order
};

// Reads comma-separated fields from `source` into the grids, top row first,
// each row left to right, until the grid is full or the text ends (a blank
// last field after a comma ends it too). Each field's value goes through
// ParseLevelField; a start cell is stored as floor unless `keepStartCode`
// (the editor shows where the start is). `fieldBuffer` holds the current
// field (kLevelFieldBufferSize characters). Both grids must have the same
// shape; any shape, empty included, is safe. With a `report`, the reader
// also counts and checks the fields past a full grid and notes every
// problem there.
LevelReadResult ReadLevelCells(std::streambuf* source, char* fieldBuffer, LevelCells* tiles,
                               LevelCells* collision, bool keepStartCode,
                               LevelReadReport* report = nullptr);

// The integer value of a field: leading white space skipped, an optional
// sign, then the leading digits (0 when there are none); anything after them
// is ignored. Values beyond int saturate. `problem`, when given, says whether
// the field held no number or text after it (left as is when neither).
int ParseLevelField(const char* field, std::size_t length,
                    LevelReadReport::Field* problem = nullptr, bool* hasProblem = nullptr);

// Collision value of a tile code: 0 (walkable) for floor, trap door, start,
// spider spawn, key and battery; 1 (blocked) for walls, void and any unknown code.
int CollisionValueOf(int code);
