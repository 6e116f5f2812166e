// Moth Lantern: the state table and state selection.
#include "GameStateManager.h"

GameStateManager* gGameStateManager = nullptr;

namespace {

struct StateRow {
    const char* name;     // null for Restart and Quit
    const char* codedKey; // the level key the World hands to the level reader
};

// One row per state id, in the ids' order.
const StateRow kStates[GameState::Count] = {
    {"Menu", "codedM"},        {"Load", "codedLoad"},     {"Level1", "coded1"},
    {"Level2", "coded2"},      {"Level3", "coded3"},      {"Level4", "coded4"},
    {"Level5", "coded5"},      {"LevelEditor", "codedL"}, {"Puzzle1", "codedP1"},
    {"Puzzle2", "codedP2"},    {"Puzzle3", "codedP3"},    {"Puzzle4", "codedP4"},
    {"Puzzle5", "codedP5"},    {nullptr, nullptr}, // Restart
    {"Custom", "codedCustom"}, {nullptr, nullptr}, // Quit
    {"Win", "codedWin"},       {"Lose", "codedLose"},     {"Logo", "codedLogo"},
};

const StateCallbacks* installedCallbacks = nullptr;

const StateRow* RowOf(GameStateId state) {
    if (state < 0 || state >= GameState::Count || kStates[state].name == nullptr) {
        return nullptr;
    }
    return &kStates[state];
}

} // namespace

GameStateManager::GameStateManager(GameStateId initial)
    : current(initial), previous(initial), next(initial) {
    for (const StateRow& row : kStates) {
        if (row.name != nullptr) {
            codedKeys.emplace(row.name, row.codedKey);
        }
    }
    SetState(initial);
}

void GameStateManager::SetState(GameStateId state) {
    const StateRow* row = RowOf(state);
    if (row == nullptr) {
        return;
    }
    stateName = row->name;
    const StateCallbacks none{nullptr, nullptr, nullptr};
    const StateCallbacks& callbacks =
        installedCallbacks != nullptr ? installedCallbacks[state] : none;
    loadCallback = callbacks.load;
    initCallback = callbacks.init;
    updateCallback = callbacks.update;
}

void GameStateManager::InstallCallbacks(const StateCallbacks* table) {
    installedCallbacks = table;
}

const std::string* GameStateManager::FindCodedKey(const std::string& name) const {
    auto it = codedKeys.find(name);
    return it != codedKeys.end() ? &it->second : nullptr;
}

const char* GameStateManager::NameOf(GameStateId state) {
    const StateRow* row = RowOf(state);
    return row != nullptr ? row->name : "";
}
