// Moth Lantern: the light-beam puzzle manager's slots and life cycle.
#include "PuzzleManager.h"

#include "Tilemap.h"

#include <algorithm>

PuzzleManager* gPuzzleManager = nullptr;
TransitionBox* gMemoryTransition = nullptr;

void PuzzleManager::AddSegmentSlot() {
    segments.emplace_back();
}

void PuzzleManager::PushBeam(std::size_t segment, ActiveObject* beam) {
    if (segment < segments.size() && beam != nullptr) {
        segments[segment].beams.push_back(beam);
    }
}

void PuzzleManager::Update() {
    // One frame of the puzzle runs here, in this order: the progression check
    // of a finished memory transition, the beam network's evaluation from the
    // start box, the memory's spawn once solved, and its pick-up. They arrive
    // with the beams, boxes and blocks they drive.
}

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
