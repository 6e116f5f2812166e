#include "WavWriter.h"

namespace moth_test {

std::string LittleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string WavChunk(const std::string& id, const std::string& body) {
    std::string chunk = id + LittleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
    return body.size() % 2 ? chunk + '\0' : chunk;
}

std::string WavFormatChunk(int format, int channels, int rate, int bits) {
    const int blockAlign = channels * bits / 8;
    return WavChunk("fmt ", LittleEndian(format, 2) + LittleEndian(channels, 2) +
                                LittleEndian(rate, 4) + LittleEndian(rate * blockAlign, 4) +
                                LittleEndian(blockAlign, 2) + LittleEndian(bits, 2));
}

std::string WavDataChunk(const std::vector<std::int16_t>& samples) {
    std::string body;
    for (std::int16_t sample : samples) {
        body += LittleEndian(static_cast<std::uint16_t>(sample), 2);
    }
    return WavChunk("data", body);
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + LittleEndian(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" +
           chunks;
}

std::string PcmWav(int channels, int rate, const std::vector<std::int16_t>& samples) {
    return Riff(WavFormatChunk(1, channels, rate, 16) + WavDataChunk(samples));
}

} // namespace moth_test
