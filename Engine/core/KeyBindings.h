// Moth Lantern: which key does what.
//
// The walking and light-mode keys are looked up here by action, so the player
// and the light box never name a key themselves. Each of the actions the
// player may rebind has a primary and a second key; Esc stays the fixed key
// that pauses and backs out.
#pragma once
#include <map>
#include <string>

// Action indexes of the table (the order the game has always kept).
namespace KeyAction {
enum : int {
    WalkUp = 0,
    WalkDown = 1,
    WalkLeft = 2,
    WalkRight = 3,
    Reset = 4,       // R, not looked up through the table
    SwitchLight = 5, // F: the lantern's mode
    Throw = 6,       // the left mouse button, not looked up through the table
    Pause = 7,       // Esc, not looked up through the table
};
}

// The actions the player may rebind, in the order the controls panel lists them.
constexpr int kBindableActions[] = {KeyAction::WalkUp, KeyAction::WalkDown, KeyAction::WalkLeft,
                                    KeyAction::WalkRight, KeyAction::SwitchLight};
constexpr int kBindableActionCount = 5;

// Action index -> Windows virtual-key code (0 W, 1 S, 2 A, 3 D, 4 R, 5 F,
// 6 left mouse button, 7 Esc), plus a second key for the bindable actions.
class KeyBindings {
  public:
    static constexpr int kPrimary = 0;
    static constexpr int kSecond = 1;

    // The defaults: W, S, A, D and F, the arrow keys as second walking keys.
    KeyBindings();
    // The primary key bound to an action, 0 for an unknown action.
    int KeyFor(int action) const;
    // The key in one slot of an action (kPrimary or kSecond); 0 when empty.
    int KeyFor(int action, int slot) const;
    // Either key of the action is down in this frame's input snapshot.
    bool IsDown(int action) const;

    // Binds `key` to a slot of a bindable action. A bindable action that
    // already uses the key takes, in that slot, the key this slot held (so
    // the freed key moves over). False, changing nothing, for an action that
    // cannot be rebound, a slot out of range, or a key that cannot be bound.
    bool Bind(int action, int slot, int key);
    void RestoreDefaults();

    bool operator==(const KeyBindings& other) const;
    bool operator!=(const KeyBindings& other) const { return !(*this == other); }

    std::map<int, int> bindings;   // action -> primary key, every action of the table
    std::map<int, int> secondKeys; // bindable action -> second key (0: none)
};

extern KeyBindings* gKeyBindings;

// ---- Key names -------------------------------------------------------------------------
// The keys a player may bind: letters, digits, F1-F12, the arrows, Space, Enter,
// Tab, Backspace, Shift, Ctrl, Alt and Delete (never Esc or a mouse button).
bool IsBindableKey(int key);
// The key's name in files and playtest scripts ("w", "up", "f5", "space"), or
// null for a key that cannot be bound.
const char* KeyName(int key);
// The key of a name KeyName gives; 0 for any other name.
int KeyNamed(const std::string& name);
// Whether an action may be rebound.
bool IsBindableAction(int action);
