// Moth Lantern: the danger block's countdown and the control wall's reveal.
#include "Tiles.h"

#include "AssetManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "TransitionBox.h"
#include "World.h"

void MenuWall::Reveal() {
    if (!gCreditsShown && controlUI != nullptr) {
        controlUI->revealed = true;
    }
}

// ---- Danger blocks ----------------------------------------------------------------------

void ArmRestart(RestartWall* wall) {
    // Nothing new once a restart is on its way: a picture made now would
    // outlive the restart on the HUD layer.
    const bool restarting = gGameStateManager->next == GameState::Restart;
    if (wall->restartBox != nullptr || restarting) {
        return;
    }
    wall->restartArmed = true;
    auto* box = new TransitionBox();
    box->style = TransitionStyle::FadeIn;
    box->scale = TarnVec2{500.0f, 500.0f};
    box->SetTintColor(1.0f, 1.0f, 1.0f, 0.0f);
    box->SetTexture(TextureNamed("restart1.png"));
    wall->restartBox = box;
    gWorld->WatchPointer(&wall->restartBox);
}

RestartWall::~RestartWall() {
    // A level left or restarted some other way while the countdown runs
    // takes the picture with it.
    if (restartBox != nullptr) {
        gWorld->Destroy(Layer::Pictures, restartBox);
    }
    gWorld->UnwatchPointer(&restartBox);
}

void RestartWall::Update() {
    if (!restartArmed || restartBox == nullptr || !restartBox->done) {
        return;
    }
    restartBox->style = TransitionStyle::Hold;
    countdown -= gFrameTime;
    if (countdown >= 2.0f && countdown < 3.0f) {
        restartBox->SetTexture(TextureNamed("restart2.png"));
    } else if (countdown >= 1.0f && countdown < 2.0f) {
        restartBox->SetTexture(TextureNamed("restart3.png"));
    }
    if (countdown > 0.5f) {
        return;
    }
    gWorld->Destroy(Layer::Pictures, restartBox);
    restartBox = nullptr;
    countdown = countdownStart;
    restartArmed = false;
    gGameStateManager->next = GameState::Restart;
}
