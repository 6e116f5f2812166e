// Moth Lantern: one presented frame, and the run that numbers them.
//
// The game loop and the modal Load dialog both present frames through
// PresentFrame, so the playtest driver's hooks and frame limit see every
// frame in one numbering, whoever draws it.
#pragma once
#include "GameStateManager.h"

#include <functional>

// How a run of the game loop is driven. The game itself uses the defaults; the
// playtest driver starts elsewhere, stops after a number of frames and hooks
// into every frame.
struct GameRunOptions {
    GameStateId firstState = GameState::Logo;
    int maxFrames = -1;     // quit through the normal path after this many frames
    bool fixedStep = false; // every frame lasts exactly 1/60 s, without waiting
    bool fullScreen = true;
    // Losing the window's focus in a level opens the pause menu. The playtest
    // driver turns it off: its input comes from scripts, and another window
    // on a shared test display must not pause them.
    bool pauseOnFocusLoss = true;
    // Before the frame's input snapshot (frame number counted from 0).
    std::function<void(int)> beforeInput;
    // After the frame is drawn, before it is presented.
    std::function<void(int)> afterDraw;
};

// Starts numbering frames for this run (null: a run without hooks or limit).
void BeginFrameRun(const GameRunOptions* options);
// One presented frame around `body`: frame start, the run's input hook, the
// input snapshot, `body`, the run's draw hook, then the swap and the wait.
void PresentFrame(const std::function<void()>& body);
// The run's frame limit has been reached.
bool FrameLimitReached();
// One frame of a modal loop that holds the game loop (the Load dialog): the
// input snapshot, `body` (handle input, draw), then the picture is presented.
// The frame counts as a game frame for the run's hooks and frame limit.
// False once the game must end: the window was closed or the limit reached.
bool RunModalFrame(const std::function<void()>& body);
