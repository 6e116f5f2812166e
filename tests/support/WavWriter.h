// Builds WAV files in memory for the sound tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace moth_test {

// `value` as `bytes` little-endian bytes.
std::string LittleEndian(std::uint32_t value, int bytes);
// A RIFF chunk: id, size, body, and a pad byte after an odd-sized body.
std::string WavChunk(const std::string& id, const std::string& body);
// A "fmt " chunk; format 1 is PCM.
std::string WavFormatChunk(int format, int channels, int rate, int bits);
// A "data" chunk of 16-bit samples.
std::string WavDataChunk(const std::vector<std::int16_t>& samples);
// The RIFF/WAVE header around `chunks`.
std::string Riff(const std::string& chunks);
// A whole 16-bit PCM file; stereo samples are interleaved left, right.
std::string PcmWav(int channels, int rate, const std::vector<std::int16_t>& samples);

} // namespace moth_test
