// Moth Lantern: the level file reader's core.
#include "LevelReader.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// Reads the next field up to a comma or the end of the text into `buffer`.
// Returns false when the field does not fit, which ends the read.
bool NextField(std::streambuf* source, char* buffer, std::size_t* length, bool* delimited) {
    *length = 0;
    *delimited = false;
    for (int ch = source->sbumpc(); ch != std::char_traits<char>::eof(); ch = source->sbumpc()) {
        if (ch == ',') {
            *delimited = true;
            break;
        }
        if (*length == kLevelFieldBufferSize - 1) {
            buffer[*length] = '\0';
            return false;
        }
        buffer[(*length)++] = static_cast<char>(ch);
    }
    buffer[*length] = '\0';
    return true;
}

} // namespace

int CollisionValueOf(int code) {
    switch (code) {
    case kTileFloor:
    case kTileTrapDoor:
    case kTilePlayerStart:
    case kTileSpiderSpawn:
        return 0;
    default:
        return 1;
    }
}

int ParseLevelField(const char* field, std::size_t length) {
    std::size_t i = 0;
    while (i < length && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < length && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    long long value = 0;
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < length && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = std::min(limit, value * 10 + (field[i] - '0'));
    }
    value = negative ? -value : std::min(value, limit - 1);
    return static_cast<int>(value);
}

LevelReadResult ReadLevelCells(std::streambuf* source, char* fieldBuffer, LevelCells* tiles,
                               LevelCells* collision, bool keepStartCode) {
    LevelReadResult result;
    const int columns = static_cast<int>(std::min(tiles->size(), collision->size()));
    int rows = columns > 0 ? static_cast<int>((*tiles)[0].size()) : 0;
    for (int c = 0; c < columns; ++c) {
        // A ragged grid reads as its shortest column, so no write can miss.
        rows = std::min(
            {rows, static_cast<int>((*tiles)[c].size()), static_cast<int>((*collision)[c].size())});
    }
    int column = 0;
    int row = rows - 1;
    while (row >= 0 && columns > 0) {
        std::size_t length = 0;
        bool delimited = false;
        if (!NextField(source, fieldBuffer, &length, &delimited)) {
            result.complete = false;
            break;
        }
        if (!delimited && length == 0) {
            break; // the end of the text, after a trailing comma or nothing
        }
        const int value = ParseLevelField(fieldBuffer, length);
        if (value == kTilePlayerStart) {
            result.startFound = true; // a later start in file order wins
            result.startColumn = column;
            result.startRow = row;
        }
        const bool asFloor = value == kTilePlayerStart && !keepStartCode;
        (*tiles)[column][row] = asFloor ? kTileFloor : value;
        (*collision)[column][row] = CollisionValueOf(value);
        if (++column == columns) {
            column = 0;
            --row;
        }
        if (!delimited) {
            break;
        }
    }
    return result;
}
