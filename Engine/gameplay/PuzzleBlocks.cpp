// Moth Lantern: pushable blocks and direction blocks.
#include "PuzzleBlocks.h"

#include "Globals.h"
#include "LightPuzzle.h"
#include "Particle.h"
#include "World.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kBlockSize = 50.0f;
// Seconds between the puffs of a block whose box is still cut off.
constexpr float kPuffInterval = 1.0f;
constexpr int kPuffParticles = 30;

// The picture pair of each direction, matched to the nearest of the four.
struct DirectionLook {
    float angle;
    const char* unlit;
    const char* lit;
};
constexpr DirectionLook kLooks[] = {
    {DirectionBlock::kRight, "directionright_notlighted.png", "directionright_lighted.png"},
    {DirectionBlock::kUp, "directionup_notlighted.png", "directionup_lighted.png"},
    {DirectionBlock::kLeft, "directionleft_notlighted.png", "directionleft_lighted.png"},
    {DirectionBlock::kDown, "directiondown_notlighted.png", "directiondown_lighted.png"},
};

const DirectionLook& LookFor(float angle) {
    // Angles are compared on the circle, so pi and -pi both read as left.
    auto apart = [angle](const DirectionLook& look) {
        return std::fabs(std::remainder(angle - look.angle, 6.2831853f));
    };
    return *std::min_element(
        std::begin(kLooks), std::end(kLooks),
        [&](const DirectionLook& a, const DirectionLook& b) { return apart(a) < apart(b); });
}

} // namespace

// ---- MovableBlock -----------------------------------------------------------------------------

MovableBlock::MovableBlock(float x, float y, TarnGfxTexture* texture)
    : PushableBlock(Layer::Actors, x, y, texture, true, true, kBlockSize, kBlockSize) {}

void MovableBlock::Update() {
    // The push rule set the velocity after last frame's updates; it moves the
    // block once and must be renewed by a push in every frame it should go on.
    if (pushed) {
        AddPos(velocity.x * gFrameTime, velocity.y * gFrameTime);
    }
    pushed = false;
}

void MovableBlock::Draw() {
    SetTransparency(1.0f);
    StaticObject::Draw();
}

// ---- DirectionBlock ---------------------------------------------------------------------------

DirectionBlock::DirectionBlock(float x, float y, float beamAngle, PuzzleBox* targetBox)
    : MovableBlock(x, y, TextureNamed(LookFor(beamAngle).unlit)), angle(beamAngle) {
    beamReach = std::max(gGridWidth, gGridHeight) * gTileSize;
    beam = new LightPuzzle(nullptr, nullptr);
    beam->SetRotation(angle);
    beam->SetTintColor(0.0f, 1.0f, 0.0f, 1.0f);
    beam->SetPos(x, y);
    beam->toBox = targetBox;
    AimBeam();
    SetTransparency(1.0f);
    gWorld->Add(Layer::Lights, beam);
    std::printf("Created direction block\n");
}

void DirectionBlock::AimBeam() {
    beam->origin = position;
    beam->target = TarnVec2{position.x + std::cos(angle) * beamReach,
                            position.y + std::sin(angle) * beamReach};
    beam->maxLength = beamReach;
}

void DirectionBlock::Update() {
    if (beam->toBox != nullptr && beam->toBox->boxBlocked) {
        particleTimer += gFrameTime;
        if (particleTimer >= kPuffInterval) {
            for (int i = 0; i < kPuffParticles; ++i) {
                SpawnParticle(position, 10.0f, 3.0f, TextureNamed("o_floor.png"), color.r, color.g,
                              color.b, color.a, 0, 5.0f);
            }
            particleTimer = 0.0f;
        }
    }
    // Dark until a beam reaches the block again in this frame's trace.
    beam->active = false;
    dirLit = false;
    beam->hitDistance = 0.0f;
    SetTexture(TextureNamed(LookFor(angle).unlit));
    MovableBlock::Update();
    AimBeam();
}

void DirectionBlock::Draw() {
    if (beam->active) {
        SetTexture(TextureNamed(LookFor(angle).lit));
    }
    MovableBlock::Draw();
}
