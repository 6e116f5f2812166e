// Moth Lantern: the base classes of every screen-space widget.
//
// A widget lives in a World layer like any object but keeps its place on the
// screen: each frame its world position is the camera position plus its
// offset from the window centre (x right, y up, the units of gMouseX/gMouseY).
// UIButton adds mouse hover and click; UIBox is an opaque panel that can hide.
#pragma once
#include "AssetManager.h"
#include "GameObject.h"

#include <string>

// A hovered button's tint: golden yellow over its texture.
constexpr Color kHoverTint{219.0f / 255.0f, 186.0f / 255.0f, 37.0f / 255.0f, 1.0f};
// A button's tint while the mouse is elsewhere.
constexpr Color kIdleTint{1.0f, 1.0f, 1.0f, 1.0f};

// True when the mouse lies strictly inside the rectangle of the given centre
// and full size, in screen offsets; a mouse exactly on an edge is outside.
bool IsMouseOver(const TarnVec2& centre, const TarnVec2& size);

// Freezes (false) or frees (true) the World's player; without a live player
// nothing happens. The player lives on a floor above the widgets, so the
// application installs how it is done (gSetPlayerCanMove).
void SetPlayerCanMove(bool canMove);
extern void (*gSetPlayerCanMove)(bool canMove);

// The camera position plus an offset: where a widget made outside the World's
// update pass (while paused, or after the update) must stand this frame.
TarnVec2 CameraPlus(const TarnVec2& offset);

class UI : public StaticObject {
  public:
    UI() = default;
    UI(int layer, float x, float y, TarnGfxTexture* texture, bool collides, bool castsShadow,
       float scaleX, float scaleY)
        : StaticObject(layer, x, y, texture, collides, castsShadow, scaleX, scaleY) {}

    // Places the widget at camera position + offset.
    void Update() override;
    // Translucent quad, fully opaque transparency.
    void Draw() override;

    TarnVec2 offset{0.0f, 0.0f};
    bool revealed = false; // light has found it (the menu's controls picture)
};

class UIButton : public UI {
  public:
    UIButton() = default;
    // A button going away is never highlighted by the pad again.
    ~UIButton() override;

    // Places the button, then sets hovered, padFocused and the one-frame
    // clicked flag. Concrete buttons call it first in their own Update.
    void Update() override;
    // Whether the pad's highlight may land on it now (a button drawn only
    // sometimes says no while hidden).
    virtual bool Focusable() const { return true; }
    // The d-pad pushed left (-1) or right (1) while it is highlighted: true
    // when the button takes the step itself (a slider), false to move on.
    virtual bool StepSideways(int direction) {
        (void)direction;
        return false;
    }

    bool clicked = false;    // the left button went down over it, or A while highlighted
    bool hovered = false;    // the mouse is over it
    bool padFocused = false; // the pad's highlight is on it
};

class UIBox : public UI {
  public:
    UIBox() = default;
    UIBox(int layer, float x, float y, TarnGfxTexture* texture, bool collides, bool castsShadow,
          float scaleX, float scaleY)
        : UI(layer, x, y, texture, collides, castsShadow, scaleX, scaleY) {}
    // Sized and placed on the screen but in no layer yet; the creator adds it.
    UIBox(float scaleX, float scaleY, float offsetX, float offsetY, TarnGfxTexture* texture);

    // A box places itself when the level starts.
    void Init() override { UI::Update(); }
    // Opaque quad, only while visible.
    void Draw() override;

    bool visible = true;
};

// Prints text in the font with its first character's baseline at a world
// point, opaque in the colour; nothing without a font. The one way text
// reaches the screen: the HUD, the editor and the Load dialog all print here.
void PrintText(int font, const std::string& text, float worldX, float worldY, const Color& colour);

// Sets up a widget made outside the World's update pass (while paused, or by a
// script): its offset, its place on the screen at once, size, untinted
// picture (null name: none), and adds it to the layer.
void SetUpWidget(UI& widget, int layer, float x, float y, float width, float height,
                 const char* textureName);
