#include "Pixels.h"

#include "TarnGraphics.h"

#include <GL/glew.h>

namespace moth_test {

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
} // namespace

Pixel ReadWorldPixel(float x, float y) {
    unsigned char rgba[4] = {};
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    glReadPixels(kWidth / 2 + static_cast<int>(x), kHeight / 2 + static_cast<int>(y), 1, 1, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

std::vector<unsigned char> ReadFrame() {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

} // namespace moth_test
