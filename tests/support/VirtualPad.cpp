#include "VirtualPad.h"

#include <algorithm>

namespace moth_test {

VirtualPad::VirtualPad() {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Moth Lantern test pad";
    deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (deviceIndex < 0) {
        return;
    }
    joystick = SDL_JoystickOpen(deviceIndex);
    instance = joystick != nullptr ? SDL_JoystickInstanceID(joystick) : -1;
    Release();
}

VirtualPad::~VirtualPad() {
    Unplug();
}

void VirtualPad::Button(SDL_GameControllerButton button, bool down) {
    if (joystick != nullptr) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
}

void VirtualPad::Axis(SDL_GameControllerAxis axis, float value) {
    if (joystick == nullptr) {
        return;
    }
    // A trigger's joystick axis runs over the whole range, rest at the bottom.
    const bool trigger =
        axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
    const float raw = trigger ? value * 2.0f - 1.0f : value;
    const float clamped = std::clamp(raw, -1.0f, 1.0f);
    SDL_JoystickSetVirtualAxis(
        joystick, axis,
        static_cast<Sint16>(clamped < 0.0f ? clamped * 32768.0f : clamped * 32767.0f));
}

void VirtualPad::Release() {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        Button(static_cast<SDL_GameControllerButton>(button), false);
    }
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
        Axis(static_cast<SDL_GameControllerAxis>(axis), 0.0f);
    }
}

void VirtualPad::Unplug() {
    if (joystick == nullptr) {
        return;
    }
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    // Detaching takes the device index of the moment; look it up by instance.
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
    }
}

} // namespace moth_test
