// Frame pacing in the menu room at a 60 Hz target, with the sleeping wait (the
// default) and the pure busy-wait side by side in one run: p50 and p99 frame
// times against 1/60 s, and cpu_share, the process's CPU time (every thread,
// llvmpipe's included) over the wall time while paced. First it measures how
// late a sleep wakes on this machine, the margin the sleeping wait spins.
#include "BenchUtil.h"
#include "Tarn.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

constexpr double kTargetMs = 1000.0 / 60.0;

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// How much later than asked a 10 ms sleep wakes, in milliseconds.
std::vector<double> SleepLateness(int count) {
    std::vector<double> late;
    for (int i = 0; i < count; ++i) {
        double start = TarnGetTime(nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        late.push_back((TarnGetTime(nullptr) - start) * 1000.0 - 10.0);
    }
    return late;
}

struct Paced {
    std::vector<double> framesMs;
    double cpuShare = 0.0;
    double cpuMsPerFrame = 0.0; // steadier than the share when other programs hold the cores
};

// Runs menu-room frames as the game loop does, paced by the controller.
void RunFrames(int count, Paced* paced) {
    double wallStart = TarnGetTime(nullptr);
    double cpuStart = ProcessSeconds();
    for (int frame = 0; frame < count; ++frame) {
        TarnSysFrameStart();
        TarnInputUpdate();
        gWorld->Update();
        gWorld->Draw();
        TarnSysFrameEnd();
        paced->framesMs.push_back(TarnFrameRateControllerGetFrameTime() * 1000.0);
    }
    double cpu = ProcessSeconds() - cpuStart;
    paced->cpuShare += cpu / (TarnGetTime(nullptr) - wallStart) / 2.0; // two rounds per mode
    paced->cpuMsPerFrame += cpu * 1000.0 / count / 2.0;
}

void Print(const char* name, const Paced& paced) {
    double p50 = moth_bench::Percentile(paced.framesMs, 0.50);
    double p99 = moth_bench::Percentile(paced.framesMs, 0.99);
    std::printf("  %-10s p50 %.4f ms (%+.4f), p99 %.4f ms (%+.4f), max %.4f ms, cpu_share %.2f "
                "(%.2f ms of CPU a frame)\n",
                name, p50, p50 - kTargetMs, p99, p99 - kTargetMs,
                moth_bench::Percentile(paced.framesMs, 1.0), paced.cpuShare, paced.cpuMsPerFrame);
}

} // namespace

int main() {
    std::vector<double> late = SleepLateness(300);
    std::printf(
        "a 10 ms sleep wakes late by p50 %.3f ms, p99 %.3f ms, max %.3f ms "
        "(the sleeping wait spins a margin of 1.5 times the latest late wakes, 0.5 to 4 ms)\n",
        moth_bench::Percentile(late, 0.5), moth_bench::Percentile(late, 0.99),
        moth_bench::Percentile(late, 1.0));
    if (!moth_bench::StartInState(GameState::Menu)) {
        std::fprintf(stderr, "bench_frame_pacing: no display\n");
        return 1;
    }
    Paced sleeping, spinning;
    const int kFrames = 300;
    RunFrames(60, &spinning); // settle the scene; discarded below
    spinning = Paced{};
    for (int round = 0; round < 2; ++round) {
        TarnFrameRateControllerSetBusyWait(0);
        RunFrames(kFrames, &sleeping);
        TarnFrameRateControllerSetBusyWait(1);
        RunFrames(kFrames, &spinning);
    }
    TarnFrameRateControllerSetBusyWait(0);
    std::printf("menu room, %d frames per wait at 60 Hz (target %.3f ms)\n", 2 * kFrames,
                kTargetMs);
    Print("sleep+spin", sleeping);
    Print("busy-wait", spinning);
    std::printf("result: p99=%.4f p99_busy=%.4f cpu_share=%.2f cpu_share_busy=%.2f "
                "cpu_ms=%.2f cpu_ms_busy=%.2f sleep_late_p99=%.3f\n",
                moth_bench::Percentile(sleeping.framesMs, 0.99),
                moth_bench::Percentile(spinning.framesMs, 0.99), sleeping.cpuShare,
                spinning.cpuShare, sleeping.cpuMsPerFrame, spinning.cpuMsPerFrame,
                moth_bench::Percentile(late, 0.99));
    moth_bench::StopGame();
    return 0;
}
