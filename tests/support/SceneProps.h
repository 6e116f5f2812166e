// Plain objects that stand in for the game's actors and walls in tests.
#pragma once
#include "GameObject.h"

namespace moth_test {

// A moving object with no behaviour of its own: a stand-in for the player,
// an orb or a spider. It is added to the layer (the World owns it).
class Prop : public ActiveObject {
  public:
    Prop(int layer, float x, float y, float size)
        : ActiveObject(layer, x, y, nullptr, false, false, size, size) {}
    void Init() override {}
    void Update() override {}
};

// A 50 x 50 wall block in layer 1 that casts a shadow, so it blocks sight
// and rays.
class WallBlock : public StaticObject {
  public:
    WallBlock(float x, float y) : StaticObject(1, x, y, nullptr, false, true, 50.0f, 50.0f) {}
    void Init() override {}
    void Update() override {}
};

} // namespace moth_test
