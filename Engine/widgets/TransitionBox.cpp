// Moth Lantern: transitions, the intro picture, tips and puzzle instructions.
#include "TransitionBox.h"

#include "GameStateManager.h"
#include "Globals.h"
#include "PadControls.h"
#include "TarnInput.h"
#include "World.h"

#include <algorithm>

TransitionBox* gMemoryTransition = nullptr;

namespace {

constexpr float kStartSize = 10.0f;
constexpr float kGrowFrames = 25.0f;
constexpr float kLogoHoldSeconds = 2.0f;
constexpr float kTipHoldSeconds = 2.0f;
constexpr int kTipCount = 4;

GameStateId CurrentState() {
    return gGameStateManager->current;
}

bool InLogo() {
    return CurrentState() == GameState::Logo;
}

// A box made while leaving a state shows what comes next: the first level's
// intro from the menu room, the puzzle instructions from a story level, the
// next level's intro from a puzzle, "level complete" from a custom level.
const char* PictureFor(GameStateId state) {
    switch (state) {
    case GameState::Menu:
        return IntroPictureOf(GameState::Level1);
    case GameState::Level1:
        return "i_puzzle1.png";
    case GameState::Level2:
    case GameState::Level3:
    case GameState::Level4:
    case GameState::Level5:
        return "i_puzzle2.png";
    case GameState::Puzzle1:
    case GameState::Puzzle2:
    case GameState::Puzzle3:
    case GameState::Puzzle4:
        return IntroPictureOf(GameState::Level2 + (state - GameState::Puzzle1));
    case GameState::Custom:
        return "level_complete.png";
    default:
        return nullptr;
    }
}

} // namespace

const char* IntroPictureOf(GameStateId level) {
    switch (level) {
    case GameState::Level1:
        return "level1_transition.png";
    case GameState::Level2:
        return "level2_transition.png";
    case GameState::Level3:
        return "level3_transition.png";
    case GameState::Level4:
        return "level4_transition.png";
    case GameState::Level5:
        return "level5_transition.png";
    default:
        return "";
    }
}

// ============================================================================
// TransitionBox
// ============================================================================
TransitionBox::TransitionBox() : TransitionBox(Layer::Pictures) {}

TransitionBox::TransitionBox(int boxLayer) : layer(boxLayer) {
    targetScale = TarnVec2{gHalfWindowWidth * 2.0f, gHalfWindowHeight * 2.0f};
    growStep = TarnVec2{targetScale.x / kGrowFrames, targetScale.y / kGrowFrames};
    position = CameraPlus(TarnVec2{0.0f, 0.0f});
    scale = TarnVec2{kStartSize, kStartSize};
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    if (const char* picture = PictureFor(CurrentState())) {
        texture = TextureNamed(picture);
    }
    gWorld->Add(layer, this);
}

void TransitionBox::DestroySelf() {
    gWorld->Destroy(layer, this);
}

void TransitionBox::Update() {
    if (!InLogo()) {
        SetPlayerCanMove(false);
    }
    if (delay != 0.0f) {
        delay = std::max(delay - gFrameTime, 0.0f);
        return;
    }
    Animate();
    if (InLogo() && done) {
        FinishLogo();
    }
}

void TransitionBox::Animate() {
    switch (style) {
    case TransitionStyle::Grow:
        // Never gives movement back: the owner changes the state or removes it.
        if (scale.x >= targetScale.x) {
            scale = targetScale;
            done = true;
        } else {
            TarnVec2Add(&scale, &scale, &growStep);
        }
        break;
    case TransitionStyle::Shrink:
        if (scale.x <= kStartSize) {
            scale = TarnVec2{kStartSize, kStartSize};
            if (!InLogo()) {
                SetPlayerCanMove(true);
                DestroySelf();
            }
            done = true;
        } else {
            TarnVec2Sub(&scale, &scale, &growStep);
        }
        break;
    case TransitionStyle::FadeOut:
        // Not clamped: the box is gone or faded back in before it matters.
        SetTransparency(GetTransparency() - gFrameTime);
        if (GetTransparency() <= 0.0f) {
            if (!InLogo()) {
                SetPlayerCanMove(true);
            }
            done = true;
        }
        break;
    case TransitionStyle::FadeIn:
        SetTransparency(GetTransparency() + gFrameTime);
        if (GetTransparency() >= 1.0f) {
            SetTransparency(1.0f);
            if (!InLogo()) {
                SetPlayerCanMove(true);
            }
            done = true;
        }
        break;
    default: // hold
        break;
    }
}

// The studio logo fades in, stays two seconds, fades out, then the menu opens.
void TransitionBox::FinishLogo() {
    if (style == TransitionStyle::FadeIn) {
        style = TransitionStyle::FadeOut;
        delay = kLogoHoldSeconds;
        done = false;
        return;
    }
    DestroySelf();
    gGameStateManager->next = GameState::Menu; // the menu's load turns grid tests back on
}

void TransitionBox::Draw() {
    if (!visible) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, GetTransparency(), TARN_BLEND_TRANSLUCENT, texture,
             UnitQuadMesh());
}

// ============================================================================
// StandardTransitionBox: the intro picture
// ============================================================================
void StandardTransitionBox::Update() {
    UI::Update();
    TransitionBox::Update();
    if (!done) {
        return;
    }
    if (gGameMode == GameMode::Story && style == TransitionStyle::FadeOut) {
        TipsBox* tips = new TipsBox(Layer::Effects);
        tips->SetTexture(TextureNamed("tips1.png"));
        tips->style = TransitionStyle::FadeIn;
        tips->SetTransparency(0.0f);
        tips->SetScale(200.0f, 80.0f);
        tips->SetPos(0.0f, 0.0f);
        tips->offset = TarnVec2{gHalfWindowWidth - 120.0f, gHalfWindowHeight - 150.0f};
        tips->tipIndex += 1;
        style = TransitionStyle::Hold;
        done = false;
    }
    DestroySelf();
}

// ============================================================================
// TipsBox
// ============================================================================
void TipsBox::Update() {
    if (done && style == TransitionStyle::FadeIn) {
        done = false;
        delay = kTipHoldSeconds;
        style = TransitionStyle::FadeOut;
    }
    if (done && style == TransitionStyle::FadeOut) {
        delay = 0.0f;
        advance = true;
    }
    TransitionBox::Update();
    UI::Update();
    SetPlayerCanMove(true);
    if (advance) {
        ShowNextTip();
    }
    if (finished) {
        DestroySelf();
    }
}

void TipsBox::ShowNextTip() {
    static const char* const kNextTip[kTipCount - 1] = {"tips2.png", "tips3.png", "tips4.png"};
    const int shown = tipIndex - 1;
    if (shown >= 0 && shown < kTipCount - 1) {
        SetTexture(TextureNamed(kNextTip[shown]));
    } else if (shown == kTipCount - 1) {
        finished = true;
    }
    advance = false;
    done = false;
    style = TransitionStyle::FadeIn;
    if (tipIndex < kTipCount) {
        tipIndex += 1;
    }
}

// ============================================================================
// InstructionBox: the puzzle instructions
// ============================================================================
void InstructionBox::Update() {
    TransitionBox::Update();
    Animate();
    if (TarnInputCheckTriggered(TARN_MOUSE_LEFT) || PadConfirmPressed()) {
        done = false;
        style = TransitionStyle::FadeOut;
        animTimer = 0.0f;
    }
    if (style == TransitionStyle::FadeOut && done) {
        DestroySelf();
    }
    animTimer += gFrameTime;
}

// Two pictures a second apart: the first puzzle's own pair, then one shared
// pair for the other four.
void InstructionBox::Animate() {
    const GameStateId state = CurrentState();
    const char* first = nullptr;
    const char* second = nullptr;
    if (state == GameState::Puzzle1) {
        first = "i_puzzle1.png";
        second = "i_puzzle1_1.png";
    } else if (state >= GameState::Puzzle2 && state <= GameState::Puzzle5) {
        first = "i_puzzle2.png";
        second = "i_puzzle2_1.png";
    }
    if (first != nullptr && animTimer < 1.0f) {
        SetTexture(TextureNamed(first));
    } else if (second != nullptr && animTimer > 1.0f && animTimer < 2.0f) {
        SetTexture(TextureNamed(second));
    }
    if (animTimer > 2.0f) {
        animTimer = 0.0f;
    }
}

// =====================================================================// Creation
// ============================================================================
StandardTransitionBox* CreateIntroPicture(const char* textureName) {
    StandardTransitionBox* intro = new StandardTransitionBox();
    intro->SetPos(0.0f, 0.0f);
    intro->scale = intro->targetScale;
    intro->style = TransitionStyle::FadeOut;
    intro->delay = 0.5f;
    intro->SetTexture(TextureNamed(textureName));
    return intro;
}

InstructionBox* CreatePuzzleInstructions() {
    InstructionBox* instructions = new InstructionBox();
    instructions->scale = instructions->targetScale;
    instructions->style = TransitionStyle::Hold;
    return instructions;
}
