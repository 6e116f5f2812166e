// Moth Lantern: a small picture of an exported level for the Levels dialog.
//
// The level is read as the Custom state reads it, at the editor's 30 x 30,
// with its start cell kept, and drawn as one square per cell in the colours
// of the game's tiles: stone walls, dark floor, black void, the amber trap
// door, the pale start and the violet spider nests.
#pragma once
#include "GameObject.h"
#include "LevelReader.h"
#include "PixelDraw.h"

#include <string>

class LevelPreview {
  public:
    static constexpr int kCells = 30;

    // Reads the file; false (and an empty picture) when it cannot be opened
    // or holds no value at all.
    bool Read(const std::string& path);
    void Clear() { cells.clear(); }
    bool Empty() const { return cells.empty(); }
    // The tile code of a cell, column from the left and row from the top.
    int CodeAt(int column, int rowFromTop) const;

    // One square of `cellSize` pixels per cell, the top-left cell at (x, y).
    void Draw(int x, int y, int cellSize) const;
    // The colour a tile code is drawn in; codes the game does not know show
    // as walls, which is how the game treats them.
    static Color CellColour(int code);

  private:
    LevelCells cells; // [column][row], row 0 at the bottom
};
