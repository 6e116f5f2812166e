// Shared helpers for the benchmark programs: percentiles, and the game
// started in a level.
#pragma once
#include "Game.h"
#include "GameStateManager.h"
#include "Tarn.h"
#include "World.h"

#include <algorithm>
#include <vector>

namespace moth_bench {

// Value at the given fraction (0..1) of the sorted samples.
inline double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    size_t index = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[index];
}

// Starts the game as a launch does (window, managers, every asset) and enters
// the state: its level loaded and initialised. False when the engine cannot
// start.
inline bool StartInState(GameStateId state) {
    if (!StartEngine(false)) {
        return false;
    }
    GameInit();
    EnterFirstState(*gGameStateManager, state);
    return true;
}

// Leaves the state and shuts the game and the engine down.
inline void StopGame() {
    gGameStateManager->next = GameState::Quit;
    LeaveState(*gGameStateManager);
    GameShutdown();
    TarnSysExit();
}

} // namespace moth_bench
