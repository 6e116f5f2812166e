// Moth Lantern: the Custom state's load and init.
#include "CustomLevel.h"

#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "Light.h"
#include "LightBox.h"
#include "Player.h"
#include "PlayerAnimator.h"
#include "ScreenCommon.h"
#include "World.h"

namespace {

constexpr float kWandererSize = 30.0f;
// A touch of blue marks the wanderer of a level made in the editor.
constexpr float kBlueBlend = 0.3f;
// A level without a start cell puts the wanderer here.
constexpr float kFallbackStartX = -100.0f;
constexpr float kFallbackStartY = -50.0f;

} // namespace

ActiveObject* CreateWanderer() {
    return new Player();
}

TarnVec2 CustomStartPosition() {
    if (gLevelData->startFound) {
        return TarnVec2{gPlayerStartX, gPlayerStartY};
    }
    return TarnVec2{kFallbackStartX, kFallbackStartY};
}

// The story levels' floor, darkness, HUD and light box, and their mode (so
// the lantern switches and the pause menu shows the story controls). A
// wanderer that dies here tries this level again.
void CustomLoad() {
    gGameStateManager->retryState = GameState::Custom;
    SetUpStoryLook();
    SetCameraFollow(true);
}

void CustomInit() {
    // A level with a key keeps its doors shut until the wanderer takes it, as
    // a story level does; without one they stand open.
    gHasKey = !gLevelData->Holds(kTileKey);
    ActiveObject* wanderer = CreateWanderer();
    wanderer->velocity = TarnVec2{0.0f, 0.0f};
    wanderer->SetPos(CustomStartPosition());
    // Opaque, as in the story levels: at transparency 0.3 it could hardly
    // be told from the dark floor.
    wanderer->SetBlendColor(0.0f, 1.0f, 0.0f, kBlueBlend);
    wanderer->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    wanderer->SetScale(kWandererSize, kWandererSize);
    gPlayerAnimator->SetPlayer(wanderer);
    gCollisionManager->Register(wanderer);
    gWorld->Add(Layer::Actors, wanderer);
    // The view follows the wanderer through levels larger than the screen.
    gWorld->SetPlayer(wanderer);
    gLightBox->AttachLight(new Light(wanderer, 0.0f));
    PlayLevelMusic("s_bgmusic.wav");
}
