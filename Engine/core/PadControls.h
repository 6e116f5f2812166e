// Moth Lantern: what a game controller does in the game, read from the
// engine's pad snapshot (SDL's game controller layout).
//
// In a level the left stick or the d-pad walks (one direction at a time, the
// stronger axis, as the keys do), the right stick aims the lantern, the right
// trigger or A throws an orb, Y or a shoulder button switches the light and
// Start pauses. On panels and pictures the d-pad moves a highlight between
// the buttons, A presses the highlighted one and B backs out, as Esc does.
#pragma once
#include "TarnMath.h"

// The walking action (KeyAction::WalkUp ... WalkRight) the left stick asks
// for, or the d-pad when `dpadWalks`; -1 for none.
int PadWalkAction(bool dpadWalks);
// The right stick pushed past its dead zone: true, with its direction (a unit
// vector, y up).
bool PadAimDirection(TarnVec2* direction);
// A or the right trigger pressed this frame.
bool PadThrowPressed();
// Y or a shoulder button held.
bool PadSwitchHeld();
bool PadStartPressed();
bool PadBackPressed();
bool PadConfirmPressed(); // A
// A d-pad direction pressed this frame, in screen terms (x right, y up).
bool PadStep(int* dx, int* dy);
// Esc or B pressed this frame: back out of a panel or picture.
bool BackPressed();
