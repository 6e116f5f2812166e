// Assets: every name in the generator's manifest exists in Assets/ and decodes
// (PNG with an alpha channel, 16-bit PCM WAV of the right length, level files),
// the pictures fit their places, music loops meet themselves without a click,
// and every "xxx.png", "xxx.wav" or "xxx.text" literal in the game's code
// under Engine/ names a file that Assets/ holds.
#include "AssetManager.h"
#include "KeyBindings.h"
#include "TarnGraphics.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path AssetsDir() {
    return moth_test::SourceDir() / "Assets";
}

// The manifest: "[kind]" lines start a group, "#" lines are comments.
std::map<std::string, std::vector<std::string>> ReadManifest() {
    std::map<std::string, std::vector<std::string>> groups;
    std::istringstream text(
        moth_test::ReadFile(moth_test::SourceDir() / "tools/assets/manifest.txt"));
    std::string kind, line;
    while (std::getline(text, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            kind = line.substr(1, line.size() - 2);
        } else {
            groups[kind].push_back(line);
        }
    }
    return groups;
}

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
           (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
}

// `bytes` bytes at `at`, little-endian.
uint32_t Little(const std::string& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | uint8_t(b[at + i]);
    }
    return value;
}

struct Wav {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return rate > 0 ? double(samples.size()) / rate : 0.0; }
};

Wav ReadWav(const fs::path& path) {
    Wav wav;
    std::string b = moth_test::ReadFile(path);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        return wav;
    }
    size_t at = 12;
    bool haveFormat = false;
    while (at + 8 <= b.size()) {
        std::string id = b.substr(at, 4);
        size_t size = Little(b, at + 4, 4);
        size_t body = at + 8;
        if (body + size > b.size()) {
            return wav;
        }
        if (id == "fmt " && size >= 16) {
            wav.format = Little(b, body, 2);
            wav.channels = Little(b, body + 2, 2);
            wav.rate = int(Little(b, body + 4, 4));
            wav.bits = Little(b, body + 14, 2);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            for (size_t i = 0; i + 1 < size; i += 2) {
                wav.samples.push_back(int16_t(Little(b, body + i, 2)));
            }
            wav.ok = true;
        }
        at = body + size + (size & 1);
    }
    return wav;
}

// ---- The manifest ---------------------------------------------------------------------

TEST(Assets, ManifestListsEveryKindAndTheLevelFilesExist) {
    auto groups = ReadManifest();
    EXPECT_GE(groups["texture"].size(), 100u);
    EXPECT_EQ(groups["effect"].size(), 6u);
    EXPECT_EQ(groups["music"].size(), 4u);
    EXPECT_EQ(groups["level"].size(), 8u);
    for (const std::string& name : groups["level"]) {
        EXPECT_FALSE(moth_test::ReadFile(AssetsDir() / name).empty()) << name;
    }
}

TEST(Assets, EveryTextureIsAnRgbaPngThatDecodes) {
    auto manifest = ReadManifest();
    for (const std::string& name : manifest["texture"]) {
        fs::path path = AssetsDir() / name;
        ASSERT_TRUE(fs::exists(path)) << name;
        std::string bytes = moth_test::ReadFile(path);
        ASSERT_GE(bytes.size(), 33u) << name;
        EXPECT_EQ(bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0) << name;
        EXPECT_EQ(bytes.compare(12, 4, "IHDR"), 0) << name;
        EXPECT_EQ(int(uint8_t(bytes[24])), 8) << name << ": 8 bits per channel";
        EXPECT_EQ(int(uint8_t(bytes[25])), 6) << name << ": colour type RGBA";
        int width = 0;
        int height = 0;
        unsigned char* pixels = TarnImageLoadPNG(path.string().c_str(), &width, &height);
        ASSERT_NE(pixels, nullptr) << name;
        EXPECT_EQ(uint32_t(width), BigEndian32(bytes, 16)) << name;
        EXPECT_EQ(uint32_t(height), BigEndian32(bytes, 20)) << name;
        EXPECT_LE(width, 1024) << name;
        EXPECT_LE(height, 768) << name;
        std::free(pixels);
    }
}

TEST(Assets, PicturesHaveTheSizesTheGameDrawsThem) {
    auto sizeOf = [](const std::string& name) {
        int w = 0, h = 0;
        unsigned char* p = TarnImageLoadPNG((AssetsDir() / name).string().c_str(), &w, &h);
        std::free(p);
        return std::make_pair(w, h);
    };
    // Full-window pictures, drawn at 1024 x 768.
    for (const char* name : {"level1_transition.png", "level5_transition.png", "i_puzzle1.png",
                             "i_puzzle2_1.png", "win.png", "lose_1.png"}) {
        EXPECT_EQ(sizeOf(name), std::make_pair(1024, 768)) << name;
    }
    // The studio mark keeps the 1525 x 445 proportions.
    auto mark = sizeOf("Quillmark_WEB_RED.png");
    EXPECT_NEAR(double(mark.first) / mark.second, 1525.0 / 445.0, 0.02);
    // Sprites drawn at 30 to 50 units are 30 to 64 pixels.
    for (const char* name : {"a_char_down1.png", "ai_spider_front1.png", "a1.png", "o_wall.png",
                             "key.png", "box_start.png", "battery3.png"}) {
        auto s = sizeOf(name);
        EXPECT_GE(s.first, 30) << name;
        EXPECT_LE(s.first, 64) << name;
    }
}

// The game draws a key's cap from the atlas cell of its code: every key a
// player may bind has one there (and the empty slot cell 0); no other does.
TEST(Assets, TheKeyCapsAtlasHoldsACapForEveryKeyAPlayerMayBind) {
    int width = 0, height = 0;
    unsigned char* pixels =
        TarnImageLoadPNG((AssetsDir() / "keycaps.png").string().c_str(), &width, &height);
    ASSERT_NE(pixels, nullptr);
    ASSERT_EQ(width % kKeyCapColumns, 0);
    ASSERT_EQ(height % kKeyCapRows, 0);
    const int cellWidth = width / kKeyCapColumns;
    const int cellHeight = height / kKeyCapRows;
    for (int key = 0; key < kKeyCapColumns * kKeyCapRows; ++key) {
        const int left = key % kKeyCapColumns * cellWidth;
        const int top = key / kKeyCapColumns * cellHeight;
        long alpha = 0;
        for (int y = top; y < top + cellHeight; ++y) {
            for (int x = left; x < left + cellWidth; ++x) {
                alpha += pixels[(static_cast<long>(y) * width + x) * 4 + 3];
            }
        }
        EXPECT_EQ(alpha > 0, key == 0 || IsBindableKey(key)) << "key code " << key;
    }
    std::free(pixels);
}

TEST(Assets, AssetsStayUnder15Megabytes) {
    uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(AssetsDir())) {
        if (entry.is_regular_file()) {
            total += entry.file_size();
        }
    }
    EXPECT_LT(total, 15u * 1024 * 1024);
}

// ---- Sounds ---------------------------------------------------------------------------

void ExpectPcm(const Wav& wav, const std::string& name) {
    ASSERT_TRUE(wav.ok) << name;
    EXPECT_EQ(wav.format, 1) << name << ": PCM";
    EXPECT_EQ(wav.bits, 16) << name;
    EXPECT_EQ(wav.channels, 1) << name;
    EXPECT_EQ(wav.rate, 22050) << name;
}

TEST(Assets, EffectsAreShortPcm) {
    auto manifest = ReadManifest();
    for (const std::string& name : manifest["effect"]) {
        Wav wav = ReadWav(AssetsDir() / name);
        ExpectPcm(wav, name);
        EXPECT_GT(wav.Seconds(), 0.1) << name;
        EXPECT_LT(wav.Seconds(), 3.0) << name;
    }
}

TEST(Assets, MusicLoopsAreLongAndMeetThemselvesWithoutAClick) {
    auto manifest = ReadManifest();
    for (const std::string& name : manifest["music"]) {
        Wav wav = ReadWav(AssetsDir() / name);
        ExpectPcm(wav, name);
        EXPECT_GE(wav.Seconds(), 20.0) << name;
        const auto& x = wav.samples;
        ASSERT_GT(x.size(), 2u);
        double meanStep = 0.0;
        int peak = 0;
        for (size_t i = 1; i < x.size(); ++i) {
            meanStep += std::abs(int(x[i]) - int(x[i - 1]));
            peak = std::max(peak, std::abs(int(x[i])));
        }
        meanStep /= double(x.size() - 1);
        EXPECT_GT(peak, 8000) << name << " is nearly silent";
        // Starts near a zero crossing, and the jump from the last sample back to
        // the first is no bigger than an ordinary step inside the loop.
        EXPECT_LT(std::abs(int(x.front())), 656) << name;
        EXPECT_LE(std::abs(int(x.back()) - int(x.front())), 2.0 * meanStep) << name;
    }
}

// ---- Names used by the game's code ----------------------------------------------------

TEST(Assets, EveryAssetNameInTheGameCodeIsInAssetsAndTheManifest) {
    std::set<std::string> listed;
    for (const auto& group : ReadManifest()) {
        listed.insert(group.second.begin(), group.second.end());
    }
    const std::regex literal("\"([A-Za-z0-9_./-]+\\.(png|wav|text))\"");
    std::set<std::string> missing;
    int names = 0;
    for (const auto& entry : fs::recursive_directory_iterator(moth_test::SourceDir() / "Engine")) {
        auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) {
            continue;
        }
        std::string code = moth_test::ReadFile(entry.path());
        for (std::sregex_iterator it(code.begin(), code.end(), literal), end; it != end; ++it) {
            std::string name = fs::path((*it)[1].str()).filename().string();
            ++names;
            if (!fs::exists(AssetsDir() / name)) {
                missing.insert(name + " (" + entry.path().filename().string() + ")");
            }
            EXPECT_TRUE(listed.count(name)) << name << " in " << entry.path().filename()
                                            << " is not in tools/assets/manifest.txt";
        }
    }
    std::string list;
    for (const auto& m : missing) {
        list += "  " + m + "\n";
    }
    EXPECT_TRUE(missing.empty()) << "named in Engine/ but not in Assets/:\n" << list;
    EXPECT_GT(names, 0) << "the scan found no asset names at all";
}

} // namespace
