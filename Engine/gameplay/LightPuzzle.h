// Moth Lantern: the light-beam puzzle's boxes and beams.
//
// A puzzle is a network of boxes joined by beams. The start box is always lit;
// a beam carries light from its source box to its target box while nothing
// stands between them, and a lit target box feeds the beams that leave it.
// Direction blocks hit by a beam send a beam of their own and can carry the
// light around an obstacle to the box the first beam was aiming at. The
// PuzzleManager traces every beam once per frame, from the start box on.
//
// Index
//   PuzzleBox ........ a box of the network and its four flags
//   LightPuzzle ...... a beam: geometry, light state, drawing
//   Tracing .......... TraceBeam, TraceBlockBeam, ActivateDirectionBlock
#pragma once
#include "Tilemap.h"
#include "UI.h"

class DirectionBlock;

// ---- Boxes --------------------------------------------------------------------------------

class PuzzleBox : public Wall {
  public:
    // A tile-sized box in layer 1 that collides and casts a shadow, so beams
    // and blocks stop at it.
    PuzzleBox(float x, float y, TarnGfxTexture* texture);

    // The lit or unlit picture; the end box has its own pair.
    void ShowLit();
    void ShowUnlit();

    bool boxStart = false;   // the source of all light
    bool boxLit = false;     // light reached it this frame
    bool boxEnd = false;     // the goal
    bool boxBlocked = false; // an active beam aimed at it is obstructed
};

// ---- Beams ----------------------------------------------------------------------------------

class LightPuzzle : public ActiveObject {
  public:
    // Not in any layer yet: the creator sets it up and adds it to layer 3.
    LightPuzzle(LightPuzzle* sourceBeam, LightPuzzle* nextBeam);

    // Aims the beam from one box at another. A gate beam ends at the first box
    // of the next segment, which only the whole previous segment may light.
    void Link(PuzzleBox* from, PuzzleBox* to, bool gate);

    void Init() override;   // takes the beam quad (mesh 1)
    void Update() override; // the target box is unlit until light arrives again
    void Draw() override;   // additive quad from exitPoint along the rotation

    float maxLength = 0.0f;         // longest ray
    TarnVec2 origin{0.0f, 0.0f};    // ray start: centre of the source
    TarnVec2 exitPoint{0.0f, 0.0f}; // where the beam leaves its source
    TarnVec2 target{0.0f, 0.0f};    // ray end
    float hitDistance = 0.0f;       // drawn length
    PuzzleBox* fromBox = nullptr;   // null for a direction block's beam
    TarnGfxVertexList* mesh = nullptr;
    bool active = false;    // light enters the beam
    bool forcedHit = false; // a direction-block chain delivered the light
    PuzzleBox* toBox = nullptr;
    LightPuzzle* sourceBeam = nullptr; // for a block's beam: the box beam that lit the block
    LightPuzzle* nextBeam = nullptr;   // a second beam leaving this beam's target box
    bool soundPlayed = false;          // the connection sound already played
    bool textureLit = false;           // the target box shows its lit picture
    bool gateBeam = false;
    bool reached = false; // carried light to its target this frame
};

// ---- Tracing --------------------------------------------------------------------------------

// Traces a box beam: whether light enters it, where it leaves its box, what it
// hits, and what that does to its target box, the direction blocks and the
// danger blocks on its way.
void TraceBeam(LightPuzzle* beam);
// Traces a direction block's beam and, through it, the rest of the chain.
void TraceBlockBeam(LightPuzzle* beam);
// Lights a direction block hit by a beam, once per frame.
void ActivateDirectionBlock(DirectionBlock* block);
