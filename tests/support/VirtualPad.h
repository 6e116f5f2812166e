// A game controller made with SDL's virtual joystick, so the pad code runs
// headless: attached on construction (the engine hears it plugged in at the
// next event pump), unplugged on destruction.
#pragma once
#include <SDL.h>

namespace moth_test {

class VirtualPad {
  public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool Attached() const { return joystick != nullptr; }
    // SDL_CONTROLLER_BUTTON_* held or let go.
    void Button(SDL_GameControllerButton button, bool down);
    // SDL_CONTROLLER_AXIS_* in -1..1 (a trigger: 0 at rest, 1 fully pressed).
    void Axis(SDL_GameControllerAxis axis, float value);
    // Every button up, sticks centred, triggers at rest.
    void Release();
    // Plugs the pad out now (the engine hears it at the next event pump).
    void Unplug();

  private:
    int deviceIndex = -1;
    SDL_JoystickID instance = -1;
    SDL_Joystick* joystick = nullptr;
};

} // namespace moth_test
