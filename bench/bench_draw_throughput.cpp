// Draw throughput: textured quads per frame through the Tarn API (render mode,
// texture, colours and transform per quad, as the game draws its objects),
// unpaced; prints quads per second and the cost of one quad.
#include "Tarn.h"

#include <cstdio>
#include <vector>

namespace {

TarnGfxVertexList* UnitQuad() {
    TarnGfxTriAdd(-0.5f, -0.5f, 0xFFFFFFFF, 0, 1, 0.5f, -0.5f, 0xFFFFFFFF, 1, 1, -0.5f, 0.5f,
                  0xFFFFFFFF, 0, 0);
    TarnGfxTriAdd(0.5f, -0.5f, 0xFFFFFFFF, 1, 1, 0.5f, 0.5f, 0xFFFFFFFF, 1, 0, -0.5f, 0.5f,
                  0xFFFFFFFF, 0, 0);
    return TarnGfxMeshEnd();
}

TarnGfxTexture* CheckerTexture() {
    std::vector<unsigned char> pixels(32 * 32 * 4);
    for (int i = 0; i < 32 * 32; ++i) {
        unsigned char shade = ((i % 32) / 4 + (i / 32) / 4) % 2 ? 200 : 60;
        pixels[i * 4 + 0] = shade;
        pixels[i * 4 + 1] = shade;
        pixels[i * 4 + 2] = shade;
        pixels[i * 4 + 3] = 255;
    }
    return TarnGfxTextureLoadFromMemory(pixels.data(), 32, 32);
}

// Draws one frame of `count` quads (a 31 x 31 level has 961 tiles) and
// returns its duration in seconds.
double DrawFrame(TarnGfxVertexList* quad, TarnGfxTexture* texture, int count) {
    double start = TarnGetTime(nullptr);
    TarnSysFrameStart();
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
    for (int i = 0; i < count; ++i) {
        TarnGfxTextureSet(texture, 0.0f, 0.0f);
        TarnGfxSetTintColor(1, 1, 1, 1);
        TarnGfxSetBlendColor(0, 0, 0, 0);
        TarnGfxSetTransparency(1.0f);
        TarnMtx33 m = {{{50, 0, -775.0f + 50.0f * (i % 31)},
                        {0, 50, -775.0f + 50.0f * (i / 31 % 31)},
                        {0, 0, 1}}};
        TarnGfxSetTransform(&m);
        TarnGfxMeshDraw(quad, TARN_DRAW_TRIANGLES);
    }
    TarnSysFrameEnd();
    return TarnGetTime(nullptr) - start;
}

} // namespace

int main() {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 0, nullptr)) {
        std::fprintf(stderr, "bench_draw_throughput: no display\n");
        return 1;
    }
    TarnGfxVertexList* quad = UnitQuad();
    TarnGfxTexture* texture = CheckerTexture();
    std::printf("textured quads per frame through the Tarn API (unpaced)\n");
    for (int count : {100, 961, 2000, 5000}) {
        DrawFrame(quad, texture, count); // warm-up
        double total = 0.0;
        const int kFrames = 30;
        for (int frame = 0; frame < kFrames; ++frame) {
            total += DrawFrame(quad, texture, count);
        }
        double perFrame = total / kFrames;
        std::printf("  %5d quads: %.3f ms/frame, %.2f us/quad, %.0f quads/s\n", count,
                    perFrame * 1000.0, perFrame * 1e6 / count, count / perFrame);
    }
    TarnGfxTextureUnload(texture);
    TarnGfxMeshFree(quad);
    TarnSysExit();
    return 0;
}
