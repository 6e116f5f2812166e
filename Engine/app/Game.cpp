// Moth Lantern: start-up, the main loop, the per-frame checks and shut-down.
#include "Game.h"

#include "AIManager.h"
#include "AssetManager.h"
#include "AudioManager.h"
#include "CollisionManager.h"
#include "ControlsPanel.h"
#include "Cursor.h"
#include "DataPaths.h"
#include "Editor.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "LevelData.h"
#include "LightBox.h"
#include "LightManager.h"
#include "LoadDialog.h"
#include "PadControls.h"
#include "PauseMenu.h"
#include "Pickups.h"
#include "Player.h"
#include "PlayerAnimator.h"
#include "PlayerFiles.h"
#include "PuzzleManager.h"
#include "StateTable.h"
#include "Tarn.h"
#include "Tiles.h"
#include "TransitionBox.h"
#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {
constexpr double kFixedFrameTime = 1.0 / 60.0;
} // namespace

// ============================================================================
// Start-up and shut-down
// ============================================================================
// Only a regular file is opened: a pipe or device named like the icon would
// hold start-up waiting for data.
void SetWindowIcon(const std::string& assetFolder) {
    const std::string path = assetFolder + "icon.png";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    int width = 0;
    int height = 0;
    unsigned char* pixels = TarnImageLoadPNG(path.c_str(), &width, &height);
    if (pixels) {
        TarnSysSetWindowIcon(pixels, width, height);
        std::free(pixels);
    }
}

void SeedGameRandom(unsigned seed) {
    std::srand(seed); // TarnSysRand draws from the C library's generator
}

unsigned TimeSeed() {
    return static_cast<unsigned>(std::time(nullptr));
}

bool GameDataFound() {
    const DataPaths& paths = GameDataPaths();
    if (paths.assets.empty()) {
        std::fprintf(stderr, "%s\n", NoAssetsMessage(paths).c_str());
        return false;
    }
    return true;
}

bool StartEngine(bool fullScreen) {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 60, nullptr)) {
        std::fprintf(stderr, "Moth Lantern cannot start: no display or no OpenGL 2.0 context "
                             "is available.\n");
        return false;
    }
    TarnSysSetWindowTitle("PRJ207_Moth_Lantern");
    TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    TarnInputShowCursor(0);
    TarnToogleFullScreen(fullScreen);
    SetWindowIcon(GameDataPaths().assets);
    return true;
}

void GameInit(const DataPaths& paths) {
    SetExportedLevelsFolder(paths.exported);
    RemoveStaleExportFiles();
    gGameStateManager = new GameStateManager(GameState::Logo);
    gWorld = new World();
    gKeyBindings = new KeyBindings();
    gAssetManager = new AssetManager(paths.assets, paths.exported + "/");
    gPlayerAnimator = new PlayerAnimator();
    gLevelData = new LevelData();
    gCollisionManager = new CollisionManager();
    gLightManager = new LightManager();
    gPuzzleManager = new PuzzleManager();
    gAudioManager = new AudioManager();
    gAIManager = new AIManager();
    if (TarnSysDoesWindowExist()) {
        gHalfWindowWidth = static_cast<float>(TarnGetWindowWidth()) / 2.0f;
        gHalfWindowHeight = static_cast<float>(TarnGetWindowHeight()) / 2.0f;
    }
    gCursor = MakeCursor();
    ConnectGame();
    ApplySettings();
}

// ============================================================================
// Hooks: where the floors below reach up
// ============================================================================
namespace {

// The managers' fixed order: contacts move objects before the lights see
// them, the puzzle reads the lights, and colliders dropped this frame go last.
void RunManagers() {
    gCollisionManager->Update();
    gLightManager->Update();
    gPuzzleManager->Update();
    gAIManager->Update();
    gAudioManager->Update();
    gCollisionManager->FlushRemovals();
}

void ForgetState(bool restarting) {
    gCollisionManager->Clear();
    gLightManager->Clear();
    gPuzzleManager->Clear(restarting);
    gAIManager->Clear();
    gMemoryTransition = nullptr; // the next level start waits for a new one
}

void RegisterCollider(StaticObject* object) {
    gCollisionManager->Register(object);
}

void AddShadowCaster(StaticObject* object) {
    gLightManager->AddCaster(object);
}

// The trap doors and spider nests of a level's cells.
StaticObject* BuildCellObject(int code, float x, float y) {
    if (code == kTileTrapDoor) {
        return new TrapDoor(Layer::Items, x, y, TextureNamed("trapdoorClose.png"), true, true);
    }
    // Nests, keys and batteries act only where the level is played: the
    // editor shows them as pictures.
    if (gGameStateManager->current == GameState::LevelEditor) {
        return nullptr;
    }
    if (code == kTileSpiderSpawn) {
        return new AISpawn(Layer::Items, x, y, nullptr, false, false);
    }
    if (code == kTileKey) {
        return MakeKeyAt(TarnVec2{x, y});
    }
    if (code == kTileBattery) {
        return MakeBatteryAt(TarnVec2{x, y});
    }
    return nullptr;
}

void SetWorldPlayerCanMove(bool canMove) {
    if (auto* player = dynamic_cast<Player*>(gWorld->GetPlayer())) {
        player->SetCanMove(canMove);
    }
}

// Everyone who keeps pointers to the World's objects, told in this order
// before one is deleted.
void ListenForDeletes(World& world) {
    world.AddDeleteListener(gCollisionManager,
                            [](const GameObject* o) { gCollisionManager->Forget(o); });
    world.AddDeleteListener(gLightManager, [](const GameObject* o) { gLightManager->Forget(o); });
    world.AddDeleteListener(gPuzzleManager, [](const GameObject* o) { gPuzzleManager->Forget(o); });
    world.AddDeleteListener(gAIManager, [](const GameObject* o) { gAIManager->Forget(o); });
    world.AddDeleteListener(gPlayerAnimator,
                            [](const GameObject* o) { gPlayerAnimator->Forget(o); });
    world.AddDeleteListener(&gLightBox, [](const GameObject* o) {
        if (gLightBox != nullptr) {
            gLightBox->Forget(o);
        }
    });
    ListenForPauseMenuDeletes(world);
    WatchControlsPanel(world);
    world.WatchPointer(&gMemoryTransition);
}

} // namespace

void ConnectGame() {
    GameStateManager::InstallCallbacks(StateTable());
    gWorldHooks.beginFrame = UpdateCursor;
    gWorldHooks.pausedUpdate = UpdatePauseMenu;
    gWorldHooks.runManagers = RunManagers;
    gWorldHooks.forgetState = ForgetState;
    gWorldHooks.drawOverlay = DrawCursor;
    gWorldHooks.registerCollider = RegisterCollider;
    gWorldHooks.addShadowCaster = AddShadowCaster;
    gWorldHooks.buildCellObject = BuildCellObject;
    gSetPlayerCanMove = SetWorldPlayerCanMove;
    ListenForDeletes(*gWorld);
    SetLevelEditHook(OpenLevelForEditing); // the Levels dialog's Edit
}

namespace {
template <typename T> void DeleteGlobal(T*& pointer) {
    delete pointer;
    pointer = nullptr;
}
} // namespace

void GameShutdown() {
    KeepLiveSettings(true);
    ForgetFrameForLoadDialog();
    DeleteGlobal(gPuzzleManager);
    DeleteGlobal(gLightManager);
    DeleteGlobal(gCollisionManager);
    DeleteGlobal(gLevelData);
    DeleteGlobal(gPlayerAnimator);
    DeleteGlobal(gAssetManager);
    DeleteGlobal(gKeyBindings);
    DeleteGlobal(gWorld);
    DeleteGlobal(gGameStateManager);
    DeleteGlobal(gAudioManager);
    DeleteGlobal(gAIManager);
    DeleteGlobal(gCursor);
    gWorldHooks = WorldHooks{};
    gSetPlayerCanMove = nullptr;
    SetLevelEditHook(nullptr);
}

// ============================================================================
// Per-frame pieces
// ============================================================================
// Until the player lands every player may act.
bool PlayerCanMove(const ActiveObject* player) {
    auto* wanderer = dynamic_cast<const Player*>(player);
    return wanderer != nullptr && wanderer->CanMove();
}

namespace {

// Whether the pause menu may open now: a controllable player outside the
// logo and the menu room.
bool MayPause() {
    const GameStateId current = gGameStateManager->current;
    return current != GameState::Logo && PlayerCanMove(gWorld->GetPlayer()) &&
           current != GameState::Menu;
}

// The window lost its focus (another window on top, alt-tab) in a story
// level or a puzzle: the game pauses, once per loss, as soon as it may, so
// nothing bites behind the other window.
void PauseOnFocusLoss(bool enabled) {
    static bool pausedForThisLoss = false;
    if (gTarnSysAppActive != 0 || !enabled) {
        pausedForThisLoss = false;
        return;
    }
    const bool inLevel = gGameMode == GameMode::Story || gGameMode == GameMode::Puzzle;
    if (!pausedForThisLoss && !gPaused && inLevel && MayPause()) {
        TogglePause();
        pausedForThisLoss = true;
    }
}

// Esc or the pad's Start toggles the pause menu while a controllable player
// is in a level, and B backs out of it (unless a key being bound took the
// press to cancel itself); so does losing the focus; a closed window ends the
// game through the normal Quit path.
void RunGlobalChecks(const GameRunOptions& options) {
    GameStateManager& states = *gGameStateManager;
    const bool pausePressed = TarnInputCheckTriggered(TARN_KEY_ESCAPE) || PadStartPressed() ||
                              (gPaused && PadBackPressed());
    if (pausePressed && TestPlaying() && states.current == GameState::Custom && !gPaused) {
        states.next = GameState::LevelEditor; // a test-play goes back to the editor
    } else if (pausePressed && !ControlsPanelTookBackPress() && MayPause()) {
        TogglePause();
    }
    PauseOnFocusLoss(options.pauseOnFocusLoss);
    if (!TarnSysDoesWindowExist()) {
        states.next = GameState::Quit;
    }
}

// The frame that asks for the Load dialog is kept, without the game's
// cursor, as the picture the dialog is drawn over.
void DrawWorld() {
    const bool toLoadDialog = gGameStateManager->next == GameState::Load;
    if (toLoadDialog) {
        SetCursorVisible(false); // the dialog draws its own
    }
    gWorld->Draw();
    if (toLoadDialog) {
        KeepFrameForLoadDialog();
    }
}

void RunFrame(const GameRunOptions& options) {
    PresentFrame([] {
        gWorld->Update();
        DrawWorld();
    });
    RunGlobalChecks(options);
    KeepLiveSettings(false);
    if (FrameLimitReached()) {
        gGameStateManager->next = GameState::Quit;
    }
}

} // namespace

void EnterState(GameStateManager& states) {
    // A state left while paused (a script or the driver asked for it) must
    // not start the next one frozen under a menu it cannot close.
    if (gPaused) {
        TogglePause();
    }
    if (states.current == GameState::Restart) {
        states.current = states.next = states.previous;
    } else {
        states.SetState(states.next);
        gWorld->Load(states.stateName);
    }
    gWorld->Init();
}

void LeaveState(GameStateManager& states) {
    gWorld->Free();
    if (states.next != GameState::Restart) {
        gWorld->Unload();
    }
    states.previous = states.current;
    states.current = states.next;
}

void EnterFirstState(GameStateManager& states, GameStateId state) {
    states.current = states.previous = states.next = state;
    EnterState(states);
}

int RunGame(const GameRunOptions& options) {
    TarnFrameRateControllerSetFixedFrameTime(options.fixedStep ? kFixedFrameTime : 0.0);
    GameStateManager& states = *gGameStateManager;
    BeginFrameRun(&options);
    EnterFirstState(states, options.firstState);
    while (true) {
        while (states.next == states.current) {
            RunFrame(options);
        }
        LeaveState(states);
        if (states.current == GameState::Quit) {
            break;
        }
        EnterState(states);
    }
    BeginFrameRun(nullptr);
    return 0;
}
