// Moth Lantern: start-up, the main loop and shut-down.
//
// GameInit creates the global managers in one fixed order and connects the
// floors below through their hooks; GameShutdown deletes the managers in
// another. RunGame drives the game-state machine through the World one frame
// at a time until a state asks to quit.
#pragma once
#include "DataPaths.h"
#include "Frames.h"
#include "GameStateManager.h"

#include <string>

class ActiveObject;

// Opens the window and sets up the display as the game wants it; false (with
// a message on stderr) when there is no display.
bool StartEngine(bool fullScreen);
// The window's icon from `assetFolder`'s icon.png, when that is a regular
// file (a pipe of that name would hold start-up); part of StartEngine.
void SetWindowIcon(const std::string& assetFolder);
// Whether this process found its Assets/ (see core/DataPaths.h); if not,
// prints one line saying where it looked: the caller ends with a non-zero
// status.
bool GameDataFound();
// Seeds the game's one random source (spawns, key and battery cells, particles).
void SeedGameRandom(unsigned seed);
// A seed that differs from run to run, for players.
unsigned TimeSeed();
// Makes the managers in their fixed order, reading the game's files from and
// exporting levels to `paths` (tests give an empty asset folder), and
// connects them. Leftovers of exports that were cut short are cleared away.
void GameInit(const DataPaths& paths = GameDataPaths());
void GameShutdown();
// Installs the hooks through which the World, the tiles and the widgets reach
// the floors above them, and the managers' delete listeners on gWorld. Part
// of GameInit; tests that build their own managers call it too.
void ConnectGame();
// Runs states from options.firstState until Quit; returns the exit status.
int RunGame(const GameRunOptions& options);

// ---- Entering and leaving a state ----
// Enters states.next (a restart keeps everything loaded and only re-runs
// Init): the state's callbacks, a new camera, the load callback and the level
// file, then the init callback and every object's Init.
void EnterState(GameStateManager& states);
// Frees the state (and, unless restarting, unloads it) and makes the
// requested state the current one.
void LeaveState(GameStateManager& states);
// The start of a run: `state` becomes the current state with no history, and
// is entered.
void EnterFirstState(GameStateManager& states, GameStateId state);

// Whether the player may act (and so may pause the game).
bool PlayerCanMove(const ActiveObject* player);
