// Levels for tests, drawn as ASCII maps.
#pragma once
#include <string>
#include <vector>

namespace moth_test {

// The level file of a map, rows from the top, as the editor writes it (no
// comma after the last value). The characters are those of the asset
// generator's maps: '#' wall, '.' floor, 'D' trap door, 'S' start, 'x' spider
// nest, '~' void; and of a custom level's key 'k' and battery 'b'.
std::string LevelTextOf(const std::vector<std::string>& rows);

// Sets the grid to the map's size and reads the map into the game's level
// data, placeholders included, as a level state's load does.
void LoadLevelMap(const std::vector<std::string>& rows);

// A room of that size: a ring of wall round floor.
std::vector<std::string> WalledRoom(int columns, int rows);

} // namespace moth_test
