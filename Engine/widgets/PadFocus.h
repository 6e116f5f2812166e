// Moth Lantern: a game controller's highlight on the screen's buttons.
//
// On panels and pictures (the pause menu and its panels, the menu room's
// credits, its controls panel, and its row of buttons once Start takes it
// up) the d-pad moves a highlight between the buttons that reacted in the
// frame before, and A presses the highlighted one; a highlighted slider takes
// left and right itself. The highlight looks like a mouse hover. It appears
// when the pad is used and goes as soon as the mouse moves, so the mouse and
// the pad work side by side.
#pragma once

class UIButton;

// The menu room's buttons are taken up by the pad (Start there) rather than
// the d-pad walking; B lets them go again.
extern bool gPadMenuRow;

// The d-pad works the highlight now rather than walking.
bool PadHighlightActive();
// Once a frame before any widget updates: shows, moves or drops the highlight.
void UpdatePadFocus();
// A button running its hover and click test this frame offers itself.
void OfferPadFocus(UIButton* button);
bool HasPadFocus(const UIButton* button);
// Highlighted and A pressed this frame.
bool PressedByPad(const UIButton* button);
// A button going away is never highlighted again.
void ForgetPadFocus(const UIButton* button);
