// Moth Lantern: the puzzle levels' state callbacks.
//
// The load builds what survives a restart (the HUD, the instruction picture)
// and the beam segment slots; the init, run again by every restart, places
// the player and builds the puzzle's layout.
#pragma once

// ---- State callbacks ----
void PuzzleLoad();  // Puzzle1, 3, 4, 5: two beam segments
void Puzzle2Load(); // Puzzle2: three beam segments
void Puzzle1Init();
void Puzzle2Init();
void Puzzle3Init();
void Puzzle4Init();
void Puzzle5Init();
void PuzzleUpdate(); // the puzzles run through the PuzzleManager; nothing to do here

// ---- Hand-over points to the HUD and the player ----
// The puzzle HUD: the memories counter, the light box in its idle mode and
// the floor background. Filled in as those widgets join the game.
void AddPuzzleHud();
// The player and its light at the puzzles' start.
void AddPuzzlePlayer();
// One frame of the player's celebration of a memory.
void PlayWinAnimation();
