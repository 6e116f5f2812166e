// Moth Lantern: full-screen pictures that grow, shrink, fade or hold.
//
// Every transition of the game is a TransitionBox or one of its three
// subclasses: the intro picture of a story level (StandardTransitionBox, which
// hands over to the tips), the four tips (TipsBox), the puzzle instructions
// (InstructionBox), the logo, and the fades of the doors, memories, death, win
// and lose screens. While a box animates it freezes the player; when it has
// finished it sets `done`, which its owner polls.
//
// A box may delete itself. Owners that keep a pointer to one watch that
// pointer with World::WatchPointer: whenever a box is deleted, by itself, its
// owner or the end of a state, the pointer is cleared, so none dangles.
#pragma once
#include "GameStateManager.h"
#include "UI.h"

namespace TransitionStyle {
enum : int { Grow = 0, Shrink = 1, FadeOut = 2, FadeIn = 3, Hold = 4 };
}

class TransitionBox : public UIBox {
  public:
    // A 10 x 10 box at the camera position in layer 6, growing by default,
    // showing the picture of what follows the current state.
    TransitionBox();
    // The same in another layer.
    explicit TransitionBox(int layer);

    void Init() override {}
    void Update() override;
    // Translucent, with the tint alpha as its transparency; only while visible.
    void Draw() override;

    bool done = false;
    int style = TransitionStyle::Grow;
    TarnVec2 targetScale; // the window size
    TarnVec2 growStep;    // targetScale / 25: a grow or shrink takes 25 frames
    float delay = 0.0f;   // seconds to wait before animating

  protected:
    // Removes the box from its layer at the end of this frame.
    void DestroySelf();

    int layer;

  private:
    void Animate();
    void FinishLogo();
};

// A story level's intro picture: follows the camera and, once it has faded
// out in a story level, starts the tips.
class StandardTransitionBox : public TransitionBox {
  public:
    StandardTransitionBox() = default;
    void Update() override;
};

// The four tips near the top-right corner, each faded in, held two seconds
// and faded out, then the box goes. Tips never hold the player.
class TipsBox : public TransitionBox {
  public:
    explicit TipsBox(int layer) : TransitionBox(layer) {}
    void Update() override;

    bool advance = false;
    bool finished = false;
    int tipIndex = 0;

  private:
    void ShowNextTip();
};

// A puzzle's instructions: a two-picture animation held until a click fades
// it out.
class InstructionBox : public TransitionBox {
  public:
    InstructionBox() = default;
    void Update() override;

    float animTimer = 0.0f;

  private:
    void Animate();
};

// The intro picture of a story level ("" for other states).
const char* IntroPictureOf(GameStateId level);

// A story level's intro picture: the whole window at (0, 0), fading out after
// half a second; once faded it starts the tips. Call it from the level's init.
StandardTransitionBox* CreateIntroPicture(const char* textureName);
// A puzzle's instructions: the whole window, held until a click fades them.
// Call it last in the puzzle's load.
InstructionBox* CreatePuzzleInstructions();

// The picture that grows after a memory is picked up; the puzzle manager
// makes it and waits for it. The application watches this pointer.
extern TransitionBox* gMemoryTransition;
