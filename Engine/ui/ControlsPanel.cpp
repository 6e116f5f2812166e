#include "ControlsPanel.h"

#include "Globals.h"
#include "KeyBindings.h"
#include "PadControls.h"
#include "TarnInput.h"
#include "World.h"

ControlsPanel* gControlsPanel = nullptr;

namespace {

constexpr float kPanelWidth = 500.0f;
constexpr float kPanelHeight = 480.0f;
constexpr float kCapWidth = 104.0f;
constexpr float kCapHeight = 40.0f;
// The key rows and columns, as the panel's picture lays them out
// (tools/assets/art_options.py): rows 50 apart from 115 above the centre.
constexpr float kFirstRowY = 115.0f;
constexpr float kRowStep = 50.0f;
constexpr float kKeyX = 30.0f;
constexpr float kSecondKeyX = 160.0f;
constexpr float kButtonsY = -190.0f;

bool gBackTaken = false; // this frame's Esc or B cancelled a binding

// Sizes and places a widget the panel owns (it is in no World layer).
void Place(UI& widget, float x, float y, float width, float height, const char* textureName) {
    widget.offset = TarnVec2{x, y};
    widget.SetPos(CameraPlus(widget.offset));
    widget.SetScale(width, height);
    widget.SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    widget.SetTexture(textureName != nullptr ? TextureNamed(textureName) : nullptr);
}

// The first key pressed this frame that a player may bind, 0 for none.
int BindableKeyPressed() {
    for (int key = 1; key < 256; ++key) {
        if (IsBindableKey(key) && TarnInputCheckTriggered(static_cast<unsigned char>(key))) {
            return key;
        }
    }
    return 0;
}

} // namespace

// ============================================================================
// Key caps and buttons
// ============================================================================
KeyCapButton::KeyCapButton(int keyAction, int keySlot, float x, float y)
    : action(keyAction), slot(keySlot) {
    Place(*this, x, y, kCapWidth, kCapHeight, "keycaps.png");
}

void KeyCapButton::Draw() {
    BuildTransform(&transform, scale, position, 0.0f);
    if (waiting) {
        DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_TRANSLUCENT,
                 TextureNamed("keycap_waiting.png"), UnitQuadMesh());
        return;
    }
    // The cap in the cell of the key's code (cell 0: an empty slot).
    const int key = gKeyBindings->KeyFor(action, slot);
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxTextureSet(texture, static_cast<float>(key % kKeyCapColumns) / kKeyCapColumns,
                      static_cast<float>(key / kKeyCapColumns) / kKeyCapRows);
    TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
    TarnGfxSetTintColor(tintColor.r, tintColor.g, tintColor.b, tintColor.a);
    TarnGfxSetTransparency(1.0f);
    TarnGfxSetTransform(&transform);
    TarnGfxMeshDraw(gAssetManager->GetMesh(2), TARN_DRAW_TRIANGLES);
}

PanelButton::PanelButton(float x, float y, float width, float height, const char* textureName) {
    Place(*this, x, y, width, height, textureName);
}

// ============================================================================
// The panel
// ============================================================================
ControlsPanel::ControlsPanel(std::function<void()> closed) : onClose(std::move(closed)) {
    SetUpWidget(*this, Layer::Pictures, 0.0f, 0.0f, kPanelWidth, kPanelHeight,
                "controls_panel.png");
    for (int row = 0; row < kBindableActionCount; ++row) {
        const float y = kFirstRowY - kRowStep * static_cast<float>(row);
        keys.push_back(
            std::make_unique<KeyCapButton>(kBindableActions[row], KeyBindings::kPrimary, kKeyX, y));
        keys.push_back(std::make_unique<KeyCapButton>(kBindableActions[row], KeyBindings::kSecond,
                                                      kSecondKeyX, y));
    }
    defaults = std::make_unique<PanelButton>(-85.0f, kButtonsY, 150.0f, 50.0f, "btn_defaults.png");
    close = std::make_unique<PanelButton>(85.0f, kButtonsY, 128.0f, 64.0f, "btn_close.png");
    gControlsPanel = this;
}

ControlsPanel::~ControlsPanel() {
    if (gControlsPanel == this) {
        gControlsPanel = nullptr;
    }
}

void ControlsPanel::Update() {
    UI::Update();
    gBackTaken = false;
    const bool listening = waiting != nullptr;
    if (listening) {
        Listen();
    }
    for (auto& key : keys) {
        key->Update();
    }
    defaults->Update();
    close->Update();
    // The click that opened the panel, or the one that ended a wait, presses
    // nothing more.
    if (opening || listening) {
        opening = false;
        return;
    }
    for (auto& key : keys) {
        if (key->clicked) {
            waiting = key.get();
            waiting->waiting = true;
            return;
        }
    }
    if (defaults->clicked) {
        gKeyBindings->RestoreDefaults();
    }
    // Esc backs out of the panel in the menu room; while paused it closes
    // the whole pause menu, as it does every panel there.
    if (close->clicked || (!gPaused && BackPressed())) {
        Close();
    }
}

// Esc, B or a click cancels; the first key a player may bind is bound.
void ControlsPanel::Listen() {
    if (BackPressed()) {
        gBackTaken = true;
        StopWaiting();
        return;
    }
    if (TarnInputCheckTriggered(TARN_MOUSE_LEFT)) {
        StopWaiting();
        return;
    }
    if (const int key = BindableKeyPressed()) {
        gKeyBindings->Bind(waiting->action, waiting->slot, key);
        StopWaiting();
    }
}

void ControlsPanel::StopWaiting() {
    waiting->waiting = false;
    waiting = nullptr;
}

void ControlsPanel::Close() {
    gWorld->Destroy(Layer::Pictures, this);
    gControlsPanel = nullptr;
    if (onClose) {
        onClose();
    }
}

void ControlsPanel::Draw() {
    UI::Draw();
    for (auto& key : keys) {
        key->Draw();
    }
    defaults->Draw();
    close->Draw();
}

ControlsPanel* OpenControlsPanel(std::function<void()> onClose) {
    return new ControlsPanel(std::move(onClose));
}

bool ControlsPanelTookBackPress() {
    return gControlsPanel != nullptr && gBackTaken;
}

void WatchControlsPanel(World& world) {
    world.WatchPointer(&gControlsPanel);
}
