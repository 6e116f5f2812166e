#include "PadFocus.h"

#include "Globals.h"
#include "PadControls.h"
#include "TarnInput.h"
#include "UI.h"

#include <algorithm>
#include <cmath>
#include <vector>

bool gPadMenuRow = false;

namespace {

struct FocusState {
    std::vector<UIButton*> offered;    // this frame's buttons, in update order
    std::vector<UIButton*> candidates; // last frame's: where the highlight may go
    UIButton* focus = nullptr;
    bool padInUse = false; // the pad was used since the mouse last moved
};
FocusState gFocus;

bool AnyPadButtonPressed() {
    for (int button = 0; button < TARN_PAD_BUTTON_COUNT; ++button) {
        if (TarnInputPadCheckTriggered(button)) {
            return true;
        }
    }
    return false;
}

bool MouseMoved() {
    int dx = 0;
    int dy = 0;
    TarnInputGetCursorPositionDelta(&dx, &dy);
    return dx != 0 || dy != 0;
}

bool IsCandidate(const UIButton* button) {
    return std::find(gFocus.candidates.begin(), gFocus.candidates.end(), button) !=
           gFocus.candidates.end();
}

// Where a panel's highlight starts: the top button, the leftmost of a row.
UIButton* FirstButton() {
    UIButton* first = nullptr;
    for (UIButton* button : gFocus.candidates) {
        if (first == nullptr || button->offset.y > first->offset.y ||
            (button->offset.y == first->offset.y && button->offset.x < first->offset.x)) {
            first = button;
        }
    }
    return first;
}

// The nearest button in the direction, straying sideways counting double.
UIButton* NextButton(const UIButton* from, int dx, int dy) {
    UIButton* best = nullptr;
    float bestScore = 0.0f;
    for (UIButton* button : gFocus.candidates) {
        const float x = button->offset.x - from->offset.x;
        const float y = button->offset.y - from->offset.y;
        const float along = x * static_cast<float>(dx) + y * static_cast<float>(dy);
        const float aside = std::fabs(dx != 0 ? y : x);
        const float score = along + 2.0f * aside;
        if (button != from && along > 1.0f && (best == nullptr || score < bestScore)) {
            best = button;
            bestScore = score;
        }
    }
    return best;
}

void MoveFocus() {
    int dx = 0;
    int dy = 0;
    if (!PadStep(&dx, &dy) || gFocus.focus == nullptr) {
        return;
    }
    if (dx != 0 && gFocus.focus->StepSideways(dx)) {
        return; // a slider took it
    }
    if (UIButton* next = NextButton(gFocus.focus, dx, dy)) {
        gFocus.focus = next;
    }
}

} // namespace

bool PadHighlightActive() {
    return gPaused || gGameMode == GameMode::Screen || gCreditsShown || gPadMenuRow;
}

void UpdatePadFocus() {
    gFocus.candidates.swap(gFocus.offered);
    gFocus.offered.clear();
    if (MouseMoved()) {
        gFocus.padInUse = false;
    }
    if (AnyPadButtonPressed()) {
        gFocus.padInUse = true;
    }
    if (!gFocus.padInUse || !PadHighlightActive()) {
        gFocus.focus = nullptr;
        return;
    }
    // A new panel, or the highlighted button's panel closed: start at the top.
    if (gFocus.focus == nullptr || !IsCandidate(gFocus.focus)) {
        gFocus.focus = FirstButton();
        return;
    }
    MoveFocus();
}

void OfferPadFocus(UIButton* button) {
    if (button->Focusable()) {
        gFocus.offered.push_back(button);
    }
}

bool HasPadFocus(const UIButton* button) {
    return button != nullptr && button == gFocus.focus;
}

bool PressedByPad(const UIButton* button) {
    return HasPadFocus(button) && PadConfirmPressed();
}

void ForgetPadFocus(const UIButton* button) {
    auto drop = [button](std::vector<UIButton*>& list) {
        list.erase(std::remove(list.begin(), list.end(), button), list.end());
    };
    drop(gFocus.offered);
    drop(gFocus.candidates);
    if (gFocus.focus == button) {
        gFocus.focus = nullptr;
    }
}
