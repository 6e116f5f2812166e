// Moth Lantern: the main menu, a small dark room the player walks with a
// light: the logo, the blinking start sign over the trap door into the first
// level (while a game is saved, "continue" over it and "new game" over a
// second door), the controls picture revealed by lighting the control wall,
// and the settings, credits, quit, editor and levels buttons along the
// bottom. A gamepad walks the room; its Start takes up the buttons.
#include "AssetManager.h"
#include "CollisionManager.h"
#include "ControlsPanel.h"
#include "Globals.h"
#include "LevelData.h"
#include "MenuWidgets.h"
#include "PadControls.h"
#include "PadFocus.h"
#include "PauseMenu.h"
#include "Progress.h"
#include "ScreenCommon.h"
#include "StateCallbacks.h"
#include "TarnGraphics.h"
#include "Tiles.h"
#include "UI.h"

namespace {

constexpr float kControlWallX = 100.0f;
constexpr float kControlWallY = 50.0f;
// The second door, opened while a game is saved: it starts a new one.
constexpr TarnVec2 kNewGameDoor{-200.0f, 100.0f};

// The wall whose lighting shows the controls picture.
void AddControlWall() {
    auto* wall = new MenuWall(Layer::Items, kControlWallX, kControlWallY,
                              TextureNamed("controlbox.png"), true, true);
    wall->controlUI = new MenuControlUI();
}

// The room's own door continues a saved game; this one beside it starts over.
void AddNewGameDoor() {
    auto* door = new TrapDoor(Layer::Items, kNewGameDoor.x, kNewGameDoor.y,
                              TextureNamed("trapdoorClose.png"), true, true);
    door->newGame = true;
    door->SetTransparency(gDarkAlpha);
}

// Esc or B closes the panel on top: the credits, then the settings; with
// neither open B gives the d-pad back to walking.
void BackOut() {
    if (gCreditsShown) {
        gCreditsShown = false;
        SetPlayerCanMove(true);
    } else if (gSettingsShown) {
        gSettingsShown = false;
    } else {
        gPadMenuRow = false;
    }
}

} // namespace

void MenuLoad() {
    gTestPlayLevel.clear(); // the menu and the editor end any test-play
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kMenuDark);
    gGameMode = GameMode::Menu;
    LevelGridSize(GameState::Menu, &gGridWidth, &gGridHeight);
    SetCameraFollow(false);
    StopLevelMusic();
    SetCursorVisible(true);
    gPadMenuRow = false;
    CreateBackground();
    gCollisionManager->tileCollisionOn = true; // the logo screen turned grid tests off
}

void MenuInit() {
    gHasKey = true; // the room's trap doors stand open
    AddPlayerWithLight();
    const int saved = SavedMemories();
    if (saved > 0) {
        AddNewGameDoor();
    }
    CreateMenuWidgets(saved, kNewGameDoor);
    AddControlWall();
    PlayLevelMusic("s_menu.wav");
}

// The pad's Start takes up the row of buttons (the d-pad then moves between
// them) or lets it go.
void MenuUpdate() {
    if (gControlsPanel != nullptr) {
        return; // the panel over the room takes Esc and the pad itself
    }
    if (PadStartPressed()) {
        gPadMenuRow = !gPadMenuRow;
    }
    if (BackPressed()) {
        BackOut();
    }
}
