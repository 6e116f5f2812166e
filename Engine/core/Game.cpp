// Moth Lantern: start-up, the main loop, the per-frame checks and shut-down.
#include "Game.h"

#include "AIManager.h"
#include "AssetManager.h"
#include "AudioManager.h"
#include "CollisionManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LightManager.h"
#include "PauseMenu.h"
#include "Player.h"
#include "PlayerAnimator.h"
#include "PuzzleManager.h"
#include "Tarn.h"
#include "UI.h"
#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

KeyBindings* gKeyBindings = nullptr;
UIBox* gCursor = nullptr;
float gCursorTimer = 0.0f;

namespace {
constexpr unsigned char kEscapeKey = 27;
constexpr double kFixedFrameTime = 1.0 / 60.0;

// The pointer: a box whose picture is a ring on a transparent ground, drawn
// blended like a button (an opaque box would show a square around the ring
// on every light surface).
class Cursor : public UIBox {
  public:
    void Draw() override {
        if (visible) {
            UI::Draw();
        }
    }
};
} // namespace

// ============================================================================
// Key bindings
// ============================================================================
KeyBindings::KeyBindings() {
    const int keys[] = {'W', 'S', 'A', 'D', 'R', 'F', 1, kEscapeKey};
    for (int action = 0; action < 8; ++action) {
        bindings[action] = keys[action];
    }
}

int KeyBindings::KeyFor(int action) const {
    auto found = bindings.find(action);
    return found == bindings.end() ? 0 : found->second;
}

// ============================================================================
// Start-up and shut-down
// ============================================================================
namespace {

void SetWindowIcon() {
    int width = 0;
    int height = 0;
    unsigned char* pixels = TarnImageLoadPNG("Assets/icon.png", &width, &height);
    if (pixels) {
        TarnSysSetWindowIcon(pixels, width, height);
        std::free(pixels);
    }
}

} // namespace

void SeedGameRandom(unsigned seed) {
    std::srand(seed); // TarnSysRand draws from the C library's generator
}

unsigned TimeSeed() {
    return static_cast<unsigned>(std::time(nullptr));
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
    SetWindowIcon();
    return true;
}

void GameInit() {
    gGameStateManager = new GameStateManager(GameState::Logo);
    gWorld = new World();
    gKeyBindings = new KeyBindings();
    gAssetManager = new AssetManager();
    gPlayerAnimator = new PlayerAnimator();
    gLevelData = new LevelData();
    gCollisionManager = new CollisionManager();
    gLightManager = new LightManager();
    gPuzzleManager = new PuzzleManager();
    gAudioManager = new AudioManager();
    gAIManager = new AIManager();
    gHalfWindowWidth = static_cast<float>(TarnGetWindowWidth()) / 2.0f;
    gHalfWindowHeight = static_cast<float>(TarnGetWindowHeight()) / 2.0f;
    gCursor = new Cursor();
    gCursor->SetScale(15.0f, 15.0f);
    gCursor->SetTransparency(1.0f);
    gCursor->SetTexture(gAssetManager->GetTexture("mouse1.png"));
    gCursor->visible = false;
}

namespace {
template <typename T> void DeleteGlobal(T*& pointer) {
    delete pointer;
    pointer = nullptr;
}
} // namespace

void GameShutdown() {
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
}

// ============================================================================
// Per-frame pieces
// ============================================================================
void UpdateCursor() {
    gFrameTime = static_cast<float>(TarnFrameRateControllerGetFrameTime());
    int cursorX = 0;
    int cursorY = 0;
    TarnInputGetCursorPosition(&cursorX, &cursorY);
    gMouseX = static_cast<float>(cursorX) - gHalfWindowWidth;
    gMouseY = gHalfWindowHeight - static_cast<float>(cursorY);
    if (gCursor) {
        gCursor->offset = TarnVec2{gMouseX, gMouseY};
        gCursor->UI::Update();
    }
    gCursorTimer += gFrameTime;
    const char* frame = nullptr;
    if (gCursorTimer < 0.5f) {
        frame = "mouse1.png";
    } else if (gCursorTimer < 1.0f) {
        frame = "mouse2.png";
    } else {
        gCursorTimer = 0.0f; // the texture stays as it is for this frame
    }
    if (frame && gCursor && gAssetManager) {
        gCursor->SetTexture(gAssetManager->GetTexture(frame));
    }
}

// Until the player lands every player may act.
bool PlayerCanMove(const ActiveObject* player) {
    auto* wanderer = dynamic_cast<const Player*>(player);
    return wanderer != nullptr && wanderer->CanMove();
}

namespace {

// Esc toggles the pause menu while a controllable player is in a level; a
// closed window ends the game through the normal Quit path.
void RunGlobalChecks() {
    GameStateManager& states = *gGameStateManager;
    if (TarnInputCheckTriggered(kEscapeKey) && states.current != GameState::Logo &&
        PlayerCanMove(gWorld->GetPlayer()) && states.current != GameState::Menu) {
        TogglePause();
    }
    if (!TarnSysDoesWindowExist()) {
        states.next = GameState::Quit;
    }
}

// The run being played and the number of the next frame, which the modal
// Load dialog's frames share with the game's.
const GameRunOptions* runOptions = nullptr;
int frameNumber = 0;

// One presented frame around `body`: the run's hooks see every frame, the
// game's and the dialog's alike, in one numbering.
void PresentFrame(const std::function<void()>& body) {
    const int frame = frameNumber++;
    TarnSysFrameStart();
    if (runOptions != nullptr && runOptions->beforeInput) {
        runOptions->beforeInput(frame);
    }
    TarnInputUpdate();
    body();
    if (runOptions != nullptr && runOptions->afterDraw) {
        runOptions->afterDraw(frame);
    }
    TarnSysFrameEnd();
}

bool FrameLimitReached() {
    return runOptions != nullptr && runOptions->maxFrames >= 0 &&
           frameNumber >= runOptions->maxFrames;
}

void RunFrame() {
    PresentFrame([] {
        gWorld->Update();
        gWorld->Draw();
    });
    RunGlobalChecks();
    if (FrameLimitReached()) {
        gGameStateManager->next = GameState::Quit;
    }
}

// Enters the next state: a restart keeps everything loaded and only re-runs Init.
void EnterState(GameStateManager& states) {
    if (states.current == GameState::Restart) {
        states.current = states.next = states.previous;
        return;
    }
    states.SetState(states.next);
    gWorld->Load(states.stateName);
}

} // namespace

int RunGame(const GameRunOptions& options) {
    TarnFrameRateControllerSetFixedFrameTime(options.fixedStep ? kFixedFrameTime : 0.0);
    GameStateManager& states = *gGameStateManager;
    states.current = states.previous = states.next = options.firstState;
    runOptions = &options;
    frameNumber = 0;
    while (states.next != GameState::Quit) {
        // A state left while paused (a script or the driver asked for it)
        // must not start the next one frozen under a menu it cannot close.
        if (gPaused) {
            TogglePause();
        }
        EnterState(states);
        gWorld->Init();
        while (states.next == states.current) {
            RunFrame();
        }
        gWorld->Free();
        if (states.next != GameState::Restart) {
            gWorld->Unload();
        }
        states.previous = states.current;
        states.current = states.next;
    }
    runOptions = nullptr;
    return 0;
}

bool RunModalFrame(const std::function<void()>& body) {
    PresentFrame(body);
    return TarnSysDoesWindowExist() && !FrameLimitReached();
}
