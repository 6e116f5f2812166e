#include "WavFile.hpp"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace moth_sound {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kHighestSampleRate = 768000;
// Frames a stream reads per file access: about 85 ms at 48 kHz.
constexpr std::uint64_t kStreamWindowFrames = 4096;

std::uint16_t ReadU16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadU32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void DecodePcm16(const unsigned char* bytes, std::size_t sampleCount, std::int16_t* out) {
    for (std::size_t i = 0; i < sampleCount; ++i) {
        out[i] = static_cast<std::int16_t>(ReadU16(bytes + 2 * i));
    }
}

bool ReadBytes(std::istream& in, std::uint64_t offset, unsigned char* out, std::size_t count) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(in.gcount()) == count;
}

// The "fmt " chunk: plain PCM, or the extensible layout whose sub-format is PCM.
WavStatus ParseFormatChunk(std::istream& in, std::uint64_t offset, std::uint32_t size,
                           WavInfo* info) {
    unsigned char fmt[40] = {};
    if (size < 16 || !ReadBytes(in, offset, fmt, std::min<std::uint32_t>(size, 40))) {
        return WavStatus::Corrupt;
    }
    std::uint16_t tag = ReadU16(fmt);
    if (tag == kFormatExtensible) {
        tag = size >= 40 ? ReadU16(fmt + 24) : 0;
    }
    const int channels = ReadU16(fmt + 2);
    const std::uint32_t rate = ReadU32(fmt + 4);
    const int bits = ReadU16(fmt + 14);
    if (tag != kFormatPcm || bits != 16 || channels < 1 || channels > 2 || rate == 0 ||
        rate > kHighestSampleRate) {
        return WavStatus::Unsupported;
    }
    info->channels = channels;
    info->sampleRate = static_cast<int>(rate);
    return WavStatus::Ok;
}

// Walks the chunks after "RIFF....WAVE" for "fmt " and "data", in either order.
WavStatus ParseHeader(std::istream& in, std::uint64_t fileSize, WavInfo* info) {
    unsigned char riff[12];
    if (!ReadBytes(in, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0) {
        return WavStatus::Corrupt;
    }
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t dataBytes = 0;
    std::uint64_t chunk = sizeof riff;
    unsigned char header[8];
    while (!(haveFormat && haveData) && chunk + 8 <= fileSize && ReadBytes(in, chunk, header, 8)) {
        const std::uint32_t size = ReadU32(header + 4);
        const std::uint64_t body = chunk + 8;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            const WavStatus status = ParseFormatChunk(in, body, size, info);
            if (status != WavStatus::Ok) {
                return status;
            }
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            info->dataOffset = body;
            dataBytes = std::min<std::uint64_t>(size, fileSize - body);
            haveData = true;
        }
        chunk = body + size + (size & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData) {
        return WavStatus::Corrupt;
    }
    info->frameCount = dataBytes / (2u * static_cast<unsigned>(info->channels));
    return info->frameCount > 0 ? WavStatus::Ok : WavStatus::Corrupt;
}

} // namespace

WavStatus OpenWav(const std::string& path, std::ifstream* file, WavInfo* info) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return WavStatus::NotFound;
    }
    const std::uint64_t fileSize = std::filesystem::file_size(path, error);
    file->open(path, std::ios::binary);
    if (error || !*file) {
        return WavStatus::NotFound;
    }
    return ParseHeader(*file, fileSize, info);
}

bool ReadWavFrames(std::istream& file, const WavInfo& info, std::vector<std::int16_t>* samples) {
    const std::size_t sampleCount = info.frameCount * static_cast<unsigned>(info.channels);
    std::vector<unsigned char> bytes(sampleCount * 2);
    if (!ReadBytes(file, info.dataOffset, bytes.data(), bytes.size())) {
        return false;
    }
    samples->resize(sampleCount);
    DecodePcm16(bytes.data(), sampleCount, samples->data());
    return true;
}

bool WavStreamReader::Open(const std::string& path, const WavInfo& info) {
    info_ = info;
    windowFrames_ = 0;
    file_.open(path, std::ios::binary);
    return static_cast<bool>(file_);
}

const std::int16_t* WavStreamReader::FrameAt(std::uint64_t index) {
    if (index < windowStart_ || index >= windowStart_ + windowFrames_) {
        // Start one frame early: the mixer asks for a frame and the one after it,
        // and both must sit in the same window so neither access refills it.
        FillFrom(index > 0 ? index - 1 : 0);
    }
    return window_.data() + (index - windowStart_) * static_cast<unsigned>(info_.channels);
}

void WavStreamReader::FillFrom(std::uint64_t first) {
    const std::size_t frameBytes = 2u * static_cast<unsigned>(info_.channels);
    const std::uint64_t frames = std::min(kStreamWindowFrames, info_.frameCount - first);
    bytes_.assign(frames * frameBytes, 0);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(info_.dataOffset + first * frameBytes));
    // A file that shrank while playing leaves zeros: the channel plays silence
    // to its known end instead of stalling.
    file_.read(reinterpret_cast<char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    window_.resize(bytes_.size() / 2);
    DecodePcm16(bytes_.data(), window_.size(), window_.data());
    windowStart_ = first;
    windowFrames_ = frames;
}

} // namespace moth_sound
