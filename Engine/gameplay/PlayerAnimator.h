// Moth Lantern: the player animator.
//
// Holds the current player and the main menu's start sign, which the walk,
// idle, win and start-sign animations act on. The scripts that create a
// player hand it over here.
#pragma once
#include "GameObject.h"

class PlayerAnimator {
  public:
    PlayerAnimator() = default;
    PlayerAnimator(const PlayerAnimator&) = delete;
    PlayerAnimator& operator=(const PlayerAnimator&) = delete;

    void SetPlayer(ActiveObject* newPlayer) { player = newPlayer; }
    ActiveObject* GetPlayer() const { return player; }
    void SetStartSign(StaticObject* sign) { startSign = sign; }
    StaticObject* GetStartSign() const { return startSign; }

    // Drops the pointers to the object. Called when it is deleted.
    void Forget(const GameObject* object);

  private:
    ActiveObject* player = nullptr;    // a Player, owned by the World
    StaticObject* startSign = nullptr; // the main menu's StartBtn, owned by the World
};

extern PlayerAnimator* gPlayerAnimator;
