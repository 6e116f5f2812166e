// Moth Lantern: the Custom state's load and the hooks for its actors.
#include "CustomLevel.h"
#include "Globals.h"

#include "Camera.h"
#include "CollisionManager.h"
#include "Hud.h"
#include "Light.h"
#include "LightBox.h"
#include "Player.h"
#include "PlayerAnimator.h"
#include "World.h"

namespace {

constexpr float kWandererSize = 30.0f;
constexpr float kWandererAlpha = 0.3f;
// Exported levels place the wanderer here, whatever their start cell says.
constexpr float kCustomStartX = -100.0f;
constexpr float kCustomStartY = -50.0f;

} // namespace

ActiveObject* CreateWanderer() {
    return new Player();
}

StaticObject* CreateWandererLight(ActiveObject* wanderer) {
    return new Light(wanderer, 0.0f);
}

void CreateCustomLightBoxAndHud(ActiveObject* /*wanderer*/, StaticObject* light) {
    CreateStoryHud();
    auto* box = new LightBox();
    box->AttachLight(static_cast<Light*>(light));
}

void CustomLoad() {
    ActiveObject* wanderer = CreateWanderer();
    wanderer->velocity = TarnVec2{0.0f, 0.0f};
    wanderer->SetPos(kCustomStartX, kCustomStartY);
    // Blue blend, the whole figure at transparency 0.3.
    wanderer->SetBlendColor(0.0f, 1.0f, 0.0f, kWandererAlpha);
    wanderer->SetTintColor(1.0f, 1.0f, 1.0f, kWandererAlpha);
    wanderer->SetScale(kWandererSize, kWandererSize);
    gPlayerAnimator->SetPlayer(wanderer);
    gCollisionManager->Register(wanderer);
    gWorld->Add(Layer::Actors, wanderer);
    // The view follows the wanderer through levels larger than the screen.
    gWorld->SetPlayer(wanderer);
    if (gWorld->GetCamera() != nullptr) {
        gWorld->GetCamera()->SetFollow(true);
    }
    CreateCustomLightBoxAndHud(wanderer, CreateWandererLight(wanderer));
}
