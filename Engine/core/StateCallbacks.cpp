// Moth Lantern: the state callbacks as far as the game has them so far.
//
// Each load callback sets the level globals its state owns: the grid size the
// level file is read at, the game mode (which also picks the wall texture),
// the darkness unlit tiles fade to, and whether the camera follows the player.
// The screens, scripts and layouts that fill the rest of these bodies arrive
// with their own pieces of the game.
#include "StateCallbacks.h"

#include "Camera.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "ScreenCommon.h"
#include "TarnGraphics.h"
#include "World.h"

// ---- Load callbacks --------------------------------------------------------------------

void MenuLoad() {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kMenuDark);
    gGameMode = GameMode::Menu;
    LevelGridSize(GameState::Menu, &gGridWidth, &gGridHeight);
    SetCameraFollow(false);
}

void StoryLevelLoad() {
    SetDarkness(kStoryDark);
    gGameMode = GameMode::Story;
    SetGridOfCurrentState();
    SetCameraFollow(true);
}

// ---- Init callbacks ---------------------------------------------------------------------

void MenuInit() {}
void Level1Init() {}
void Level2Init() {}
void Level3Init() {}
void Level4Init() {}
void Level5Init() {}

// ---- Update callbacks ----------------------------------------------------------------------

void MenuUpdate() {}
void LevelUpdate() {}
