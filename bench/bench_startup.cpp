// Start-up to the first frame: the game (window, context, every manager and
// asset, the logo state's first frame presented) beside a bare engine start
// (window, context and one frame, no assets), each a fresh process spawned by
// this bench in alternation, timed until the child reports its first frame
// through a pipe. Shutdown is not counted.
#include "BenchUtil.h"
#include "Game.h"
#include "Tarn.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

void Signal(int fd) {
    const char byte = 1;
    if (write(fd, &byte, 1) != 1) {
        std::perror("bench_startup");
    }
    close(fd);
}

int BareChild(int fd) {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 60, nullptr)) {
        return 1;
    }
    TarnFrameRateControllerSetFixedFrameTime(1.0 / 60.0);
    TarnSysFrameStart();
    TarnSysFrameEnd();
    Signal(fd);
    TarnSysExit();
    return 0;
}

int GameChild(int fd) {
    if (!StartEngine(false)) {
        return 1;
    }
    GameInit();
    GameRunOptions options;
    options.fullScreen = false;
    options.fixedStep = true;
    options.maxFrames = 2;
    // Frame 1's input comes right after frame 0 was presented.
    options.beforeInput = [fd](int frame) {
        if (frame == 1) {
            Signal(fd);
        }
    };
    int status = RunGame(options);
    GameShutdown();
    TarnSysExit();
    return status;
}

// Milliseconds from spawning `self --child kind` to its first frame.
double TimeChild(const std::string& self, const char* kind) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1.0;
    }
    std::string fd = std::to_string(fds[1]);
    char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--child"),
                    const_cast<char*>(kind), fd.data(), nullptr};
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ);
    close(fds[1]);
    char byte = 0;
    bool reported = spawned == 0 && read(fds[0], &byte, 1) == 1;
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    close(fds[0]);
    int status = 0;
    if (spawned == 0) {
        waitpid(pid, &status, 0);
    }
    bool ok = reported && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return ok ? elapsed.count() : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        int fd = std::atoi(argv[3]);
        return std::strcmp(argv[2], "bare") == 0 ? BareChild(fd) : GameChild(fd);
    }
    std::vector<double> bare, game;
    const int kRuns = 8;
    for (int i = 0; i < kRuns; ++i) {
        bare.push_back(TimeChild(argv[0], "bare"));
        game.push_back(TimeChild(argv[0], "game"));
        if (bare.back() < 0.0 || game.back() < 0.0) {
            std::fprintf(stderr, "bench_startup: a child failed\n");
            return 1;
        }
    }
    using moth_bench::Percentile;
    std::printf("start-up to the first frame presented, %d runs each, alternating\n", kRuns);
    std::printf("  bare engine: median %.1f ms, min %.1f ms, max %.1f ms\n", Percentile(bare, 0.5),
                Percentile(bare, 0.0), Percentile(bare, 1.0));
    std::printf("  game:        median %.1f ms, min %.1f ms, max %.1f ms\n", Percentile(game, 0.5),
                Percentile(game, 0.0), Percentile(game, 1.0));
    std::printf("result: startup_ms=%.1f bare_ms=%.1f startup_ratio=%.2f\n", Percentile(game, 0.5),
                Percentile(bare, 0.5), Percentile(game, 0.5) / Percentile(bare, 0.5));
    return 0;
}
