// Moth Lantern: health, light charge, memories and key on the screen.
#include "Hud.h"

#include "AssetManager.h"
#include "Globals.h"
#include "World.h"

#include <cstdio>

namespace {

constexpr float kBarHeight = 30.0f;
constexpr float kHealthWidthPerPoint = 1.65f;
constexpr float kLightWidthPerCharge = 0.45833f;
constexpr float kMaxCharge = 360.0f;
constexpr float kChargeHigh = 288.0f; // 80 % of the full charge
constexpr float kChargeLow = 72.0f;   // 20 %

void AddWithFrame(UIBox* frame, UI* widget) {
    gWorld->Add(Layer::Panels, frame);
    gWorld->Add(Layer::Pictures, widget);
}

} // namespace

// ============================================================================
// Health bar
// ============================================================================
HealthBar::HealthBar() {
    scale = TarnVec2{165.0f, kBarHeight};
    offset = TarnVec2{-gHalfWindowWidth + 40.0f, gHalfWindowHeight - 25.0f};
    SetBlendColor(1.0f, 0.0f, 0.0f, 1.0f);
    SetTintColor(1.0f, 0.0f, 0.0f, 1.0f); // the bar's picture is tinted red
    box = new UIBox(210.0f, 40.0f, offset.x + 70.0f, offset.y, TextureNamed("hpbox.png"));
    texture = TextureNamed("hpbar.png");
    AddWithFrame(box, this);
    mesh = gAssetManager->GetMesh(1);
}

// At 0 health or below the width is 0 or negative; it is passed through as it
// is, since health never stays below 0 for long.
void HealthBar::Update() {
    UI::Update();
    scale = TarnVec2{static_cast<float>(gPlayerHealth) * kHealthWidthPerPoint, kBarHeight};
}

void HealthBar::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_NONE, texture, mesh);
}

// ============================================================================
// Light bar
// ============================================================================
LightBar::LightBar() {
    scale = TarnVec2{165.0f, kBarHeight};
    offset = TarnVec2{-gHalfWindowWidth + 300.0f, gHalfWindowHeight - 25.0f};
    SetBlendColor(1.0f, 1.0f, 0.0f, 1.0f);
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    box = new UIBox(210.0f, 40.0f, offset.x + 80.0f, offset.y, TextureNamed("frame2.png"));
    AddWithFrame(box, this);
    // A unit quad whose left edge is the origin, texture upright.
    constexpr unsigned int kWhite = 0xFFFFFFFF;
    TarnGfxMeshStart();
    TarnGfxTriAdd(0.0f, 0.5f, kWhite, 0.0f, 1.0f, 1.0f, -0.5f, kWhite, 1.0f, 0.0f, 1.0f, 0.5f,
                  kWhite, 1.0f, 1.0f);
    TarnGfxTriAdd(0.0f, 0.5f, kWhite, 0.0f, 1.0f, 0.0f, -0.5f, kWhite, 0.0f, 0.0f, 1.0f, -0.5f,
                  kWhite, 1.0f, 0.0f);
    mesh = TarnGfxMeshEnd();
}

LightBar::~LightBar() {
    TarnGfxMeshFree(mesh);
}

void LightBar::Update() {
    UI::Update();
    // The width follows the charge before it is repaired, so an overfull
    // charge shows for the one frame it exists.
    scale = TarnVec2{gLightCharge * kLightWidthPerCharge, kBarHeight};
    if (gLightCharge <= 0.0f) {
        gLightCharge = 0.0f;
    } else if (gLightCharge > kMaxCharge) {
        gLightCharge = kMaxCharge;
    }
    if (gLightCharge >= kChargeHigh) {
        SetTintColor(0.0f, 1.0f, 0.0f, 1.0f);
    } else if (gLightCharge >= kChargeLow) {
        SetTintColor(1.0f, 1.0f, 0.0f, 1.0f);
    } else {
        SetTintColor(1.0f, 0.0f, 0.0f, 1.0f);
    }
}

void LightBar::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_TRANSLUCENT,
             TextureNamed("batterybar.png"), mesh);
}

// ============================================================================
// Memories
// ============================================================================
Memories::Memories() {
    box = new UIBox();
    AddWithFrame(box, this);
}

void Memories::Init() {
    scale = TarnVec2{60.0f, 60.0f};
    box->SetScale(130.0f, 70.0f);
    offset = TarnVec2{gHalfWindowWidth - 70.0f, gHalfWindowHeight - 40.0f};
    box->offset = offset;
    offset.x -= 40.0f; // the icon sits left of the frame's centre, the count right
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    box->SetTexture(TextureNamed("frame2.png"));
    texture = TextureNamed("memories.png");
}

void Memories::Draw() {
    UI::Draw();
    char* text = gAssetManager->GetTextBuffer();
    std::snprintf(text, 100, "%d / 5", gMemoriesCollected);
    PrintText(gAssetManager->GetFont(), text, position.x + 35.0f, position.y - 15.0f,
              Color{1.0f, 0.0f, 0.0f, 1.0f});
}

// ============================================================================
// Key icon
// ============================================================================
KeyUI::KeyUI() {
    scale = TarnVec2{40.0f, 40.0f};
    offset = TarnVec2{-gHalfWindowWidth + 30.0f, gHalfWindowHeight - 75.0f};
    SetBlendColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetTintColor(1.0f, 1.0f, 1.0f, 0.0f);
    texture = TextureNamed("key.png");
    gWorld->Add(Layer::Pictures, this);
}

void KeyUI::Update() {
    UI::Update();
    SetTransparency(gHasKey ? 1.0f : 0.0f);
}

// ============================================================================
// Creation
// ============================================================================
void CreateStoryHud() {
    new HealthBar();
    new LightBar();
    new Memories();
    new KeyUI();
}

void CreatePuzzleHud() {
    new Memories();
}
