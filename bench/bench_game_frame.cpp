// Per-frame cost of World::Update and World::Draw in the largest story level
// (Level5, 31 x 31 tiles), through the real start-up and state loading.
#include "BenchUtil.h"
#include "Game.h"
#include "Tarn.h"
#include "World.h"

#include <cstdio>

int main() {
    if (!moth_bench::StartInState(GameState::Level5)) {
        return 1;
    }
    TarnFrameRateControllerSetFixedFrameTime(1.0 / 60.0);
    std::vector<double> updates, draws;
    const int kFrames = 300;
    for (int frame = 0; frame < kFrames; ++frame) {
        TarnSysFrameStart();
        TarnInputUpdate();
        double start = TarnGetTime(nullptr);
        gWorld->Update();
        double updated = TarnGetTime(nullptr);
        gWorld->Draw();
        double drawn = TarnGetTime(nullptr);
        TarnSysFrameEnd();
        updates.push_back((updated - start) * 1000.0);
        draws.push_back((drawn - updated) * 1000.0);
    }
    std::printf("Level5 (31 x 31), %d frames\n", kFrames);
    std::printf("  World::Update p50 %.3f ms, p99 %.3f ms\n", moth_bench::Percentile(updates, 0.5),
                moth_bench::Percentile(updates, 0.99));
    std::printf("  World::Draw   p50 %.3f ms, p99 %.3f ms (GL calls issued; llvmpipe renders at "
                "the swap)\n",
                moth_bench::Percentile(draws, 0.5), moth_bench::Percentile(draws, 0.99));
    moth_bench::StopGame();
    return 0;
}
