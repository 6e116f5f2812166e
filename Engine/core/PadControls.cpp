#include "PadControls.h"

#include "KeyBindings.h"
#include "TarnInput.h"

#include <cmath>

namespace {

constexpr float kWalkDeadZone = 0.35f;
constexpr float kAimDeadZone = 0.3f;

bool Pressed(int button) {
    return TarnInputPadCheckTriggered(button);
}

bool Held(int button) {
    return TarnInputPadCheckCurr(button);
}

int DpadWalkAction() {
    if (Held(TARN_PAD_DPAD_UP)) {
        return KeyAction::WalkUp;
    }
    if (Held(TARN_PAD_DPAD_DOWN)) {
        return KeyAction::WalkDown;
    }
    if (Held(TARN_PAD_DPAD_RIGHT)) {
        return KeyAction::WalkRight;
    }
    return Held(TARN_PAD_DPAD_LEFT) ? KeyAction::WalkLeft : -1;
}

} // namespace

int PadWalkAction(bool dpadWalks) {
    const float x = TarnInputPadAxis(TARN_PAD_LEFT_X);
    const float y = TarnInputPadAxis(TARN_PAD_LEFT_Y); // down is positive
    if (std::fabs(x) >= kWalkDeadZone || std::fabs(y) >= kWalkDeadZone) {
        if (std::fabs(x) > std::fabs(y)) {
            return x > 0.0f ? KeyAction::WalkRight : KeyAction::WalkLeft;
        }
        return y > 0.0f ? KeyAction::WalkDown : KeyAction::WalkUp;
    }
    return dpadWalks ? DpadWalkAction() : -1;
}

bool PadAimDirection(TarnVec2* direction) {
    const float x = TarnInputPadAxis(TARN_PAD_RIGHT_X);
    const float y = -TarnInputPadAxis(TARN_PAD_RIGHT_Y);
    const float length = std::sqrt(x * x + y * y);
    if (length < kAimDeadZone) {
        return false;
    }
    *direction = TarnVec2{x / length, y / length};
    return true;
}

bool PadThrowPressed() {
    return Pressed(TARN_PAD_A) || Pressed(TARN_PAD_RIGHT_TRIGGER);
}

bool PadSwitchHeld() {
    return Held(TARN_PAD_Y) || Held(TARN_PAD_LEFT_SHOULDER) || Held(TARN_PAD_RIGHT_SHOULDER);
}

bool PadStartPressed() {
    return Pressed(TARN_PAD_START);
}

bool PadBackPressed() {
    return Pressed(TARN_PAD_B);
}

bool PadConfirmPressed() {
    return Pressed(TARN_PAD_A);
}

bool PadStep(int* dx, int* dy) {
    *dx = Pressed(TARN_PAD_DPAD_RIGHT) ? 1 : Pressed(TARN_PAD_DPAD_LEFT) ? -1 : 0;
    *dy = *dx != 0 ? 0 : Pressed(TARN_PAD_DPAD_UP) ? 1 : Pressed(TARN_PAD_DPAD_DOWN) ? -1 : 0;
    return *dx != 0 || *dy != 0;
}

bool BackPressed() {
    return TarnInputCheckTriggered(TARN_KEY_ESCAPE) || PadBackPressed();
}
