// Moth Lantern: the state callbacks as far as the game has them so far.
//
// Each load callback sets the level globals its state owns: the grid size the
// level file is read at, the game mode (which also picks the wall texture),
// the darkness unlit tiles fade to, and whether the camera follows the player.
// The screens, scripts and layouts that fill the rest of these bodies arrive
// with their own pieces of the game.
#include "StateCallbacks.h"

#include "AssetManager.h"
#include "Camera.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "TarnGraphics.h"
#include "World.h"

namespace {

// gGameMode values.
constexpr int kModeStory = 0;
constexpr int kModeMenu = 2;   // the menu room and the level editor
constexpr int kModeScreen = 4; // logo, win and lose

// Darkness of unlit tiles: invisible in story levels, half lit in the menu
// room and editor.
constexpr float kStoryDark = 0.0f;
constexpr float kMenuDark = 0.5f;

void SetDarkness(float alpha) {
    gDarkAlpha = gDefaultDarkAlpha = alpha;
}

void SetCameraFollow(bool follow) {
    if (gWorld != nullptr && gWorld->GetCamera() != nullptr) {
        gWorld->GetCamera()->SetFollow(follow);
    }
}

// The grid of the state being entered.
void SetGridOfCurrentState() {
    if (gGameStateManager != nullptr) {
        LevelGridSize(gGameStateManager->current, &gGridWidth, &gGridHeight);
    }
}

// The logo, win and lose screens: a still view on the origin.
void ScreenLoad() {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    gGameMode = kModeScreen;
    gPlayerHealth = 100;
    gLightCharge = 360.0f;
    SetCameraFollow(false);
}

} // namespace

// ---- Load callbacks --------------------------------------------------------------------

void MenuLoad() {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kMenuDark);
    gGameMode = kModeMenu;
    LevelGridSize(GameState::Menu, &gGridWidth, &gGridHeight);
    SetCameraFollow(false);
}

void LoadStateLoad() {
    if (gAssetManager != nullptr) {
        gAssetManager->ScanExportedLevels();
    }
    // The chooser of exported levels is not there yet: leave as its Cancel does.
    if (gGameStateManager != nullptr) {
        gGameStateManager->next = GameState::Menu;
    }
}

void StoryLevelLoad() {
    SetDarkness(kStoryDark);
    gGameMode = kModeStory;
    SetGridOfCurrentState();
    SetCameraFollow(true);
}

void EditorLoad() {
    MenuLoad();
    LevelGridSize(GameState::LevelEditor, &gGridWidth, &gGridHeight);
}

void CustomLoad() {
    // The level keeps the game mode and darkness of the states before it; the
    // reader sizes the grid for exported levels itself.
}

void WinLoad() {
    ScreenLoad();
}

void LoseLoad() {
    ScreenLoad();
}

void LogoLoad() {
    ScreenLoad();
}

// ---- Init callbacks ---------------------------------------------------------------------

void MenuInit() {}
void Level1Init() {}
void Level2Init() {}
void Level3Init() {}
void Level4Init() {}
void Level5Init() {}
void WinInit() {}
void LoseInit() {}
void LogoInit() {}

// ---- Update callbacks ----------------------------------------------------------------------

void MenuUpdate() {}
void LevelUpdate() {}
void EditorClick() {}
void WinUpdate() {}
void LoseUpdate() {}
void LogoUpdate() {}
