// Playtest trace: one JSON object per frame, one line each, describing what the
// game looks like after that frame's update. Tests read it to check where the
// player went and which states the game passed through.
#pragma once
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
    // Appends the line of frame `frame`; does nothing when no file is open.
    void Write(int frame);
    // False once a write has failed.
    bool Ok() const { return ok; }

  private:
    std::FILE* file = nullptr;
    bool ok = true;
};

// The trace line of the game as it is now, without the newline.
std::string PlaytestTraceLine(int frame);
