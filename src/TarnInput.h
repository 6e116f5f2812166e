// Tarn engine: keyboard and mouse snapshots.
//
// Keys and mouse buttons use Windows virtual-key codes: 1 left button, 2 right,
// 4 middle, 8 Backspace, 9 Tab, 13 Enter, 16 Shift, 17 Ctrl, 18 Alt, 27 Esc,
// 32 Space, 37-40 arrows, 48-57 digits, 65-90 letters, 112-123 F1-F12.
//
// Game controllers (SDL's game controller layout: an Xbox-style pad) are read
// the same way, one snapshot per frame, whichever pads are plugged in: a
// button is down when it is down on any pad, a stick reads the pad that
// pushes it furthest. Pads may come and go while the game runs.
#pragma once
#include "TarnDefs.h"

// The virtual-key codes the game names; letters and digits are their own
// upper-case characters ('W', '0').
enum {
    TARN_MOUSE_LEFT = 1,
    TARN_MOUSE_RIGHT = 2,
    TARN_MOUSE_MIDDLE = 4,
    TARN_KEY_BACKSPACE = 8,
    TARN_KEY_TAB = 9,
    TARN_KEY_ENTER = 13,
    TARN_KEY_SHIFT = 16,
    TARN_KEY_CTRL = 17,
    TARN_KEY_ALT = 18,
    TARN_KEY_ESCAPE = 27,
    TARN_KEY_SPACE = 32,
    TARN_KEY_LEFT = 37,
    TARN_KEY_UP = 38,
    TARN_KEY_RIGHT = 39,
    TARN_KEY_DOWN = 40,
    TARN_KEY_DELETE = 46,
    TARN_KEY_F1 = 112,
};

// Returns 1; nothing to set up.
TARN_API int TarnInputInit(void);
// Clears both snapshots, the cursor position and the cursor delta.
TARN_API void TarnInputReset(void);
// Copies the current snapshot to the previous one and takes a new one.
TARN_API void TarnInputUpdate(void);
TARN_API void TarnInputExit(void);
// Down in the current snapshot.
TARN_API bool TarnInputCheckCurr(unsigned char key);
// Down in the previous snapshot.
TARN_API bool TarnInputCheckPrev(unsigned char key);
// Down now, up in the snapshot before.
TARN_API bool TarnInputCheckTriggered(unsigned char key);
// Up now, down in the snapshot before.
TARN_API bool TarnInputCheckReleased(unsigned char key);
// Cursor in logical window pixels (origin top-left, y down).
TARN_API void TarnInputGetCursorPosition(int* x, int* y);
TARN_API void TarnInputGetCursorPositionDelta(int* dx, int* dy);
// Raises (show != 0) or lowers the system cursor's display counter; the cursor
// shows while the counter is 0 or more. Returns the new counter.
TARN_API int TarnInputShowCursor(int show);

// Maps an SDL key code to its virtual-key code (0 when the game has none).
TARN_API unsigned char TarnInputVirtualKeyFromSDL(int sdlKeycode);

// ---- Game controllers -----------------------------------------------------
// Buttons in SDL's order; the triggers count as buttons once pressed past half way.
enum {
    TARN_PAD_A = 0,
    TARN_PAD_B = 1,
    TARN_PAD_X = 2,
    TARN_PAD_Y = 3,
    TARN_PAD_BACK = 4,
    TARN_PAD_GUIDE = 5,
    TARN_PAD_START = 6,
    TARN_PAD_LEFT_STICK = 7,
    TARN_PAD_RIGHT_STICK = 8,
    TARN_PAD_LEFT_SHOULDER = 9,
    TARN_PAD_RIGHT_SHOULDER = 10,
    TARN_PAD_DPAD_UP = 11,
    TARN_PAD_DPAD_DOWN = 12,
    TARN_PAD_DPAD_LEFT = 13,
    TARN_PAD_DPAD_RIGHT = 14,
    TARN_PAD_LEFT_TRIGGER = 15,
    TARN_PAD_RIGHT_TRIGGER = 16,
    TARN_PAD_BUTTON_COUNT = 17
};
// Stick axes, -1 to 1; x grows to the right and y downward, as SDL reports them.
enum {
    TARN_PAD_LEFT_X = 0,
    TARN_PAD_LEFT_Y = 1,
    TARN_PAD_RIGHT_X = 2,
    TARN_PAD_RIGHT_Y = 3,
    TARN_PAD_AXIS_COUNT = 4
};
// Game controllers plugged in now.
TARN_API int TarnInputPadCount(void);
// The button is down in the current snapshot (false for an unknown button).
TARN_API bool TarnInputPadCheckCurr(int button);
// Down now, up in the snapshot before.
TARN_API bool TarnInputPadCheckTriggered(int button);
// A stick axis in the current snapshot (0 for an unknown axis).
TARN_API float TarnInputPadAxis(int axis);
