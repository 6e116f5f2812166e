// Tarn engine: keyboard and mouse snapshots. The event pump keeps a live
// key-state array (as the keyboard driver would); TarnInputUpdate turns it into
// the current snapshot once per frame.
#include "TarnInput.h"
#include "TarnInternal.h"

#include <cmath>
#include <cstring>
#include <map>

namespace {

constexpr int kSdlButtons = 15; // SDL's buttons A .. d-pad right, TARN_PAD_A .. TARN_PAD_DPAD_RIGHT
constexpr int kSdlAxes = 6;     // four stick axes, then the left and the right trigger
constexpr int kLeftTriggerAxis = 4;
constexpr int kRightTriggerAxis = 5;
constexpr float kTriggerPressed = 0.5f;

// One controller as the event pump last reported it.
struct PadLive {
    bool buttons[kSdlButtons] = {};
    float axes[kSdlAxes] = {};
};

struct PadState {
    std::map<int, PadLive> live; // by SDL instance id
    bool current[TARN_PAD_BUTTON_COUNT] = {};
    bool previous[TARN_PAD_BUTTON_COUNT] = {};
    float axes[TARN_PAD_AXIS_COUNT] = {};
};
PadState gPads;

// Every pad's buttons together, the stick pushed furthest, the triggers as buttons.
void TakePadSnapshot() {
    std::memcpy(gPads.previous, gPads.current, sizeof gPads.current);
    std::memset(gPads.current, 0, sizeof gPads.current);
    std::memset(gPads.axes, 0, sizeof gPads.axes);
    for (const auto& [pad, live] : gPads.live) {
        for (int button = 0; button < kSdlButtons; ++button) {
            gPads.current[button] = gPads.current[button] || live.buttons[button];
        }
        for (int axis = 0; axis < TARN_PAD_AXIS_COUNT; ++axis) {
            if (std::fabs(live.axes[axis]) > std::fabs(gPads.axes[axis])) {
                gPads.axes[axis] = live.axes[axis];
            }
        }
        gPads.current[TARN_PAD_LEFT_TRIGGER] |= live.axes[kLeftTriggerAxis] > kTriggerPressed;
        gPads.current[TARN_PAD_RIGHT_TRIGGER] |= live.axes[kRightTriggerAxis] > kTriggerPressed;
    }
}

struct InputState {
    unsigned char live[256] = {};     // kept up to date by the event pump
    unsigned char current[256] = {};  // snapshot of this frame (bit 7 = down)
    unsigned char previous[256] = {}; // snapshot of the frame before
    int liveX = 0;
    int liveY = 0;
    int cursorX = 0;
    int cursorY = 0;
    int deltaX = 0;
    int deltaY = 0;
    int cursorCounter = 0; // the system cursor shows while this is 0 or more
};
InputState gInput;

constexpr unsigned char kDownBit = 0x80;

// Divides by a display scale and truncates toward zero.
int ToLogical(int pixels, float scale) {
    return static_cast<int>(static_cast<float>(pixels) / scale);
}

} // namespace

namespace tarn {

void InputSetKey(unsigned char key, bool down) {
    if (key != 0) {
        gInput.live[key] = down ? kDownBit : 0;
    }
}

void InputSetCursor(int x, int y) {
    gInput.liveX = x;
    gInput.liveY = y;
}

void InputReleaseAllKeys() {
    std::memset(gInput.live, 0, sizeof gInput.live);
    for (auto& [pad, live] : gPads.live) {
        live = PadLive{};
    }
}

void InputPadAdded(int pad) {
    gPads.live[pad] = PadLive{};
}

void InputPadRemoved(int pad) {
    gPads.live.erase(pad);
}

void InputSetPadButton(int pad, int button, bool down) {
    if (button >= 0 && button < kSdlButtons) {
        gPads.live[pad].buttons[button] = down;
    }
}

void InputSetPadAxis(int pad, int axis, float value) {
    if (axis >= 0 && axis < kSdlAxes) {
        gPads.live[pad].axes[axis] = value;
    }
}

} // namespace tarn

int TarnInputInit(void) {
    return 1;
}

void TarnInputReset(void) {
    std::memset(gInput.current, 0, sizeof gInput.current);
    std::memset(gInput.previous, 0, sizeof gInput.previous);
    gInput.cursorX = gInput.cursorY = 0;
    gInput.deltaX = gInput.deltaY = 0;
    std::memset(gPads.current, 0, sizeof gPads.current);
    std::memset(gPads.previous, 0, sizeof gPads.previous);
    std::memset(gPads.axes, 0, sizeof gPads.axes);
}

void TarnInputUpdate(void) {
    std::memcpy(gInput.previous, gInput.current, sizeof gInput.current);
    std::memcpy(gInput.current, gInput.live, sizeof gInput.live);
    gInput.deltaX = gInput.liveX - gInput.cursorX;
    gInput.deltaY = gInput.liveY - gInput.cursorY;
    gInput.cursorX = gInput.liveX;
    gInput.cursorY = gInput.liveY;
    TakePadSnapshot();
}

void TarnInputExit(void) {}

bool TarnInputCheckCurr(unsigned char key) {
    return (gInput.current[key] & kDownBit) != 0;
}
bool TarnInputCheckPrev(unsigned char key) {
    return (gInput.previous[key] & kDownBit) != 0;
}

bool TarnInputCheckTriggered(unsigned char key) {
    return TarnInputCheckCurr(key) && !TarnInputCheckPrev(key);
}

bool TarnInputCheckReleased(unsigned char key) {
    return !TarnInputCheckCurr(key) && TarnInputCheckPrev(key);
}

// The pointer's window pixel goes through the same placement as the picture,
// so the logical position is the picture's pixel under the pointer (off the
// picture's edges over a bar).
void TarnInputGetCursorPosition(int* x, int* y) {
    const tarn::SystemState& system = tarn::gSystem;
    int logicalX = gInput.cursorX;
    int logicalY = gInput.cursorY;
    if (system.picture.width > 0) {
        TarnSysWindowToLogical(&system.picture, system.width, system.height, gInput.cursorX,
                               gInput.cursorY, &logicalX, &logicalY);
    }
    if (x) {
        *x = logicalX;
    }
    if (y) {
        *y = logicalY;
    }
}

void TarnInputGetCursorPositionDelta(int* dx, int* dy) {
    if (dx) {
        *dx = ToLogical(gInput.deltaX, tarn::gSystem.horizontalScale);
    }
    if (dy) {
        *dy = ToLogical(gInput.deltaY, tarn::gSystem.verticalScale);
    }
}

int TarnInputShowCursor(int show) {
    gInput.cursorCounter += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_ShowCursor(gInput.cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return gInput.cursorCounter;
}

int TarnInputPadCount(void) {
    return static_cast<int>(gPads.live.size());
}

bool TarnInputPadCheckCurr(int button) {
    return button >= 0 && button < TARN_PAD_BUTTON_COUNT && gPads.current[button];
}

bool TarnInputPadCheckTriggered(int button) {
    return TarnInputPadCheckCurr(button) && !gPads.previous[button];
}

float TarnInputPadAxis(int axis) {
    return axis >= 0 && axis < TARN_PAD_AXIS_COUNT ? gPads.axes[axis] : 0.0f;
}

unsigned char TarnInputVirtualKeyFromSDL(int sdlKeycode) {
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) {
        return static_cast<unsigned char>('A' + (sdlKeycode - SDLK_a));
    }
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) {
        return static_cast<unsigned char>(sdlKeycode);
    }
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) {
        return static_cast<unsigned char>(112 + (sdlKeycode - SDLK_F1));
    }
    switch (sdlKeycode) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 17;
    case SDLK_LALT:
    case SDLK_RALT:
        return 18;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_SPACE:
        return 32;
    case SDLK_LEFT:
        return 37;
    case SDLK_UP:
        return 38;
    case SDLK_RIGHT:
        return 39;
    case SDLK_DOWN:
        return 40;
    case SDLK_DELETE:
        return 46;
    default:
        return 0;
    }
}
