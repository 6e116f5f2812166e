#include "LevelMap.h"

#include "Globals.h"
#include "LevelData.h"
#include "LevelReader.h"

namespace moth_test {

namespace {

int CodeOf(char cell) {
    switch (cell) {
    case '#':
        return kTileWall;
    case 'D':
        return kTileTrapDoor;
    case 'S':
        return kTilePlayerStart;
    case 'x':
        return kTileSpiderSpawn;
    case '~':
        return kTileVoid;
    case 'k':
        return kTileKey;
    case 'b':
        return kTileBattery;
    default:
        return kTileFloor;
    }
}

} // namespace

std::string LevelTextOf(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) {
        for (char cell : row) {
            text += std::to_string(CodeOf(cell)) + ",";
        }
        text += "\n";
    }
    return text.substr(0, text.size() >= 2 ? text.size() - 2 : 0) + "\n";
}

void LoadLevelMap(const std::vector<std::string>& rows) {
    gGridWidth = rows.empty() ? 0.0f : static_cast<float>(rows[0].size());
    gGridHeight = static_cast<float>(rows.size());
    gLevelData->Reset();
    gLevelData->ReadText(LevelTextOf(rows));
}

std::vector<std::string> WalledRoom(int columns, int rows) {
    std::vector<std::string> room(rows, "#" + std::string(columns - 2, '.') + "#");
    room.front() = room.back() = std::string(columns, '#');
    return room;
}

} // namespace moth_test
