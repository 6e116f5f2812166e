// Moth Lantern: the lantern's modes, torch drain and flicker, orb throws, icon.
#include "LightBox.h"

#include "AudioManager.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "Light.h"
#include "LightOrb.h"
#include "PadControls.h"
#include "Pickups.h"
#include "TarnInput.h"
#include "World.h"

LightBox* gLightBox = nullptr;

namespace {

constexpr float kPi = 3.1415925f;
constexpr float kTorchHalfAngle = 0.5235987f;
constexpr float kOrbModeHalfAngle = 1.0471974f;
constexpr float kLampRadius = 90.0f;
constexpr float kTorchDrainPerSecond = 5.0f;
// From this share of the full charge down the torch reach shrinks.
constexpr float kFullReachRatio = 0.8f;
constexpr float kSwitchSeconds = 0.5f;
constexpr float kThrowSeconds = 3.0f;
constexpr float kThrowCost = 30.0f;
// A throw needs more charge than this.
constexpr float kThrowReserve = 10.0f;
constexpr float kDimIcon = 0.3f;
// Charge bands of the low-charge flicker: slow, then (after a short steady
// gap) fast down to empty.
constexpr float kSlowFlickerTop = 107.5f;
constexpr float kSlowFlickerBottom = 72.0f;
constexpr float kFastFlickerTop = 71.0f;
constexpr float kFastFlickerBottom = -1e-5f;

// A flicker alternates a bright and a dim phase of one period each.
struct Flicker {
    float period;
    float timer;
    bool dim;
};

// Shared by every light box for the whole run: low charge keeps flickering
// in step across levels.
Flicker gSlowFlicker{0.3f, 0.3f, false};
Flicker gFastFlicker{0.15f, 0.15f, false};

void RunFlicker(Flicker& flicker, Light* light) {
    if (!flicker.dim) {
        light->SetTintColor(1.0f, 1.0f, 1.0f, 0.5f);
        flicker.timer += gFrameTime;
        if (flicker.timer >= flicker.period) {
            flicker.timer = flicker.period;
            flicker.dim = true;
        }
    } else {
        light->SetTintColor(0.1f, 0.1f, 0.1f, 0.1f);
        flicker.timer -= gFrameTime;
        if (flicker.timer <= 0.0f) {
            flicker.timer = 0.0f;
            flicker.dim = false;
        }
    }
}

bool SwitchKeyHeld() {
    return gKeyBindings->IsDown(KeyAction::SwitchLight) || PadSwitchHeld();
}

bool ThrowPressed() {
    return TarnInputCheckTriggered(TARN_MOUSE_LEFT) || PadThrowPressed();
}

} // namespace

LightBox::LightBox() : UI(Layer::Pictures, 0.0f, 0.0f, nullptr, false, false, 60.0f, 60.0f) {
    torchRadius = gLightCharge;
    frame = new UIBox(Layer::Panels, 0.0f, 0.0f, nullptr, false, false, 75.0f, 80.0f);
    gLightBox = this;
}

LightBox::~LightBox() {
    if (gLightBox == this) {
        gLightBox = nullptr;
    }
}

void LightBox::AttachLight(Light* light) {
    playerLight = light;
    ShapeLightForMode();
}

void LightBox::Forget(const GameObject* object) {
    if (object != nullptr && static_cast<const GameObject*>(playerLight) == object) {
        playerLight = nullptr;
    }
}

void LightBox::Init() {
    SetScale(60.0f, 60.0f);
    offset = TarnVec2{-gHalfWindowWidth + 40.0f, -gHalfWindowHeight + 40.0f};
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetTexture(TextureNamed("a_torch_lighton.png"));
    if (frame != nullptr) {
        frame->SetScale(75.0f, 80.0f);
        frame->offset = offset;
        frame->SetTexture(TextureNamed("frame2.png"));
    }
}

void LightBox::Update() {
    UI::Update();
    if (mode == LightMode::Torch) {
        UpdateTorch();
    }
    if (throwCooldown > 0.0f) {
        throwCooldown -= gFrameTime;
    }
    if (mode == LightMode::Orb) {
        UpdateOrbMode();
    }
    UpdateModeSwitch();
}

void LightBox::UpdateTorch() {
    gLightCharge -= kTorchDrainPerSecond * gFrameTime;
    const float ratio = gLightCharge / kMaxLightCharge;
    torchRadius = ratio >= kFullReachRatio ? maxRadius : (ratio + 0.2f) * maxRadius;
    if (playerLight == nullptr) {
        return;
    }
    playerLight->SetLight(kTorchHalfAngle, gLightCharge > 0.0f ? torchRadius : 0.0f, true, true);
    // Running low, the torch flickers slowly, then fast; the gap between the
    // bands keeps the last tint.
    if (gLightCharge >= kSlowFlickerBottom && gLightCharge <= kSlowFlickerTop) {
        RunFlicker(gSlowFlicker, playerLight);
    } else if (gLightCharge >= kFastFlickerBottom && gLightCharge <= kFastFlickerTop) {
        RunFlicker(gFastFlicker, playerLight);
    }
}

void LightBox::UpdateOrbMode() {
    const bool ready = throwCooldown <= 0.0f && gLightCharge > kThrowReserve;
    SetTransparency(ready ? 1.0f : kDimIcon);
    if (!ready || !ThrowPressed() || playerLight == nullptr) {
        return;
    }
    gAudioManager->PlayEffect("s_throw.wav");
    new LightOrb(playerLight->GetPos(), playerLight->GetRotation());
    gLightCharge -= kThrowCost;
    throwCooldown = kThrowSeconds;
}

void LightBox::UpdateModeSwitch() {
    if (gGameMode == GameMode::Puzzle) {
        // Puzzle rooms: a lamp that adds nothing; the beams light the room.
        mode = LightMode::Lamp;
        if (playerLight != nullptr) {
            playerLight->SetLight(kPi, kLampRadius, true, true);
            playerLight->SetTintColor(1.0f, 1.0f, 1.0f, 0.0f);
        }
        SetTransparency(1.0f);
        return;
    }
    if (gGameMode != GameMode::Story) {
        return;
    }
    if (switchCooldown >= 0.0f) {
        switchCooldown -= gFrameTime;
    } else if (SwitchKeyHeld()) {
        SwitchMode();
        switchCooldown = kSwitchSeconds;
    }
}

void LightBox::SwitchMode() {
    if (mode == LightMode::Lamp) {
        mode = LightMode::Torch;
    } else if (mode == LightMode::Torch) {
        mode = LightMode::Orb;
    } else {
        mode = LightMode::Lamp;
        SetTransparency(1.0f);
    }
    ShapeLightForMode();
}

void LightBox::ShapeLightForMode() {
    // The torch changes nothing here: it sets the light next frame.
    if (playerLight == nullptr || mode == LightMode::Torch) {
        return;
    }
    if (mode == LightMode::Orb) {
        playerLight->SetLight(kOrbModeHalfAngle, orbModeRadius, true, true);
    } else {
        playerLight->SetLight(kPi, kLampRadius, true, true);
    }
    playerLight->SetTintColor(1.0f, 1.0f, 1.0f, 0.5f);
}

void LightBox::Draw() {
    UI::Draw();
    static const char* const kIcons[] = {"a_lamp_lighton.png", "a_torch_lighton.png",
                                         "lightorb.png"};
    if (mode >= LightMode::Lamp && mode <= LightMode::Orb) {
        SetTexture(TextureNamed(kIcons[mode]));
    }
}
