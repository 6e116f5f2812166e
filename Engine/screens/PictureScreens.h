// Moth Lantern: the logo, lose and win screens.
//
// Each is one full-window picture (a TransitionBox) that animates between two
// frames and waits: the logo fades in and out by itself or is skipped with a
// click or a key; the lose and win pictures grow, wait for a click, then fade
// to black and leave for the level to retry or the main menu. Their state
// callbacks (LogoLoad, LoseUpdate, ...) are declared in StateCallbacks.h.
#pragma once
#include "TarnMath.h"

#include <vector>

class TransitionBox;

// Each pointer is watched: it reads null as soon as its box is deleted.
extern TransitionBox* gLogoBox;
extern TransitionBox* gLoseScreen;
extern TransitionBox* gLoseFade;
extern TransitionBox* gWinScreen;
extern TransitionBox* gWinFade;
extern float gLoseTimer;
extern float gWinTimer;
extern std::vector<TarnVec2> gWinEmitters; // the four points the win particles leave from
