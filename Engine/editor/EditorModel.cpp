// Moth Lantern: the level editor's model (see EditorModel.h).
#include "EditorModel.h"

#include "LevelValidator.h"

#include <cmath>
#include <cstdlib>
#include <limits>

// ---- EditorModel: grid and geometry -----------------------------------------------------

void EditorModel::Reset(const LevelCells& grid, float tile) {
    cells = grid;
    saved = grid;
    tileSize = tile;
    undo.clear();
    redo.clear();
    stroke.clear();
    stroking = false;
    ++revision;
}

int EditorModel::At(int column, int row) const {
    if (column < 0 || row < 0 || column >= Columns() || row >= Rows()) {
        return -1;
    }
    return cells[column][row];
}

void EditorModel::ToUnits(float worldX, float worldY, float* u, float* v) const {
    *u = worldX / tileSize + static_cast<float>(Columns()) / 2.0f;
    *v = worldY / tileSize + static_cast<float>(Rows()) / 2.0f;
}

EditorCell EditorModel::CellAt(float worldX, float worldY) const {
    float u = 0.0f;
    float v = 0.0f;
    ToUnits(worldX, worldY, &u, &v);
    return CellAtUnits(u, v);
}

EditorCell EditorModel::CellAtUnits(float u, float v) {
    return EditorCell{static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v))};
}

bool EditorModel::IsEditable(EditorCell cell) const {
    return cell.column >= kLockedRings && cell.row >= kLockedRings &&
           cell.column < Columns() - kLockedRings && cell.row < Rows() - kLockedRings;
}

// ---- EditorModel: strokes -----------------------------------------------------------------

void EditorModel::BeginStroke() {
    if (stroking) {
        EndStroke();
    }
    stroking = true;
    stroke.clear();
}

void EditorModel::Store(int column, int row, int code, EditorStep* changes) {
    const int before = cells[column][row];
    if (before == code) {
        return;
    }
    cells[column][row] = code;
    changes->push_back(CellChange{column, row, before, code});
}

EditorStep EditorModel::Paint(EditorCell cell, int code) {
    EditorStep changes;
    if (!IsEditable(cell) || cells[cell.column][cell.row] == code) {
        return changes;
    }
    if (code == kTilePlayerStart || code == kTileKey) {
        // One start and one key: a new one replaces the old.
        for (int c = 0; c < Columns(); ++c) {
            for (int r = 0; r < Rows(); ++r) {
                if (cells[c][r] == code) {
                    Store(c, r, kTileFloor, &changes);
                }
            }
        }
    }
    Store(cell.column, cell.row, code, &changes);
    ++revision;
    if (stroking) {
        stroke.insert(stroke.end(), changes.begin(), changes.end());
    } else {
        PushStep(changes);
    }
    return changes;
}

EditorStep EditorModel::PaintSegment(float fromU, float fromV, float toU, float toV, int code) {
    EditorStep changes;
    for (const EditorCell& cell : CellsCrossed(fromU, fromV, toU, toV)) {
        const EditorStep painted = Paint(cell, code);
        changes.insert(changes.end(), painted.begin(), painted.end());
    }
    return changes;
}

void EditorModel::EndStroke() {
    stroking = false;
    if (!stroke.empty()) {
        PushStep(stroke);
    }
    stroke.clear();
}

// ---- EditorModel: history ------------------------------------------------------------------

void EditorModel::PushStep(EditorStep step) {
    if (step.empty()) {
        return;
    }
    undo.push_back(std::move(step));
    if (undo.size() > kHistorySteps) {
        undo.pop_front();
    }
    redo.clear();
}

void EditorModel::Apply(const EditorStep& step, bool forward) {
    if (forward) {
        for (const CellChange& change : step) {
            cells[change.column][change.row] = change.after;
        }
    } else {
        for (auto change = step.rbegin(); change != step.rend(); ++change) {
            cells[change->column][change->row] = change->before;
        }
    }
    ++revision;
}

EditorStep EditorModel::Undo() {
    if (stroking) {
        EndStroke();
    }
    if (undo.empty()) {
        return {};
    }
    EditorStep step = std::move(undo.back());
    undo.pop_back();
    Apply(step, false);
    redo.push_back(step);
    return step;
}

EditorStep EditorModel::Redo() {
    if (redo.empty()) {
        return {};
    }
    EditorStep step = std::move(redo.back());
    redo.pop_back();
    Apply(step, true);
    undo.push_back(step);
    return step;
}

// ---- Grid walk ------------------------------------------------------------------------------

namespace {

// How far along the segment (0..1) the walk first meets the next cell edge
// on one axis, and how far apart those edges are.
void EdgeSteps(float from, float delta, int cell, int step, float* next, float* each) {
    constexpr float kNever = std::numeric_limits<float>::infinity();
    if (delta == 0.0f) {
        *next = kNever;
        *each = kNever;
        return;
    }
    const float edge = static_cast<float>(step > 0 ? cell + 1 : cell);
    *next = (edge - from) / delta;
    *each = std::fabs(1.0f / delta);
}

} // namespace

std::vector<EditorCell> CellsCrossed(float fromU, float fromV, float toU, float toV) {
    EditorCell cell = EditorModel::CellAtUnits(fromU, fromV);
    const EditorCell last = EditorModel::CellAtUnits(toU, toV);
    const float du = toU - fromU;
    const float dv = toV - fromV;
    const int stepC = du > 0.0f ? 1 : -1;
    const int stepR = dv > 0.0f ? 1 : -1;
    float nextC = 0.0f;
    float eachC = 0.0f;
    float nextR = 0.0f;
    float eachR = 0.0f;
    EdgeSteps(fromU, du, cell.column, stepC, &nextC, &eachC);
    EdgeSteps(fromV, dv, cell.row, stepR, &nextR, &eachR);
    // Bounded by the cells between the ends, whatever rounding does.
    const int steps = std::abs(last.column - cell.column) + std::abs(last.row - cell.row);
    std::vector<EditorCell> crossed{cell};
    for (int i = 0; i < steps && !(cell == last); ++i) {
        if (nextC < nextR) {
            cell.column += stepC;
            nextC += eachC;
        } else {
            cell.row += stepR;
            nextR += eachR;
        }
        crossed.push_back(cell);
    }
    return crossed;
}

// ---- Live check ----------------------------------------------------------------------------

namespace {

// The grid as the validator reads a file: top row first.
LevelGrid AsFileGrid(const LevelCells& cells) {
    LevelGrid grid;
    grid.width = static_cast<int>(cells.size());
    grid.height = cells.empty() ? 0 : static_cast<int>(cells[0].size());
    for (int row = grid.height - 1; row >= 0; --row) {
        for (int column = 0; column < grid.width; ++column) {
            grid.cells.push_back(cells[column][row]);
        }
    }
    return grid;
}

} // namespace

EditorCheck CheckEditedLevel(const LevelCells& cells) {
    EditorCheck check;
    const LevelGrid grid = AsFileGrid(cells);
    LevelRules rules;
    LevelRulesForFile("", &rules); // an exported level's rules
    check.lacks = ValidateLevelGrid(grid, rules);
    std::vector<int> starts;
    for (int i = 0; i < static_cast<int>(grid.cells.size()); ++i) {
        if (grid.cells[i] == kTilePlayerStart) {
            starts.push_back(i);
        }
    }
    if (starts.size() != 1) {
        return check;
    }
    const std::vector<int> distances =
        LevelDistancesFrom(grid, starts[0] % grid.width, starts[0] / grid.width);
    for (int i = 0; i < static_cast<int>(grid.cells.size()); ++i) {
        if (distances[i] < 0 && LevelCodeWalkable(grid.cells[i])) {
            check.unreachable.push_back(
                EditorCell{i % grid.width, grid.height - 1 - i / grid.width});
        }
    }
    return check;
}
