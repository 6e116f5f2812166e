// Moth Lantern: the level validator (see LevelValidator.h).
//
// Index
//   1. Grid helpers (walking, distances)
//   2. Rules shared by every level
//   3. Rules per kind of level
//   4. Entry points (the text read through the game's level reader)
#include "LevelValidator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Format(const char* fmt, int a, int b = 0, int c = 0, int d = 0) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, fmt, a, b, c, d);
    return buffer;
}

std::string CellName(int column, int row) {
    return Format("column %d, row %d from the top", column, row);
}

// ---- 1. Grid helpers ---------------------------------------------------------

const int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// Breadth-first distances in cells from one cell over walkable cells (-1: unreached).
std::vector<int> Distances(const LevelGrid& grid, int column, int row) {
    std::vector<int> dist(grid.cells.size(), -1);
    if (!grid.Inside(column, row) || !LevelCodeWalkable(grid.At(column, row))) {
        return dist;
    }
    std::deque<int> queue;
    dist[row * grid.width + column] = 0;
    queue.push_back(row * grid.width + column);
    while (!queue.empty()) {
        int index = queue.front();
        queue.pop_front();
        int c = index % grid.width;
        int r = index / grid.width;
        for (const auto& step : kSteps) {
            int nc = c + step[0];
            int nr = r + step[1];
            if (!grid.Inside(nc, nr) || !LevelCodeWalkable(grid.At(nc, nr))) {
                continue;
            }
            int next = nr * grid.width + nc;
            if (dist[next] < 0) {
                dist[next] = dist[index] + 1;
                queue.push_back(next);
            }
        }
    }
    return dist;
}

struct Cell {
    int column;
    int row;
};

std::vector<Cell> CellsWith(const LevelGrid& grid, int code) {
    std::vector<Cell> out;
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            if (grid.At(c, r) == code) {
                out.push_back({c, r});
            }
        }
    }
    return out;
}

bool OnBorder(const LevelGrid& grid, int column, int row) {
    return column == 0 || row == 0 || column == grid.width - 1 || row == grid.height - 1;
}

// The cell whose centre is the world point (x, y), with the grid centred on the origin.
bool CellAtWorld(const LevelGrid& grid, float x, float y, int* column, int* rowFromTop) {
    float c = x / 50.0f + grid.width / 2.0f - 0.5f;
    float rBottom = y / 50.0f + grid.height / 2.0f - 0.5f;
    int ci = static_cast<int>(std::lround(c));
    int ri = grid.height - 1 - static_cast<int>(std::lround(rBottom));
    if (std::fabs(c - ci) > 1e-3f || !grid.Inside(ci, ri)) {
        return false;
    }
    *column = ci;
    *rowFromTop = ri;
    return true;
}

// ---- 2. Rules shared by every level -----------------------------------------

void CheckCodes(const LevelGrid& grid, std::vector<std::string>* problems) {
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            int v = grid.At(c, r);
            bool known = v == kTileFloor || v == kTileWall || v == kTileTrapDoor ||
                         v == kTilePlayerStart || v == kTileSpiderSpawn || v == kTileKey ||
                         v == kTileBattery || v == kTileVoid;
            if (!known) {
                problems->push_back("unknown tile code " + std::to_string(v) + " at " +
                                    CellName(c, r) + " (only 0, 1, 2, 3, 4, 5, 6 and 9 exist)");
            }
        }
    }
}

void CheckBorder(const LevelGrid& grid, bool rocksOnly, std::vector<std::string>* problems) {
    int open = 0;
    std::string first;
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            if (!OnBorder(grid, c, r)) {
                continue;
            }
            int v = grid.At(c, r);
            bool ok = rocksOnly ? v == kTileWall : (v == kTileWall || v == kTileVoid);
            if (!ok) {
                if (open++ == 0) {
                    first = CellName(c, r);
                }
            }
        }
    }
    if (open > 0) {
        problems->push_back(Format("the border is not solid: %d border cell(s) are not ", open) +
                            (rocksOnly ? "rock (1)" : "wall (1) or void (9)") + ", first at " +
                            first);
    }
}

// One start; every walkable cell and (when required) a trap door reachable from it.
// Returns the start's distances (empty without exactly one start).
std::vector<int> CheckStartAndReach(const LevelGrid& grid, bool needTrapDoor,
                                    std::vector<std::string>* problems) {
    std::vector<Cell> starts = CellsWith(grid, kTilePlayerStart);
    if (starts.size() != 1) {
        problems->push_back(Format("expected exactly one player start (3), found %d",
                                   static_cast<int>(starts.size())));
        return {};
    }
    std::vector<int> dist = Distances(grid, starts[0].column, starts[0].row);
    int unreached = 0;
    std::string first;
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            if (LevelCodeWalkable(grid.At(c, r)) && dist[r * grid.width + c] < 0) {
                if (unreached++ == 0) {
                    first = CellName(c, r);
                }
            }
        }
    }
    if (unreached > 0) {
        problems->push_back(
            Format("%d walkable cell(s) cannot be reached from the start, first at ", unreached) +
            first);
    }
    std::vector<Cell> doors = CellsWith(grid, kTileTrapDoor);
    if (needTrapDoor && doors.empty()) {
        problems->push_back("the level has no trap door (2)");
    } else if (needTrapDoor) {
        bool reached = false;
        for (const Cell& d : doors) {
            reached = reached || dist[d.row * grid.width + d.column] >= 0;
        }
        if (!reached) {
            problems->push_back("no trap door can be reached from the start");
        }
    }
    return dist;
}

// ---- 3. Rules per kind of level ---------------------------------------------

void CheckStory(const LevelGrid& grid, int level, const std::vector<int>& dist,
                std::vector<std::string>* problems) {
    std::vector<Cell> spawns = CellsWith(grid, kTileSpiderSpawn);
    if (spawns.size() < 2) {
        problems->push_back(Format("a story level needs several spider spawns (4), found %d",
                                   static_cast<int>(spawns.size())));
    }
    std::vector<Cell> starts = CellsWith(grid, kTilePlayerStart);
    for (const Cell& s : spawns) {
        if (level == 1) {
            // In Level1 the first spider appears 200 units (4 rows) above its spawn.
            int above = s.row - 4;
            if (!grid.Inside(s.column, above) || !LevelCodeWalkable(grid.At(s.column, above))) {
                problems->push_back("the cell 4 rows above the spider spawn at " +
                                    CellName(s.column, s.row) +
                                    " is not walkable (Level1's first spider appears there)");
            }
        }
        if (starts.size() == 1) {
            float dx = static_cast<float>(s.column - starts[0].column);
            float dy = static_cast<float>(s.row - starts[0].row);
            if (dx * dx + dy * dy < 16.0f) {
                problems->push_back("the spider spawn at " + CellName(s.column, s.row) +
                                    " is closer than 4 cells to the start");
            }
        }
    }
    if (dist.empty()) {
        return;
    }
    int nearest = -1;
    for (const Cell& d : CellsWith(grid, kTileTrapDoor)) {
        int k = dist[d.row * grid.width + d.column];
        if (k >= 0 && (nearest < 0 || k < nearest)) {
            nearest = k;
        }
    }
    int wanted = grid.width > grid.height ? grid.width : grid.height;
    if (nearest >= 0 && nearest < wanted) {
        problems->push_back(Format("the trap door is only %d steps from the start; a story "
                                   "level wants at least %d",
                                   nearest, wanted));
    }
}

void CheckMenu(const LevelGrid& grid, std::vector<std::string>* problems) {
    int c = 0;
    int r = 0;
    if (!CellAtWorld(grid, 100.0f, 50.0f, &c, &r)) {
        problems->push_back("the menu grid has no cell centred on (100, 50) for the control wall");
    } else if (grid.At(c, r) != kTileFloor) {
        problems->push_back("the cell at (100, 50) (" + CellName(c, r) +
                            ") must be floor (0): the control wall stands there");
    }
    if (!CellsWith(grid, kTileSpiderSpawn).empty()) {
        problems->push_back("the menu room must have no spider spawn (4)");
    }
}

void CheckPuzzle(const LevelGrid& grid, std::vector<std::string>* problems) {
    int blocked = 0;
    std::string first;
    for (int r = 1; r < grid.height - 1; ++r) {
        for (int c = 1; c < grid.width - 1; ++c) {
            int v = grid.At(c, r);
            if (v != kTileFloor && v != kTilePlayerStart) {
                if (blocked++ == 0) {
                    first = CellName(c, r) + " holds " + std::to_string(v);
                }
            }
        }
    }
    if (blocked > 0) {
        problems->push_back(Format("%d cell(s) inside the puzzle room are not floor (rocks only "
                                   "on the border ring; boxes, blocks and beams stand inside), "
                                   "first at ",
                                   blocked) +
                            first);
    }
}

} // namespace

// ---- 4. Entry points ---------------------------------------------------------

bool LevelCodeWalkable(int code) {
    return CollisionValueOf(code) == 0;
}

namespace {

// The reader's notes as lines for a person, in the order they matter.
void DescribeReadProblems(const LevelReadReport& report, const LevelGrid& grid,
                          std::vector<std::string>* out) {
    if (report.trailingComma) {
        out->push_back("the file ends with a comma after its last value");
    }
    if (report.values == 0 && report.tooLongField == 0) {
        out->push_back("the file holds no values");
    }
    for (const auto& [number, problem] : report.fieldProblems) {
        out->push_back(Format(problem == LevelReadReport::Field::NoNumber
                                  ? "value %d holds no number (the reader takes it as 0)"
                                  : "value %d has text after its number",
                              number));
    }
    if (report.tooLongField != 0) {
        out->push_back(Format("value %d is longer than 511 characters; the reader stops there",
                              report.tooLongField));
    }
    const int wanted = grid.width * grid.height;
    if (report.values != wanted) {
        out->push_back(Format("expected %d values for a %d x %d grid, found %d", wanted, grid.width,
                              grid.height, report.values));
    }
}

} // namespace

LevelGrid ParseLevelText(const std::string& text, int width, int height,
                         std::vector<std::string>* problems) {
    LevelGrid grid;
    grid.width = std::max(width, 0);
    grid.height = std::max(height, 0);
    grid.cells.assign(static_cast<size_t>(grid.width) * grid.height, 0);
    LevelCells tiles(grid.width, std::vector<int>(grid.height, 0));
    LevelCells collision = tiles;
    std::stringbuf source(text);
    char field[kLevelFieldBufferSize];
    LevelReadReport report;
    ReadLevelCells(&source, field, &tiles, &collision, true, &report);
    // The reader's rows count from the bottom, the grid's from the top.
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            grid.cells[r * grid.width + c] = tiles[c][grid.height - 1 - r];
        }
    }
    if (problems != nullptr) {
        DescribeReadProblems(report, grid, problems);
    }
    return grid;
}

std::vector<std::string> ValidateLevelGrid(const LevelGrid& grid, const LevelRules& rules) {
    std::vector<std::string> problems;
    if (grid.width < 3 || grid.height < 3 ||
        grid.cells.size() != static_cast<size_t>(grid.width) * grid.height) {
        problems.push_back(
            Format("a level grid must be at least 3 x 3, got %d x %d", grid.width, grid.height));
        return problems;
    }
    if (rules.width > 0 && (grid.width != rules.width || grid.height != rules.height)) {
        problems.push_back(Format("the grid is %d x %d but this level is read at %d x %d",
                                  grid.width, grid.height, rules.width, rules.height));
    }
    CheckCodes(grid, &problems);
    switch (rules.kind) {
    case LevelKind::Puzzle:
        CheckBorder(grid, true, &problems);
        CheckPuzzle(grid, &problems);
        break;
    case LevelKind::Story: {
        CheckBorder(grid, false, &problems);
        std::vector<int> dist = CheckStartAndReach(grid, true, &problems);
        CheckStory(grid, rules.storyLevel, dist, &problems);
        break;
    }
    case LevelKind::Menu:
        CheckBorder(grid, false, &problems);
        CheckStartAndReach(grid, true, &problems);
        CheckMenu(grid, &problems);
        break;
    case LevelKind::EditorTemplate:
    case LevelKind::Custom:
        CheckBorder(grid, false, &problems);
        CheckStartAndReach(grid, true, &problems);
        break;
    }
    return problems;
}

std::vector<std::string> ValidateLevelText(const std::string& text, const LevelRules& rules) {
    std::vector<std::string> problems;
    LevelGrid grid = ParseLevelText(text, rules.width, rules.height, &problems);
    std::vector<std::string> more = ValidateLevelGrid(grid, rules);
    problems.insert(problems.end(), more.begin(), more.end());
    return problems;
}

bool LevelRulesForFile(const std::string& fileName, LevelRules* rules) {
    LevelRules r;
    bool known = true;
    if (fileName == "menu.text") {
        r = {LevelKind::Menu, 0, 21, 7};
    } else if (fileName == "puzzle_map.text") {
        r = {LevelKind::Puzzle, 0, 21, 16};
    } else if (fileName == "EditorTemplate.text") {
        r = {LevelKind::EditorTemplate, 0, 30, 30};
    } else if (fileName.size() == 19 && fileName.compare(0, 13, "levels_edited") == 0 &&
               fileName.compare(14, 5, ".text") == 0 && fileName[13] >= '1' &&
               fileName[13] <= '5') {
        int level = fileName[13] - '0';
        int size = 11 + 4 * level; // 15, 19, 23, 27, 31
        r = {LevelKind::Story, level, size, size};
    } else {
        r = {LevelKind::Custom, 0, 30, 30};
        known = false;
    }
    if (rules) {
        *rules = r;
    }
    return known;
}

std::vector<int> LevelDistancesFrom(const LevelGrid& grid, int column, int rowFromTop) {
    return Distances(grid, column, rowFromTop);
}

int LevelPathLength(const LevelGrid& grid, int fromColumn, int fromRow, int toColumn, int toRow) {
    if (!grid.Inside(toColumn, toRow)) {
        return -1;
    }
    std::vector<int> dist = Distances(grid, fromColumn, fromRow);
    return dist.empty() ? -1 : dist[toRow * grid.width + toColumn];
}
