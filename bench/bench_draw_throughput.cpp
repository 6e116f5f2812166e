// Draw throughput: textured quads per frame through the Tarn API (render mode,
// texture, colours and transform per quad, as the game draws its objects),
// unpaced, batched and with one draw call per quad (TarnGfxSetBatching(0), the
// engine's old path); prints quads per second and the cost of one quad, and
// how much of the batched cost is the one draw call llvmpipe works through:
// the ceiling on what batching can gain here.
#include "Tarn.h"

#include <cstdio>
#include <ctime>
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

struct FrameCost {
    double submit = 0.0; // CPU time of the game thread for every call and the batch's draw
    double flush = 0.0;  // of which the batch's own draw call (llvmpipe's vertex and triangle work)
    double whole = 0.0;  // wall time with llvmpipe's rasterising and the swap
};

// CPU seconds of this thread: the cost of submitting, without the time spent
// waiting for llvmpipe's threads or for other programs on a busy machine.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Draws one frame of `count` quads (a 31 x 31 level has 961 tiles).
FrameCost DrawFrame(TarnGfxVertexList* quad, TarnGfxTexture* texture, int count) {
    FrameCost cost;
    double start = TarnGetTime(nullptr);
    double cpuStart = ThreadSeconds();
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
    const double flushStart = ThreadSeconds();
    TarnGfxFlush();
    cost.flush = ThreadSeconds() - flushStart;
    cost.submit = ThreadSeconds() - cpuStart;
    TarnSysFrameEnd();
    cost.whole = TarnGetTime(nullptr) - start;
    return cost;
}

// Mean cost of a frame of `count` quads, batched or one draw call each.
FrameCost MeanFrame(TarnGfxVertexList* quad, TarnGfxTexture* texture, int count, bool batched) {
    TarnGfxSetBatching(batched ? 1 : 0);
    DrawFrame(quad, texture, count); // warm-up
    FrameCost mean;
    const int kFrames = 20;
    for (int frame = 0; frame < kFrames; ++frame) {
        FrameCost cost = DrawFrame(quad, texture, count);
        mean.submit += cost.submit / kFrames;
        mean.flush += cost.flush / kFrames;
        mean.whole += cost.whole / kFrames;
    }
    return mean;
}

// Three interleaved rounds of each path, against machine noise.
void Measure(TarnGfxVertexList* quad, TarnGfxTexture* texture, int count, FrameCost* batched,
             FrameCost* unbatched) {
    for (int round = 0; round < 3; ++round) {
        FrameCost one = MeanFrame(quad, texture, count, false);
        unbatched->submit += one.submit / 3.0;
        unbatched->whole += one.whole / 3.0;
        one = MeanFrame(quad, texture, count, true);
        batched->submit += one.submit / 3.0;
        batched->flush += one.flush / 3.0;
        batched->whole += one.whole / 3.0;
    }
}

} // namespace

int main() {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 0, nullptr)) {
        std::fprintf(stderr, "bench_draw_throughput: no display\n");
        return 1;
    }
    TarnGfxVertexList* quad = UnitQuad();
    TarnGfxTexture* texture = CheckerTexture();
    std::printf("textured quads through the Tarn API, unpaced, batched and one draw call per "
                "quad; quads/s counts the game thread's CPU time to submit them, of which the "
                "batch's one draw call is llvmpipe's own vertex and triangle work; frame is the "
                "wall time with llvmpipe's rasterising and the swap\n");
    double batched961 = 0.0, unbatched961 = 0.0, frameSpeedup961 = 0.0, ceiling961 = 0.0;
    for (int count : {100, 961, 2000, 5000}) {
        FrameCost batched, unbatched;
        Measure(quad, texture, count, &batched, &unbatched);
        std::printf("  %5d quads: batched %.0f quads/s (%.2f us/quad, %.2f in the draw call), "
                    "frame %.3f ms; unbatched %.0f quads/s (%.2f us/quad), frame %.3f ms\n",
                    count, count / batched.submit, batched.submit * 1e6 / count,
                    batched.flush * 1e6 / count, batched.whole * 1000.0, count / unbatched.submit,
                    unbatched.submit * 1e6 / count, unbatched.whole * 1000.0);
        if (count == 961) {
            batched961 = count / batched.submit;
            unbatched961 = count / unbatched.submit;
            frameSpeedup961 = unbatched.whole / batched.whole;
            // Were every Tarn call free, the draw call alone would still cost this much.
            ceiling961 = unbatched.submit / batched.flush;
        }
    }
    std::printf("result: quads_per_s_batched=%.0f quads_per_s_unbatched=%.0f batch_speedup=%.2f "
                "frame_speedup=%.2f speedup_ceiling=%.2f\n",
                batched961, unbatched961, batched961 / unbatched961, frameSpeedup961, ceiling961);
    TarnGfxTextureUnload(texture);
    TarnGfxMeshFree(quad);
    TarnSysExit();
    return 0;
}
