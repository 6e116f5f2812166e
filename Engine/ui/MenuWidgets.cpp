// Moth Lantern: the menu room's buttons, credits, start sign, logo, controls
// picture, and the drifting floor.
#include "MenuWidgets.h"

#include "AssetManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "PauseMenu.h"
#include "PlayerAnimator.h"
#include "TarnSystem.h"
#include "World.h"

#include <cmath>

float gStartSignTimer = 0.0f;

namespace {

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

void StateButton::Update() {
    UIButton::Update();
    if (clicked) {
        RequestState(state);
    }
}

QuitButton::QuitButton(float x, float y) : StateButton(x, y, "btn_quit.png", GameState::Quit) {}

OpenEditorButton::OpenEditorButton(float x, float y)
    : StateButton(x, y, "btn_editor.png", GameState::LevelEditor) {}

LevelsButton::LevelsButton(float x, float y)
    : StateButton(x, y, "btn_levels.png", GameState::Load) {}

void SettingsButton::Update() {
    UIButton::Update();
    if (clicked) {
        gSettingsShown = !gSettingsShown;
    }
}

void CreditsButton::Update() {
    UIButton::Update();
    if (clicked && !gCreditsShown) {
        gCreditsShown = true;
        SetPlayerCanMove(false);
    }
}

// ============================================================================
// Credits
// ============================================================================
Credits::Credits(float x, float y) {
    SetUpWidget(*this, Layer::Pictures, x, y, 128.0f, 64.0f, "btn_close.png");
}

// Hover runs even while hidden, so the button is lit the moment it shows.
void Credits::Update() {
    UIButton::Update();
    if (gCreditsShown && clicked) {
        gCreditsShown = false;
        SetPlayerCanMove(true);
    }
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

void StartBtn::Update() {
    UI::Update();
    AnimateStartSign();
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
    gStartSignTimer += gFrameTime;
    if (gStartSignTimer <= 0.0f) {
        return;
    }
    if (gStartSignTimer < 0.5f) {
        sign->SetTexture(TextureNamed("startbtn_1.png"));
    } else if (gStartSignTimer > 0.5f && gStartSignTimer < 1.0f) {
        sign->SetTexture(TextureNamed("startbtn_2.png"));
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
void CreateMenuWidgets() {
    new Logo(TextureNamed("logo.png"));
    StartBtn* sign = new StartBtn();
    sign->SetPos(0.0f, 0.0f);
    sign->offset = TarnVec2{0.0f, 175.0f};
    sign->SetScale(100.0f, 50.0f);
    sign->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    AddTo(Layer::Panels, sign);
    gPlayerAnimator->SetStartSign(sign);
    AnimateStartSign();
    new SettingsButton(-200.0f, -170.0f);
    new BGMControl(-247.0f, -230.0f);
    new SFXControl(-247.0f, -310.0f);
    new CreditsButton(0.0f, -170.0f);
    new Credits(0.0f, -100.0f);
    new CreditsBox(0.0f, 100.0f);
    new QuitButton(200.0f, -170.0f);
    new OpenEditorButton(-400.0f, -170.0f);
    new LevelsButton(400.0f, -170.0f);
}

BackgroundUI* CreateBackground() {
    BackgroundUI* floor =
        new BackgroundUI(Layer::Level, 0.0f, 0.0f, LevelTextureNamed("o_floor_scaled.png"), false,
                         false, gHalfWindowWidth * 2.0f + 20.0f, gHalfWindowHeight * 2.0f + 20.0f);
    floor->offset = TarnVec2{0.0f, 0.0f};
    return floor;
}
