#include "GameGlobals.h"

#include "AI.h"
#include "Cursor.h"
#include "Editor.h"
#include "Game.h"
#include "Globals.h"
#include "LightBox.h"
#include "MenuWidgets.h"
#include "PauseMenu.h"
#include "PictureScreens.h"
#include "Progress.h"
#include "Settings.h"
#include "TransitionBox.h"
#include "WidgetKit.h"

namespace moth_test {

namespace {
// No folder of this name exists: the asset manager finds no files.
constexpr const char* kNoAssets = "/nonexistent-moth-lantern-assets/";
} // namespace

void ResetGameGlobals() {
    gFrameTime = 0.0f;
    gMouseX = gMouseY = 0.0f;
    gHalfWindowWidth = 512.0f;
    gHalfWindowHeight = 384.0f;
    gPaused = false;
    gGridWidth = gGridHeight = 31.0f;
    gTileSize = 50.0f;
    gPlayerStartX = gPlayerStartY = 0.0f;
    gDarkAlpha = gDefaultDarkAlpha = 0.0f;
    gGameMode = GameMode::Story;
    gCreditsShown = false;
    gPlayerHealth = 100;
    gLightCharge = 360.0f;
    gHasKey = false;
    gMemoriesCollected = 0;
    gIdlePhase = 0.0f;
    gBlinkOn = false;
    gCursorTimer = 0.0f;
    gMemoryTransition = nullptr;
    gLightBox = nullptr;
    gStartSignTimer = 0.0f;
    gPause = PauseWidgets{};
    gGameModeBeforePause = 0;
    gSubPanelOpen = false;
    gSettingsShown = false;
    gMuted = false;
    gSavedMusicVolume = gSavedEffectVolume = 0.0f;
    gSpiderCount = 0;
    gSpawnInterval = 5.0f;
    gMaxSpiders = 30;
    gDyingAlpha = 1.0f;
    gDyingStarted = false;
    gExportNotice = false;
    gExportNoticeTimer = 0.0f;
    gCustomLevelName.clear();
    gLogoBox = gLoseScreen = gLoseFade = gWinScreen = gWinFade = nullptr;
    gLoseTimer = gWinTimer = 0.0f;
    UseSettingsFile(""); // nothing kept, the default settings
    UseProgressFile("");
}

GameGlobals::GameGlobals() : GameGlobals(GameState::Level1) {
    WithoutStateScripts(*gGameStateManager);
}

GameGlobals::GameGlobals(GameStateId state) {
    ResetGameGlobals();
    GameInit(DataPaths{kNoAssets, "Exported", {}});
    GameStateManager& states = *gGameStateManager;
    states.current = states.previous = states.next = state;
    states.SetState(state);
}

GameGlobals::~GameGlobals() {
    gWorld->Free();
    gWorld->Unload();
    GameShutdown();
    ResetGameGlobals();
}

AssetManager& GameGlobals::LoadAssets(const std::string& folder) {
    UIBox* cursor = gCursor;
    cursor->SetTexture(nullptr); // the old textures go with the old manager
    delete gAssetManager;
    gAssetManager = new AssetManager(folder);
    return *gAssetManager;
}

} // namespace moth_test
