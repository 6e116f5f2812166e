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
#include "ScreenCommon.h"
#include "TarnGraphics.h"
#include "World.h"

// ---- Load callbacks --------------------------------------------------------------------

void LoadStateLoad() {
    if (gAssetManager != nullptr) {
        gAssetManager->ScanExportedLevels();
    }
    // The chooser of exported levels is not there yet: leave as its Cancel does.
    if (gGameStateManager != nullptr) {
        gGameStateManager->next = GameState::Menu;
    }
}

void EditorLoad() {
    MenuLoad();
    LevelGridSize(GameState::LevelEditor, &gGridWidth, &gGridHeight);
}

void CustomLoad() {
    // The level keeps the game mode and darkness of the states before it; the
    // reader sizes the grid for exported levels itself.
}

// ---- Update callbacks ----------------------------------------------------------------------

void EditorClick() {}
