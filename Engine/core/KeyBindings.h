// Moth Lantern: which key does what.
//
// The walking and light-mode keys are looked up here by action, so the player
// and the light box never name a key themselves.
#pragma once
#include <map>

// Action index -> Windows virtual-key code (0 W, 1 S, 2 A, 3 D, 4 R, 5 F,
// 6 left mouse button, 7 Esc).
class KeyBindings {
  public:
    KeyBindings();
    // The key bound to an action, 0 for an unknown action.
    int KeyFor(int action) const;

    std::map<int, int> bindings;
};

extern KeyBindings* gKeyBindings;
