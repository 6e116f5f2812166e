// Tarn engine: the logical picture in a window of any size. The game always
// draws a picture of the logical size (1024 x 768). A window of exactly that
// size is drawn into directly; any other window (full screen, resized) gets the
// frame drawn into an off-screen texture of the logical size, which is then
// scaled into the picture rectangle: proportions kept with black bars, or
// stretched. Drawing everything at the logical size keeps bitmap text where
// the pictures around it are, at every window size.
//
// Index: Placement | Settings | Off-screen picture
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <cmath>

using tarn::gSystem;

// ============================================================================
// Placement
// ============================================================================
TarnViewRect TarnSysFitPicture(int windowWidth, int windowHeight, int logicalWidth,
                               int logicalHeight, int aspectMode) {
    TarnViewRect rect = {0, 0, windowWidth, windowHeight};
    if (aspectMode == TARN_ASPECT_STRETCH || windowWidth <= 0 || windowHeight <= 0 ||
        logicalWidth <= 0 || logicalHeight <= 0) {
        return rect;
    }
    // Wider than the picture: bars left and right; taller: bars above and below.
    const long long wide = static_cast<long long>(windowWidth) * logicalHeight;
    const long long tall = static_cast<long long>(windowHeight) * logicalWidth;
    if (wide > tall) {
        rect.width = static_cast<int>(std::lround(static_cast<double>(tall) / logicalHeight));
        rect.x = (windowWidth - rect.width) / 2;
    } else if (tall > wide) {
        rect.height = static_cast<int>(std::lround(static_cast<double>(wide) / logicalWidth));
        rect.y = (windowHeight - rect.height) / 2;
    }
    return rect;
}

int TarnSysWindowToLogical(const TarnViewRect* picture, int logicalWidth, int logicalHeight,
                           int windowX, int windowY, int* logicalX, int* logicalY) {
    if (!picture || picture->width <= 0 || picture->height <= 0) {
        return 0;
    }
    // Pixel edges map to pixel edges; floor keeps a bar's first pixel off the picture.
    const double x = static_cast<double>(windowX - picture->x) * logicalWidth / picture->width;
    const double y = static_cast<double>(windowY - picture->y) * logicalHeight / picture->height;
    if (logicalX) {
        *logicalX = static_cast<int>(std::floor(x));
    }
    if (logicalY) {
        *logicalY = static_cast<int>(std::floor(y));
    }
    return x >= 0.0 && y >= 0.0 && x < logicalWidth && y < logicalHeight ? 1 : 0;
}

void TarnSysLogicalToWindow(const TarnViewRect* picture, int logicalWidth, int logicalHeight,
                            int logicalX, int logicalY, int* windowX, int* windowY) {
    if (!picture || logicalWidth <= 0 || logicalHeight <= 0) {
        return;
    }
    const double x = (logicalX + 0.5) * picture->width / logicalWidth + picture->x;
    const double y = (logicalY + 0.5) * picture->height / logicalHeight + picture->y;
    if (windowX) {
        *windowX = static_cast<int>(std::floor(x));
    }
    if (windowY) {
        *windowY = static_cast<int>(std::floor(y));
    }
}

namespace tarn {

void UpdatePicture() {
    int width = gSystem.width;
    int height = gSystem.height;
    PlatformWindowPixels(&width, &height);
    gSystem.picture =
        TarnSysFitPicture(width, height, gSystem.width, gSystem.height, gSystem.aspectMode);
    if (gSystem.width > 0 && gSystem.height > 0) {
        gSystem.horizontalScale = static_cast<float>(gSystem.picture.width) / gSystem.width;
        gSystem.verticalScale = static_cast<float>(gSystem.picture.height) / gSystem.height;
    }
}

} // namespace tarn

TarnViewRect TarnSysGetPictureRect(void) {
    return gSystem.picture;
}

void TarnSysGetWindowPixels(int* width, int* height) {
    int w = gSystem.width;
    int h = gSystem.height;
    tarn::PlatformWindowPixels(&w, &h);
    if (width) {
        *width = w;
    }
    if (height) {
        *height = h;
    }
}

// ============================================================================
// Settings
// ============================================================================
void TarnSysSetAspectMode(int mode) {
    gSystem.aspectMode = mode == TARN_ASPECT_STRETCH ? TARN_ASPECT_STRETCH : TARN_ASPECT_KEEP;
    tarn::UpdatePicture();
}

int TarnSysGetAspectMode(void) {
    return gSystem.aspectMode;
}

void TarnSysSetVSync(int on) {
    gSystem.vsync = on != 0;
    tarn::PlatformSetSwapInterval(gSystem.vsync ? 1 : 0);
}

int TarnSysGetVSync(void) {
    return gSystem.vsync ? 1 : 0;
}

int TarnSysIsFullScreen(void) {
    return gSystem.fullScreen ? 1 : 0;
}

// ============================================================================
// Off-screen picture
// ============================================================================
namespace {

struct OffscreenPicture {
    GLuint framebuffer = 0;
    GLuint texture = 0;
    bool unavailable = false;            // no framebuffer objects: draw into the window as it is
    bool drawing = false;                // this frame is being drawn off-screen
    int windowHeight = 0;                // the window's height in pixels when the frame started
    TarnViewRect picture = {0, 0, 0, 0}; // and where the picture went in it
};
OffscreenPicture gOffscreen;

bool CreateOffscreenPicture() {
    if (!glGenFramebuffers || !glBlitFramebuffer || !glFramebufferTexture2D) {
        gOffscreen.unavailable = true;
        return false;
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &gOffscreen.texture);
    glBindTexture(GL_TEXTURE_2D, gOffscreen.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, gSystem.width, gSystem.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    glGenFramebuffers(1, &gOffscreen.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gOffscreen.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gOffscreen.texture,
                           0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        tarn::PresentRelease();
        gOffscreen.unavailable = true;
        return false;
    }
    return true;
}

} // namespace

namespace tarn {

void PresentBeginFrame() {
    UpdatePicture();
    int windowWidth = 0;
    TarnSysGetWindowPixels(&windowWidth, &gOffscreen.windowHeight);
    gOffscreen.picture = gSystem.picture;
    const bool logicalSize =
        windowWidth == gSystem.width && gOffscreen.windowHeight == gSystem.height;
    gOffscreen.drawing = false;
    if (logicalSize || gOffscreen.unavailable) {
        return;
    }
    if (gOffscreen.framebuffer != 0 || CreateOffscreenPicture()) {
        glBindFramebuffer(GL_FRAMEBUFFER, gOffscreen.framebuffer);
        gOffscreen.drawing = true;
    }
}

void PresentRelease() {
    if (gOffscreen.framebuffer != 0) {
        glDeleteFramebuffers(1, &gOffscreen.framebuffer);
    }
    if (gOffscreen.texture != 0) {
        glDeleteTextures(1, &gOffscreen.texture);
    }
    gOffscreen = OffscreenPicture{};
}

} // namespace tarn

void TarnGfxPresentPicture(void) {
    tarn::BatchFlush(); // quads still gathered belong to this picture
    if (!gOffscreen.drawing) {
        return;
    }
    gOffscreen.drawing = false;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gOffscreen.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    GLfloat background[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, background);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f); // the bars
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(background[0], background[1], background[2], background[3]);
    // The window's rows run top-down, GL's bottom-up.
    const TarnViewRect& picture = gOffscreen.picture;
    const int bottom = gOffscreen.windowHeight - picture.y - picture.height;
    glBlitFramebuffer(0, 0, gSystem.width, gSystem.height, picture.x, bottom,
                      picture.x + picture.width, bottom + picture.height, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
