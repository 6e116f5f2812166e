// Moth Lantern: what the level editor keeps between frames, shared by the
// editor's input (Editor.cpp) and its drawing (EditorWidgets.cpp).
//
// The model, its view and the name of a reopened file outlive a visit when
// the editor is left for a test-play or entered for a reopened level; the
// pointers to World objects are made again by every visit.
#pragma once
#include "EditorModel.h"
#include "TarnMath.h"

#include <string>
#include <vector>

class UITilemap;
class EditorLeaveDialog;

// What the notice under the grid says after an export.
struct ExportNoticeText {
    std::vector<std::string> details;
    bool failed = false;
};

struct EditorSession {
    EditorModel model;
    bool keepOnLoad = false; // the next visit keeps grid, view and history
    std::string sourceName;  // the file a reopened level came from ("" for the template)
    TarnVec2 view{0.0f, 0.0f};
    bool overview = false; // the whole level on screen instead of the panning view

    // The stroke under way: the button, its code and the last pointer point
    // in cell units.
    bool painting = false;
    unsigned char paintButton = 0;
    int paintCode = 0;
    float lastU = 0.0f;
    float lastV = 0.0f;

    // The pointer's cell, when it is over the grid.
    bool pointerOnGrid = false;
    EditorCell pointer{0, 0};

    // The live check of the grid at `checkedRevision`.
    unsigned checkedRevision = ~0u;
    EditorCheck check;

    ExportNoticeText notice;

    // World objects of this visit.
    std::vector<UITilemap*> entries; // the palette, in the order drawn
    EditorLeaveDialog* leaveDialog = nullptr;
    bool cellsShown = false;
};

EditorSession& Session();

// ---- Screen layout (offsets from the window centre, y up) ----
// The tool panel covers the right of the view, the status bar the bottom of
// the rest; the grid shows in what is left.
constexpr float kPanelLeft = 312.0f;
constexpr float kBarTop = -300.0f;
constexpr float kButtonsTopY = 350.0f;
constexpr float kButtonStep = 46.0f;
constexpr float kPaletteTopY = 170.0f;
constexpr float kPaletteStep = 42.0f;
constexpr float kPaletteIconX = kPanelLeft + 26.0f;
constexpr float kPaletteIconSize = 36.0f;
// About 12 pixels per character of the game's font at its size.
constexpr float kCharWidth = 12.5f;

// The screen offset of palette entry i.
TarnVec2 PaletteOffset(std::size_t index);
// The palette's label of a tile code.
const char* TileLabel(int code);
// The overview: all cells in the grid area, square cells of this many pixels.
float OverviewCellSize();
TarnVec2 OverviewOrigin(); // screen offset of the grid's bottom-left corner
