// Moth Lantern: thrown light orbs.
//
// An orb flies from the lantern towards the first wall in the throw
// direction (or 300 units out), slowing by 1 % a frame, and stops half its
// width short of the wall. It lights a full circle around it, lures spiders
// that see it, and after five seconds fades out over five more: its
// transparency and its light's reach shrink to nothing, then it is gone.
#pragma once
#include "GameObject.h"

class Light;

class LightOrb : public ActiveObject {
  public:
    // An orb at `position` in layer 3 thrown at `angle` radians, with its own
    // light; it joins the light manager's orbs.
    LightOrb(const TarnVec2& position, float angle);
    // Leaves the light manager's orbs. Its light is deleted with it by the World.
    ~LightOrb() override;
    LightOrb(const LightOrb&) = delete;
    LightOrb& operator=(const LightOrb&) = delete;

    void Init() override {}
    // Flight, then the fade; removes itself and its light when its time is up.
    void Update() override;

    float lifetime = 10.0f; // seconds left
    Light* light = nullptr;
    float baseAlpha = 0.0f; // the light's transparency at full strength
    float throwSpeed = 100.0f;
    float throwRange = 300.0f;
    TarnVec2 landing{0.0f, 0.0f}; // where the orb stops
};
