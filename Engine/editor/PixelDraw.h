// Moth Lantern: drawing a modal screen in window pixels.
//
// The Levels dialog holds the game loop while it is open and places what it
// draws in the pixels of the 1024 x 768 view (origin top-left, y down), the
// units the mouse reports. These helpers turn such places into world points
// of the current camera and draw with the game's quads and font.
#pragma once
#include "GameObject.h"

#include <string>

// A rectangle of window pixels, origin top-left, y down.
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
    bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

// A flat rectangle, see-through as far as the colour's alpha says.
void FillPixelRect(const PixelRect& rect, const Color& colour);
// The named picture stretched over the rectangle, blended by its alpha and
// multiplied by the tint (a missing picture draws a flat quad in the tint).
void DrawPixelPicture(const PixelRect& rect, const char* textureName, const Color& tint);
// A texture over the rectangle, multiplied by the tint, in the blend mode.
void DrawPixelTexture(const PixelRect& rect, TarnGfxTexture* texture, const Color& tint,
                      int blendMode);
// Text in the game's font with its first character's baseline at (x, y).
void PrintAtPixel(const std::string& text, int x, int y, const Color& colour);
