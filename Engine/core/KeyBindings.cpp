#include "KeyBindings.h"

KeyBindings* gKeyBindings = nullptr;

KeyBindings::KeyBindings() {
    constexpr int kEscapeKey = 27;
    const int keys[] = {'W', 'S', 'A', 'D', 'R', 'F', 1, kEscapeKey};
    for (int action = 0; action < 8; ++action) {
        bindings[action] = keys[action];
    }
}

int KeyBindings::KeyFor(int action) const {
    auto found = bindings.find(action);
    return found == bindings.end() ? 0 : found->second;
}
