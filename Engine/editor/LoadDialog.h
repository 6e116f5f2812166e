// Moth Lantern: the Levels dialog (state Load), which picks an exported level.
//
// A panel of the pause menu's look, centred on the screen and as large as its
// list needs: the folder's levels in natural order on the left (names too long
// for the list are shortened with "..."), a small picture of the selected
// level on the right, a line for what just happened, and the buttons LOAD,
// EDIT, DELETE and CANCEL. An empty folder shows how to make a level instead.
// Keyboard: Up and Down select, Enter loads, Delete asks to delete, Esc
// cancels; the delete question takes Y or Enter for yes, N or Esc for no.
// Mouse: a click selects, a double click loads, the scroll bar's arrows and
// track scroll. The pad: the d-pad selects, A loads, B cancels.
//
// Deleting moves the file into the Deleted folder beside the exported-levels
// folder (LevelFolder.h). EDIT hands the file's path to the hook the app
// installs (SetLevelEditHook) and, when it accepts the file, starts the
// editor; without a hook the button stays dim.
//
// While the dialog is open it runs its own frames and the game loop waits;
// LOAD plays the chosen file in the Custom state, CANCEL goes back to the
// main menu. The state's load callback, LoadStateLoad, is declared with every
// state's in StateCallbacks.h.
#pragma once
#include "LevelPreview.h"
#include "PixelDraw.h"
#include "StateCallbacks.h"
#include "TextFit.h"

#include <functional>
#include <string>
#include <vector>

class LoadDialog {
  public:
    enum class Outcome { Open, Load, Edit, Cancel };
    // Opens a level file in the editor; false when it could not.
    using EditHook = std::function<bool(const std::string& path)>;
    using Rect = PixelRect;

    static constexpr int kRowHeight = 30;
    static constexpr int kMinRows = 8;  // the list is never shorter than the picture
    static constexpr int kMaxRows = 12; // longer lists scroll
    static constexpr int kScrollBarWidth = 16;
    static constexpr int kPreviewCell = 8; // pixels per cell of the picture
    static constexpr int kTextPad = 10;    // between a row's edge and its text

    // Where everything stands for the current list, in window pixels.
    struct Layout {
        Rect box;
        Rect list;
        Rect preview;
        Rect message;
        Rect load;
        Rect edit;
        Rect remove;
        Rect cancel;
        int visibleRows;
        // The delete question over the dialog.
        Rect question;
        Rect yes;
        Rect no;
    };

    // `measure` tells how wide a text prints (the game's font in the game).
    explicit LoadDialog(TextMeasure measure);

    // Lists the level files of the folder (LevelFolder.h) and fits the
    // dialog to them; nothing is selected.
    void List(const std::string& folder);
    void SetEditHook(EditHook hook) { editHook = std::move(hook); }

    // One frame of input from the engine's snapshots: keys, the pad, then the
    // mouse. `seconds` is the time since the last frame (for double clicks).
    Outcome HandleInput(float seconds);
    Outcome PressKey(unsigned char key);
    Outcome Click(int x, int y);
    // Load: the selected entry, or nothing at all while none is selected.
    Outcome Confirm() const { return selected >= 0 ? Outcome::Load : Outcome::Open; }
    // Edit: the hook opens the selected file; Open (with a message) when it
    // refuses, and while nothing is selected or no hook is installed.
    Outcome Edit();
    // Asks whether to delete the selected level (nothing while none is).
    void AskDelete();
    // Answers the question: yes moves the file to the Deleted folder and
    // selects the level that took its place.
    void AnswerDelete(bool yes);

    // Selects an entry (clamped to the list), scrolls it into view and reads
    // its picture.
    void Select(int index);
    // Moves the first visible row by `rows`, within the list.
    void Scroll(int rows);

    // The dialog in window pixels, over whatever the frame shows.
    void Draw() const;

    const Layout& GetLayout() const { return layout; }
    const std::vector<std::string>& Entries() const { return entries; }
    int Selected() const { return selected; }
    int FirstVisible() const { return firstVisible; }
    bool Asking() const { return asking; }
    bool CanEdit() const { return selected >= 0 && static_cast<bool>(editHook); }
    // The chosen file name ("" while none is selected) and its path.
    std::string SelectedName() const;
    std::string SelectedPath() const;
    // An entry as its row shows it: printable and shortened to the list.
    std::string ShownName(int index) const;
    // The line under the list: what the last delete or edit did.
    const std::string& Message() const { return message; }
    // The text in place of an empty list: how to make a level.
    std::vector<std::string> EmptyFolderLines() const;
    const LevelPreview& Preview() const { return preview; }
    // The picture the dialog stands on, drawn dim: the game's last frame
    // (null: a dim stone floor).
    void SetBackdrop(TarnGfxTexture* picture) { backdrop = picture; }

  private:
    void Relayout();
    Outcome ClickList(int y);
    Outcome ClickButtons(int x, int y);
    Outcome PressQuestionKey(unsigned char key);
    int LastFirstVisible() const;
    int ListTextWidth() const;
    void DrawBackdrop() const;
    void DrawList() const;
    void DrawScrollBar() const;
    void DrawPreview() const;
    void DrawButtons() const;
    void DrawQuestion() const;

    TextMeasure measure;
    EditHook editHook;
    TarnGfxTexture* backdrop = nullptr;
    std::string folder;
    std::vector<std::string> entries;
    Layout layout{};
    LevelPreview preview;
    bool previewUnreadable = false;
    std::string message;
    int selected = -1;
    int firstVisible = 0;
    bool asking = false;
    // Double clicks: the entry clicked last and the seconds since.
    int lastClicked = -1;
    float sinceClick = 0.0f;
    // The mouse, for the buttons' hover light.
    int mouseX = -1;
    int mouseY = -1;
};

// Installs what EDIT does with the chosen file (the editor's opener); an
// empty hook leaves the button dim.
void SetLevelEditHook(LoadDialog::EditHook hook);

// Runs the dialog on the exported-levels folder until Load, Edit or Cancel,
// drawing and reading input in frames of its own over the game's last frame,
// dimmed; a loaded name goes to
// gCustomLevelName. Returns Open when the game must end instead (window
// closed), and sets the next state in every case: Custom, LevelEditor, Menu
// or Quit.
LoadDialog::Outcome RunLoadDialog();
// Keeps the frame drawn so far as the picture the next Load dialog is drawn
// over (the main loop calls it in the frame that asks for the dialog).
void KeepFrameForLoadDialog();
// Lets go of a kept frame no dialog has shown (the game ended first).
void ForgetFrameForLoadDialog();
