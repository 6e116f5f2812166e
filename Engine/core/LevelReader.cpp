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
    case kTileKey:
    case kTileBattery:
        return 0;
    default:
        return 1;
    }
}

int ParseLevelField(const char* field, std::size_t length, LevelReadReport::Field* problem,
                    bool* hasProblem) {
    std::size_t i = 0;
    while (i < length && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < length && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    long long value = 0;
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < length && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = std::min(limit, value * 10 + (field[i] - '0'));
    }
    if (problem != nullptr && hasProblem != nullptr) {
        const bool digits = i > firstDigit;
        while (i < length && IsBlank(field[i])) {
            ++i;
        }
        *hasProblem = !digits || i < length;
        *problem =
            digits ? LevelReadReport::Field::TextAfterNumber : LevelReadReport::Field::NoNumber;
    }
    value = negative ? -value : std::min(value, limit - 1);
    return static_cast<int>(value);
}

namespace {

// Writes one value to its cell; a start is remembered (the last in file order wins).
void StoreCell(int value, int column, int row, bool keepStartCode, LevelCells* tiles,
               LevelCells* collision, LevelReadResult* result) {
    if (value == kTilePlayerStart) {
        result->startFound = true;
        result->startColumn = column;
        result->startRow = row;
    }
    const bool asFloor = value == kTilePlayerStart && !keepStartCode;
    (*tiles)[column][row] = asFloor ? kTileFloor : value;
    (*collision)[column][row] = CollisionValueOf(value);
}

bool IsBlankField(const char* field, std::size_t length) {
    return std::all_of(field, field + length, IsBlank);
}

// Parses one field and notes what is wrong with it.
int ReadField(const char* field, std::size_t length, int number, LevelReadReport* report) {
    if (report == nullptr) {
        return ParseLevelField(field, length);
    }
    LevelReadReport::Field problem{};
    bool hasProblem = false;
    const int value = ParseLevelField(field, length, &problem, &hasProblem);
    if (hasProblem) {
        report->fieldProblems.emplace_back(number, problem);
    }
    return value;
}

} // namespace

LevelReadResult ReadLevelCells(std::streambuf* source, char* fieldBuffer, LevelCells* tiles,
                               LevelCells* collision, bool keepStartCode, LevelReadReport* report) {
    LevelReadResult result;
    const int columns = static_cast<int>(std::min(tiles->size(), collision->size()));
    int rows = columns > 0 ? static_cast<int>((*tiles)[0].size()) : 0;
    for (int c = 0; c < columns; ++c) {
        // A ragged grid reads as its shortest column, so no write can miss.
        rows = std::min(
            {rows, static_cast<int>((*tiles)[c].size()), static_cast<int>((*collision)[c].size())});
    }
    int column = 0;
    int row = columns > 0 ? rows - 1 : -1;
    for (int number = 1; row >= 0 || report != nullptr; ++number) {
        std::size_t length = 0;
        bool delimited = false;
        if (!NextField(source, fieldBuffer, &length, &delimited)) {
            result.complete = false;
            if (report != nullptr) {
                report->tooLongField = number;
            }
            break;
        }
        // The end of the text: nothing after a last comma, or only blanks.
        if (!delimited && IsBlankField(fieldBuffer, length)) {
            if (report != nullptr) {
                report->trailingComma = number > 1;
            }
            break;
        }
        if (report != nullptr) {
            report->values = number;
        }
        const int value = ReadField(fieldBuffer, length, number, report);
        if (row >= 0) {
            StoreCell(value, column, row, keepStartCode, tiles, collision, &result);
            if (++column == columns) {
                column = 0;
                --row;
            }
        }
        if (!delimited) {
            break;
        }
    }
    return result;
}
