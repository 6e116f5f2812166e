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
#include "PuzzleManager.h"
#include "ScreenCommon.h"
#include "TarnGraphics.h"
#include "World.h"

namespace {

// Both puzzle loads: a still view of the whole room, then the beam segments.
void PuzzleLevelLoad(int segmentSlots) {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kPuzzleDark);
    gGameMode = GameMode::Puzzle;
    SetGridOfCurrentState();
    SetCameraFollow(false);
    if (gPuzzleManager != nullptr) {
        for (int i = 0; i < segmentSlots; ++i) {
            gPuzzleManager->AddSegmentSlot();
        }
    }
}

} // namespace

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

void PuzzleLoad() {
    PuzzleLevelLoad(2);
}

void Puzzle2Load() {
    PuzzleLevelLoad(3);
}

// ---- Init callbacks ---------------------------------------------------------------------

void MenuInit() {}
void Level1Init() {}
void Level2Init() {}
void Level3Init() {}
void Level4Init() {}
void Level5Init() {}
void Puzzle1Init() {}
void Puzzle2Init() {}
void Puzzle3Init() {}
void Puzzle4Init() {}
void Puzzle5Init() {}

// ---- Update callbacks ----------------------------------------------------------------------

void MenuUpdate() {}
void LevelUpdate() {}
void PuzzleUpdate() {}
