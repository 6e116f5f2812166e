// Moth Lantern: the level editor (state LevelEditor).
//
// The user paints a 30 x 30 level with the mouse and exports it as the next
// Exported_N.txt, which the Levels dialog then lists, plays and reopens. The
// grid comes from "EditorTemplate.text", or from a file reopened with
// OpenLevelForEditing. Holding the left button paints the chosen palette
// entry along the pointer's path, the right button puts floor back; each
// stroke is one step of the undo history (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z
// redo). The arrow keys move the view; Tab shows the whole level instead.
// The two outer rings of cells (the level's border) stay as they are. The
// status bar names the cell under the pointer and says what the level still
// lacks; leaving with unexported changes asks first.
//
// The model (grid, strokes, history, live check) is EditorModel.h; what the
// editor draws is EditorWidgets.h. The state's callbacks, EditorLoad,
// EditorInit and EditorClick, are declared with every state's in
// StateCallbacks.h.
//
// Index
//   Entry points ........... OpenLevelForEditing, EditedLevel
//   Cells and placement .... PlaceTile, UndoLastPlacement, RedoPlacement
//   Export and its notice .. gExportNotice, gExportNoticeTimer, ExportEditedLevel
#pragma once
#include "EditorModel.h"
#include "EditorSession.h"
#include "EditorWidgets.h"
#include "StateCallbacks.h"

#include <string>
#include <vector>

class UITilemap;

// ---- Entry points --------------------------------------------------------------------

// Loads a level file into the editor's grid for the next visit of the
// editor, with an empty history, and remembers its name for the status line.
// The caller then enters the LevelEditor state. False, and nothing changed,
// when the file cannot be read.
bool OpenLevelForEditing(const std::string& path);
// The grid being edited, its history and live check.
EditorModel& EditedLevel();

// ---- Cells and placement ------------------------------------------------------------

// Paints one editable cell as one undo step and shows it at once; a new
// start or key takes the place of the old one. False when nothing changed.
bool PlaceTile(int column, int row, int code);
// Takes back the last step (a stroke or a placement); false when there is none.
bool UndoLastPlacement();
// Puts back the last step taken back; false when there is none.
bool RedoPlacement();
// The palette entries in the order drawn: wall, trap door, void, floor,
// start, spider nest, key, battery.
std::vector<UITilemap*> EditorPalette();

// ---- Export and its notice -----------------------------------------------------------

extern bool gExportNotice;       // the export notice is showing
extern float gExportNoticeTimer; // seconds it has shown
constexpr float kExportNoticeSeconds = 4.0f;

// Writes the grid as the next export (whatever it lacks: work in progress is
// never lost) and returns what the notice says: where it went and whether it
// is playable, or a failure with nothing written.
ExportNoticeText ExportEditedLevel();
const ExportNoticeText& CurrentExportNotice();
// Asks before leaving when the grid holds unexported changes.
bool LeaveQuestionShowing();
