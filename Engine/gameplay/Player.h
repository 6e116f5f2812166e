// Moth Lantern: the player, the small wanderer the user walks through the dark.
//
// Each frame the player reads W, A, S, D (one direction at a time, up first),
// sets its velocity and animation, blinks for a while after a spider bite, and
// at zero health fades the screen to black and sends the game to the Lose
// screen; a dying player takes no input, no pick-ups and no bites. Walls,
// spiders and pick-ups are the collision manager's business: it may shrink
// the velocity after this Update; Draw then moves the player by it.
#pragma once
#include "GameObject.h"

class TransitionBox;

class Player : public ActiveObject {
  public:
    // All fields at their defaults; MakePlayer places and registers it.
    Player();
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Faces up.
    void Init() override;
    // Movement, death, hurt blinking, animation.
    void Update() override;
    // Moves by this frame's share of the velocity, then draws the sprite.
    void Draw() override;

    void SetCanMove(bool value) { canMove = value; }
    // Free to walk (and to pause the game): not held, and not dying.
    bool CanMove() const { return canMove && !dying; }
    // Health ran out: the player fades away and touches nothing any more.
    bool Dying() const { return dying; }
    void SetHurt(bool value) { hurt = value; }
    // The memory celebration's frames on the World's player.
    void PlayWinAnimation();

    float speed = 200.0f;               // world units per second
    bool canMove = true;                // input and integration move the player only while true
    float blinkTimer = 0.0f;            // seconds since the last blink toggle
    int blinkCount = 0;                 // toggles that switched the blink on since the bite
    bool hurt = false;                  // blinking after a spider bite
    TransitionBox* deathFade = nullptr; // fade to black once health runs out; the World owns it
    bool dying = false;                 // health ran out; it stays so until the Lose screen

  private:
    void Move();
    void Die();
    void Blink();
};

// The player of a level at (x, y): 30 x 30, untinted, registered for
// collisions, in object layer 2, handed to the animator and the World. Its
// light is the level script's to make.
Player* MakePlayer(float x, float y);
