#include "StoryLevel.h"

#include "AI.h"
#include "Globals.h"
#include "Pickups.h"
#include "ScreenCommon.h"
#include "StateCallbacks.h"
#include "TransitionBox.h"
#include "UI.h"

std::vector<TarnVec2> gKeyPositions;

namespace {

// The level's picture over the whole window, fading out after half a second;
// the player waits for it (and the tips follow it).
void ShowIntroPicture(GameStateId level) {
    CreateIntroPicture(IntroPictureOf(level));
}

void LevelScript(GameStateId level) {
    ShowIntroPicture(level);
    PlaceKey(gKeyPositions);
    AddPlayerWithLight();
    SetUpSpawns(level);
    PlaceBatteries(BatteriesInLevel(level));
    PlayLevelMusic("s_bgmusic.wav");
}

} // namespace

void StoryLevelLoad() {
    SetUpStoryLook();
    SetGridOfCurrentState();
    StopLevelMusic();
    SetCameraFollow(true);
    gKeyPositions.clear();
    gHasKey = false;
}

void Level1Init() {
    LevelScript(GameState::Level1);
}
void Level2Init() {
    LevelScript(GameState::Level2);
}
void Level3Init() {
    LevelScript(GameState::Level3);
}
void Level4Init() {
    LevelScript(GameState::Level4);
}
void Level5Init() {
    LevelScript(GameState::Level5);
}

void LevelUpdate() {}
