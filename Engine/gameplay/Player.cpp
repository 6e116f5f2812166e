// Moth Lantern: the player.
#include "Player.h"

#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "PadControls.h"
#include "PadFocus.h"
#include "Particle.h"
#include "Pickups.h"
#include "PlayerAnimator.h"
#include "TransitionBox.h"
#include "World.h"

namespace {

constexpr float kPlayerSize = 30.0f;
// Hurt blinking: half-period in seconds, and how many times it lights up.
constexpr float kBlinkHalfPeriod = 0.15f;
constexpr int kBlinks = 4;
constexpr float kBlinkTransparency = 0.5f;

// One walking direction: the key action that drives it, the idle phase that
// faces the same way, and the unit step.
struct Walk {
    int action;
    Facing facing;
    float idlePhase;
    float dx;
    float dy;
};

// Tested in this order; only the first key down counts, so there is no
// diagonal walking.
const Walk kWalks[] = {{0, Facing::Up, 1.0f, 0.0f, 1.0f},
                       {1, Facing::Down, 3.0f, 0.0f, -1.0f},
                       {3, Facing::Right, 2.0f, 1.0f, 0.0f},
                       {2, Facing::Left, 4.0f, -1.0f, 0.0f}};

// Keys first; otherwise the pad's stick, or its d-pad unless that is working
// a highlight on the screen.
const Walk* ChosenWalk() {
    for (const Walk& walk : kWalks) {
        if (gKeyBindings->IsDown(walk.action)) {
            return &walk;
        }
    }
    const int padAction = PadWalkAction(!PadHighlightActive());
    for (const Walk& walk : kWalks) {
        if (walk.action == padAction) {
            return &walk;
        }
    }
    return nullptr;
}

} // namespace

Player::Player() {
    // The fade box may go with the end of a state before the player does.
    gWorld->WatchPointer(&deathFade);
}

Player::~Player() {
    gWorld->UnwatchPointer(&deathFade);
}

void Player::Init() {
    SetTexture(TextureNamed("a_char_top1.png"));
}

void Player::Update() {
    if (gPlayerHealth <= 0) {
        dying = true; // for good: the Lose screen comes next
    }
    Move();
    if (dying) {
        Die();
    }
    if (hurt) {
        Blink();
    }
}

void Player::Move() {
    velocity = TarnVec2{0.0f, 0.0f};
    const Walk* walk = CanMove() ? ChosenWalk() : nullptr;
    if (walk == nullptr) {
        gPlayerAnimator->Idle();
        return;
    }
    gIdlePhase = walk->idlePhase;
    gPlayerAnimator->Walk(walk->facing);
    velocity = TarnVec2{walk->dx * speed, walk->dy * speed};
}

// The screen fades to black while the player crumbles into dust; then the
// Lose screen, with health full again for the retry.
void Player::Die() {
    if (deathFade == nullptr) {
        deathFade = new TransitionBox();
        deathFade->SetTexture(TextureNamed("o_black.png"));
        deathFade->SetTintColor(0.0f, 0.0f, 0.0f, 0.0f);
        deathFade->scale = deathFade->targetScale;
        deathFade->style = TransitionStyle::FadeIn;
    }
    SpawnParticle(position, 10.0f, 10.0f, TextureNamed("o_floor.png"), 1.0f, 1.0f, 1.0f, 1.0f,
                  Layer::Effects, 5.0f);
    if (deathFade->done) {
        gGameStateManager->next = GameState::Lose;
        gPlayerHealth = kFullHealth;
    }
}

void Player::Blink() {
    blinkTimer += gFrameTime;
    if (blinkTimer >= kBlinkHalfPeriod) {
        gBlinkOn = !gBlinkOn;
        if (gBlinkOn) {
            ++blinkCount;
        }
        blinkTimer = 0.0f;
    }
    SetTransparency(gBlinkOn ? kBlinkTransparency : 1.0f);
    if (blinkCount >= kBlinks) {
        SetTransparency(1.0f);
        hurt = false;
        blinkCount = 0;
    }
}

void Player::PlayWinAnimation() {
    gPlayerAnimator->Win();
}

void Player::Draw() {
    // From here on the velocity holds this frame's displacement.
    velocity = TarnVec2{velocity.x * gFrameTime, velocity.y * gFrameTime};
    if (CanMove()) {
        AddPos(velocity.x, velocity.y);
    }
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, tintColor.a, TARN_BLEND_TRANSLUCENT, texture,
             UnitQuadMesh());
}

Player* MakePlayer(float x, float y) {
    auto* player = new Player();
    player->SetPos(x, y);
    player->SetScale(kPlayerSize, kPlayerSize);
    player->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    gCollisionManager->Register(player);
    gWorld->Add(Layer::Actors, player);
    gPlayerAnimator->SetPlayer(player);
    gWorld->SetPlayer(player);
    return player;
}
