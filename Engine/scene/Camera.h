// Moth Lantern: the camera that decides where the view looks.
//
// One camera per state, kept in World layer 5. Each frame it copies the
// player's position into the engine camera unless following is switched off
// (menus and screens keep the view where their load put it).
#pragma once
#include "GameObject.h"

class Camera : public GameObject {
  public:
    Camera() = default;

    // Starts from wherever the engine camera currently looks.
    void Init() override;
    // Follows the World's player, when there is one and following is on.
    void Update() override;
    void Draw() override {}

    // Moves only this object; the engine camera catches up at the next Update.
    void SetPosition(float x, float y) { position = TarnVec2{x, y}; }
    void SetFollow(bool shouldFollow) { follow = shouldFollow; }
    TarnVec2 GetPos() const { return position; }
    bool IsFollowing() const { return follow; }

  private:
    TarnVec2 position{0.0f, 0.0f};
    bool follow = true;
};
