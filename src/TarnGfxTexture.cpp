// Tarn engine: textures from PNG files (decoded with libpng) and from RGBA
// pixels in memory, binding with a scrolling offset, and filter modes.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>
#include <thread>
#include <vector>

namespace {

constexpr const char* kSourcePath = "src/TarnGfxTexture.cpp";
constexpr size_t kMaxPathLength = 255;

} // namespace

namespace tarn {

TarnGfxTexture* NewTextureRecord(const char* name) {
    auto* texture = static_cast<TarnGfxTexture*>(std::calloc(1, sizeof(TarnGfxTexture)));
    texture->textureId = static_cast<unsigned int*>(std::calloc(1, sizeof(unsigned int)));
    if (name) {
        std::strncpy(texture->name, name, sizeof texture->name - 1);
    }
    return texture;
}

bool FitsTheGpu(const char* name, int width, int height) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest <= 0 || (width <= largest && height <= largest)) {
        return true;
    }
    std::fprintf(stderr, "Tarn Engine: %s is %d x %d, larger than this GPU's largest texture\n",
                 name ? name : "a picture", width, height);
    return false;
}

// Uploads RGBA pixels (top row first, so v = 0 is the image's top edge).
void UploadTexturePixels(TarnGfxTexture* texture, const unsigned char* pixels, int width,
                         int height) {
    texture->width = width;
    texture->height = height;
    glGenTextures(1, texture->textureId);
    tarn::BindTexture2D(*texture->textureId);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    tarn::BindTexture2D(0);
}

} // namespace tarn

namespace {

// Offsets above 1 wrap down into (0, 1]; 1 itself and negatives pass unchanged.
float ReduceOffset(float offset) {
    while (offset > 1.0f) {
        offset -= 1.0f;
    }
    return offset;
}

} // namespace

namespace tarn {
void ShutdownImageLibrary() {} // libpng keeps no global state
} // namespace tarn

unsigned char* TarnImageLoadPNG(const char* path, int* width, int* height) {
    if (!path || !width || !height) {
        return nullptr;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    size_t size = PNG_IMAGE_SIZE(image);
    auto* pixels = static_cast<unsigned char*>(std::malloc(size));
    if (!pixels || !png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
        std::free(pixels);
        png_image_free(&image);
        return nullptr;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return pixels;
}

namespace {

struct DecodedImage {
    unsigned char* pixels = nullptr; // malloc'ed RGBA, null when the file is unusable
    int width = 0;
    int height = 0;
};

DecodedImage DecodeTextureFile(const char* path) {
    DecodedImage image;
    if (path && std::strlen(path) <= kMaxPathLength) {
        image.pixels = TarnImageLoadPNG(path, &image.width, &image.height);
    }
    return image;
}

// Uploads a decoded image on the GL thread and frees its pixels.
TarnGfxTexture* UploadDecoded(const char* path, DecodedImage& image) {
    if (!image.pixels) {
        return nullptr; // missing, empty, truncated, not a PNG, or a path too long
    }
    if (!tarn::FitsTheGpu(path, image.width, image.height)) {
        std::free(image.pixels);
        image.pixels = nullptr;
        return nullptr;
    }
    TarnGfxTexture* texture = tarn::NewTextureRecord(path);
    tarn::UploadTexturePixels(texture, image.pixels, image.width, image.height);
    std::free(image.pixels);
    image.pixels = nullptr;
    return texture;
}

} // namespace

TarnGfxTexture* TarnGfxTextureLoad(const char* path) {
    DecodedImage image = DecodeTextureFile(path);
    return UploadDecoded(path, image);
}

void TarnGfxTextureLoadBatch(const char* const* paths, int count, TarnGfxTexture** textures) {
    if (!paths || !textures || count <= 0) {
        return;
    }
    // Decoding is most of a texture's load time and needs no GL context, so
    // it runs on every core; GL uploads stay on this thread.
    std::vector<DecodedImage> images(static_cast<size_t>(count));
    unsigned int workers = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<std::thread> threads;
    for (unsigned int worker = 0; worker < workers; ++worker) {
        threads.emplace_back([&, worker] {
            for (int i = static_cast<int>(worker); i < count; i += static_cast<int>(workers)) {
                images[static_cast<size_t>(i)] = DecodeTextureFile(paths[i]);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int i = 0; i < count; ++i) {
        textures[i] = UploadDecoded(paths[i], images[static_cast<size_t>(i)]);
    }
}

TarnGfxTexture* TarnGfxTextureLoadFromMemory(const unsigned char* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0 || !tarn::FitsTheGpu(nullptr, width, height)) {
        return nullptr;
    }
    TarnGfxTexture* texture = tarn::NewTextureRecord(nullptr);
    tarn::UploadTexturePixels(texture, pixels, width, height);
    return texture;
}

TarnGfxTexture* TarnGfxTextureFromFrame(void) {
    tarn::BatchFlush(); // quads still gathered belong to this frame
    // The frame is built at the logical size, in the back buffer or, in a
    // window of another size, in the off-screen picture bound for drawing.
    const int width = tarn::gSystem.width;
    const int height = tarn::gSystem.height;
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glReadBuffer(framebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> bottomUp(rowBytes * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int row = 0; row < height; ++row) {
        std::memcpy(&topDown[static_cast<size_t>(row) * rowBytes],
                    &bottomUp[static_cast<size_t>(height - 1 - row) * rowBytes], rowBytes);
    }
    for (size_t alpha = 3; alpha < topDown.size(); alpha += 4) {
        topDown[alpha] = 255; // the picture on screen is opaque
    }
    return TarnGfxTextureLoadFromMemory(topDown.data(), width, height);
}

void TarnGfxTextureUnload(TarnGfxTexture* texture) {
    if (!texture) {
        return;
    }
    tarn::ForgetPendingTexture(texture);
    if (texture->textureId) {
        tarn::ForgetTexture(*texture->textureId);
        glDeleteTextures(1, texture->textureId);
        std::free(texture->textureId);
    }
    std::free(texture);
}

void TarnGfxTextureSet(TarnGfxTexture* texture, float offsetU, float offsetV) {
    if (!texture || !texture->textureId) {
        tarn::BindTexture2D(0);
        return; // the offset stays as it was
    }
    tarn::ResolvePendingTexture(texture); // a texture loading in the background arrives now
    // uTexture reads unit 0, the value every sampler uniform starts with.
    tarn::BindTexture2D(*texture->textureId);
    tarn::CheckGLError(__LINE__, "TarnGfxTextureSet", kSourcePath);
    float* offset = tarn::CurrentUniforms().offset;
    const float u = ReduceOffset(offsetU);
    const float v = ReduceOffset(offsetV);
    if (u != offset[0] || v != offset[1]) { // the program holds the offset already
        offset[0] = u;
        offset[1] = v;
        glUniform2f(tarn::UniformLocation("uTextureOffset"), u, v);
    }
    tarn::CheckGLError(__LINE__, "TarnGfxTextureSet", kSourcePath);
}

void TarnGfxSetTextureMode(int mode) {
    GLint filter = 0;
    if (mode == TARN_TEXTURE_NEAREST) {
        filter = GL_NEAREST;
    } else if (mode == TARN_TEXTURE_LINEAR) {
        filter = GL_LINEAR;
    } else {
        std::printf("Unsupported texture mode!\n");
        return;
    }
    tarn::BatchFlush(); // the gathered quads keep the filter they were drawn with
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void TarnGfxSaveTextureToFile(TarnGfxTexture* texture, const char* path) {
    if (texture && path) {
        std::printf("TarnGfxSaveTextureToFile not supported in the OpenGL version of the Tarn "
                    "Engine!\n");
    }
}

void TarnGfxTextureInitialize(TarnGfxTexture* texture) {
    if (texture) {
        texture->textureId = static_cast<unsigned int*>(std::calloc(1, sizeof(unsigned int)));
    }
}
