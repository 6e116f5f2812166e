#include "KeyBindings.h"

#include "TarnInput.h"

KeyBindings* gKeyBindings = nullptr;

KeyBindings::KeyBindings() {
    const int keys[] = {'W', 'S', 'A', 'D', 'R', 'F', TARN_MOUSE_LEFT, TARN_KEY_ESCAPE};
    for (int action = 0; action < 8; ++action) {
        bindings[action] = keys[action];
    }
}

int KeyBindings::KeyFor(int action) const {
    auto found = bindings.find(action);
    return found == bindings.end() ? 0 : found->second;
}
