// Moth Lantern: the light-beam puzzle manager's slots and life cycle.
#include "PuzzleManager.h"

#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LightPuzzle.h"
#include "Particle.h"
#include "Player.h"
#include "Progress.h"
#include "TransitionBox.h"
#include "World.h"

#include <algorithm>

namespace {

constexpr float kFullCharge = 360.0f;
// Story level k + 1 follows the puzzle of level k; Level1 is state 2.
constexpr int kFirstStoryState = GameState::Level1;

} // namespace

PuzzleManager* gPuzzleManager = nullptr;

void PuzzleManager::AddSegmentSlot() {
    segments.emplace_back();
}

void PuzzleManager::PushBeam(std::size_t segment, LightPuzzle* beam) {
    if (segment < segments.size() && beam != nullptr) {
        segments[segment].beams.push_back(beam);
    }
}

// ---- Per frame -----------------------------------------------------------------------------

void PuzzleManager::Update() {
    CheckProgression();
    Evaluate();
    SpawnMemory();
    CelebrateMemory();
}

void PuzzleManager::Evaluate() {
    for (std::size_t i = 0; i < segments.size(); ++i) {
        Segment& segment = segments[i];
        segment.lit = true;
        for (LightPuzzle* beam : segment.beams) {
            TraceBeam(beam);
            if (!beam->reached) {
                segment.lit = false;
            }
        }
        FeedNextSegment(i);
    }
    solved = !segments.empty() &&
             std::all_of(segments.begin(), segments.end(), [](const Segment& s) { return s.lit; });
}

void PuzzleManager::FeedNextSegment(std::size_t index) {
    if (index + 1 >= segments.size() || segments[index + 1].beams.empty()) {
        return;
    }
    LightPuzzle* first = segments[index + 1].beams.front();
    if (first->fromBox == nullptr) {
        return;
    }
    first->fromBox->boxLit = segments[index].lit;
    if (segments[index].lit) {
        first->fromBox->ShowLit();
        if (first->toBox != nullptr && first->toBox->boxEnd) {
            first->toBox->ShowLit();
        }
    } else {
        first->fromBox->ShowUnlit();
        if (first->toBox != nullptr && first->toBox->boxEnd) {
            first->toBox->ShowUnlit();
        }
    }
}

void PuzzleManager::CheckProgression() {
    if (gMemoryTransition == nullptr || !gMemoryTransition->done || gGameMode != GameMode::Puzzle) {
        return;
    }
    gLightCharge = kFullCharge;
    const GameStateId story = gMemoriesCollected + kFirstStoryState;
    gGameStateManager->next = story;
    gGameStateManager->retryState = story;
}

void PuzzleManager::SpawnMemory() {
    if (!solved) {
        return;
    }
    if (!memorySpawned) {
        memory = new Memory(Layer::Items, memoryPosition.x, memoryPosition.y,
                            TextureNamed("memories.png"), true);
        memory->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
        memorySpawned = true;
    } else if (memory != nullptr) {
        SpawnParticle(memory->GetPos(), 3.0f, 4.0f, nullptr, 1.0f, 1.0f, 1.0f, 1.0f, Layer::Effects,
                      5.0f);
    }
}

void PuzzleManager::CelebrateMemory() {
    if (!collected) {
        return;
    }
    celebrateTimer += gFrameTime;
    if (auto* player = dynamic_cast<Player*>(gWorld->GetPlayer())) {
        player->PlayWinAnimation();
    }
    if (memory != nullptr) {
        ++gMemoriesCollected;
        RecordMemories(gMemoriesCollected); // kept for the next start; the fifth clears it
        gCollisionManager->Unregister(memory);
        gWorld->Destroy(Layer::Items, memory);
        memory = nullptr;
        SetPlayerCanMove(false);
    }
    if (celebrateTimer <= kCelebration || transitionStarted) {
        return;
    }
    if (gMemoriesCollected >= kLastMemory) {
        gGameStateManager->next = GameState::Win;
    } else if (gMemoryTransition == nullptr) {
        gMemoryTransition = new TransitionBox(); // the next level's picture, growing
        transitionStarted = true;
    }
}

// ---- End of a state ----------------------------------------------------------------------

void PuzzleManager::Clear(bool keepSlots) {
    if (keepSlots) {
        for (Segment& segment : segments) {
            segment.beams.clear();
            segment.lit = false;
        }
    } else {
        segments.clear();
    }
    memory = nullptr;
    celebrateTimer = 0.0f;
    collected = false;
    memorySpawned = false;
    transitionStarted = false;
    solved = false;
}

void PuzzleManager::Forget(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    if (memory != nullptr && static_cast<const GameObject*>(memory) == object) {
        memory = nullptr;
    }
    for (Segment& segment : segments) {
        auto& beams = segment.beams;
        beams.erase(std::remove_if(beams.begin(), beams.end(),
                                   [object](const ActiveObject* b) { return b == object; }),
                    beams.end());
    }
}
