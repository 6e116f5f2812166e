// libFuzzer target: the level reader against any bytes.
//
// Exported levels are files players share and edit by hand, so the reader
// must hold whatever they contain. The game and the level validator (the
// editor's notice, the asset tests) read through the same reader: both ways
// are driven here, the second with its report of what is wrong. The first two bytes pick the grid's
// columns and rows (0 to 33 each), the rest is the file. Built with _GLIBCXX_ASSERTIONS, so any
// index outside a grid stops the run like a sanitizer finding.
#include "LevelReader.h"
#include "LevelValidator.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int columns = data[0] % 34;
    const int rows = data[1] % 34;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    LevelCells tiles(columns, std::vector<int>(rows, 0));
    LevelCells collision(columns, std::vector<int>(rows, 0));
    char field[kLevelFieldBufferSize];
    std::stringbuf source(text, std::ios::in);
    const LevelReadResult read = ReadLevelCells(&source, field, &tiles, &collision, false);
    if (read.startFound && (read.startColumn >= columns || read.startRow >= rows)) {
        __builtin_trap(); // a start outside the grid would put the player off the map
    }
    std::vector<std::string> problems;
    const LevelGrid grid = ParseLevelText(text, columns, rows, &problems);
    if (grid.cells.size() != static_cast<size_t>(columns) * rows) {
        __builtin_trap();
    }
    ValidateLevelGrid(grid, LevelRules{LevelKind::Custom, 0, columns, rows});
    return 0;
}
