// Moth Lantern: playing an exported level (state Custom).
//
// The World reads the chosen file of the exported-levels folder at the
// editor's 30 x 30. A custom level plays like a story level without a key:
// the story floor, darkness, HUD and lantern modes; the load builds what
// survives a restart (floor, HUD, light box), the init (run again by every
// restart) the wanderer at the level's start cell with its light. Its trap
// doors stand open and lead back to the main menu after a "level complete"
// picture. The wanderer is drawn opaque with a light blue blend.
#pragma once
#include "GameObject.h"
#include "StateCallbacks.h" // CustomLoad and CustomInit, the state's callbacks

// ---- The level's actors ---------------------------------------------------------------

// A Player made with its parameterless constructor, in no layer yet.
ActiveObject* CreateWanderer();
// Where the wanderer enters: the centre of the level's start cell, or the
// fixed spot (-100, -50) when the level read has no start.
TarnVec2 CustomStartPosition();
