// Moth Lantern: playing an exported level (state Custom).
//
// The World reads the chosen file of the exported-levels folder at the
// editor's 30 x 30; the load callback adds the wanderer at (-100, -50),
// drawn at transparency 0.3, with its light, and the camera follows it. The
// level keeps the game mode and darkness of the states before it.
//
// The wanderer, its light, the light box and the HUD are made through the
// small functions below.
#pragma once
#include "GameObject.h"
#include "StateCallbacks.h" // CustomLoad, the state's load callback

// ---- The level's actors ---------------------------------------------------------------

// A Player made with its parameterless constructor, in no layer yet.
ActiveObject* CreateWanderer();
// The wanderer's light, axis at angle 0, in its layer and the light manager.
StaticObject* CreateWandererLight(ActiveObject* wanderer);
// The custom level's own light box and HUD, made around its wanderer; the
// light goes to this box only, never to a box of an earlier level.
void CreateCustomLightBoxAndHud(ActiveObject* wanderer, StaticObject* light);
