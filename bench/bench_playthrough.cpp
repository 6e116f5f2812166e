// The whole game played by the autoplayer from the logo on: runs
// `playtest --state 18 --fixed-step --windowed --seed N --autoplay --trace FILE`
// as a child process until it is back in the menu room after the win screen
// (or at a frame cap) and, from its trace, prints the frames spent in each
// state visited and the whole-frame p50/p99 for each kind of state (menu room,
// story levels, puzzles, screens).
//   bench_playthrough build/playtest [SEED] [MAX_FRAMES]
// Each trace line carries the wall time of the frame before it, so a frame's
// time is counted in the state that frame was in.
#include "BenchUtil.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Kind {
    const char* name;
    std::vector<int> states;
};

const Kind kKinds[] = {
    {"menu", {GameState::Menu}},
    {"story",
     {GameState::Level1, GameState::Level2, GameState::Level3, GameState::Level4,
      GameState::Level5}},
    {"puzzle",
     {GameState::Puzzle1, GameState::Puzzle2, GameState::Puzzle3, GameState::Puzzle4,
      GameState::Puzzle5}},
    {"screens", {GameState::Win, GameState::Lose, GameState::Logo}},
};

struct TraceFrame {
    int state = -1;
    double ms = 0.0; // wall time of the frame before this one
};

// One run of the driver; false when it cannot start or fails.
bool RunPlaythrough(const std::string& playtest, const std::string& seed, const std::string& frames,
                    const std::string& tracePath) {
    std::vector<std::string> args = {
        playtest,     "--state",  "18",   "--fixed-step", "--windowed", "--seed",        seed,
        "--autoplay", "--frames", frames, "--trace",      tracePath,    "--until-state", "0:2"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, playtest.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The number after `"key":` in a trace line, or `fallback` when absent.
double Field(const std::string& line, const char* key, double fallback) {
    std::string tag = std::string("\"") + key + "\":";
    size_t at = line.find(tag);
    return at == std::string::npos ? fallback : std::atof(line.c_str() + at + tag.size());
}

std::vector<TraceFrame> ReadTrace(const std::string& path) {
    std::vector<TraceFrame> frames;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        TraceFrame frame;
        frame.state = static_cast<int>(Field(line, "state", -1.0));
        frame.ms = Field(line, "ms", 0.0);
        frames.push_back(frame);
    }
    return frames;
}

// Each visit in order: the state and how many frames it lasted.
void PrintVisits(const std::vector<TraceFrame>& frames) {
    std::printf("frames per state visit:\n");
    size_t begin = 0;
    for (size_t i = 1; i <= frames.size(); ++i) {
        if (i == frames.size() || frames[i].state != frames[begin].state) {
            std::printf("  state %2d: %zu frames\n", frames[begin].state, i - begin);
            begin = i;
        }
    }
}

bool KindHas(const Kind& kind, int state) {
    for (int member : kind.states) {
        if (member == state) {
            return true;
        }
    }
    return false;
}

// Frame times per kind; the last frame's own time is not in the trace.
std::string PrintKinds(const std::vector<TraceFrame>& frames) {
    std::string result;
    for (const Kind& kind : kKinds) {
        std::vector<double> times;
        for (size_t i = 0; i + 1 < frames.size(); ++i) {
            if (KindHas(kind, frames[i].state)) {
                times.push_back(frames[i + 1].ms);
            }
        }
        if (times.empty()) {
            std::printf("  %-7s  not reached in this run\n", kind.name);
            continue;
        }
        double p50 = moth_bench::Percentile(times, 0.5);
        double p99 = moth_bench::Percentile(times, 0.99);
        std::printf("  %-7s  %6zu frames  p50 %7.2f ms  p99 %7.2f ms\n", kind.name, times.size(),
                    p50, p99);
        char text[96];
        std::snprintf(text, sizeof text, " %s_p50=%.2f %s_p99=%.2f", kind.name, p50, kind.name,
                      p99);
        result += text;
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    std::string playtest = argc > 1 ? argv[1] : "build/playtest";
    std::string seed = argc > 2 ? argv[2] : "3";
    std::string maxFrames = argc > 3 ? argv[3] : "30000";
    char tracePath[] = "/tmp/bench_playthrough_XXXXXX";
    int fd = mkstemp(tracePath);
    if (fd < 0) {
        std::fprintf(stderr, "bench_playthrough: cannot create a trace file\n");
        return 1;
    }
    close(fd);
    bool ran = RunPlaythrough(playtest, seed, maxFrames, tracePath);
    std::vector<TraceFrame> frames = ReadTrace(tracePath);
    std::remove(tracePath);
    if (!ran || frames.empty()) {
        std::fprintf(stderr, "bench_playthrough: %s failed\n", playtest.c_str());
        return 1;
    }
    std::printf("autoplayed playthrough from the logo (%s, seed %s, at most %s frames)\n",
                playtest.c_str(), seed.c_str(), maxFrames.c_str());
    PrintVisits(frames);
    bool won = false;
    for (const TraceFrame& frame : frames) {
        won = won || frame.state == GameState::Win;
    }
    std::printf("%s\n", won ? "the run reached the win screen"
                            : "the run stopped before the win screen: figures cover the states "
                              "it passed through");
    std::printf("whole frame (input, update, draw, swap) by kind of state:\n");
    std::string result = PrintKinds(frames);
    std::printf("result:%s\n", result.c_str());
    return 0;
}
