// Moth Lantern: the pause menu, its sub-panels and the volume sliders.
//
// Index:
//   State and shared helpers
//   Pictures
//   Buttons: main buttons, then the sub-panel buttons
//   Volume sliders
//   Toggle, open, close and update
#include "PauseMenu.h"

#include "AudioManager.h"
#include "ControlsPanel.h"
#include "Cursor.h"
#include "DisplayChoices.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "TarnInput.h"
#include "World.h"

#include <cmath>
#include <type_traits>

PauseWidgets gPause;
int gGameModeBeforePause = 0;
bool gSubPanelOpen = false;
bool gSettingsShown = false;
bool gMuted = false;
float gSavedMusicVolume = 0.0f;
float gSavedEffectVolume = 0.0f;

// ============================================================================
// State and shared helpers
// ============================================================================
namespace {

constexpr float kKnobTravel = 200.0f;
constexpr float kMenuKnobBase = -300.0f;
constexpr float kPauseKnobBase = -50.0f;

// A sub-panel opened in this pass of the menu's update: the click that opened
// it must not also press a button of the new panel lying under the mouse
// (yes and no overlap the restart button's lower edge).
bool gPanelOpenedThisPass = false;

// Visits every pause widget pointer in the order the menu closes them.
template <typename Visit> void ForEachPauseSlot(Visit&& visit) {
    visit(gPause.panel);
    visit(gPause.resume);
    visit(gPause.instructions);
    visit(gPause.options);
    visit(gPause.restart);
    visit(gPause.quit);
    visit(gPause.instructionPicture);
    visit(gPause.settingsPanel);
    visit(gPause.music);
    visit(gPause.effects);
    visit(gPause.mute);
    visit(gPause.controls);
    visit(gPause.window);
    visit(gPause.picture);
    visit(gPause.vsync);
    visit(gPause.close);
    visit(gPause.yes);
    visit(gPause.no);
    visit(gPause.confirmation);
}

} // namespace

// A deleted widget leaves no pointer to itself behind.
void ListenForPauseMenuDeletes(World& world) {
    world.AddDeleteListener(&gPause, [](const GameObject* widget) {
        ForEachPauseSlot([widget](auto*& slot) {
            if (static_cast<const GameObject*>(slot) == widget) {
                slot = nullptr;
            }
        });
    });
}

namespace {

// Removes a widget (a slider with its bar first) at the end of the frame.
template <typename T> void DestroyWidget(T*& slot) {
    if (slot == nullptr) {
        return;
    }
    if constexpr (std::is_base_of_v<VolumeSlider, T>) {
        DestroyWidget(slot->track);
    }
    gWorld->Destroy(Layer::Pictures, slot);
    slot = nullptr;
}

template <typename T> void UpdateWidget(T* widget) {
    if (widget != nullptr) {
        widget->Update();
    }
}

void SetMuteTexture(const char* textureName) {
    if (gPause.mute != nullptr) {
        gPause.mute->SetTexture(TextureNamed(textureName));
    }
}

void OpenSubPanel() {
    gSubPanelOpen = true;
    gPanelOpenedThisPass = true;
}

void AskToConfirm(int action) {
    gPause.confirmation = new PauseConfirmation(0.0f, 0.0f);
    gPause.confirmation->confirmAction = action;
    gPause.yes = new PauseYesButton(-100.0f, -25.0f);
    gPause.no = new PauseNoButton(100.0f, -25.0f);
    OpenSubPanel();
}

// Unmuting gives a channel back its volume from before the mute, or the
// default when there is none to give (a knob dragged to the left end mutes
// without putting a volume aside): unmute never leaves a channel silent.
float AudibleVolume(float saved) {
    return saved > 0.0f ? saved : AudioManager::kDefaultVolume;
}

bool IsStoryLevel(GameStateId state) {
    return state >= GameState::Level1 && state <= GameState::Level5;
}

// Leaving the pause by a state change: whatever was paused plays on. A story
// level starts its own track again when it restarts, so its paused track is
// stopped rather than left to play under the new one.
void ResumeSoundForStateChange(bool restarting) {
    if (restarting && IsStoryLevel(gGameStateManager->current)) {
        gAudioManager->StopMusic();
    }
    gAudioManager->ResumeAll();
}

} // namespace

// ============================================================================
// Pictures
// ============================================================================
PausePicture::PausePicture(float x, float y, float width, float height, const char* textureName) {
    SetUpWidget(*this, Layer::Pictures, x, y, width, height, textureName);
}

PauseMenu::PauseMenu(float x, float y) : PausePicture(x, y, 400.0f, 450.0f, "frame1.png") {}

PauseSettings::PauseSettings(float x, float y) : PausePicture(x, y, 450.0f, 450.0f, "frame1.png") {}

namespace {
const char* InstructionPicture(int mode) {
    if (mode == GameMode::Story) {
        return "pause_instructions.png";
    }
    return mode == GameMode::Puzzle ? "puzzle_instructions.png" : nullptr;
}
} // namespace

PauseInstruction::PauseInstruction(float x, float y)
    : PausePicture(x, y, 500.0f, 500.0f, InstructionPicture(gGameModeBeforePause)) {}

PauseConfirmation::PauseConfirmation(float x, float y)
    : PausePicture(x, y, 400.0f, 150.0f, "confirmation.png") {}

// ============================================================================
// Buttons
// ============================================================================
namespace {

struct PauseButtonRow {
    const char* picture; // null: the choice in force picks it (PictureOf)
    float width;
    float height;
    bool onSubPanel; // reacts only while a sub-panel is open (else only while none is)
};

// One row per PauseAction, in its order.
const PauseButtonRow kPauseButtons[] = {
    {"btn_resume.png", 230.0f, 64.0f, false},       // Resume
    {"btn_instructions.png", 230.0f, 64.0f, false}, // Instructions
    {"btn_options_wide.png", 230.0f, 64.0f, false}, // Options
    {"btn_restart.png", 230.0f, 64.0f, false},      // Restart
    {"btn_quitgame.png", 230.0f, 64.0f, false},     // Quit
    {"btn_yes.png", 100.0f, 50.0f, true},           // Yes
    {"btn_no.png", 100.0f, 50.0f, true},            // No
    {"btn_close.png", 128.0f, 64.0f, true},         // Close
    {"unmute.png", 64.0f, 64.0f, true},             // Mute: "mute.png" while muted
    {"btn_controls.png", 150.0f, 44.0f, true},      // Controls
    {nullptr, 140.0f, 38.0f, true},                 // DisplayWindow: the choice in force
    {nullptr, 140.0f, 38.0f, true},                 // DisplayPicture
    {nullptr, 140.0f, 38.0f, true},                 // DisplayVSync
};

const PauseButtonRow& RowOf(PauseAction action) {
    return kPauseButtons[static_cast<int>(action)];
}

bool IsDisplayChoice(PauseAction action) {
    return action == PauseAction::DisplayWindow || action == PauseAction::DisplayPicture ||
           action == PauseAction::DisplayVSync;
}

DisplayChoice ChoiceOf(PauseAction action) {
    return static_cast<DisplayChoice>(static_cast<int>(action) -
                                      static_cast<int>(PauseAction::DisplayWindow));
}

// The button's picture now: the mute button's by the mute, a display
// choice's by the choice in force, else its row's.
const char* PictureOf(PauseAction action) {
    if (action == PauseAction::Mute && gMuted) {
        return "mute.png";
    }
    return IsDisplayChoice(action) ? DisplayChoicePicture(ChoiceOf(action)) : RowOf(action).picture;
}

void OpenInstructions() {
    gPause.instructionPicture = new PauseInstruction(0.0f, 0.0f);
    gPause.close = new PauseCloseButton(0.0f, -200.0f);
    OpenSubPanel();
}

void OpenSettings() {
    gPause.settingsPanel = new PauseSettings(-7.0f, 25.0f);
    gPause.music = new BGMControl(0.0f, 150.0f);
    gPause.effects = new SFXControl(0.0f, 95.0f);
    gPause.window = new PauseButton(-110.0f, 35.0f, PauseAction::DisplayWindow);
    gPause.picture = new PauseButton(110.0f, 35.0f, PauseAction::DisplayPicture);
    gPause.vsync = new PauseButton(-110.0f, -15.0f, PauseAction::DisplayVSync);
    gPause.controls = new PauseControlsButton(110.0f, -15.0f);
    gPause.mute = new PauseMuteButton(0.0f, -85.0f);
    gPause.close = new PauseCloseButton(0.0f, -155.0f);
    OpenSubPanel();
    gSettingsShown = true;
}

// Yes: restarts the level or quits to the main menu, as the question asked.
void Confirm() {
    const bool quitting = gPause.confirmation != nullptr && gPause.confirmation->confirmAction == 1;
    gGameStateManager->next = quitting ? GameState::Menu : GameState::Restart;
    gGameMode = gGameModeBeforePause;
    ClosePauseMenu();
    gPaused = false;
    gSubPanelOpen = false;
    ResumeSoundForStateChange(!quitting);
}

void Decline() {
    DestroyWidget(gPause.yes);
    DestroyWidget(gPause.no);
    DestroyWidget(gPause.confirmation);
    gSubPanelOpen = false;
}

void CloseSubPanel() {
    DestroyWidget(gPause.instructionPicture);
    DestroyWidget(gPause.settingsPanel);
    DestroyWidget(gPause.music);
    DestroyWidget(gPause.effects);
    DestroyWidget(gPause.mute);
    DestroyWidget(gPause.controls);
    DestroyWidget(gPause.window);
    DestroyWidget(gPause.picture);
    DestroyWidget(gPause.vsync);
    DestroyWidget(gPause.close);
    gSubPanelOpen = false;
    gSettingsShown = false;
}

// The settings give way to the controls panel, which brings them back when
// it closes.
void OpenControls() {
    CloseSubPanel();
    OpenControlsPanel(OpenSettings);
    OpenSubPanel();
}

void ToggleMute(PauseButton& button) {
    if (gMuted) {
        gAudioManager->SetMusicVolume(AudibleVolume(gSavedMusicVolume));
        gAudioManager->SetEffectVolume(AudibleVolume(gSavedEffectVolume));
        button.SetTexture(TextureNamed("unmute.png"));
        gMuted = false;
    } else {
        gSavedMusicVolume = gAudioManager->GetMusicVolume();
        gSavedEffectVolume = gAudioManager->GetEffectVolume();
        gAudioManager->SetMusicVolume(0.0f);
        gAudioManager->SetEffectVolume(0.0f);
        button.SetTexture(TextureNamed("mute.png"));
        gMuted = true;
    }
}

void Run(PauseAction action, PauseButton& button) {
    switch (action) {
    case PauseAction::Resume:
        TogglePause();
        break;
    case PauseAction::Instructions:
        OpenInstructions();
        break;
    case PauseAction::Options:
        OpenSettings();
        break;
    case PauseAction::Restart:
        AskToConfirm(0);
        break;
    case PauseAction::Quit:
        AskToConfirm(1);
        break;
    case PauseAction::Yes:
        Confirm();
        break;
    case PauseAction::No:
        Decline();
        break;
    case PauseAction::Close:
        CloseSubPanel();
        break;
    case PauseAction::Mute:
        ToggleMute(button);
        break;
    case PauseAction::Controls:
        OpenControls();
        break;
    case PauseAction::DisplayWindow:
    case PauseAction::DisplayPicture:
    case PauseAction::DisplayVSync:
        ToggleDisplayChoice(ChoiceOf(action));
        break;
    }
}

} // namespace

PauseButton::PauseButton(float x, float y, PauseAction buttonAction) : action(buttonAction) {
    const PauseButtonRow& row = RowOf(action);
    SetUpWidget(*this, Layer::Pictures, x, y, row.width, row.height, PictureOf(action));
}

void PauseButton::Update() {
    const bool onSubPanel = RowOf(action).onSubPanel;
    if (gSubPanelOpen != onSubPanel) {
        return; // frozen: no hover, no click
    }
    UIButton::Update();
    // A sub-panel's buttons wait for the click that opened it to pass.
    if (clicked && !(onSubPanel && gPanelOpenedThisPass)) {
        Run(action, *this);
    }
    if (IsDisplayChoice(action)) {
        SetTexture(TextureNamed(PictureOf(action))); // Alt+Enter switches the window too
    }
}

void PauseButton::Draw() {
    if (gSubPanelOpen == RowOf(action).onSubPanel) {
        UIButton::Draw();
    }
}

// ============================================================================
// Volume sliders
// ============================================================================
VolumeSlider::VolumeSlider(float x, float y, Channel sliderChannel) : channel(sliderChannel) {
    const char* bar = channel == Channel::Music ? "slider_bgm.png" : "slider_sfx.png";
    track = new UIBox(357.0f, 28.0f, x, y, TextureNamed(bar));
    track->SetPos(CameraPlus(track->offset));
    gWorld->Add(Layer::Pictures, track); // under the knob
    SetUpWidget(*this, Layer::Pictures, x, y, 80.0f, 80.0f, "sliderbtn.png");
}

float VolumeSlider::Volume() const {
    return channel == Channel::Music ? gAudioManager->GetMusicVolume()
                                     : gAudioManager->GetEffectVolume();
}

void VolumeSlider::SetVolume(float volume) const {
    channel == Channel::Music ? gAudioManager->SetMusicVolume(volume)
                              : gAudioManager->SetEffectVolume(volume);
}

void VolumeSlider::Update() {
    const bool inMainMenu = gGameMode == GameMode::Menu;
    if (!inMainMenu && !(gGameMode == GameMode::Paused && gSubPanelOpen)) {
        return;
    }
    if (!gSettingsShown) {
        track->visible = false;
        dragArmed = false;
        return;
    }
    track->visible = true;
    track->Update();
    value = Volume();
    const float knobBase = inMainMenu ? kMenuKnobBase : kPauseKnobBase;
    offset.x = value * kKnobTravel + knobBase;
    UIButton::Update();
    // The press that opened the settings may still be held over the knob
    // (the options and settings buttons lie close to it); only a press made
    // while the slider shows may drag it.
    const bool held = TarnInputCheckCurr(TARN_MOUSE_LEFT);
    if (!held) {
        dragArmed = true;
    }
    if (hovered && held && dragArmed) {
        Drag();
    }
}

// The knob follows the mouse; the new volume shows in the next frame, when
// the knob is placed from it.
void VolumeSlider::Drag() {
    const float delta = gMouseX - offset.x;
    offset.x = gMouseX;
    MoveTo(value + delta / kKnobTravel); // so value = (gMouseX - knob base) / 200
}

bool VolumeSlider::Focusable() const {
    return gSettingsShown;
}

bool VolumeSlider::StepSideways(int direction) {
    constexpr float kPadStep = 0.1f;
    value = Volume();
    // Whole tenths, so steps land on the same marks both ways.
    MoveTo(std::round((value + kPadStep * static_cast<float>(direction)) * 10.0f) / 10.0f);
    return true;
}

void VolumeSlider::MoveTo(float newValue) {
    const bool inPauseMenu = gGameMode == GameMode::Paused;
    value = newValue;
    if (value <= 0.0f) {
        value = 0.0f;
        if (inPauseMenu) {
            SetMuteTexture("mute.png");
        }
        gMuted = true;
    } else {
        if (inPauseMenu) {
            SetMuteTexture("unmute.png");
        }
        gMuted = false;
    }
    if (value >= 1.0f) {
        value = 1.0f;
    }
    SetVolume(value);
}

void VolumeSlider::Draw() {
    if (gSettingsShown) {
        UI::Draw();
    }
}

// ============================================================================
// Toggle, open, close and update
// ============================================================================
void TogglePause() {
    if (gGameMode != GameMode::Paused) {
        gGameModeBeforePause = gGameMode;
    }
    if (gPaused) {
        ClosePauseMenu();
        gAudioManager->ResumeAll();
        gPaused = false;
        gGameMode = gGameModeBeforePause;
        if (gGameMode == GameMode::Puzzle) {
            SetCursorVisible(false);
        }
    } else {
        OpenPauseMenu();
        gAudioManager->PauseAll();
        gPaused = true;
    }
}

void OpenPauseMenu() {
    gPause.panel = new PauseMenu(-7.0f, 20.0f);
    gPause.resume = new PauseResumeButton(-10.0f, 180.0f);
    gPause.instructions = new PauseInstructionButton(-10.0f, 100.0f);
    gPause.options = new PauseSettingButton(-10.0f, 20.0f);
    gPause.restart = new PauseRestartButton(-10.0f, -60.0f);
    gPause.quit = new PauseQuitButton(-10.0f, -140.0f);
    gGameMode = GameMode::Paused;
    SetCursorVisible(true);
}

void ClosePauseMenu() {
    ForEachPauseSlot([](auto*& slot) { DestroyWidget(slot); });
    if (gControlsPanel != nullptr) {
        gWorld->Destroy(Layer::Pictures, gControlsPanel);
        gControlsPanel = nullptr;
    }
    gSubPanelOpen = false;
    if (gGameMode == GameMode::Puzzle) {
        SetCursorVisible(false);
    }
}

void UpdatePauseMenu() {
    gPanelOpenedThisPass = false;
    UpdateWidget(gPause.resume);
    UpdateWidget(gPause.instructions);
    UpdateWidget(gPause.options);
    UpdateWidget(gPause.restart);
    UpdateWidget(gPause.quit);
    UpdateWidget(gPause.panel);
    UpdateWidget(gPause.close);
    UpdateWidget(gPause.instructionPicture);
    UpdateWidget(gPause.settingsPanel);
    UpdateWidget(gPause.music);
    UpdateWidget(gPause.effects);
    UpdateWidget(gPause.mute);
    UpdateWidget(gPause.controls);
    UpdateWidget(gPause.window);
    UpdateWidget(gPause.picture);
    UpdateWidget(gPause.vsync);
    UpdateWidget(gPause.confirmation);
    UpdateWidget(gPause.yes);
    UpdateWidget(gPause.no);
    UpdateWidget(gControlsPanel);
}
