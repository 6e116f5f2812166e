// Playtest trace: one JSON object per frame, one line each, describing what the
// game looks like after that frame's update. Tests read it to check where the
// player went and which states the game passed through.
#pragma once
#include <chrono>
#include <cstdio>
#include <string>

class PlaytestTrace {
  public:
    PlaytestTrace() = default;
    ~PlaytestTrace();
    PlaytestTrace(const PlaytestTrace&) = delete;
    PlaytestTrace& operator=(const PlaytestTrace&) = delete;

    // Opens (truncates) the trace file; false with a message on stderr.
    bool Open(const std::string& path);
    // Called where each frame begins (before its input): the time since the
    // previous call is the previous whole frame, buffer swap included.
    void MarkFrameStart();
    // Appends the line of frame `frame`; does nothing when no file is open.
    void Write(int frame);
    // False once a write has failed.
    bool Ok() const { return ok; }

  private:
    std::FILE* file = nullptr;
    bool ok = true;
    std::chrono::steady_clock::time_point frameStart;
    bool started = false;
    double previousFrameMs = 0.0; // 0 until a whole frame has passed
};

// The trace line of the game as it is now, without the newline; `frameMs` is
// the wall time of the frame before it.
std::string PlaytestTraceLine(int frame, double frameMs);
