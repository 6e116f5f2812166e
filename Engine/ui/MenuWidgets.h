// Moth Lantern: the main menu's widgets and the scrolling floor.
//
// The main menu is a small dark room the player walks through with a lantern:
// the logo hangs at the top, a blinking start sign points at the trap door,
// the control wall reveals a picture of the controls while light falls on it,
// and a row of buttons along the bottom opens the settings (the volume
// sliders), the credits, the level editor, the exported levels, or quits.
// BackgroundUI is the slowly drifting floor under every level and menu.
#pragma once
#include "DisplayChoices.h"
#include "UI.h"

extern float gStartSignTimer; // seconds into the start sign's blink

// ---- Bottom-row buttons (layer 6, 128 x 64) ----------------------------------------

// A button of the menu room's bottom row at the given screen offset. While
// the controls panel covers the room it neither lights up nor clicks.
class MenuButton : public UIButton {
  public:
    MenuButton(float x, float y, const char* textureName);
    // Placed at the camera position plus its offset, with its picture.
    void Init() override;
    // The hover and click test; on a click, OnClick.
    void Update() override;

  protected:
    virtual void OnClick() = 0;

  private:
    const char* textureName;
};

// A button that asks for another game state when clicked (and closes the
// credits, which belong to the room).
class StateButton : public MenuButton {
  public:
    StateButton(float x, float y, const char* textureName, int state)
        : MenuButton(x, y, textureName), state(state) {}

  protected:
    void OnClick() override;

  private:
    int state;
};

// Ends the game.
class QuitButton : public StateButton {
  public:
    QuitButton(float x, float y);
};

// Opens the level editor.
class OpenEditorButton : public StateButton {
  public:
    OpenEditorButton(float x, float y);
};

// Opens the chooser of exported levels.
class LevelsButton : public StateButton {
  public:
    LevelsButton(float x, float y);
};

// Shows or hides the volume sliders, the controls button and the display
// choices; Esc hides them.
class SettingsButton : public MenuButton {
  public:
    SettingsButton(float x, float y) : MenuButton(x, y, "btn_options.png") {}
    void Update() override;

  protected:
    void OnClick() override;
};

// Opens the credits and holds the player still meanwhile.
class CreditsButton : public MenuButton {
  public:
    CreditsButton(float x, float y) : MenuButton(x, y, "btn_credits.png") {}

  protected:
    void OnClick() override;
};

// A button beside the sliders, shown and pressable only while the settings
// show, at its own size.
class SettingsRowButton : public MenuButton {
  public:
    SettingsRowButton(float x, float y, const char* textureName, float width, float height);
    void Init() override;
    void Draw() override;
    bool Focusable() const override;

  private:
    float width;
    float height;
};

// Opens the controls panel over the room, holding the player still (the
// settings hide meanwhile, and the pad's d-pad moves between the panel's
// buttons).
class ControlsButton : public SettingsRowButton {
  public:
    ControlsButton(float x, float y);

  protected:
    void OnClick() override;
};

// One of the display choices (DisplayChoices.h), showing the one in force.
class DisplayButton : public SettingsRowButton {
  public:
    DisplayButton(float x, float y, DisplayChoice choice);
    // Also follows a change made elsewhere (Alt+Enter).
    void Update() override;

  protected:
    void OnClick() override;

  private:
    DisplayChoice choice;
};

// ---- Credits -------------------------------------------------------------------------

// The credits' close button; shown only while the credits are open. Esc
// closes them too.
class Credits : public UIButton {
  public:
    Credits(float x, float y);
    void Init() override {}
    void Update() override;
    void Draw() override;
    bool Focusable() const override;
};

// The credits picture, visible while the credits are open.
class CreditsBox : public UIBox {
  public:
    CreditsBox(float x, float y);
    void Init() override {}
    void Update() override;
};

// ---- Pictures ------------------------------------------------------------------------

// A blinking sign over a trap door of the menu room: "start", or, while a
// game is saved, "continue" over one door and "new game" over the other. The
// sign the player animator holds runs the blink; any other follows it.
class StartBtn : public UI {
  public:
    StartBtn();
    // A sign blinking between these two pictures.
    StartBtn(const char* first, const char* second);
    void Init() override {}
    void Update() override;
    void Draw() override;

    static constexpr const char* kStartFrames[2] = {"startbtn_1.png", "startbtn_2.png"};

    TarnGfxVertexList* mesh = nullptr;
    const char* frames[2] = {kStartFrames[0], kStartFrames[1]};
};

// Under the menu room's buttons while a game controller is plugged in: how
// the pad reaches them.
class PadHint : public UI {
  public:
    PadHint();
    void Init() override {}
    void Draw() override;
};

// The game's logo, fixed at the top of the menu room (layer 5).
class Logo : public UI {
  public:
    explicit Logo(TarnGfxTexture* texture);
    void Init() override {}
    void Update() override {}
    void Draw() override;

    TarnGfxTexture* logoTexture = nullptr;
};

// The controls picture at the right of the screen. It shows exactly in the
// frames in which the player's light reaches the control wall: each update
// hides it, and the light, which runs after every object, reveals it again
// (never while the credits are open).
class MenuControlUI : public UI {
  public:
    MenuControlUI();
    void Init() override {}
    void Update() override;
    void Draw() override;

    TarnGfxVertexList* mesh = nullptr;
};

// The floor picture under a level, scrolling slowly in a random direction.
class BackgroundUI : public UIBox {
  public:
    BackgroundUI(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                 bool castsShadow, float scaleX, float scaleY);
    // Picks the drift: each axis uniform in [-driftRange, driftRange] units a second.
    void Init() override;
    void Update() override;
    void Draw() override;

    TarnVec2 drift{0.0f, 0.0f};
    float driftRange = 30.0f;
    // Kept within [0, 1): the texture repeats, so only the fraction shows.
    TarnVec2 textureOffset{0.0f, 0.0f};
};

// ---- Creation ----------------------------------------------------------------------------

// Every widget of the menu room, in this order: the logo, the start sign
// (handed to the player animator and shown at once; with memories saved it
// reads "continue" at their level, and a "new game" sign hangs over the
// second door at `newGameDoor`), the settings button with the two volume
// sliders and the controls button under it, the credits button, the credits' close button and
// picture, the quit button, the editor and levels buttons at the row's ends,
// then the pad's hint. The player, the doors, the control wall (which makes
// its MenuControlUI) and the music are the scene script's own.
void CreateMenuWidgets(int savedMemories, const TarnVec2& newGameDoor);
// The floor under a level or menu: centred on the camera, the window plus a
// margin of 20 each way, in layer 0.
BackgroundUI* CreateBackground();
// One step of the start sign's blink: its first picture ("startbtn_1.png")
// for half a second, then its second for half a second.
void AnimateStartSign();
