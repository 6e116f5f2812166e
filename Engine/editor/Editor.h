// Moth Lantern: the level editor (state LevelEditor).
//
// The user paints a 30 x 30 level with the mouse and exports it as the next
// Exported_N.txt, which the Load dialog then lists and plays. The grid comes
// from "EditorTemplate.text"; the palette on the right picks the tile code a
// left click places; a right click puts floor back; Ctrl+Z takes back the last
// placement; the arrow keys move the view over the grid, which is larger than
// the screen. The two outer rings of cells (the level's border) stay as they
// are. Two buttons stand at the top right: "Menu" back to the main menu and
// "Export".
//
// The state's callbacks, EditorLoad (load) and EditorClick (update), are
// declared with every state's in StateCallbacks.h.
//
// Index
//   Cells and placement .... EditorCellAt, IsEditableCell, PlaceTile, UndoLastPlacement
//   Export and its notice .. gExportNotice, gExportNoticeTimer, ExportEditedLevel
//   Widgets ................ EditorButton, ExportButton, EditorCellCursor
#pragma once
#include "StateCallbacks.h"
#include "UI.h"

#include <string>
#include <vector>

class UITilemap;

// ---- Cells and placement ------------------------------------------------------------

struct EditorCell {
    int column;
    int row; // from the bottom
};

// The cell under a world point: both coordinates truncated towards zero, with
// the row rule that makes the lower half of a cell pick the cell below.
EditorCell EditorCellAt(float worldX, float worldY);
// False for the two outer rings and anything outside the grid.
bool IsEditableCell(int column, int row);
// Stores the code in an editable cell and shows it at once; a new start takes
// the place of the old one. One call is one step for UndoLastPlacement.
// Returns false when nothing changed.
bool PlaceTile(int column, int row, int code);
// Puts back the cells of the last placement; false when there is none.
bool UndoLastPlacement();
// The palette entries in the order drawn: the four tile codes, then the start.
std::vector<UITilemap*> EditorPalette();

// ---- Export and its notice -----------------------------------------------------------

extern bool gExportNotice;       // the export notice is showing
extern float gExportNoticeTimer; // seconds it has shown

// What the last export said: a headline beside the buttons, details along
// the bottom of the screen.
struct ExportNoticeText {
    std::string headline;
    std::vector<std::string> details;
};
// Checks the grid as the game will play it, writes it as the next export and
// returns what the notice says: "Exported" (with anything a player would
// miss in it), or a failure with nothing written.
ExportNoticeText ExportEditedLevel();
const ExportNoticeText& CurrentExportNotice();

// ---- Widgets ----------------------------------------------------------------------------

// A flat white button with a dark label, fixed to the screen.
class EditorButton : public UIButton {
  public:
    EditorButton(float offsetX, float offsetY, std::string label);
    // Placed at once, so the first frame already shows it where it belongs.
    void Init() override;
    // Hover tint; a click goes back to the main menu.
    void Update() override;
    // The quad, then the label.
    void Draw() override;

  protected:
    std::string label;
};

class ExportButton : public EditorButton {
  public:
    ExportButton(float offsetX, float offsetY);
    // A click exports and starts the notice.
    void Update() override;
    // The button, then the notice while it lasts (one second from the click
    // that started it).
    void Draw() override;
};

// The highlight on the editable cell under the mouse.
class EditorCellCursor : public StaticObject {
  public:
    void Init() override {}
    void Update() override;
    void Draw() override;

    bool showing = false;
};
