// Moth Lantern: the main menu, a small dark room the player walks with a
// light: the logo, the blinking start sign over the trap doors into the first
// level, the controls picture revealed by lighting the control wall, and the
// settings, credits, quit, editor and levels buttons along the bottom.
#include "AssetManager.h"
#include "CollisionManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "MenuWidgets.h"
#include "ScreenCommon.h"
#include "StateCallbacks.h"
#include "TarnGraphics.h"
#include "Tiles.h"
#include "UI.h"

namespace {

constexpr float kControlWallX = 100.0f;
constexpr float kControlWallY = 50.0f;

// The wall whose lighting shows the controls picture.
void AddControlWall() {
    auto* wall = new MenuWall(Layer::Items, kControlWallX, kControlWallY,
                              TextureNamed("controlbox.png"), true, true);
    wall->controlUI = new MenuControlUI();
}

} // namespace

void MenuLoad() {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    SetDarkness(kMenuDark);
    gGameMode = GameMode::Menu;
    LevelGridSize(GameState::Menu, &gGridWidth, &gGridHeight);
    SetCameraFollow(false);
    StopLevelMusic();
    SetCursorVisible(true);
    CreateBackground();
    gCollisionManager->tileCollisionOn = true; // the logo screen turned grid tests off
}

void MenuInit() {
    gHasKey = true; // the room's trap doors stand open
    AddPlayerWithLight();
    CreateMenuWidgets();
    AddControlWall();
    PlayLevelMusic("s_menu.wav");
}

void MenuUpdate() {}
