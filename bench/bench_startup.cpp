// Start-up to first frame: the whole process of `playtest --frames 1`
// (window, GL context, every asset and sound loaded, first frame drawn, clean
// shutdown), timed over several runs.
#include "BenchUtil.h"

#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

double RunOnce(const std::string& playtest) {
    std::string windowed = "--windowed";
    std::string frames = "--frames";
    std::string one = "1";
    char* argv[] = {const_cast<char*>(playtest.c_str()), windowed.data(), frames.data(), one.data(),
                    nullptr};
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, playtest.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return -1.0;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed.count() : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    std::string playtest = argc > 1 ? argv[1] : "build/playtest";
    std::vector<double> runs;
    for (int i = 0; i < 10; ++i) {
        double ms = RunOnce(playtest);
        if (ms < 0.0) {
            std::fprintf(stderr, "bench_startup: %s failed\n", playtest.c_str());
            return 1;
        }
        runs.push_back(ms);
    }
    std::printf("start-up to first frame and shutdown (%s --frames 1), 10 runs\n",
                playtest.c_str());
    std::printf("  median %.1f ms, min %.1f ms, max %.1f ms\n", moth_bench::Percentile(runs, 0.5),
                moth_bench::Percentile(runs, 0.0), moth_bench::Percentile(runs, 1.0));
    return 0;
}
