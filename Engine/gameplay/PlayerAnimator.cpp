// Moth Lantern: the player's sprite animations.
#include "PlayerAnimator.h"

#include "AssetManager.h"
#include "Globals.h"

#include <iterator>

PlayerAnimator* gPlayerAnimator = nullptr;

namespace {

// One sprite shown while a clock lies strictly inside (from, to): a clock
// exactly on a boundary keeps whatever was shown before.
struct Frame {
    float from;
    float to;
    const char* texture;
};

// A looping animation: its frames, and the clock value past which it starts
// over at `restart`.
struct Cycle {
    const Frame* frames;
    int count;
    float end;
    float restart;
};

const Frame kWalkUp[] = {{0.0f, 0.3f, "a_char_top1.png"},
                         {0.3f, 0.6f, "a_char_top2.png"},
                         {0.6f, 0.9f, "a_char_top3.png"},
                         {0.9f, 1.2f, "a_char_top2.png"},
                         {1.2f, 1.5f, "a_char_top1.png"}};
const Frame kWalkDown[] = {{0.0f, 0.3f, "a_char_down1.png"},
                           {0.3f, 0.6f, "a_char_down2.png"},
                           {0.6f, 0.9f, "a_char_down3.png"}};
const Frame kWalkRight[] = {{0.0f, 0.3f, "a_char_right1.png"},
                            {0.3f, 0.6f, "a_char_right2.png"},
                            {0.6f, 0.9f, "a_char_right3.png"}};
const Frame kWalkLeft[] = {{0.0f, 0.3f, "a_char_left1.png"},
                           {0.3f, 0.6f, "a_char_left2.png"},
                           {0.6f, 0.9f, "a_char_left3.png"}};
// The idle phase counts from 1 (up) clockwise: right, down, left.
const Frame kIdle[] = {{1.0f, 2.0f, "a_char_top1.png"},
                       {2.0f, 3.0f, "a_char_right1.png"},
                       {3.0f, 4.0f, "a_char_down1.png"},
                       {4.0f, 5.0f, "a_char_left1.png"}};
const Frame kWin[] = {{0.0f, 0.3f, "a_char_win1.png"}, {0.3f, 0.6f, "a_char_win2.png"}};

template <std::size_t N> constexpr Cycle CycleOf(const Frame (&frames)[N], float restart) {
    return Cycle{frames, static_cast<int>(N), frames[N - 1].to, restart};
}

// Indexed by Facing.
const Cycle kWalks[] = {CycleOf(kWalkUp, 0.0f), CycleOf(kWalkDown, 0.0f), CycleOf(kWalkRight, 0.0f),
                        CycleOf(kWalkLeft, 0.0f)};
const Cycle kIdleCycle = CycleOf(kIdle, 1.0f);
const Cycle kWinCycle = CycleOf(kWin, 0.0f);

const char* FrameAt(const Cycle& cycle, float clock) {
    for (int i = 0; i < cycle.count; ++i) {
        const Frame& frame = cycle.frames[i];
        if (clock > frame.from && clock < frame.to) {
            return frame.texture;
        }
    }
    return nullptr;
}

void Show(ActiveObject* player, const char* textureName) {
    if (player != nullptr && textureName != nullptr) {
        player->SetTexture(gAssetManager->GetTexture(textureName));
    }
}

// Advances the clock by the frame time, shows the frame it lands in and starts
// the cycle over once the clock has run past its last frame.
void Run(ActiveObject* player, float& clock, const Cycle& cycle) {
    clock += gFrameTime;
    Show(player, FrameAt(cycle, clock));
    if (clock > cycle.end) {
        clock = cycle.restart;
    }
}

} // namespace

void PlayerAnimator::Walk(Facing facing) {
    const int index = static_cast<int>(facing);
    Run(player, walkClocks[index], kWalks[index]);
}

void PlayerAnimator::Idle() {
    Run(player, gIdlePhase, kIdleCycle);
}

void PlayerAnimator::Win() {
    Run(player, winClock, kWinCycle);
}

void PlayerAnimator::Forget(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    if (player != nullptr && static_cast<const GameObject*>(player) == object) {
        player = nullptr;
    }
    if (startSign != nullptr && static_cast<const GameObject*>(startSign) == object) {
        startSign = nullptr;
    }
}
