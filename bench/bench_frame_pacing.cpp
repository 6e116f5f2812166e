// Frame pacing: 600 frames at a 60 Hz target with a light scene (a few dozen
// coloured quads); prints p50 and p99 frame times against 1/60 s.
#include "BenchUtil.h"
#include "Tarn.h"

#include <cstdio>

int main() {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 60, nullptr)) {
        std::fprintf(stderr, "bench_frame_pacing: no display\n");
        return 1;
    }
    TarnGfxTriAdd(-0.5f, -0.5f, 0xFFFFFFFF, 0, 1, 0.5f, -0.5f, 0xFFFFFFFF, 1, 1, -0.5f, 0.5f,
                  0xFFFFFFFF, 0, 0);
    TarnGfxTriAdd(0.5f, -0.5f, 0xFFFFFFFF, 1, 1, 0.5f, 0.5f, 0xFFFFFFFF, 1, 0, -0.5f, 0.5f,
                  0xFFFFFFFF, 0, 0);
    TarnGfxVertexList* quad = TarnGfxMeshEnd();
    std::vector<double> frames;
    const int kFrames = 600;
    for (int frame = 0; frame < kFrames; ++frame) {
        TarnSysFrameStart();
        TarnInputUpdate();
        TarnGfxSetRenderMode(TARN_RENDER_COLOR);
        TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
        TarnGfxSetTintColor(0.9f, 0.7f, 0.3f, 1.0f);
        TarnGfxSetTransparency(0.8f);
        for (int i = 0; i < 40; ++i) {
            TarnMtx33 m = {{{40, 0, -400.0f + 20.0f * i},
                            {0, 40, static_cast<float>(frame % 300)},
                            {0, 0, 1}}};
            TarnGfxSetTransform(&m);
            TarnGfxMeshDraw(quad, TARN_DRAW_TRIANGLES);
        }
        TarnSysFrameEnd();
        frames.push_back(TarnFrameRateControllerGetFrameTime() * 1000.0);
    }
    const double target = 1000.0 / 60.0;
    double p50 = moth_bench::Percentile(frames, 0.50);
    double p99 = moth_bench::Percentile(frames, 0.99);
    std::printf("frame pacing over %d frames at 60 Hz (target %.3f ms)\n", kFrames, target);
    std::printf("  p50 %.4f ms (%+.4f ms from target)\n", p50, p50 - target);
    std::printf("  p99 %.4f ms (%+.4f ms from target)\n", p99, p99 - target);
    std::printf("  max %.4f ms\n", moth_bench::Percentile(frames, 1.0));
    TarnGfxMeshFree(quad);
    TarnSysExit();
    return 0;
}
