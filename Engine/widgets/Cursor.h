// Moth Lantern: the game's own mouse cursor, and the frame's time and mouse.
//
// The system cursor is hidden; this ring follows the mouse over everything,
// in no World layer, alternating its two pictures every half second.
#pragma once
#include "UI.h"

extern UIBox* gCursor;     // the game's own mouse cursor, in no World layer
extern float gCursorTimer; // the cursor animation clock, seconds

// Makes the cursor, hidden until a screen shows it.
UIBox* MakeCursor();
// Frame time (the last frame's duration, at most 0.05 s), mouse position (or
// where the right stick aims, round the player), the pad's highlight and the
// cursor's animation; first step of every World update, also while paused.
void UpdateCursor();
// Draws the cursor over everything drawn before it.
void DrawCursor();
// Shows or hides the game's own mouse cursor.
void SetCursorVisible(bool visible);
