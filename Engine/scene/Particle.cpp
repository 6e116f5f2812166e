// Moth Lantern: particles.
#include "Particle.h"

#include "Globals.h"
#include "TarnSystem.h"
#include "World.h"

#include <cmath>

namespace {
constexpr float kFullTurn = 6.283185f;
}

Particle::Particle(int layer, float x, float y, TarnGfxTexture* texture, float scaleX, float scaleY)
    : ActiveObject(layer, x, y, texture, false, false, scaleX, scaleY), layer(layer) {}

void Particle::Update() {
    life -= gFrameTime;
    if (life <= 0.0f) {
        gWorld->Destroy(layer, this);
        return;
    }
    // Fading is measured against the full lifetime, so a particle born with a
    // shorter life starts part-way faded. Speed is per frame, not per second,
    // and the shrink compounds: each frame scales the current size again.
    const float ratio = life / kParticleLife;
    AddPos(velocity.x, velocity.y);
    SetTransparency(ratio);
    scale.x *= ratio;
    scale.y *= ratio;
}

Particle* SpawnParticle(const TarnVec2& position, float size, float speed, TarnGfxTexture* texture,
                        float red, float green, float blue, float alpha, int layer,
                        float lifetime) {
    auto* particle = new Particle(layer, position.x, position.y, texture, size, size);
    particle->SetTintColor(red, green, blue, alpha);
    particle->life = lifetime;
    const float angle = TarnRandFloat() * kFullTurn;
    particle->SetRotation(angle);
    particle->velocity = TarnVec2{std::cos(angle) * speed, std::sin(angle) * speed};
    return particle;
}
