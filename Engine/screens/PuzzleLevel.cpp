// Moth Lantern: the puzzle levels' load and init.
#include "PuzzleLevel.h"

#include "Globals.h"
#include "Hud.h"
#include "Light.h"
#include "LightBox.h"
#include "MenuWidgets.h"
#include "Player.h"
#include "PuzzleLayouts.h"
#include "PuzzleManager.h"
#include "ScreenCommon.h"
#include "TarnGraphics.h"
#include "TransitionBox.h"

namespace {

// The common start of every puzzle load: a still, fully lit view of the room
// with its HUD and the instructions over it, then the beam segment slots the
// layout fills.
void PuzzleLevelLoad(int segmentSlots) {
    TarnGfxSetCamPosition(0.0f, 0.0f);
    AddPuzzleHud();
    SetDarkness(kPuzzleDark);
    gGameMode = GameMode::Puzzle;
    SetGridOfCurrentState();
    SetCameraFollow(false);
    SetCursorVisible(false); // the puzzles are played with the keys alone
    CreatePuzzleInstructions();
    for (int i = 0; i < segmentSlots; ++i) {
        gPuzzleManager->AddSegmentSlot();
    }
}

void PuzzleInit(int puzzle) {
    AddPuzzlePlayer();
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

// ---- Pieces of the load and init
// ----------------------------------------------------------------------

void AddPuzzleHud() {
    CreatePuzzleHud(); // the memories counter
    auto* lightBox = new LightBox();
    CreateBackground();
    lightBox->SetIdleMode();
}

void AddPuzzlePlayer() {
    Player* player = MakePlayer(kPuzzleStartX, kPuzzleStartY);
    auto* light = new Light(player, 0.0f);
    if (gLightBox != nullptr) {
        gLightBox->AttachLight(light); // idles it as a lamp that adds no light
    }
}
