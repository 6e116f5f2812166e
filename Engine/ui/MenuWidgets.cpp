// Moth Lantern: the menu room's buttons, credits, start sign, logo, controls
// picture, and the drifting floor.
#include "MenuWidgets.h"

#include "AssetManager.h"
#include "ControlsPanel.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "PadFocus.h"
#include "PauseMenu.h"
#include "PlayerAnimator.h"
#include "TarnInput.h"
#include "TarnSystem.h"
#include "World.h"

#include <cmath>

float gStartSignTimer = 0.0f;

namespace {

bool EscapePressed() {
    return TarnInputCheckTriggered(TARN_KEY_ESCAPE);
}

void AddTo(int layer, GameObject* widget) {
    gWorld->Add(layer, widget);
}

void RequestState(GameStateId state) {
    gGameStateManager->next = state;
}

TarnGfxVertexList* SharedQuad() {
    return gAssetManager->GetMesh(0);
}

// Keeps the fractional part: the floor texture repeats, so a scroll offset of
// 1.25 shows exactly what 0.25 shows, and a small number keeps its precision
// however long the game runs.
float WrapUnit(float value) {
    return value - std::floor(value);
}

} // namespace

// ============================================================================
// Bottom-row buttons
// ============================================================================
MenuButton::MenuButton(float x, float y, const char* name) : textureName(name) {
    offset = TarnVec2{x, y};
    scale = TarnVec2{128.0f, 64.0f};
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    AddTo(Layer::Pictures, this);
}

void MenuButton::Init() {
    SetPos(CameraPlus(offset));
    SetTexture(TextureNamed(textureName));
}

void MenuButton::Update() {
    if (gControlsPanel != nullptr) {
        return;
    }
    UIButton::Update();
    if (clicked) {
        OnClick();
    }
}

void StateButton::OnClick() {
    // The credits close with the room: back in it, they would hang over a
    // player free to walk.
    gCreditsShown = false;
    RequestState(state);
}

QuitButton::QuitButton(float x, float y) : StateButton(x, y, "btn_quit.png", GameState::Quit) {}

OpenEditorButton::OpenEditorButton(float x, float y)
    : StateButton(x, y, "btn_editor.png", GameState::LevelEditor) {}

LevelsButton::LevelsButton(float x, float y)
    : StateButton(x, y, "btn_levels.png", GameState::Load) {}

void SettingsButton::Update() {
    MenuButton::Update();
    // Esc backs out of the settings (not when it closed the controls panel
    // this frame: the panel hands the settings back).
    if (!clicked && gControlsPanel == nullptr && !ControlsPanelTookBackPress() && EscapePressed()) {
        gSettingsShown = false;
    }
}

void SettingsButton::OnClick() {
    gSettingsShown = !gSettingsShown;
}

void CreditsButton::OnClick() {
    if (!gCreditsShown) {
        gCreditsShown = true;
        SetPlayerCanMove(false);
    }
}

SettingsRowButton::SettingsRowButton(float x, float y, const char* textureName, float buttonWidth,
                                     float buttonHeight)
    : MenuButton(x, y, textureName), width(buttonWidth), height(buttonHeight) {}

void SettingsRowButton::Init() {
    MenuButton::Init();
    SetScale(width, height);
}

void SettingsRowButton::Draw() {
    if (gSettingsShown) {
        UI::Draw();
    }
}

bool SettingsRowButton::Focusable() const {
    return gSettingsShown;
}

ControlsButton::ControlsButton(float x, float y)
    : SettingsRowButton(x, y, "btn_controls.png", 150.0f, 44.0f) {}

DisplayButton::DisplayButton(float x, float y, DisplayChoice displayChoice)
    : SettingsRowButton(x, y, DisplayChoicePicture(displayChoice), 140.0f, 38.0f),
      choice(displayChoice) {}

void DisplayButton::Update() {
    MenuButton::Update();
    SetTexture(TextureNamed(DisplayChoicePicture(choice)));
}

void DisplayButton::OnClick() {
    if (gSettingsShown) {
        ToggleDisplayChoice(choice);
    }
}

// The credits close first; the settings come back when the panel closes.
void ControlsButton::OnClick() {
    if (!gSettingsShown) {
        return;
    }
    gCreditsShown = false;
    gSettingsShown = false;
    gPadMenuRow = true;
    SetPlayerCanMove(false);
    OpenControlsPanel([] {
        gSettingsShown = true;
        SetPlayerCanMove(true);
    });
}

// ============================================================================
// Credits
// ============================================================================
Credits::Credits(float x, float y) {
    SetUpWidget(*this, Layer::Pictures, x, y, 128.0f, 64.0f, "btn_close.png");
}

// Hover runs even while hidden, so the button is lit the moment it shows.
// Esc closes the credits as the button does.
void Credits::Update() {
    UIButton::Update();
    if (gCreditsShown && (clicked || EscapePressed())) {
        gCreditsShown = false;
        SetPlayerCanMove(true);
    }
}

bool Credits::Focusable() const {
    return gCreditsShown;
}

void Credits::Draw() {
    if (gCreditsShown) {
        UI::Draw();
    }
}

CreditsBox::CreditsBox(float x, float y) {
    SetUpWidget(*this, Layer::Panels, x, y, 500.0f, 500.0f, "credits.png");
}

void CreditsBox::Update() {
    UI::Update();
    visible = gCreditsShown;
}

// ============================================================================
// Start sign, logo and controls picture
// ============================================================================
StartBtn::StartBtn() : mesh(SharedQuad()) {}

StartBtn::StartBtn(const char* first, const char* second) : StartBtn() {
    frames[0] = first;
    frames[1] = second;
}

void StartBtn::Update() {
    UI::Update();
    if (gPlayerAnimator->GetStartSign() == this) {
        AnimateStartSign();
    } else {
        SetTexture(TextureNamed(frames[gStartSignTimer < 0.5f ? 0 : 1]));
    }
}

void StartBtn::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_TRANSLUCENT, texture, mesh);
}

void AnimateStartSign() {
    StaticObject* sign = gPlayerAnimator->GetStartSign();
    if (sign == nullptr) {
        return;
    }
    const auto* door = dynamic_cast<const StartBtn*>(sign);
    const char* const* frames = door != nullptr ? door->frames : StartBtn::kStartFrames;
    gStartSignTimer += gFrameTime;
    if (gStartSignTimer <= 0.0f) {
        return;
    }
    if (gStartSignTimer < 0.5f) {
        sign->SetTexture(TextureNamed(frames[0]));
    } else if (gStartSignTimer > 0.5f && gStartSignTimer < 1.0f) {
        sign->SetTexture(TextureNamed(frames[1]));
    } else if (gStartSignTimer > 1.0f) {
        gStartSignTimer = 0.0f;
    }
}

Logo::Logo(TarnGfxTexture* texture) : logoTexture(texture) {
    SetPos(0.0f, 290.0f);
    scale = TarnVec2{150.0f, 150.0f};
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    AddTo(Layer::Panels, this);
}

void Logo::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_TRANSLUCENT, logoTexture,
             SharedQuad());
}

PadHint::PadHint() {
    SetUpWidget(*this, Layer::Pictures, 0.0f, -358.0f, 420.0f, 26.0f, "pad_hint.png");
}

void PadHint::Draw() {
    if (TarnInputPadCount() > 0) {
        UI::Draw();
    }
}

MenuControlUI::MenuControlUI() : mesh(SharedQuad()) {
    offset = TarnVec2{300.0f, gHalfWindowHeight - 300.0f};
    scale = TarnVec2{300.0f, 300.0f};
    texture = TextureNamed("control_menu.png");
    AddTo(Layer::Pictures, this);
}

void MenuControlUI::Update() {
    UI::Update();
    revealed = false;
}

void MenuControlUI::Draw() {
    if (!revealed) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_NONE, texture, mesh);
}

// ============================================================================
// The drifting floor
// ============================================================================
BackgroundUI::BackgroundUI(int layer, float x, float y, TarnGfxTexture* floorTexture, bool collides,
                           bool castsShadow, float scaleX, float scaleY)
    : UIBox(layer, x, y, floorTexture, collides, castsShadow, scaleX, scaleY) {}

void BackgroundUI::Init() {
    drift.x = TarnRandFloat() * (2.0f * driftRange) - driftRange;
    drift.y = TarnRandFloat() * (2.0f * driftRange) - driftRange;
}

void BackgroundUI::Update() {
    UI::Update();
    textureOffset.x = WrapUnit(textureOffset.x + drift.x * gFrameTime / scale.x);
    textureOffset.y = WrapUnit(textureOffset.y + drift.y * gFrameTime / scale.y);
}

void BackgroundUI::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxTextureSet(texture, textureOffset.x, textureOffset.y);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxSetTintColor(tintColor.r, tintColor.g, tintColor.b, tintColor.a);
    TarnGfxSetTransparency(tintColor.a);
    TarnGfxSetTransform(&transform);
    TarnGfxMeshDraw(SharedQuad(), TARN_DRAW_TRIANGLES);
}

// ============================================================================
// Creation
// ============================================================================
namespace {

// The "continue" signs by the level a saved game goes on at (2 to 5).
constexpr const char* kContinueSigns[4][2] = {{"sign_continue2_1.png", "sign_continue2_2.png"},
                                              {"sign_continue3_1.png", "sign_continue3_2.png"},
                                              {"sign_continue4_1.png", "sign_continue4_2.png"},
                                              {"sign_continue5_1.png", "sign_continue5_2.png"}};

StartBtn* AddDoorSign(StartBtn* sign, const TarnVec2& at, float width, float height) {
    sign->SetPos(0.0f, 0.0f);
    sign->offset = at;
    sign->SetScale(width, height);
    sign->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    AddTo(Layer::Panels, sign);
    return sign;
}

// Over the room's own door: "start", or "continue" at the saved level; with a
// game saved, "new game" over the second door.
void AddDoorSigns(int savedMemories, const TarnVec2& newGameDoor) {
    StartBtn* sign = nullptr;
    if (savedMemories >= 1 && savedMemories <= 4) {
        const auto& frames = kContinueSigns[savedMemories - 1];
        sign =
            AddDoorSign(new StartBtn(frames[0], frames[1]), TarnVec2{0.0f, 182.0f}, 180.0f, 64.0f);
        AddDoorSign(new StartBtn("sign_newgame_1.png", "sign_newgame_2.png"),
                    TarnVec2{newGameDoor.x, newGameDoor.y + 75.0f}, 140.0f, 50.0f);
    } else {
        sign = AddDoorSign(new StartBtn(), TarnVec2{0.0f, 175.0f}, 100.0f, 50.0f);
    }
    gPlayerAnimator->SetStartSign(sign);
    AnimateStartSign();
}

} // namespace

void CreateMenuWidgets(int savedMemories, const TarnVec2& newGameDoor) {
    new Logo(TextureNamed("logo.png"));
    AddDoorSigns(savedMemories, newGameDoor);
    new SettingsButton(-200.0f, -170.0f);
    new BGMControl(-247.0f, -230.0f);
    new SFXControl(-247.0f, -310.0f);
    new ControlsButton(60.0f, -270.0f);
    new DisplayButton(300.0f, -230.0f, DisplayChoice::Window);
    new DisplayButton(300.0f, -275.0f, DisplayChoice::Picture);
    new DisplayButton(300.0f, -320.0f, DisplayChoice::VSync);
    new CreditsButton(0.0f, -170.0f);
    new Credits(0.0f, -100.0f);
    new CreditsBox(0.0f, 100.0f);
    new QuitButton(200.0f, -170.0f);
    new OpenEditorButton(-400.0f, -170.0f);
    new LevelsButton(400.0f, -170.0f);
    new PadHint();
}

BackgroundUI* CreateBackground() {
    BackgroundUI* floor =
        new BackgroundUI(Layer::Level, 0.0f, 0.0f, LevelTextureNamed("o_floor_scaled.png"), false,
                         false, gHalfWindowWidth * 2.0f + 20.0f, gHalfWindowHeight * 2.0f + 20.0f);
    floor->offset = TarnVec2{0.0f, 0.0f};
    return floor;
}
