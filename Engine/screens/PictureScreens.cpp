#include "PictureScreens.h"

#include "AssetManager.h"
#include "AudioManager.h"
#include "Camera.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "PadControls.h"
#include "Particle.h"
#include "ScreenCommon.h"
#include "StateCallbacks.h"
#include "TarnGraphics.h"
#include "TarnInput.h"
#include "TransitionBox.h"
#include "World.h"

TransitionBox* gLogoBox = nullptr;
TransitionBox* gLoseScreen = nullptr;
TransitionBox* gLoseFade = nullptr;
TransitionBox* gWinScreen = nullptr;
TransitionBox* gWinFade = nullptr;
float gLoseTimer = 0.0f;
float gWinTimer = 0.0f;
std::vector<TarnVec2> gWinEmitters;

namespace {

// The studio mark's picture is 1525 x 445; it shows at 40 %.
constexpr float kLogoWidth = 1525.0f * 0.4f;
constexpr float kLogoHeight = 445.0f * 0.4f;

TransitionBox* MakeBox(int layer, const char* texture) {
    auto* box = new TransitionBox(layer);
    box->SetTexture(TextureNamed(texture));
    return box;
}

// A black picture fading in over one second; its `done` ends the screen.
TransitionBox* MakeFadeToBlack() {
    TransitionBox* fade = MakeBox(Layer::Pictures, "o_black.png");
    fade->scale = fade->targetScale;
    fade->SetTransparency(0.0f);
    fade->style = TransitionStyle::FadeIn;
    return fade;
}

void SetTileCollision(bool on) {
    gCollisionManager->tileCollisionOn = on;
}

void RequestState(GameStateId state) {
    gGameStateManager->next = state;
}

// Two frames alternating every second: the first below one second, the
// second between one and two, then the clock starts over.
// The frame past two seconds keeps the second picture; the first follows.
void AnimatePicture(TransitionBox* picture, float* timer, const char* first, const char* second) {
    *timer += gFrameTime;
    if (picture != nullptr && *timer < 1.0f) {
        picture->SetTexture(TextureNamed(first));
    } else if (picture != nullptr && *timer > 1.0f && *timer < 2.0f) {
        picture->SetTexture(TextureNamed(second));
    }
    if (*timer > 2.0f) {
        *timer = 0.0f;
    }
}

// A click, Esc or the pad's A on a fully grown picture starts the fade to
// black, once.
void FadeOnClick(TransitionBox* picture, TransitionBox** fade) {
    const bool skip = TarnInputCheckTriggered(TARN_MOUSE_LEFT) ||
                      TarnInputCheckTriggered(TARN_KEY_ESCAPE) || PadConfirmPressed();
    if (picture != nullptr && *fade == nullptr && picture->done && skip) {
        *fade = MakeFadeToBlack();
    }
}

// When the fade has finished: forget both pictures and leave for `next`.
void LeaveAfterFade(TransitionBox** picture, TransitionBox** fade, GameStateId next) {
    if (*fade != nullptr && (*fade)->done) {
        *picture = nullptr;
        *fade = nullptr;
        RequestState(next);
        StopLevelMusic();
    }
}

void WatchScreenPointers() {
    for (TransitionBox** slot : {&gLogoBox, &gLoseScreen, &gLoseFade, &gWinScreen, &gWinFade}) {
        gWorld->WatchPointer(slot);
    }
}

} // namespace

// ---- Logo ------------------------------------------------------------------------------

void LogoLoad() {
    ScreenLoad();
    SetCameraFollow(false);
    SetCursorVisible(false);
}

void LogoInit() {
    WatchScreenPointers();
    SetTileCollision(false);
    gLogoBox = MakeBox(Layer::Pictures, "Quillmark_WEB_RED.png");
    gLogoBox->scale = TarnVec2{kLogoWidth, kLogoHeight};
    gLogoBox->SetTransparency(0.0f);
    gLogoBox->style = TransitionStyle::FadeIn;
}

// A click, Space, Esc or Enter (or the pad's A, B or Start) skips straight to
// the main menu.
void LogoUpdate() {
    bool skip =
        TarnInputCheckTriggered(TARN_MOUSE_LEFT) || TarnInputCheckTriggered(TARN_KEY_SPACE) ||
        TarnInputCheckTriggered(TARN_KEY_ESCAPE) || TarnInputCheckTriggered(TARN_KEY_ENTER) ||
        PadConfirmPressed() || PadBackPressed() || PadStartPressed();
    if (!skip) {
        return;
    }
    if (gLogoBox != nullptr) {
        gWorld->Destroy(Layer::Pictures, gLogoBox);
    }
    SetTileCollision(true);
    gLogoBox = nullptr;
    RequestState(GameState::Menu);
}

// ---- Lose ------------------------------------------------------------------------------

void LoseLoad() {
    WatchScreenPointers();
    ScreenLoad();
    gLoseScreen = MakeBox(Layer::Pictures, "lose.png");
}

void LoseInit() {
    PlayLevelMusic("s_lose.wav");
    gLoseTimer = 0.0f;
}

void LoseUpdate() {
    AnimatePicture(gLoseScreen, &gLoseTimer, "lose.png", "lose_1.png");
    LeaveAfterFade(&gLoseScreen, &gLoseFade, gGameStateManager->retryState);
    FadeOnClick(gLoseScreen, &gLoseFade);
}

// ---- Win -------------------------------------------------------------------------------

void WinLoad() {
    WatchScreenPointers();
    ScreenLoad();
}

void WinInit() {
    // Under the particles, which fly in layer 4.
    gWinScreen = MakeBox(0, "win.png");
    PlayLevelMusic("s_win.wav");
    float left = TarnGfxGetWinMinX() + 100.0f, right = TarnGfxGetWinMaxX() - 100.0f;
    float top = TarnGfxGetWinMaxY();
    gWinEmitters = {TarnVec2{left, top - 300.0f}, TarnVec2{right, top - 300.0f},
                    TarnVec2{left, top - 500.0f}, TarnVec2{right, top - 500.0f}};
}

void WinUpdate() {
    AnimatePicture(gWinScreen, &gWinTimer, "win.png", "win_1.png");
    if (gWinScreen != nullptr && gWinScreen->done) {
        for (const TarnVec2& point : gWinEmitters) {
            for (int i = 0; i < 3; ++i) {
                SpawnParticle(point, 10.0f, 5.0f, TextureNamed("o_floor.png"), 1.0f, 1.0f, 1.0f,
                              1.0f, 4, 5.0f);
            }
        }
    }
    LeaveAfterFade(&gWinScreen, &gWinFade, GameState::Menu);
    FadeOnClick(gWinScreen, &gWinFade);
}
