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
#include "TarnGraphics.h"
#include "World.h"

namespace {

// gGameMode values.
constexpr int kModeStory = 0;
constexpr int kModePuzzle = 1;
constexpr int kModeMenu = 2;   // the menu room and the level editor
constexpr int kModeScreen = 4; // logo, win and lose

// Darkness of unlit tiles: invisible in story levels, half lit in the menu
// room and editor, fully lit in the puzzle rooms.
constexpr float kStoryDark = 0.0f;
constexpr float kMenuDark = 0.5f;
constexpr float kPuzzleDark = 1.0f;

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

// Both puzzle loads: a still view of the whole room, then the beam segments.
void PuzzleLevelLoad(int segmentSlots) {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kPuzzleDark);
    gGameMode = kModePuzzle;
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
    gGameMode = kModeMenu;
    LevelGridSize(GameState::Menu, &gGridWidth, &gGridHeight);
    SetCameraFollow(false);
}

void StoryLevelLoad() {
    SetDarkness(kStoryDark);
    gGameMode = kModeStory;
    SetGridOfCurrentState();
    SetCameraFollow(true);
}

void PuzzleLoad() {
    PuzzleLevelLoad(2);
}

void Puzzle2Load() {
    PuzzleLevelLoad(3);
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
void Puzzle1Init() {}
void Puzzle2Init() {}
void Puzzle3Init() {}
void Puzzle4Init() {}
void Puzzle5Init() {}
void WinInit() {}
void LoseInit() {}
void LogoInit() {}

// ---- Update callbacks ----------------------------------------------------------------------

void MenuUpdate() {}
void LevelUpdate() {}
void PuzzleUpdate() {}
void WinUpdate() {}
void LoseUpdate() {}
void LogoUpdate() {}
