// Moth Lantern: the controls panel, where the player rebinds keys.
//
// It lists the actions a player may rebind (walk up, down, left and right,
// switch the light), each with its key and a second key. Click a key (or
// highlight it with the pad's d-pad and press A) and press the new key: Esc
// (or B, or a click) cancels; a key another action uses moves over, that
// action taking the freed key. DEFAULTS puts back W, S, A, D and F with the
// arrows as second walking keys; CLOSE leaves. It opens from the pause
// menu's options and from the menu room's settings, over everything else in
// layer 6.
//
// The panel is one object of the World that owns its buttons, so it updates
// and draws them itself in whichever update runs it (the World's in the menu
// room, the pause menu's while paused).
#pragma once
#include "UI.h"

#include <functional>
#include <memory>
#include <vector>

// A key of one action: its cap from the key caps' atlas, or, while it waits
// for its new key, the glowing "press a key" cap.
class KeyCapButton : public UIButton {
  public:
    KeyCapButton(int action, int slot, float x, float y);
    void Init() override {}
    void Draw() override;

    const int action;
    const int slot; // KeyBindings::kPrimary or kSecond
    bool waiting = false;
};

// One of the panel's two buttons under the keys.
class PanelButton : public UIButton {
  public:
    PanelButton(float x, float y, float width, float height, const char* textureName);
    void Init() override {}
};

class ControlsPanel : public UI {
  public:
    // `onClose` runs when its CLOSE (or Esc in the menu room) closes it, not
    // when it goes with the pause menu or the state.
    explicit ControlsPanel(std::function<void()> onClose);
    ~ControlsPanel() override;
    ControlsPanel(const ControlsPanel&) = delete;
    ControlsPanel& operator=(const ControlsPanel&) = delete;

    void Init() override {}
    // Waits for a key while one is asked for, else runs the clicked button;
    // nothing in the frame it opens, so the click that opened it presses
    // nothing here.
    void Update() override;
    // The frame, then the keys and the two buttons.
    void Draw() override;

    // The key cap waiting for its new key, or null.
    KeyCapButton* Waiting() const { return waiting; }
    const std::vector<std::unique_ptr<KeyCapButton>>& Keys() const { return keys; }
    PanelButton* DefaultsButton() const { return defaults.get(); }
    PanelButton* CloseButton() const { return close.get(); }

  private:
    void Listen();
    void StopWaiting();
    void Close();

    std::vector<std::unique_ptr<KeyCapButton>> keys;
    std::unique_ptr<PanelButton> defaults;
    std::unique_ptr<PanelButton> close;
    std::function<void()> onClose;
    KeyCapButton* waiting = nullptr;
    bool opening = true;
};

// The open controls panel, or null.
extern ControlsPanel* gControlsPanel;

// Opens the controls panel in the middle of the screen.
ControlsPanel* OpenControlsPanel(std::function<void()> onClose);
// A key being bound took this frame's Esc or B to cancel itself: nothing
// else backs out with it.
bool ControlsPanelTookBackPress();
// Clears gControlsPanel when the World deletes the panel.
class World;
void WatchControlsPanel(World& world);
