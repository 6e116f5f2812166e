// Moth Lantern: the puzzle levels' load and init, and the puzzle's hand-over
// points to the player and the transition pictures.
#include "PuzzleLevel.h"

#include "Camera.h"
#include "Game.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "PuzzleLayouts.h"
#include "PuzzleManager.h"
#include "TarnGraphics.h"
#include "UI.h"
#include "World.h"

namespace {

constexpr int kModePuzzle = 1;
// Unlit tiles stay fully visible: the whole room is always seen.
constexpr float kPuzzleDark = 1.0f;

// The common start of every puzzle load: a still, fully lit view of the room
// with the HUD, then the beam segment slots the layout fills.
void PuzzleLevelLoad(int segmentSlots) {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    gDarkAlpha = gDefaultDarkAlpha = kPuzzleDark;
    gGameMode = kModePuzzle;
    if (gGameStateManager != nullptr) {
        LevelGridSize(gGameStateManager->current, &gGridWidth, &gGridHeight);
    }
    if (gWorld != nullptr && gWorld->GetCamera() != nullptr) {
        gWorld->GetCamera()->SetFollow(false);
    }
    if (gCursor != nullptr) {
        gCursor->visible = false; // the puzzles are played with the keys alone
    }
    if (gPuzzleManager != nullptr) {
        for (int i = 0; i < segmentSlots; ++i) {
            gPuzzleManager->AddSegmentSlot();
        }
    }
}

void PuzzleInit(int puzzle) {
    if (const PuzzleLayout* layout = PuzzleLayoutFor(puzzle)) {
        BuildPuzzle(*layout);
    }
}

} // namespace

// ---- State callbacks ---------------------------------------------------------------------

void PuzzleLoad() {
    PuzzleLevelLoad(2);
}

void Puzzle2Load() {
    PuzzleLevelLoad(3);
}

void Puzzle1Init() {
    PuzzleInit(1);
}

void Puzzle2Init() {
    PuzzleInit(2);
}

void Puzzle3Init() {
    PuzzleInit(3);
}

void Puzzle4Init() {
    PuzzleInit(4);
}

void Puzzle5Init() {
    PuzzleInit(5);
}

void PuzzleUpdate() {}

// ---- Hand-over points ----------------------------------------------------------------------

TransitionBox* StartMemoryTransition() {
    return nullptr;
}

TransitionBox* StartRestartPicture() {
    return nullptr;
}

bool TransitionDone(const TransitionBox* box) {
    return box != nullptr;
}

void HoldTransition(TransitionBox*, const char*) {}

void RemoveTransition(TransitionBox*) {}

void FreezePlayer() {}

void PlayWinAnimation() {}
