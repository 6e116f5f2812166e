// Moth Lantern: a small picture of an exported level for the Levels dialog.
#include "LevelPreview.h"

#include <fstream>

bool LevelPreview::Read(const std::string& path) {
    cells.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    LevelCells tiles(kCells, std::vector<int>(kCells, kTileFloor));
    LevelCells collision(kCells, std::vector<int>(kCells, 0));
    char field[kLevelFieldBufferSize] = {};
    LevelReadReport report;
    ReadLevelCells(file.rdbuf(), field, &tiles, &collision, true, &report);
    if (report.values == 0) {
        return false;
    }
    cells = std::move(tiles);
    return true;
}

int LevelPreview::CodeAt(int column, int rowFromTop) const {
    return cells[column][kCells - 1 - rowFromTop];
}

Color LevelPreview::CellColour(int code) {
    switch (code) {
    case kTileFloor:
        return Color{0.16f, 0.19f, 0.25f, 1.0f}; // dark stone
    case kTileTrapDoor:
        return Color{0.89f, 0.55f, 0.19f, 1.0f}; // amber
    case kTilePlayerStart:
        return Color{0.95f, 0.89f, 0.78f, 1.0f}; // cream
    case kTileSpiderSpawn:
        return Color{0.55f, 0.45f, 0.75f, 1.0f}; // spider violet
    case kTileVoid:
        return Color{0.02f, 0.02f, 0.03f, 1.0f}; // nothing
    case kTileKey:
        return Color{1.0f, 0.84f, 0.3f, 1.0f}; // the key's gold
    case kTileBattery:
        return Color{0.45f, 0.85f, 0.45f, 1.0f}; // the charge bar's green
    default:
        return Color{0.45f, 0.5f, 0.6f, 1.0f}; // pale stone: walls and unknown codes
    }
}

void LevelPreview::Draw(int x, int y, int cellSize) const {
    if (cells.empty()) {
        return;
    }
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            const PixelRect cell{x + column * cellSize, y + row * cellSize, cellSize, cellSize};
            FillPixelRect(cell, CellColour(CodeAt(column, row)));
        }
    }
}
