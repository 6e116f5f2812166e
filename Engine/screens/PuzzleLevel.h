// Moth Lantern: the puzzle levels' state callbacks.
//
// The load builds what survives a restart (memories counter, light box in its
// idle mode, background, the instruction picture) and the beam segment slots;
// the init, run again by every restart, places the player and builds the
// puzzle's layout.
//
// The puzzle also shows pictures through the game's transition boxes and
// freezes and animates the player; those hand-over points are gathered at
// the end of this header so the puzzle code reaches the player and the
// transitions in one place.
#pragma once

class TransitionBox;

// ---- State callbacks ----
void PuzzleLoad();  // Puzzle1, 3, 4, 5: two beam segments
void Puzzle2Load(); // Puzzle2: three beam segments
void Puzzle1Init();
void Puzzle2Init();
void Puzzle3Init();
void Puzzle4Init();
void Puzzle5Init();
void PuzzleUpdate(); // the puzzles run through the PuzzleManager; nothing to do here

// ---- Hand-over points to the player and the transitions ----
// The picture of the next story level, growing to full window after a memory.
TransitionBox* StartMemoryTransition();
// The first restart picture fading in over a danger block's countdown.
TransitionBox* StartRestartPicture();
bool TransitionDone(const TransitionBox* box);
// Keeps the picture still (the countdown runs on it) and shows another texture.
void HoldTransition(TransitionBox* box, const char* picture);
// Takes the picture off the screen.
void RemoveTransition(TransitionBox* box);
// The player stops walking (a memory was taken).
void FreezePlayer();
// One frame of the player's celebration.
void PlayWinAnimation();
