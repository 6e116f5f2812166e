// Moth Lantern: the level editor's model, free of drawing and of the World.
//
// The grid being edited, which cell a point names, strokes of painted cells
// with their undo and redo history, whether the grid changed since it was
// last saved, and the live check of what the level still lacks. The editor
// state (Editor.h) turns the pointer into calls here and shows the cells each
// call changed.
//
// Index
//   Cells ........... EditorCell, CellChange
//   EditorModel ..... geometry, strokes, history, saved state
//   Live check ...... EditorCheck, CheckEditedLevel
#pragma once
#include "LevelReader.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// ---- Cells ----------------------------------------------------------------------------

struct EditorCell {
    int column;
    int row; // from the bottom
    bool operator==(const EditorCell& other) const {
        return column == other.column && row == other.row;
    }
};

// One cell's code before and after a change.
struct CellChange {
    int column;
    int row;
    int before;
    int after;
};
using EditorStep = std::vector<CellChange>;

// ---- EditorModel ------------------------------------------------------------------------

class EditorModel {
  public:
    static constexpr int kLockedRings = 2;
    static constexpr std::size_t kHistorySteps = 200;

    // A new grid ([column][row], row 0 at the bottom) with no history, saved as it is.
    void Reset(const LevelCells& cells, float tileSize);
    const LevelCells& Cells() const { return cells; }
    int Columns() const { return static_cast<int>(cells.size()); }
    int Rows() const { return cells.empty() ? 0 : static_cast<int>(cells[0].size()); }
    int At(int column, int row) const; // -1 outside the grid

    // ---- Geometry: the grid is centred on the world origin ----
    // The cell that contains a world point (floor of both coordinates, so a
    // point in a cell's lower half names that cell, not the one below).
    EditorCell CellAt(float worldX, float worldY) const;
    // A world point in cell units (0 at the grid's left and bottom edge).
    void ToUnits(float worldX, float worldY, float* u, float* v) const;
    // A point in cell units to its cell.
    static EditorCell CellAtUnits(float u, float v);
    // False for the two outer rings and anything outside the grid.
    bool IsEditable(EditorCell cell) const;

    // ---- Strokes: everything painted between Begin and End is one undo step ----
    void BeginStroke();
    // Paints every editable cell the segment between two points in cell
    // units crosses, so a fast drag leaves no gaps. Returns the changes.
    EditorStep PaintSegment(float fromU, float fromV, float toU, float toV, int code);
    // Paints one cell (a start or a key moves: a level has one of each).
    EditorStep Paint(EditorCell cell, int code);
    void EndStroke();
    bool InStroke() const { return stroking; }

    // ---- History ----
    // The changes undone or redone, to be shown; empty when there is none.
    EditorStep Undo();
    EditorStep Redo();
    std::size_t UndoSteps() const { return undo.size(); }
    std::size_t RedoSteps() const { return redo.size(); }

    // ---- Saved state ----
    bool Unsaved() const { return cells != saved; }
    void MarkSaved() { saved = cells; }
    // Grows with every change, so a view knows when to check the level again.
    unsigned Revision() const { return revision; }

  private:
    void Store(int column, int row, int code, EditorStep* changes);
    void Apply(const EditorStep& step, bool forward);
    void PushStep(EditorStep step);

    LevelCells cells;
    LevelCells saved;
    float tileSize = 50.0f;
    std::deque<EditorStep> undo;
    std::vector<EditorStep> redo;
    EditorStep stroke;
    bool stroking = false;
    unsigned revision = 0;
};

// Cells a segment between two points in cell units crosses, in order from
// the first (a grid walk: each step goes to a side-neighbour).
std::vector<EditorCell> CellsCrossed(float fromU, float fromV, float toU, float toV);

// ---- Live check ---------------------------------------------------------------------------

struct EditorCheck {
    std::vector<std::string> lacks;      // what the level lacks, one line each
    std::vector<EditorCell> unreachable; // walkable cells the start cannot reach
    bool Playable() const { return lacks.empty(); }
};

// The level validator's verdict on the grid as an exported level, and the
// walkable cells the start cannot reach (none without exactly one start).
EditorCheck CheckEditedLevel(const LevelCells& cells);
