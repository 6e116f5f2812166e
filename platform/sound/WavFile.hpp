// Reading RIFF WAVE files that hold 16-bit PCM, mono or stereo: the header, the
// whole data chunk at once, or the data chunk piece by piece for streaming.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace moth_sound {

struct WavInfo {
    int channels = 0;   // 1 or 2
    int sampleRate = 0; // frames per second
    std::uint64_t dataOffset = 0;
    std::uint64_t frameCount = 0; // whole frames present in the file, at least 1
};

enum class WavStatus {
    Ok,
    NotFound,    // no regular file at the path
    Corrupt,     // not RIFF WAVE, chunks missing, or no audio data
    Unsupported, // a WAV file in another encoding (float, 8 or 24 bits, 3+ channels)
};

// Opens the file and reads and checks its header. A data chunk that claims more
// bytes than the file has is cut to the bytes present, so a truncated file
// plays what it has.
WavStatus OpenWav(const std::string& path, std::ifstream* file, WavInfo* info);

// Reads every frame (interleaved samples) of a file opened by OpenWav; false
// when they are no longer all there.
bool ReadWavFrames(std::istream& file, const WavInfo& info, std::vector<std::int16_t>* samples);

// Reads a checked file's frames through a window that moves as playback does.
class WavStreamReader {
  public:
    // False when the file cannot be opened any more.
    bool Open(const std::string& path, const WavInfo& info);
    // The samples of frame `index` (below info.frameCount). Valid until the next call.
    const std::int16_t* FrameAt(std::uint64_t index);

  private:
    void FillFrom(std::uint64_t first);

    std::ifstream file_;
    WavInfo info_;
    std::vector<unsigned char> bytes_;
    std::vector<std::int16_t> window_;
    std::uint64_t windowStart_ = 0;
    std::uint64_t windowFrames_ = 0;
};

} // namespace moth_sound
