// Moth Lantern: the story levels' state callbacks (Level1 to Level5).
//
// The load builds what survives a restart: the HUD, the light box and the
// floor, and sets the level's globals. The script (each level's init, run
// again by every restart) places the intro picture, the key (where it was, if
// the level was already started), the player and its light, new batteries,
// the spider spawn settings and the music.
#pragma once
#include "GameStateManager.h"
#include "TarnMath.h"

#include <vector>

// Where the current story level's key lies; emptied by the level's load, so a
// restart keeps the key in its cell.
extern std::vector<TarnVec2> gKeyPositions;
