#include "KeyBindings.h"

#include "TarnInput.h"

#include <algorithm>

KeyBindings* gKeyBindings = nullptr;

namespace {

// Named keys besides letters, digits and F1-F12.
struct NamedKey {
    int key;
    const char* name;
};
constexpr NamedKey kNamedKeys[] = {
    {TARN_KEY_BACKSPACE, "backspace"}, {TARN_KEY_TAB, "tab"},   {TARN_KEY_ENTER, "enter"},
    {TARN_KEY_SHIFT, "shift"},         {TARN_KEY_CTRL, "ctrl"}, {TARN_KEY_ALT, "alt"},
    {TARN_KEY_SPACE, "space"},         {TARN_KEY_LEFT, "left"}, {TARN_KEY_UP, "up"},
    {TARN_KEY_RIGHT, "right"},         {TARN_KEY_DOWN, "down"}, {TARN_KEY_DELETE, "delete"}};

// "a".."z", "0".."9" and "f1".."f12", made once.
const std::string& GeneratedName(int key) {
    static const std::map<int, std::string> names = [] {
        std::map<int, std::string> made;
        for (int key = 'A'; key <= 'Z'; ++key) {
            made[key] = std::string(1, static_cast<char>(key - 'A' + 'a'));
        }
        for (int key = '0'; key <= '9'; ++key) {
            made[key] = std::string(1, static_cast<char>(key));
        }
        for (int n = 1; n <= 12; ++n) {
            made[TARN_KEY_F1 + n - 1] = "f" + std::to_string(n);
        }
        return made;
    }();
    static const std::string none;
    auto found = names.find(key);
    return found != names.end() ? found->second : none;
}

void SetDefaults(std::map<int, int>* primary, std::map<int, int>* second) {
    const int keys[] = {'W', 'S', 'A', 'D', 'R', 'F', TARN_MOUSE_LEFT, TARN_KEY_ESCAPE};
    for (int action = 0; action < 8; ++action) {
        (*primary)[action] = keys[action];
    }
    *second = {{KeyAction::WalkUp, TARN_KEY_UP},
               {KeyAction::WalkDown, TARN_KEY_DOWN},
               {KeyAction::WalkLeft, TARN_KEY_LEFT},
               {KeyAction::WalkRight, TARN_KEY_RIGHT},
               {KeyAction::SwitchLight, 0}};
}

} // namespace

KeyBindings::KeyBindings() {
    SetDefaults(&bindings, &secondKeys);
}

void KeyBindings::RestoreDefaults() {
    SetDefaults(&bindings, &secondKeys);
}

int KeyBindings::KeyFor(int action) const {
    auto found = bindings.find(action);
    return found == bindings.end() ? 0 : found->second;
}

int KeyBindings::KeyFor(int action, int slot) const {
    if (slot == kPrimary) {
        return KeyFor(action);
    }
    auto found = secondKeys.find(action);
    return slot == kSecond && found != secondKeys.end() ? found->second : 0;
}

bool KeyBindings::IsDown(int action) const {
    for (int slot : {kPrimary, kSecond}) {
        const int key = KeyFor(action, slot);
        if (key != 0 && TarnInputCheckCurr(static_cast<unsigned char>(key))) {
            return true;
        }
    }
    return false;
}

bool KeyBindings::Bind(int action, int slot, int key) {
    if (!IsBindableAction(action) || (slot != kPrimary && slot != kSecond) || !IsBindableKey(key)) {
        return false;
    }
    std::map<int, int>& target = slot == kPrimary ? bindings : secondKeys;
    const int freed = target[action];
    for (int other : kBindableActions) {
        for (std::map<int, int>* slots : {&bindings, &secondKeys}) {
            if ((*slots)[other] == key) {
                (*slots)[other] = freed;
            }
        }
    }
    target[action] = key;
    return true;
}

bool KeyBindings::operator==(const KeyBindings& other) const {
    return bindings == other.bindings && secondKeys == other.secondKeys;
}

// ---- Key names -------------------------------------------------------------------------

bool IsBindableKey(int key) {
    return KeyName(key) != nullptr;
}

const char* KeyName(int key) {
    const std::string& generated = GeneratedName(key);
    if (!generated.empty()) {
        return generated.c_str();
    }
    const auto* found = std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                                     [key](const NamedKey& named) { return named.key == key; });
    return found != std::end(kNamedKeys) ? found->name : nullptr;
}

int KeyNamed(const std::string& name) {
    for (int key = 1; key < 256; ++key) {
        const char* known = KeyName(key);
        if (known != nullptr && name == known) {
            return key;
        }
    }
    return 0;
}

bool IsBindableAction(int action) {
    return std::find(std::begin(kBindableActions), std::end(kBindableActions), action) !=
           std::end(kBindableActions);
}
