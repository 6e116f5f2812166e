// Moth Lantern: start-up, the main loop and shut-down.
//
// GameInit creates the global managers in one fixed order and GameShutdown
// deletes them in another; RunGame drives the game-state machine through the
// World one frame at a time until a state asks to quit.
#pragma once
#include "GameStateManager.h"

#include <functional>
#include <map>

class UIBox;
class ActiveObject;

// Action index -> Windows virtual-key code (0 W, 1 S, 2 A, 3 D, 4 R, 5 F,
// 6 left mouse button, 7 Esc).
class KeyBindings {
  public:
    KeyBindings();
    // The key bound to an action, 0 for an unknown action.
    int KeyFor(int action) const;

    std::map<int, int> bindings;
};

// How a run of the game loop is driven. The game itself uses the defaults; the
// playtest driver starts elsewhere, stops after a number of frames and hooks
// into every frame.
struct GameRunOptions {
    GameStateId firstState = GameState::Logo;
    int maxFrames = -1;     // quit through the normal path after this many frames
    bool fixedStep = false; // every frame lasts exactly 1/60 s, without waiting
    bool fullScreen = true;
    // Before the frame's input snapshot (frame number counted from 0).
    std::function<void(int)> beforeInput;
    // After the frame is drawn, before it is presented.
    std::function<void(int)> afterDraw;
};

// Opens the window and sets up the display as the game wants it; false (with
// a message on stderr) when there is no display.
bool StartEngine(bool fullScreen);
// Seeds the game's one random source (spawns, key and battery cells, particles).
void SeedGameRandom(unsigned seed);
// A seed that differs from run to run, for players.
unsigned TimeSeed();
void GameInit();
void GameShutdown();
// Runs states from options.firstState until Quit; returns the exit status.
int RunGame(const GameRunOptions& options);
// One frame of a modal loop that holds the game loop (the Load dialog): the
// input snapshot, `body` (handle input, draw), then the picture is presented.
// The frame counts as a game frame for the run's hooks and frame limit.
// False once the game must end: the window was closed or the limit reached.
bool RunModalFrame(const std::function<void()>& body);
// Frame time, mouse position and the cursor's animation; first step of every
// World update, also while paused.
void UpdateCursor();
// Whether the player may act (and so may pause the game).
bool PlayerCanMove(const ActiveObject* player);

extern KeyBindings* gKeyBindings;
extern UIBox* gCursor;     // the game's own mouse cursor, in no World layer
extern float gCursorTimer; // the cursor animation clock, seconds
