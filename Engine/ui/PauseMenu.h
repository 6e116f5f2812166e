// Moth Lantern: the pause menu and its settings.
//
// Esc in a level freezes the game and opens a panel of five buttons: resume,
// instructions, options, restart and quit. Instructions shows the controls
// picture; options opens the settings panel with the music and effect volume
// sliders, the display choices (DisplayChoices.h), a mute button and a
// button to the controls panel (which rebinds keys, see ControlsPanel.h, and
// goes back to the settings when closed);
// restart and quit ask "yes or no" first. While
// the menu is open only the cursor and these widgets update, and the music
// and the last sound effect are paused.
//
// Every pause widget is made on demand in layer 6, reached through gPause and
// destroyed with World::Destroy when its panel closes. The menu listens for
// the World's deletes, so a widget deleted any other way (the end of a state)
// leaves no pointer in gPause behind.
//
// The two volume sliders also serve the main menu's settings, in a second
// placement (see BGMControl and SFXControl).
#pragma once
#include "UI.h"

// ---- Pictures ------------------------------------------------------------------

// A picture of the pause menu: placed once on creation, in layer 6.
class PausePicture : public UI {
  public:
    PausePicture(float x, float y, float width, float height, const char* textureName);
    void Init() override {}
};

class PauseMenu : public PausePicture {
  public:
    PauseMenu(float x, float y);
};

// The settings panel stays where it was made.
class PauseSettings : public PausePicture {
  public:
    PauseSettings(float x, float y);
    void Update() override {}
};

// The controls of a story level or of a puzzle, by the mode the game paused in.
class PauseInstruction : public PausePicture {
  public:
    PauseInstruction(float x, float y);
};

class PauseConfirmation : public PausePicture {
  public:
    PauseConfirmation(float x, float y);
    int confirmAction = 0; // 1: quit to the main menu; 0: restart the level
};

// ---- Buttons --------------------------------------------------------------------

// What a pause button does when it is clicked.
enum class PauseAction {
    Resume,
    Instructions,
    Options,
    Restart,
    Quit,
    Yes,
    No,
    Close,
    Mute,
    Controls,
    DisplayWindow, // the three display choices (see DisplayChoices.h)
    DisplayPicture,
    DisplayVSync
};

// A button of the pause menu, made from its row of the button table (picture,
// size, panel, action). Main buttons react and show only while no sub-panel
// is open (a panel over them would show them through), sub-panel buttons
// only while one is.
class PauseButton : public UIButton {
  public:
    PauseButton(float x, float y, PauseAction action);
    void Init() override {}
    // The hover and click test when the button may react now; on a click,
    // its action.
    void Update() override;
    void Draw() override;

    const PauseAction action;
};

// The buttons by name; each is its row of the table.
class PauseResumeButton : public PauseButton {
  public:
    PauseResumeButton(float x, float y) : PauseButton(x, y, PauseAction::Resume) {}
};

class PauseInstructionButton : public PauseButton {
  public:
    PauseInstructionButton(float x, float y) : PauseButton(x, y, PauseAction::Instructions) {}
};

class PauseSettingButton : public PauseButton {
  public:
    PauseSettingButton(float x, float y) : PauseButton(x, y, PauseAction::Options) {}
};

class PauseRestartButton : public PauseButton {
  public:
    PauseRestartButton(float x, float y) : PauseButton(x, y, PauseAction::Restart) {}
};

class PauseQuitButton : public PauseButton {
  public:
    PauseQuitButton(float x, float y) : PauseButton(x, y, PauseAction::Quit) {}
};

class PauseYesButton : public PauseButton {
  public:
    PauseYesButton(float x, float y) : PauseButton(x, y, PauseAction::Yes) {}
};

class PauseNoButton : public PauseButton {
  public:
    PauseNoButton(float x, float y) : PauseButton(x, y, PauseAction::No) {}
};

// Closes the instructions or the settings panel, whichever is open.
class PauseCloseButton : public PauseButton {
  public:
    PauseCloseButton(float x, float y) : PauseButton(x, y, PauseAction::Close) {}
};

// Silences both volumes, remembering them; a second click gives them back.
class PauseMuteButton : public PauseButton {
  public:
    PauseMuteButton(float x, float y) : PauseButton(x, y, PauseAction::Mute) {}
};

// Leaves the settings for the controls panel.
class PauseControlsButton : public PauseButton {
  public:
    PauseControlsButton(float x, float y) : PauseButton(x, y, PauseAction::Controls) {}
};

// ---- Volume sliders -----------------------------------------------------------------

// A volume slider's knob over its bar. The knob runs 200 units: from x -300
// to -100 in the main menu (mode 2), from -50 to 150 in the pause menu (mode 3).
// Holding the left button on the knob drags it (a press held since before the
// slider appeared does not); a knob dragged to the left end mutes the game,
// any other place unmutes it.
class VolumeSlider : public UIButton {
  public:
    enum class Channel { Music, Effects };

    // Adds its bar, then itself, to layer 6.
    VolumeSlider(float x, float y, Channel channel);
    VolumeSlider(const VolumeSlider&) = delete;
    VolumeSlider& operator=(const VolumeSlider&) = delete;

    void Init() override {}
    void Update() override;
    // Only while the settings are shown.
    void Draw() override;
    bool Focusable() const override;
    // The pad's d-pad, left or right on a highlighted knob, moves it a tenth.
    bool StepSideways(int direction) override;

    float value = 0.5f;
    UIBox* track = nullptr; // the bar, owned by the World

  private:
    float Volume() const;
    void SetVolume(float volume) const;
    void Drag();
    // The knob's new value, clamped to 0..1; at 0 the game is muted, anywhere
    // else not.
    void MoveTo(float newValue);

    Channel channel;
    bool dragArmed = false; // the button was up since the slider last appeared
};

class BGMControl : public VolumeSlider {
  public:
    BGMControl(float x, float y) : VolumeSlider(x, y, Channel::Music) {}
};

class SFXControl : public VolumeSlider {
  public:
    SFXControl(float x, float y) : VolumeSlider(x, y, Channel::Effects) {}
};

// ---- The menu's state ------------------------------------------------------------------

// Every pause widget, null while it does not exist.
struct PauseWidgets {
    PauseMenu* panel = nullptr;
    PauseResumeButton* resume = nullptr;
    PauseInstructionButton* instructions = nullptr;
    PauseSettingButton* options = nullptr;
    PauseRestartButton* restart = nullptr;
    PauseQuitButton* quit = nullptr;
    PauseInstruction* instructionPicture = nullptr;
    PauseSettings* settingsPanel = nullptr;
    BGMControl* music = nullptr;
    SFXControl* effects = nullptr;
    PauseMuteButton* mute = nullptr;
    PauseControlsButton* controls = nullptr;
    PauseButton* window = nullptr; // the display choices
    PauseButton* picture = nullptr;
    PauseButton* vsync = nullptr;
    PauseCloseButton* close = nullptr; // shared by the instructions and the settings
    PauseConfirmation* confirmation = nullptr;
    PauseYesButton* yes = nullptr;
    PauseNoButton* no = nullptr;
};

extern PauseWidgets gPause;
extern int gGameModeBeforePause; // gGameMode when the menu opened
extern bool gSubPanelOpen;       // instructions, settings or a confirmation is open
extern bool gSettingsShown;      // the volume sliders show and react
extern bool gMuted;
extern float gSavedMusicVolume; // the volumes the mute button put aside
extern float gSavedEffectVolume;

// ---- Operations -------------------------------------------------------------------------

// Opens the menu when it is closed, closes it when it is open (Esc, resume).
void TogglePause();
// Makes the panel and its five buttons; the cursor shows.
void OpenPauseMenu();
// Destroys every pause widget; in a puzzle the cursor hides again.
void ClosePauseMenu();
// The one update that runs while paused: each pause widget in a fixed order.
void UpdatePauseMenu();
class World;
// Clears gPause's pointer to any widget the World deletes.
void ListenForPauseMenuDeletes(World& world);
