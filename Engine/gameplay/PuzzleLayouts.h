// Moth Lantern: the five light-beam puzzles as data.
//
// Each puzzle is one table of boxes, beams (with their segment, drawing
// rotation, gate flag and second beam), danger blocks, direction blocks and
// pushable blocks. BuildPuzzle turns a table into objects in a fixed order:
// boxes, beams, danger blocks, direction blocks, pushable blocks, then the
// memory's place. The player is created before it by the puzzle's init.
#pragma once
#include <vector>

enum class BoxRole { Plain, Start, End };

struct BoxEntry {
    float x, y;
    BoxRole role;
};

// Boxes are numbered from 1 as in the puzzle sketches (B1 is boxes[0]).
struct BeamEntry {
    int segment;
    int from, to;   // box numbers
    float rotation; // drawing angle, radians
    bool gate;      // ends at the first box of the next segment
    int next;       // index in the beam list of a second beam leaving `to`, or -1
};

struct BlockEntry {
    float x, y;
    float angle = 0.0f; // direction blocks: where their beam goes
    int targetBox = 0;  // direction blocks: the box their chain should reach
};

struct PuzzleLayout {
    std::vector<BoxEntry> boxes;
    std::vector<BeamEntry> beams; // in the order they are traced within a segment
    std::vector<BlockEntry> dangers;
    std::vector<BlockEntry> directions;
    std::vector<BlockEntry> movables;
};

// Where every puzzle puts the player, and where a solved puzzle spawns its memory.
constexpr float kPuzzleStartX = 50.0f;
constexpr float kPuzzleStartY = 50.0f;
constexpr float kMemoryX = -350.0f;
constexpr float kMemoryY = -300.0f;

// The layout of puzzle 1 to 5; null for any other number.
const PuzzleLayout* PuzzleLayoutFor(int puzzle);

// Creates the layout's pieces in the World and hands its beams to the
// PuzzleManager, whose segment slots must already exist.
void BuildPuzzle(const PuzzleLayout& layout);
