// Moth Lantern: the state table, every state id with its screen's callbacks.
#pragma once
#include "GameStateManager.h"

// One row per state id, GameState::Count rows, for GameStateManager::InstallCallbacks.
const StateCallbacks* StateTable();
