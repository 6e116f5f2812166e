// Moth Lantern: particles, the small squares that burst out of pick-ups,
// pushed blocks, memories and the player.
//
// A particle flies off in a random direction, fades and shrinks, and removes
// itself from its World layer when its life runs out.
#pragma once
#include "GameObject.h"

// The full lifetime the fade is measured against, whatever life a particle got.
constexpr float kParticleLife = 5.0f;

class Particle : public ActiveObject {
  public:
    // Added to the layer; no collision, no shadow.
    Particle(int layer, float x, float y, TarnGfxTexture* texture, float scaleX, float scaleY);

    void Init() override {}
    // Moves one velocity step per frame, fades, shrinks; removes itself at the end.
    void Update() override;

    int layer;                  // the World layer it was added to
    float life = kParticleLife; // seconds left
};

// Creates one particle at position with scale (size, size), the tint colour
// (red, green, blue, alpha) and the given life, flying at speed units per frame
// in a random direction.
Particle* SpawnParticle(const TarnVec2& position, float size, float speed, TarnGfxTexture* texture,
                        float red, float green, float blue, float alpha, int layer, float lifetime);
