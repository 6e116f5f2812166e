// Moth Lantern: the player animator.
//
// Holds the current player and the main menu's start sign, and picks the
// player's sprite: a walk cycle per direction, the idle turn and the win
// celebration. Each animation keeps its own clock across direction changes.
// The scripts that create a player hand it over here.
#pragma once
#include "GameObject.h"

// The four walking directions, in the order the player tests its keys.
enum class Facing { Up, Down, Right, Left };

class PlayerAnimator {
  public:
    PlayerAnimator() = default;
    PlayerAnimator(const PlayerAnimator&) = delete;
    PlayerAnimator& operator=(const PlayerAnimator&) = delete;

    void SetPlayer(ActiveObject* newPlayer) { player = newPlayer; }
    ActiveObject* GetPlayer() const { return player; }
    void SetStartSign(StaticObject* sign) { startSign = sign; }
    StaticObject* GetStartSign() const { return startSign; }

    // ---- Animations of the current player (one step per frame) ----
    // The walk cycle of one direction.
    void Walk(Facing facing);
    // Standing still: after a second facing the way it last walked, the player
    // turns clockwise a quarter per second (gIdlePhase).
    void Idle();
    // The memory celebration.
    void Win();

    // Drops the pointers to the object. Called when it is deleted.
    void Forget(const GameObject* object);

    float walkClocks[4] = {0.0f, 0.0f, 0.0f, 0.0f}; // seconds, indexed by Facing
    float winClock = 0.0f;

  private:
    ActiveObject* player = nullptr;    // a Player, owned by the World
    StaticObject* startSign = nullptr; // the main menu's StartBtn, owned by the World
};

extern PlayerAnimator* gPlayerAnimator;
