// Moth Lantern: what the level editor draws, in the pause menu's look.
//
// The tool panel on the right (buttons, the palette with its labels and the
// frame on the chosen entry, the keys), the status bar under the grid (the
// cell under the pointer, the file a reopened level came from, the live check
// or the last export's result), the marks on the grid (cells the start cannot
// reach, the cell under the pointer), the overview of all 30 x 30 cells and
// the question asked before unexported work is left behind. Panels and
// buttons use the game's frame pictures, text the game's font.
#pragma once
#include "UI.h"

#include <string>

// ---- What the editor's buttons do (Editor.cpp runs them) -------------------------------

enum class EditorAction {
    Menu,         // back to the main menu, asking first about unexported work
    Export,       // the grid as the next exported file
    TestPlay,     // play the grid now, then come back as it was
    Overview,     // the whole level on screen, or back to the panning view
    LeaveExport,  // the question's answers: export, then leave
    LeaveWithout, // leave, dropping the changes
    Stay,         // back to the editor
};
void RunEditorAction(EditorAction action);

// The picture of a tile code in the editor (palette, cells, overview).
TarnGfxTexture* EditorTileTexture(int code);
// A start, nest, key or battery: a picture drawn over floor.
bool EditorTileIsThing(int code);
// Cuts text that would run past `width` pixels, ending it with "...".
std::string FitText(const std::string& text, float width);

// ---- Widgets ------------------------------------------------------------------------------

// A frame picture with a label; the label turns gold while hovered.
class EditorButton : public UIButton {
  public:
    EditorButton(float offsetX, float offsetY, float width, std::string label, EditorAction action);
    void Init() override { UI::Update(); }
    void Update() override;
    void Draw() override;

  private:
    std::string label;
    EditorAction action;
};

// The panel behind the buttons and the palette: the palette's labels, the
// frame on the chosen entry and the keys.
class EditorPanel : public UI {
  public:
    void Init() override {}
    void Update() override {}
    void Draw() override;
};

// The bar under the grid: the status line and the live check or the notice.
class EditorStatusBar : public UI {
  public:
    void Init() override {}
    void Update() override {}
    void Draw() override;
};

// On the panning view: the things on their floor, cells the start cannot
// reach, tinted, and the cell under the pointer.
class EditorGridMarks : public StaticObject {
  public:
    void Init() override {}
    void Update() override {}
    void Draw() override;
};

// All cells at once in the grid area, with the same marks.
class EditorOverview : public StaticObject {
  public:
    void Init() override {}
    void Update() override {}
    void Draw() override;
};

// Asked before unexported changes are left: export, leave without, stay.
class EditorLeaveDialog : public UI {
  public:
    // Adds itself and its three buttons to the World.
    EditorLeaveDialog();
    void Init() override {}
    void Update() override {}
    void Draw() override;
    // Takes itself and its buttons out of the World.
    void Close();

  private:
    EditorButton* buttons[3] = {nullptr, nullptr, nullptr};
};
