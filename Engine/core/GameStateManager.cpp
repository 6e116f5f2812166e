// Moth Lantern: the state table and state selection.
#include "GameStateManager.h"

#include "StateCallbacks.h"

GameStateManager* gGameStateManager = nullptr;

namespace {

struct StateRow {
    const char* name;     // null for Restart and Quit
    const char* codedKey; // the level key the World hands to the level reader
    StateCallback load;
    StateCallback init;
    StateCallback update;
};

// One row per state id. A null callback is skipped by the World; the story
// levels, puzzles and menu have an update that does nothing.
const StateRow kStates[GameState::Count] = {
    {"Menu", "codedM", MenuLoad, MenuInit, MenuUpdate},
    {"Load", "codedLoad", LoadStateLoad, nullptr, nullptr},
    {"Level1", "coded1", StoryLevelLoad, Level1Init, LevelUpdate},
    {"Level2", "coded2", StoryLevelLoad, Level2Init, LevelUpdate},
    {"Level3", "coded3", StoryLevelLoad, Level3Init, LevelUpdate},
    {"Level4", "coded4", StoryLevelLoad, Level4Init, LevelUpdate},
    {"Level5", "coded5", StoryLevelLoad, Level5Init, LevelUpdate},
    {"LevelEditor", "codedL", EditorLoad, nullptr, EditorClick},
    {"Puzzle1", "codedP1", PuzzleLoad, Puzzle1Init, PuzzleUpdate},
    {"Puzzle2", "codedP2", Puzzle2Load, Puzzle2Init, PuzzleUpdate},
    {"Puzzle3", "codedP3", PuzzleLoad, Puzzle3Init, PuzzleUpdate},
    {"Puzzle4", "codedP4", PuzzleLoad, Puzzle4Init, PuzzleUpdate},
    {"Puzzle5", "codedP5", PuzzleLoad, Puzzle5Init, PuzzleUpdate},
    {nullptr, nullptr, nullptr, nullptr, nullptr}, // Restart
    {"Custom", "codedCustom", CustomLoad, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr}, // Quit
    {"Win", "codedWin", WinLoad, WinInit, WinUpdate},
    {"Lose", "codedLose", LoseLoad, LoseInit, LoseUpdate},
    {"Logo", "codedLogo", LogoLoad, LogoInit, LogoUpdate},
};

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
    loadCallback = row->load;
    initCallback = row->init;
    updateCallback = row->update;
}

const std::string* GameStateManager::FindCodedKey(const std::string& name) const {
    auto it = codedKeys.find(name);
    return it != codedKeys.end() ? &it->second : nullptr;
}

const char* GameStateManager::NameOf(GameStateId state) {
    const StateRow* row = RowOf(state);
    return row != nullptr ? row->name : "";
}
