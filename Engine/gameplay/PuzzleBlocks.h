// Moth Lantern: the blocks of the light-beam puzzles.
//
// A MovableBlock is pushed by the player (the collision manager's push rule
// sets its velocity and the PushableBlock flags that stop it against walls
// and other blocks) and stops any beam it stands in. A DirectionBlock is a movable
// block that, while a beam hits it, sends a beam of its own in a fixed
// direction; a chain of them can carry light around an obstacle.
#pragma once
#include "CollisionManager.h"

class LightPuzzle;
class PuzzleBox;

class MovableBlock : public PushableBlock {
  public:
    // A tile-sized block in layer 2 that collides and casts a shadow.
    MovableBlock(float x, float y, TarnGfxTexture* texture);

    void Init() override {}
    // Moves by the velocity the last push gave it, once per push.
    void Update() override;
    // Always drawn fully opaque, whatever the darkness.
    void Draw() override;

    float particleTimer = 0.0f;
    Color color{1.0f, 1.0f, 1.0f, 1.0f};
};

class DirectionBlock : public MovableBlock {
  public:
    // Angles of the four directions a block can send its beam.
    static constexpr float kRight = 0.0f;
    static constexpr float kUp = 1.5707963f;
    static constexpr float kLeft = 3.1415925f;
    static constexpr float kDown = -1.5707963f;

    // A block at (x, y) whose beam leaves at `angle` and is meant to reach
    // `targetBox`; its beam goes to layer 3.
    DirectionBlock(float x, float y, float angle, PuzzleBox* targetBox);

    // Unlit until a beam hits it again this frame; puffs particles while its
    // box's beam is blocked; moves like any block and takes its beam along.
    void Update() override;
    // Shows the lit picture while its beam carries light.
    void Draw() override;

    // Puts the beam on the block, pointing at `angle`, as long as the level is wide.
    void AimBeam();

    float angle = 0.0f;
    bool dirLit = false;
    float beamReach = 0.0f;
    LightPuzzle* beam = nullptr; // owned by the World (layer 3)
};
