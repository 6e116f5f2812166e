// Moth Lantern: the Load dialog (state Load), which picks an exported level.
//
// A modal box of 470 x 300 window pixels at (500, 200), dark grey, with the
// sorted list of the exported-levels folder, a scroll bar, and the buttons
// Load and Cancel. Keyboard: Up and Down move the selection, Enter loads, Esc
// cancels. Mouse: a click selects, a double click loads, the scroll bar's
// arrows and track scroll. While it is open it runs its own frames and the
// game loop waits; Load plays the chosen file in the Custom state, Cancel
// goes back to the main menu. The state's load callback, LoadStateLoad, is
// declared with every state's in StateCallbacks.h.
#pragma once
#include "StateCallbacks.h"

#include <string>
#include <vector>

class LoadDialog {
  public:
    enum class Outcome { Open, Load, Cancel };

    // Window pixels, origin top-left, y down.
    struct Rect {
        int x;
        int y;
        int width;
        int height;
        bool Contains(int px, int py) const {
            return px >= x && py >= y && px < x + width && py < y + height;
        }
    };
    static constexpr Rect kBox{500, 200, 470, 300};
    static constexpr Rect kList{576, 225, 320, 127};
    static constexpr Rect kLoadButton{802, 464, 76, 24};
    static constexpr Rect kCancelButton{884, 464, 76, 24};
    static constexpr int kRowHeight = 21;
    static constexpr int kVisibleRows = kList.height / kRowHeight;
    static constexpr int kScrollBarWidth = 16;

    // Lists the ordinary files of the folder, sorted by their bytes; hidden
    // files (an export still being written) are left out. A missing or
    // unreadable folder gives an empty list.
    void List(const std::string& folder);

    // One frame of input from the engine's snapshots: keys, then the mouse.
    // `seconds` is the time since the last frame (for double clicks).
    Outcome HandleInput(float seconds);
    Outcome PressKey(unsigned char key);
    Outcome Click(int x, int y);
    // Load: the selected entry, or nothing at all while none is selected.
    Outcome Confirm() const { return selected >= 0 ? Outcome::Load : Outcome::Open; }

    // Selects an entry (clamped to the list) and scrolls it into view.
    void Select(int index);
    // Moves the first visible row by `rows`, within the list.
    void Scroll(int rows);

    // The dialog in window pixels, over whatever the frame shows.
    void Draw() const;

    const std::vector<std::string>& Entries() const { return entries; }
    int Selected() const { return selected; }
    int FirstVisible() const { return firstVisible; }
    // The chosen file name ("" while none is selected).
    std::string SelectedName() const;

  private:
    Outcome ClickList(int x, int y);
    int LastFirstVisible() const;

    std::vector<std::string> entries;
    int selected = -1;
    int firstVisible = 0;
    // Double clicks: the entry clicked last and the seconds since.
    int lastClicked = -1;
    float sinceClick = 0.0f;
};

// Runs the dialog on the exported-levels folder until Load or Cancel, drawing
// and reading input in frames of its own over the game's last frame; the
// chosen name goes to gCustomLevelName. Returns Open when the game must end
// instead (window closed), and sets the next state in every case.
LoadDialog::Outcome RunLoadDialog();
// Keeps the frame drawn so far as the picture the next Load dialog is drawn
// over (the main loop calls it in the frame that asks for the dialog).
void KeepFrameForLoadDialog();
// Lets go of a kept frame no dialog has shown (the game ended first).
void ForgetFrameForLoadDialog();
