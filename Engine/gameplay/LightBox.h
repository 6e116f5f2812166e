// Moth Lantern: the lantern and its HUD icon.
//
// The light box is the widget near the bottom-left corner that shows the
// lantern's mode, and it runs the lantern: F cycles lamp (a wide dim circle),
// torch (a cone whose reach follows the charge, which it drains, flickering
// when the charge runs low) and orb (a left click throws a light orb for 30
// charge, once every three seconds). In puzzle rooms the lantern is a plain
// idle lamp that adds no light.
#pragma once
#include "UI.h"

class Light;

namespace LightMode {
enum : int { Lamp = 0, Torch = 1, Orb = 2 };
}

class LightBox : public UI {
  public:
    // The icon in layer 6 and its frame in layer 5. The newest light box is
    // the game's light box (gLightBox).
    LightBox();
    ~LightBox() override;
    LightBox(const LightBox&) = delete;
    LightBox& operator=(const LightBox&) = delete;

    // Sizes and places the icon and its frame near the bottom-left corner.
    void Init() override;
    // Torch drain and flicker, throwing, and F to switch modes.
    void Update() override;
    // The icon, then picks the icon of the current mode for the next frame.
    void Draw() override;

    // The player's light that the modes act on (every level script hands the
    // new one over after creating the player). It takes the current mode's
    // cone at once, so a restarted player's lamp or orb light is whole.
    void AttachLight(Light* light);
    // Puzzle rooms: the lantern idles as a lamp that adds no light.
    void SetIdleMode() { mode = LightMode::Lamp; }
    // Drops the player's light if it is the object being deleted.
    void Forget(const GameObject* object);

    UIBox* frame = nullptr;
    Light* playerLight = nullptr;
    int mode = LightMode::Torch;
    float switchCooldown = 0.5f;
    float torchRadius = 0.0f;
    float throwCooldown = 0.0f;
    float maxRadius = 300.0f;
    float orbModeRadius = 75.0f;

  private:
    void UpdateTorch();
    void UpdateOrbMode();
    void UpdateModeSwitch();
    void SwitchMode();
    // The light's cone, reach and tint for the mode (the torch sets its own
    // every frame).
    void ShapeLightForMode();
};

extern LightBox* gLightBox; // the current level's light box, null when none
