// Moth Lantern: the game-state manager.
//
// Says which screen or level the game is in. Any part of the game requests a
// change by writing `next`; the main loop sees it at the end of the frame,
// frees (and, unless restarting, unloads) the state, then enters the next one
// through SetState and the World. SetState installs the state's name and its
// three callbacks: load (level globals and what survives a restart), init
// (the actors, run again at every restart) and update (once per frame).
#pragma once
#include <map>
#include <string>

typedef int GameStateId;

// The 19 states. Restart and Quit are requests only: they have no name, no
// level and no callbacks of their own.
namespace GameState {
enum : GameStateId {
    Menu = 0,
    Load = 1,
    Level1 = 2,
    Level2 = 3,
    Level3 = 4,
    Level4 = 5,
    Level5 = 6,
    LevelEditor = 7,
    Puzzle1 = 8,
    Puzzle2 = 9,
    Puzzle3 = 10,
    Puzzle4 = 11,
    Puzzle5 = 12,
    Restart = 13,
    Custom = 14,
    Quit = 15,
    Win = 16,
    Lose = 17,
    Logo = 18,
    Count = 19,
};
} // namespace GameState

typedef void (*StateCallback)();

// A state's three callbacks: load (level globals and what survives a restart),
// init (the actors, run again at every restart) and update (once per frame).
struct StateCallbacks {
    StateCallback load;
    StateCallback init;
    StateCallback update;
};

class GameStateManager {
  public:
    // Sets current, previous and next to the initial state, then selects it.
    explicit GameStateManager(GameStateId initial);
    GameStateManager(const GameStateManager&) = delete;
    GameStateManager& operator=(const GameStateManager&) = delete;

    // Installs the state's name and callbacks. Restart, Quit and ids outside
    // the table change nothing.
    void SetState(GameStateId state);

    // The level key of a state name, or null when the name has none.
    const std::string* FindCodedKey(const std::string& name) const;

    // The name of a state id ("" for Restart, Quit and ids outside the table).
    static const char* NameOf(GameStateId state);

    // The screens' callbacks, one row per state id (GameState::Count rows),
    // installed once at start-up; SetState hands out a state's row. Until
    // then every state has none.
    static void InstallCallbacks(const StateCallbacks* table);

    GameStateId current;
    GameStateId previous;
    GameStateId next;
    GameStateId retryState = GameState::Level1; // where the lose screen sends the player
    std::string stateName = " ";
    std::map<std::string, std::string> codedKeys; // state name -> level key
    StateCallback loadCallback = nullptr;
    StateCallback initCallback = nullptr;
    StateCallback updateCallback = nullptr;
};

extern GameStateManager* gGameStateManager;
