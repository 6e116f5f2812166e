// Moth Lantern: thrown light orbs: flight, landing and fade.
#include "LightOrb.h"

#include "Globals.h"
#include "Light.h"
#include "LightManager.h"
#include "UI.h"
#include "World.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kOrbSize = 10.0f;
constexpr float kFullCircle = 3.1415925f; // half angle of a light all round
constexpr float kOrbLightRadius = 100.0f;
constexpr float kFadeSeconds = 5.0f;
constexpr float kFrictionPerFrame = 0.99f;
// Below this squared speed an orb has come to rest where it is.
constexpr float kResting = 0.1f;

} // namespace

LightOrb::LightOrb(const TarnVec2& at, float angle)
    : ActiveObject(Layer::Lights, at.x, at.y, TextureNamed("lightorb.png"), false, false, kOrbSize,
                   kOrbSize) {
    light = new Light(this, angle);
    light->SetLight(kFullCircle, kOrbLightRadius, true, false);
    baseAlpha = light->GetTransparency();
    rotation = angle;
    velocity = TarnVec2{std::cos(angle) * throwSpeed, std::sin(angle) * throwSpeed};
    // The flight ends at the first wall in the throw direction, or at full range.
    const TarnVec2 target{at.x + velocity.x, at.y + velocity.y};
    landing = gLightManager->RayCast(at, target, throwRange).point;
    SetTransparency(1.0f);
    gLightManager->AddOrb(this);
}

LightOrb::~LightOrb() {
    gLightManager->RemoveOrb(this);
}

void LightOrb::Update() {
    const TarnVec2 next{position.x + velocity.x * gFrameTime, position.y + velocity.y * gFrameTime};
    const float halfWidth = scale.x / 2.0f;
    const float dx = landing.x - next.x;
    const float dy = landing.y - next.y;
    if (halfWidth * halfWidth > dx * dx + dy * dy) {
        const float speed2 = velocity.x * velocity.x + velocity.y * velocity.y;
        if (speed2 > kResting) {
            // Stops half its width short of the wall, not inside it.
            const float speed = std::sqrt(speed2);
            SetPos(landing.x - velocity.x / speed * halfWidth,
                   landing.y - velocity.y / speed * halfWidth);
        }
        velocity = TarnVec2{0.0f, 0.0f};
    } else {
        velocity = TarnVec2{velocity.x * kFrictionPerFrame, velocity.y * kFrictionPerFrame};
        SetPos(next);
    }

    lifetime -= gFrameTime;
    if (lifetime < 0.0f) {
        gWorld->Destroy(Layer::Lights, this);
        gWorld->Destroy(Layer::Lights, light);
        gLightManager->RemoveLight(light);
    } else if (lifetime < kFadeSeconds) {
        // Never below 0: the light's reach must not turn negative in the last frame.
        const float transparency = std::max(GetTransparency() - gFrameTime / kFadeSeconds, 0.0f);
        SetTransparency(transparency);
        light->SetLight(kFullCircle, kOrbLightRadius * transparency, true, false);
        light->SetTransparency(transparency * baseAlpha);
    }
}
