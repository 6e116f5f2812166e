// Moth Lantern: the level validator (see LevelValidator.h).
//
// Index
//   1. Parsing the file text
//   2. Grid helpers (walking, distances)
//   3. Rules shared by every level
//   4. Rules per kind of level
//   5. Entry points
#include "LevelValidator.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <deque>
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

// ---- 1. Parsing the file text ------------------------------------------------

constexpr size_t kMaxField = 511; // the reader's line buffer holds 511 characters

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

struct Field {
    bool hasNumber = false;
    bool trailingText = false;
    long value = 0;
};

Field ParseField(const std::string& field) {
    Field out;
    size_t i = 0;
    while (i < field.size() && IsSpace(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) {
        negative = field[i] == '-';
        ++i;
    }
    size_t digits = i;
    long value = 0;
    while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
        if (value < 100000000) {
            value = value * 10 + (field[i] - '0');
        }
        ++i;
    }
    out.hasNumber = i > digits;
    out.value = negative ? -value : value;
    for (; i < field.size(); ++i) {
        if (!IsSpace(field[i])) {
            out.trailingText = true;
        }
    }
    return out;
}

// ---- 2. Grid helpers ---------------------------------------------------------

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

// ---- 3. Rules shared by every level -----------------------------------------

void CheckCodes(const LevelGrid& grid, std::vector<std::string>* problems) {
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c) {
            int v = grid.At(c, r);
            bool known = v == kLevelFloor || v == kLevelWall || v == kLevelTrapDoor ||
                         v == kLevelStart || v == kLevelSpawn || v == kLevelVoid;
            if (!known) {
                problems->push_back("unknown tile code " + std::to_string(v) + " at " +
                                    CellName(c, r) + " (only 0, 1, 2, 3, 4 and 9 exist)");
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
            bool ok = rocksOnly ? v == kLevelWall : (v == kLevelWall || v == kLevelVoid);
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
    std::vector<Cell> starts = CellsWith(grid, kLevelStart);
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
    std::vector<Cell> doors = CellsWith(grid, kLevelTrapDoor);
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

// ---- 4. Rules per kind of level ---------------------------------------------

void CheckStory(const LevelGrid& grid, int level, const std::vector<int>& dist,
                std::vector<std::string>* problems) {
    std::vector<Cell> spawns = CellsWith(grid, kLevelSpawn);
    if (spawns.size() < 2) {
        problems->push_back(Format("a story level needs several spider spawns (4), found %d",
                                   static_cast<int>(spawns.size())));
    }
    std::vector<Cell> starts = CellsWith(grid, kLevelStart);
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
    for (const Cell& d : CellsWith(grid, kLevelTrapDoor)) {
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
    } else if (grid.At(c, r) != kLevelFloor) {
        problems->push_back("the cell at (100, 50) (" + CellName(c, r) +
                            ") must be floor (0): the control wall stands there");
    }
    if (!CellsWith(grid, kLevelSpawn).empty()) {
        problems->push_back("the menu room must have no spider spawn (4)");
    }
}

void CheckPuzzle(const LevelGrid& grid, std::vector<std::string>* problems) {
    int blocked = 0;
    std::string first;
    for (int r = 1; r < grid.height - 1; ++r) {
        for (int c = 1; c < grid.width - 1; ++c) {
            int v = grid.At(c, r);
            if (v != kLevelFloor && v != kLevelStart) {
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

// ---- 5. Entry points ---------------------------------------------------------

bool LevelCodeWalkable(int code) {
    return code == kLevelFloor || code == kLevelTrapDoor || code == kLevelStart ||
           code == kLevelSpawn;
}

LevelGrid ParseLevelText(const std::string& text, int width, int height,
                         std::vector<std::string>* problems) {
    LevelGrid grid;
    grid.width = width > 0 ? width : 0;
    grid.height = height > 0 ? height : 0;
    grid.cells.assign(static_cast<size_t>(grid.width) * grid.height, 0);
    std::vector<std::string> local;
    std::vector<std::string>& out = problems ? *problems : local;

    std::vector<std::string> fields;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t comma = text.find(',', begin);
        size_t end = comma == std::string::npos ? text.size() : comma;
        fields.push_back(text.substr(begin, end - begin));
        if (comma == std::string::npos) {
            break;
        }
        begin = comma + 1;
    }
    bool trailingComma = fields.size() > 1 && ParseField(fields.back()).hasNumber == false &&
                         fields.back().find_first_not_of(" \t\r\n\v\f") == std::string::npos;
    if (trailingComma) {
        fields.pop_back();
        out.push_back("the file ends with a comma after its last value");
    }
    if (fields.size() == 1 && fields[0].find_first_not_of(" \t\r\n\v\f") == std::string::npos) {
        out.push_back("the file holds no values");
        fields.clear();
    }
    size_t count = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].size() > kMaxField) {
            out.push_back(Format("value %d is longer than 511 characters; the reader stops there",
                                 static_cast<int>(i + 1)));
            break;
        }
        Field f = ParseField(fields[i]);
        if (!f.hasNumber) {
            out.push_back(Format("value %d holds no number (the reader takes it as 0)",
                                 static_cast<int>(i + 1)));
        } else if (f.trailingText) {
            out.push_back(Format("value %d has text after its number", static_cast<int>(i + 1)));
        }
        if (i < grid.cells.size()) {
            grid.cells[i] = static_cast<int>(f.value);
        }
        ++count;
    }
    size_t wanted = grid.cells.size();
    if (count != wanted) {
        out.push_back(Format("expected %d values for a %d x %d grid, found %d",
                             static_cast<int>(wanted), grid.width, grid.height,
                             static_cast<int>(count)));
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

int LevelPathLength(const LevelGrid& grid, int fromColumn, int fromRow, int toColumn, int toRow) {
    if (!grid.Inside(toColumn, toRow)) {
        return -1;
    }
    std::vector<int> dist = Distances(grid, fromColumn, fromRow);
    return dist.empty() ? -1 : dist[toRow * grid.width + toColumn];
}
