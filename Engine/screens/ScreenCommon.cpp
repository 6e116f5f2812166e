#include "ScreenCommon.h"

#include "AudioManager.h"
#include "Camera.h"
#include "Cursor.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "Hud.h"
#include "LevelData.h"
#include "Light.h"
#include "LightBox.h"
#include "MenuWidgets.h"
#include "Player.h"
#include "TarnGraphics.h"
#include "UI.h"
#include "World.h"

void SetDarkness(float alpha) {
    gDarkAlpha = gDefaultDarkAlpha = alpha;
}

void SetCameraFollow(bool follow) {
    if (gWorld->GetCamera() != nullptr) {
        gWorld->GetCamera()->SetFollow(follow);
    }
}

void SetGridOfCurrentState() {
    LevelGridSize(gGameStateManager->current, &gGridWidth, &gGridHeight);
}

void StopLevelMusic() {
    gAudioManager->StopMusic();
}

void SetUpStoryLook() {
    CreateStoryHud();
    new LightBox();
    CreateBackground();
    SetDarkness(kStoryDark);
    gGameMode = GameMode::Story;
    SetCursorVisible(true);
}

void ScreenLoad() {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    gGameMode = GameMode::Screen;
    gPlayerHealth = 100;
    gLightCharge = 360.0f;
    SetCameraFollow(false);
    StopLevelMusic();
    SetCursorVisible(true);
}

Player* AddPlayerWithLight() {
    Player* player = MakePlayer(gPlayerStartX, gPlayerStartY);
    auto* light = new Light(player, 0.0f);
    if (gLightBox != nullptr) {
        gLightBox->AttachLight(light);
    }
    return player;
}

void PlayLevelMusic(const char* name) {
    gAudioManager->StopMusic();
    gAudioManager->PlayMusic(name);
}
