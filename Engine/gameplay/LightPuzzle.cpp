// Moth Lantern: boxes, beams and the tracing of light through them.
#include "LightPuzzle.h"
#include "Globals.h"
#include "Tiles.h"

#include "AssetManager.h"
#include "AudioManager.h"
#include "LightManager.h"
#include "Particle.h"
#include "PuzzleBlocks.h"
#include "World.h"

#include <cmath>

namespace {

// Beams are drawn as a quad 5 units thick.
constexpr float kBeamThickness = 5.0f;
// The second ray starts just past the source's own side, so it cannot hit it.
constexpr float kExitNudge = 1e-5f;

TarnVec2 Direction(const TarnVec2& from, const TarnVec2& to) {
    TarnVec2 d{to.x - from.x, to.y - from.y};
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    return length > 0.0f ? TarnVec2{d.x / length, d.y / length} : TarnVec2{0.0f, 0.0f};
}

RayHit CastRay(const TarnVec2& from, const TarnVec2& to, float maxLength) {
    return gLightManager->RayCast(from, to, maxLength);
}

// The ray from the source's centre first meets the source's own side; the
// beam leaves there, and the second ray from just outside finds what it hits.
RayHit CastFromEdge(LightPuzzle* beam) {
    const float ownSide = CastRay(beam->origin, beam->target, beam->maxLength).distance;
    const TarnVec2 d = Direction(beam->origin, beam->target);
    const float out = ownSide + kExitNudge;
    beam->exitPoint = TarnVec2{beam->origin.x + d.x * out, beam->origin.y + d.y * out};
    return CastRay(beam->exitPoint, beam->target, beam->maxLength);
}

// A beam that no longer brings light: its target box goes dark again.
void Disconnect(LightPuzzle* beam) {
    beam->toBox->boxLit = false;
    beam->soundPlayed = false;
    if (beam->textureLit) {
        beam->toBox->ShowUnlit();
        beam->textureLit = false;
    }
}

void Connect(LightPuzzle* beam) {
    beam->toBox->boxLit = true;
    if (!beam->soundPlayed) {
        gAudioManager->PlayEffect("s_lightpuzzle.wav");
        beam->soundPlayed = true;
    }
    if (!beam->textureLit) {
        beam->toBox->ShowLit();
        beam->textureLit = true;
    }
}

void TraceDark(LightPuzzle* beam) {
    beam->toBox->boxBlocked = false;
    beam->hitDistance = CastRay(beam->origin, beam->target, beam->maxLength).distance;
    beam->exitPoint = beam->position;
    beam->SetTintColor(1.0f, 0.0f, 0.0f, 1.0f);
    beam->reached = false;
    if (!beam->gateBeam) {
        beam->toBox->boxLit = false;
        if (beam->nextBeam != nullptr && beam->nextBeam->toBox != nullptr) {
            beam->nextBeam->toBox->boxLit = false;
        }
        Disconnect(beam);
    }
}

// What a lit beam does to the object it hits: a direction block takes the
// light on, a danger block starts the restart.
void StrikeObject(StaticObject* hit, LightPuzzle* chainSource) {
    if (auto* block = dynamic_cast<DirectionBlock*>(hit)) {
        block->beam->sourceBeam = chainSource;
        ActivateDirectionBlock(block);
    } else if (auto* danger = dynamic_cast<RestartWall*>(hit)) {
        ArmRestart(danger);
    }
}

} // namespace

// ---- Boxes --------------------------------------------------------------------------------

PuzzleBox::PuzzleBox(float x, float y, TarnGfxTexture* texture)
    : Wall(Layer::Items, x, y, texture, true, true) {}

void PuzzleBox::ShowLit() {
    SetTexture(TextureNamed(boxEnd ? "box_end.png" : "box_lighted.png"));
}

void PuzzleBox::ShowUnlit() {
    SetTexture(TextureNamed(boxEnd ? "box_end_notlighted.png" : "box_notlighted.png"));
}

// ---- Beams ----------------------------------------------------------------------------------

LightPuzzle::LightPuzzle(LightPuzzle* source, LightPuzzle* next)
    : sourceBeam(source), nextBeam(next) {
    SetTexture(TextureNamed("laser1.png"));
}

void LightPuzzle::Link(PuzzleBox* from, PuzzleBox* to, bool gate) {
    origin = from->GetPos();
    target = to->GetPos();
    const float dx = target.x - origin.x;
    const float dy = target.y - origin.y;
    maxLength = std::sqrt(dx * dx + dy * dy);
    SetPos(origin);
    exitPoint = origin;
    fromBox = from;
    toBox = to;
    gateBeam = gate;
}

void LightPuzzle::Init() {
    mesh = gAssetManager->GetMesh(1);
}

void LightPuzzle::Update() {
    if (toBox != nullptr) {
        toBox->boxLit = false;
    }
}

void LightPuzzle::Draw() {
    scale = TarnVec2{hitDistance, 1.0f};
    BuildTransform(&transform, TarnVec2{hitDistance, kBeamThickness}, exitPoint, rotation);
    DrawQuad(transform, tintColor, blendColor, tintColor.a, TARN_BLEND_ADDITIVE, texture, mesh);
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
}

// ---- Tracing --------------------------------------------------------------------------------

void TraceBeam(LightPuzzle* beam) {
    if (beam->fromBox == nullptr || beam->toBox == nullptr) {
        return; // never linked: nothing to carry light between
    }
    beam->active = beam->fromBox->boxStart || beam->fromBox->boxLit;
    if (!beam->active) {
        TraceDark(beam);
        return;
    }
    const RayHit hit = CastFromEdge(beam);
    beam->hitDistance = hit.distance;
    beam->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    // Light only arrives through a chain while the beam still feeds one: a
    // chain whose first block was pushed away must not keep the box lit.
    if (dynamic_cast<DirectionBlock*>(hit.object) == nullptr) {
        beam->forcedHit = false;
    }
    StrikeObject(hit.object, beam);
    PuzzleBox* toBox = beam->toBox;
    if (hit.object == toBox || beam->forcedHit) {
        beam->reached = true;
        if (!beam->gateBeam) {
            Connect(beam);
        }
        toBox->boxBlocked = false;
        return;
    }
    beam->reached = false;
    SpawnParticle(toBox->GetPos(), 20.0f, 3.0f, TextureNamed("o_floor.png"), 1.0f, 1.0f, 1.0f, 1.0f,
                  Layer::Level, 4.8f);
    toBox->boxBlocked = true;
    if (!beam->gateBeam) {
        Disconnect(beam);
    }
}

void TraceBlockBeam(LightPuzzle* beam) {
    if (!beam->active) {
        beam->hitDistance = 0.0f;
        return;
    }
    const RayHit hit = CastFromEdge(beam);
    beam->hitDistance = hit.distance;
    LightPuzzle* source = beam->sourceBeam;
    if (beam->toBox != nullptr && source != nullptr) {
        if (hit.object == beam->toBox) {
            source->forcedHit = true;
        } else if (!beam->forcedHit) {
            source->forcedHit = false;
        }
    }
    // Whether this block feeds a further block decides if it may leave the
    // verdict on the chain to the blocks after it.
    beam->forcedHit = dynamic_cast<DirectionBlock*>(hit.object) != nullptr;
    StrikeObject(hit.object, source);
}

void ActivateDirectionBlock(DirectionBlock* block) {
    if (block->dirLit) {
        return; // already traced this frame
    }
    block->beam->active = true;
    block->dirLit = true;
    TraceBlockBeam(block->beam);
}
