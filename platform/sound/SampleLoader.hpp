// Reading a sample's frames beside its creator. createSound checks the file's
// header at once, so what it answers is known then; the frames follow on the
// loader's thread, and whoever needs them first waits for them, or reads them
// itself when the loader has not begun.
#pragma once
#include "WavFile.hpp"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace moth_sound {

class SampleLoad {
  public:
    // `file` is open and its header checked into `info`.
    SampleLoad(std::ifstream file, const WavInfo& info);

    // The interleaved frames (info.frameCount of them), or null when they
    // could not be read after all: the file shrank since its header was read,
    // or there was no memory for them.
    const std::int16_t* Frames();
    // Gives up frames not begun yet; frames being read are waited for.
    void Drop();
    // Reads the frames unless someone has begun or dropped them.
    void ReadUnlessTaken();

  private:
    enum class State { Queued, Reading, Done };
    bool Claim();
    void Read();
    void Finish();

    std::mutex mutex_;
    std::condition_variable done_;
    State state_ = State::Queued;
    std::ifstream file_;
    WavInfo info_;
    std::vector<std::int16_t> samples_;
    bool read_ = false;
};

// One thread reading the queued loads in turn, started with the first.
class SampleLoader {
  public:
    SampleLoader() = default;
    SampleLoader(const SampleLoader&) = delete;
    SampleLoader& operator=(const SampleLoader&) = delete;
    // Stops the thread after the load it is reading; loads it has not begun are
    // read by whoever needs them.
    ~SampleLoader();

    void Queue(std::shared_ptr<SampleLoad> load);

  private:
    void Run();

    std::mutex mutex_;
    std::condition_variable work_;
    std::deque<std::shared_ptr<SampleLoad>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace moth_sound
