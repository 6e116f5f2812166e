// Moth Lantern: the light-beam puzzle manager.
//
// Holds the current puzzle's beam network as ordered segments of beams, the
// memory that solving it spawns, and the progression that follows picking the
// memory up. The puzzle loads add the segment slots, the puzzle layouts fill
// them with beams, and the World runs the manager once per frame after the
// light manager.
#pragma once
#include "GameObject.h"

#include <cstddef>
#include <vector>

class LightPuzzle;
class Memory;
class TransitionBox;

class PuzzleManager {
  public:
    // An ordered group of beams; lit when every beam carried light this frame.
    struct Segment {
        std::vector<LightPuzzle*> beams; // owned by the World (layer 3)
        bool lit = false;
    };

    PuzzleManager() = default;
    PuzzleManager(const PuzzleManager&) = delete;
    PuzzleManager& operator=(const PuzzleManager&) = delete;

    // ---- Set-up (puzzle loads and layouts) ----
    void AddSegmentSlot();
    // Appends the beam to segment index; an index without a slot is ignored.
    void PushBeam(std::size_t segment, LightPuzzle* beam);
    void SetMemoryPosition(float x, float y) { memoryPosition = TarnVec2{x, y}; }
    // The player touched the memory.
    void CollectMemory() { collected = true; }

    // ---- Per frame (World update, after the light manager) ----
    // The progression check, Evaluate, the memory's spawn, then its pick-up.
    void Update();
    // Traces every segment in order from the start box and decides `solved`.
    // Beams are traced in list order, so each sees the light its predecessors
    // brought in the same frame.
    void Evaluate();

    // ---- End of a state ----
    // Empties the segments and resets the counters. A restart keeps the slots
    // themselves (the puzzle load that made them does not run again) and only
    // empties their beams; any other state change discards them.
    void Clear(bool keepSlots);
    // Drops every pointer to the object. Called when it is deleted.
    void Forget(const GameObject* object);

    // Seconds of celebration between picking the memory up and moving on.
    static constexpr float kCelebration = 1.0f;
    // The memory that completes the game.
    static constexpr int kLastMemory = 5;

    Memory* memory = nullptr; // the spawned memory, until it is picked up
    float celebrateTimer = 0.0f;
    bool collected = false;
    bool memorySpawned = false;
    bool transitionStarted = false;
    TarnVec2 memoryPosition{0.0f, 0.0f};
    bool solved = false;
    std::vector<Segment> segments;

  private:
    // After the memory transition: on to the story level the memories count leads to.
    void CheckProgression();
    // The first box of the segment after `index` lights with the whole segment.
    void FeedNextSegment(std::size_t index);
    void SpawnMemory();
    void CelebrateMemory();
};

extern PuzzleManager* gPuzzleManager;
