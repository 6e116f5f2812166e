// The sound library: WAV loading, playback state, mixing, streams, silent mode.
#include "SampleLoader.hpp"
#include "TestEnv.h"
#include "WavWriter.h"
#include "fmod.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace moth_test;

// A sample value that is exactly representable after the mixer's /32768.
constexpr std::int16_t kHalf = 16384;

// Frame i holds i (mod 32768): every frame is told apart from its neighbours.
std::vector<std::int16_t> Ramp(std::size_t frames) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(i % 32768);
    }
    return samples;
}

// `frames` 48 kHz mono frames at half level.
std::string HalfTone(std::size_t frames) {
    return PcmWav(1, 48000, std::vector<std::int16_t>(frames, kHalf));
}

bool Playing(FMOD::Channel* channel) {
    bool playing = false;
    channel->isPlaying(&playing);
    return playing;
}

unsigned int Position(FMOD::Channel* channel) {
    unsigned int position = 0;
    channel->getPosition(&position, FMOD_TIMEUNIT_PCM);
    return position;
}

FMOD::System* NewSystem(int channels) {
    FMOD::System* system = nullptr;
    FMOD_System_Create(&system);
    system->init(channels, FMOD_INIT_NORMAL, nullptr);
    return system;
}

class SoundTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
        ASSERT_EQ(system->init(1024, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    }
    void TearDown() override { system->release(); }

    std::string Write(const std::string& name, const std::string& bytes) {
        WriteFile(dir.Path() / name, bytes);
        return (dir.Path() / name).string();
    }

    FMOD_RESULT Load(const std::string& bytes, FMOD::Sound** sound, bool stream = false) {
        const std::string path = Write("sound.wav", bytes);
        return stream ? system->createStream(path.c_str(), FMOD_DEFAULT, nullptr, sound)
                      : system->createSound(path.c_str(), FMOD_DEFAULT, nullptr, sound);
    }

    FMOD::Sound* LoadOk(const std::string& bytes, bool stream = false) {
        FMOD::Sound* sound = nullptr;
        EXPECT_EQ(Load(bytes, &sound, stream), FMOD_OK);
        return sound;
    }

    FMOD::Channel* Play(FMOD::Sound* sound, bool paused = false) {
        FMOD::Channel* channel = nullptr;
        EXPECT_EQ(system->playSound(sound, nullptr, paused, &channel), FMOD_OK);
        return channel;
    }

    // Mixes `frames` stereo frames and returns them.
    std::vector<float> Mix(unsigned int frames) {
        std::vector<float> out(2u * frames);
        system->mix(out.data(), frames);
        return out;
    }

    TempDir dir;
    FMOD::System* system = nullptr;
};

// ---- Loading ------------------------------------------------------------------

TEST_F(SoundTest, LoadsPcmFilesWithTheFramesTheyHold) {
    // The data chunk claims 1000 frames but the file ends after 50.
    std::string truncated = PcmWav(1, 48000, Ramp(50));
    truncated.replace(truncated.size() - 100 - 4, 4, LittleEndian(2000, 4));
    // WAVE_FORMAT_EXTENSIBLE whose sub-format GUID starts with PCM's tag 1.
    const std::string extensible = LittleEndian(0xFFFE, 2) + LittleEndian(2, 2) +
                                   LittleEndian(22050, 4) + LittleEndian(22050 * 4, 4) +
                                   LittleEndian(4, 2) + LittleEndian(16, 2) + LittleEndian(22, 2) +
                                   LittleEndian(16, 2) + LittleEndian(3, 4) + LittleEndian(1, 2) +
                                   std::string(14, '\x01');
    const struct {
        const char* what;
        std::string bytes;
        unsigned int frames;
    } cases[] = {
        {"mono 11 kHz", PcmWav(1, 11025, Ramp(300)), 300},
        {"stereo 44.1 kHz", PcmWav(2, 44100, Ramp(44100 * 2)), 44100},
        {"truncated data", truncated, 50},
        // An odd-sized (padded) LIST chunk first, then data before the format.
        {"odd chunk, data first",
         Riff(WavChunk("LIST", "abc") + WavDataChunk(Ramp(10)) + WavFormatChunk(1, 1, 8000, 16)),
         10},
        {"extensible", Riff(WavChunk("fmt ", extensible) + WavDataChunk(Ramp(20))), 10},
    };
    for (const auto& c : cases) {
        FMOD::Sound* sound = LoadOk(c.bytes);
        ASSERT_NE(sound, nullptr) << c.what;
        unsigned int length = 0;
        EXPECT_EQ(sound->getLength(&length, FMOD_TIMEUNIT_PCM), FMOD_OK);
        EXPECT_EQ(length, c.frames) << c.what;
    }
}

TEST_F(SoundTest, RejectsMissingCorruptAndNonPcmFilesWithNullSounds) {
    const auto withFormat = [](int format, int channels, int rate, int bits, std::size_t n) {
        return Riff(WavFormatChunk(format, channels, rate, bits) + WavDataChunk(Ramp(n)));
    };
    const struct {
        const char* what;
        std::string bytes;
        FMOD_RESULT expected;
    } cases[] = {
        {"empty file", "", FMOD_ERR_FILE_BAD},
        {"random bytes", std::string("\x13\x37garbage\xff", 10) + '\0' + "not a wave",
         FMOD_ERR_FILE_BAD},
        {"header cut short", PcmWav(1, 8000, Ramp(10)).substr(0, 30), FMOD_ERR_FILE_BAD},
        {"no data chunk", Riff(WavFormatChunk(1, 1, 8000, 16)), FMOD_ERR_FILE_BAD},
        {"no format chunk", Riff(WavDataChunk(Ramp(10))), FMOD_ERR_FILE_BAD},
        {"empty data", PcmWav(1, 8000, {}), FMOD_ERR_FILE_BAD},
        {"huge chunk size",
         Riff(WavFormatChunk(1, 1, 8000, 16) + "JUNK" + LittleEndian(0xFFFFFFF0u, 4)),
         FMOD_ERR_FILE_BAD},
        {"float samples", withFormat(3, 1, 8000, 32, 10), FMOD_ERR_FORMAT},
        {"8-bit", withFormat(1, 1, 8000, 8, 10), FMOD_ERR_FORMAT},
        {"24-bit", withFormat(1, 1, 8000, 24, 12), FMOD_ERR_FORMAT},
        {"three channels", withFormat(1, 3, 8000, 16, 12), FMOD_ERR_FORMAT},
        {"zero rate", withFormat(1, 1, 0, 16, 10), FMOD_ERR_FORMAT},
    };
    for (const auto& c : cases) {
        for (bool stream : {false, true}) {
            FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(1);
            EXPECT_EQ(Load(c.bytes, &sound, stream), c.expected) << c.what << " stream " << stream;
            EXPECT_EQ(sound, nullptr) << c.what;
        }
    }

    FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(1);
    const std::string missing = (dir.Path() / "missing.wav").string();
    EXPECT_EQ(system->createSound(missing.c_str(), FMOD_DEFAULT, nullptr, &sound),
              FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(sound, nullptr);
    // A directory is no sound either (and must not be opened as one).
    EXPECT_EQ(system->createStream(dir.Path().c_str(), FMOD_DEFAULT, nullptr, &sound),
              FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(system->createSound(nullptr, FMOD_DEFAULT, nullptr, &sound), FMOD_ERR_INVALID_PARAM);
}

TEST_F(SoundTest, NullForeignReleasedAndVanishedSoundsPlayNothing) {
    FMOD::Channel* channel = reinterpret_cast<FMOD::Channel*>(1);
    EXPECT_EQ(system->playSound(nullptr, nullptr, false, &channel), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel, nullptr);

    FMOD::System* other = NewSystem(8);
    const std::string path = Write("other.wav", PcmWav(1, 8000, Ramp(10)));
    FMOD::Sound* foreign = nullptr;
    ASSERT_EQ(other->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &foreign), FMOD_OK);
    EXPECT_EQ(system->playSound(foreign, nullptr, false, &channel), FMOD_ERR_INVALID_PARAM);
    other->release();

    // Releasing a sound ends its channels.
    FMOD::Sound* released = LoadOk(HalfTone(1000));
    FMOD::Channel* playing = Play(released);
    EXPECT_EQ(released->release(), FMOD_OK);
    EXPECT_FALSE(Playing(playing));
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
    EXPECT_EQ(system->playSound(released, nullptr, false, &channel), FMOD_ERR_INVALID_PARAM);

    // A stream whose file vanished cannot start.
    const std::string gone = Write("gone.wav", PcmWav(1, 48000, Ramp(100)));
    FMOD::Sound* stream = nullptr;
    ASSERT_EQ(system->createStream(gone.c_str(), FMOD_DEFAULT, nullptr, &stream), FMOD_OK);
    std::filesystem::remove(gone);
    channel = reinterpret_cast<FMOD::Channel*>(1);
    EXPECT_EQ(system->playSound(stream, nullptr, false, &channel), FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(channel, nullptr);
}

// ---- Loading beside the caller ----------------------------------------------------

TEST_F(SoundTest, SamplesPlayedAtOnceStartFromTheirFirstFrame) {
    // Two long samples queued one behind the other: the second is most likely
    // still waiting for the loader when it is played, the first being read.
    constexpr std::size_t kFrames = 1 << 20;
    const std::string first = Write("first.wav", PcmWav(1, 48000, Ramp(kFrames)));
    const std::string second = Write("second.wav", PcmWav(2, 48000, Ramp(2 * kFrames)));
    FMOD::Sound* sounds[2] = {};
    ASSERT_EQ(system->createSound(first.c_str(), FMOD_DEFAULT, nullptr, &sounds[0]), FMOD_OK);
    ASSERT_EQ(system->createSound(second.c_str(), FMOD_DEFAULT, nullptr, &sounds[1]), FMOD_OK);
    unsigned int length = 0;
    sounds[1]->getLength(&length, FMOD_TIMEUNIT_PCM);
    EXPECT_EQ(length, kFrames);
    const FMOD::Channel* played[2] = {Play(sounds[1]), Play(sounds[0])};
    ASSERT_NE(played[0], nullptr);
    ASSERT_NE(played[1], nullptr);
    // Frame i: the first's i on both sides, the second's 2i on the left and
    // 2i + 1 on the right.
    const std::vector<float> out = Mix(10000);
    for (std::size_t i = 0; i < 10000; i += 999) {
        ASSERT_FLOAT_EQ(out[2 * i], static_cast<float>(3 * i) / 32768.0f) << i;
        ASSERT_FLOAT_EQ(out[2 * i + 1], static_cast<float>(3 * i + 1) / 32768.0f) << i;
    }
}

TEST_F(SoundTest, SoundsReleasedOrLeftWhileLoadingGoCleanly) {
    const std::string path = Write("long.wav", PcmWav(2, 48000, Ramp(1 << 21)));
    for (int i = 0; i < 3; ++i) {
        FMOD::Sound* sound = nullptr;
        ASSERT_EQ(system->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_OK);
        EXPECT_EQ(sound->release(), FMOD_OK);
    }
    // A System released with its samples still loading takes them along.
    FMOD::System* brief = NewSystem(4);
    for (int i = 0; i < 3; ++i) {
        FMOD::Sound* sound = nullptr;
        ASSERT_EQ(brief->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_OK);
    }
    EXPECT_EQ(brief->release(), FMOD_OK);
}

TEST(SampleLoadTest, FramesGoneSinceTheHeaderWasCheckedAreNotRead) {
    // The header promises 1000 frames; the file then loses them before they
    // are read. The mixer must never be handed frames that are not there.
    TempDir dir;
    const auto path = (dir.Path() / "shrinks.wav").string();
    const std::string bytes = PcmWav(1, 48000, Ramp(1000));
    WriteFile(path, bytes);
    std::ifstream file;
    moth_sound::WavInfo info;
    ASSERT_EQ(moth_sound::OpenWav(path, &file, &info), moth_sound::WavStatus::Ok);
    std::filesystem::resize_file(path, bytes.size() - 10);
    moth_sound::SampleLoad load(std::move(file), info);
    EXPECT_EQ(load.Frames(), nullptr);
}

// ---- Playback and mixing ----------------------------------------------------------

TEST_F(SoundTest, MixesAtChannelVolumeAndSumsChannels) {
    FMOD::Sound* sound = LoadOk(HalfTone(1000));
    FMOD::Channel* first = Play(sound);
    std::vector<float> out = Mix(4);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f); // mono goes to both sides

    first->setVolume(0.5f);
    EXPECT_FLOAT_EQ(Mix(4)[6], 0.25f);
    Play(sound);
    EXPECT_FLOAT_EQ(Mix(4)[0], 0.75f);
    Play(sound);
    Play(sound);
    EXPECT_FLOAT_EQ(Mix(4)[0], 1.0f) << "the mix is clamped";

    float volume = 0.0f;
    EXPECT_EQ(first->setVolume(NAN), FMOD_ERR_INVALID_FLOAT);
    first->getVolume(&volume);
    EXPECT_FLOAT_EQ(volume, 0.5f);
}

TEST_F(SoundTest, StereoKeepsItsSides) {
    Play(LoadOk(PcmWav(2, 48000, {kHalf, -kHalf, kHalf, -kHalf})));
    const std::vector<float> out = Mix(2);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], -0.5f);
}

TEST_F(SoundTest, EndedChannelsGoSilentAndAnswerWithoutEffect) {
    // A one-shot ends after its last frame.
    FMOD::Channel* ended = Play(LoadOk(HalfTone(100)));
    Mix(99);
    EXPECT_TRUE(Playing(ended));
    EXPECT_EQ(Position(ended), 99u);
    const std::vector<float> out = Mix(3);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[2], 0.0f);

    // Stop silences at once.
    FMOD::Channel* stopped = Play(LoadOk(HalfTone(100)));
    EXPECT_EQ(stopped->stop(), FMOD_OK);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);

    for (FMOD::Channel* channel : {ended, stopped}) {
        EXPECT_FALSE(Playing(channel));
        EXPECT_EQ(channel->stop(), FMOD_ERR_INVALID_HANDLE);
        EXPECT_EQ(channel->setPaused(true), FMOD_ERR_INVALID_HANDLE);
        EXPECT_EQ(channel->setVolume(0.2f), FMOD_ERR_INVALID_HANDLE);
        FMOD::Sound* current = reinterpret_cast<FMOD::Sound*>(1);
        channel->getCurrentSound(&current);
        EXPECT_EQ(current, nullptr);
    }
    // An ended channel is not handed out again.
    EXPECT_NE(Play(LoadOk(HalfTone(100))), ended);
}

TEST_F(SoundTest, PausedChannelsHoldTheirPlaceAndResume) {
    FMOD::Channel* channel = Play(LoadOk(HalfTone(100)), true);
    bool paused = false;
    channel->getPaused(&paused);
    EXPECT_TRUE(paused);
    EXPECT_FLOAT_EQ(Mix(50)[0], 0.0f);
    EXPECT_EQ(Position(channel), 0u);
    EXPECT_TRUE(Playing(channel));

    channel->setPaused(false);
    EXPECT_FLOAT_EQ(Mix(50)[0], 0.5f);
    EXPECT_EQ(Position(channel), 50u);
}

TEST_F(SoundTest, LoopCountDecidesHowOftenASoundRepeats) {
    FMOD::Sound* sound = LoadOk(HalfTone(100));
    FMOD::Channel* endless = Play(sound);
    FMOD::Channel* thrice = Play(sound);
    FMOD::Channel* modeOnly = Play(sound); // loop mode alone loops endlessly
    for (FMOD::Channel* channel : {endless, thrice, modeOnly}) {
        channel->setMode(FMOD_LOOP_NORMAL);
    }
    endless->setLoopCount(-1);
    thrice->setLoopCount(2);

    Mix(299);
    EXPECT_TRUE(Playing(thrice));
    EXPECT_EQ(Position(thrice), 99u);
    Mix(1);
    EXPECT_FALSE(Playing(thrice));

    Mix(10000);
    EXPECT_TRUE(Playing(endless));
    EXPECT_TRUE(Playing(modeOnly));
    EXPECT_EQ(Position(endless), 10300u % 100);
    int loops = 0;
    endless->getLoopCount(&loops);
    EXPECT_EQ(loops, -1);

    // Loop mode switched off again: the current pass is the last.
    endless->setMode(FMOD_DEFAULT);
    Mix(100);
    EXPECT_FALSE(Playing(endless));
}

TEST_F(SoundTest, OtherRatesAreResampledLinearly) {
    // 24 kHz into the 48 kHz mix: each source frame lasts two output frames,
    // and the frame between is the average of its neighbours.
    int rate = 0;
    system->getOutputRate(&rate);
    ASSERT_EQ(rate, 48000);
    FMOD::Channel* channel = Play(LoadOk(PcmWav(1, 24000, {0, kHalf, kHalf, 0})));
    const std::vector<float> out = Mix(7);
    const float expected[] = {0.0f, 0.25f, 0.5f, 0.5f, 0.5f, 0.25f, 0.0f};
    for (int i = 0; i < 7; ++i) {
        EXPECT_FLOAT_EQ(out[2 * i], expected[i]) << "frame " << i;
    }
    EXPECT_TRUE(Playing(channel));
    Mix(1);
    EXPECT_FALSE(Playing(channel));
}

TEST_F(SoundTest, ChannelLimitFromInitIsKept) {
    FMOD::System* small = NewSystem(2);
    const std::string path = Write("tone.wav", HalfTone(100));
    FMOD::Sound* sound = nullptr;
    small->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &sound);
    FMOD::Channel* channel = nullptr;
    EXPECT_EQ(small->playSound(sound, nullptr, false, &channel), FMOD_OK);
    EXPECT_EQ(small->playSound(sound, nullptr, false, &channel), FMOD_OK);
    EXPECT_EQ(small->playSound(sound, nullptr, false, &channel), FMOD_ERR_CHANNEL_ALLOC);
    EXPECT_EQ(channel, nullptr);
    small->release();
}

// ---- Streams --------------------------------------------------------------------

TEST_F(SoundTest, StreamPlaysTheSameFramesAsASample) {
    // Long enough to cross several of the stream's read windows, at a rate that
    // makes the mixer ask for frames on both sides of each window edge.
    const std::string bytes = PcmWav(2, 44100, Ramp(2 * 20000));
    Play(LoadOk(bytes, false));
    const std::vector<float> sampleMix = Mix(22000);
    FMOD::Channel* channel = Play(LoadOk(bytes, true));
    const std::vector<float> streamMix = Mix(22000);
    ASSERT_EQ(sampleMix.size(), streamMix.size());
    for (std::size_t i = 0; i < sampleMix.size(); ++i) {
        ASSERT_FLOAT_EQ(sampleMix[i], streamMix[i]) << "at " << i;
    }
    EXPECT_FALSE(Playing(channel));
}

TEST_F(SoundTest, LoopingStreamSeeksBackToItsStart) {
    constexpr unsigned int kFrames = 5000;
    FMOD::Channel* channel = Play(LoadOk(PcmWav(1, 48000, Ramp(kFrames)), true));
    channel->setMode(FMOD_LOOP_NORMAL);
    channel->setLoopCount(-1);
    const std::vector<float> out = Mix(3 * kFrames + 10);
    for (unsigned int i = 0; i < 3 * kFrames + 10; i += 997) {
        ASSERT_FLOAT_EQ(out[2 * i], static_cast<float>(i % kFrames) / 32768.0f) << "at " << i;
    }
    EXPECT_TRUE(Playing(channel));
}

TEST_F(SoundTest, OneStreamPlaysOnTwoChannelsIndependently) {
    FMOD::Sound* stream = LoadOk(PcmWav(1, 48000, Ramp(10000)), true);
    FMOD::Channel* first = Play(stream);
    Mix(6000);
    FMOD::Channel* second = Play(stream);
    EXPECT_FLOAT_EQ(Mix(1)[0], (6000.0f + 0.0f) / 32768.0f);
    EXPECT_EQ(Position(first), 6001u);
    EXPECT_EQ(Position(second), 1u);
}

// ---- System lifecycle and silent output -------------------------------------------

TEST_F(SoundTest, WithoutDeviceUpdateAdvancesPlaybackByElapsedTime) {
    FMOD_OUTPUTTYPE output = FMOD_OUTPUTTYPE_SDL;
    system->getOutput(&output);
    ASSERT_EQ(output, FMOD_OUTPUTTYPE_NOSOUND) << "tests run with SDL_AUDIODRIVER=dummy";

    // 50 ms of sound, one channel paused.
    FMOD::Sound* sound = LoadOk(HalfTone(2400));
    FMOD::Channel* running = Play(sound);
    FMOD::Channel* paused = Play(sound, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    system->update();
    EXPECT_GT(Position(running), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    system->update();
    EXPECT_FALSE(Playing(running));
    EXPECT_TRUE(Playing(paused));
    EXPECT_EQ(Position(paused), 0u);
}

// Without a device a whole frame's playback passes in one step: a short loop
// passed several times in that step uses up one loop count each time.
TEST_F(SoundTest, WithoutDeviceAStepPastSeveralLoopsCountsEachOne) {
    FMOD::Channel* channel = Play(LoadOk(HalfTone(240))); // 5 ms
    channel->setMode(FMOD_LOOP_NORMAL);
    channel->setLoopCount(100);
    system->update();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    system->update(); // 30 to 50 ms later: six to ten loops
    int loops = 0;
    channel->getLoopCount(&loops);
    EXPECT_TRUE(Playing(channel));
    EXPECT_LE(loops, 95);
    EXPECT_GE(loops, 89);
    EXPECT_LT(Position(channel), 240u);
}

TEST(SoundSystemTest, CallsBeforeInitAndAfterCloseFailCleanly) {
    TempDir dir;
    const auto path = (dir.Path() / "tone.wav").string();
    WriteFile(path, HalfTone(100));

    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    FMOD::Sound* sound = nullptr;
    EXPECT_EQ(system->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &sound),
              FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->update(), FMOD_ERR_UNINITIALIZED);
    ASSERT_EQ(system->init(4, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    EXPECT_EQ(system->init(4, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INITIALIZED);

    ASSERT_EQ(system->createSound(path.c_str(), FMOD_DEFAULT, nullptr, &sound), FMOD_OK);
    FMOD::Channel* channel = nullptr;
    ASSERT_EQ(system->playSound(sound, nullptr, false, &channel), FMOD_OK);
    EXPECT_EQ(system->close(), FMOD_OK);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(system->playSound(sound, nullptr, false, &channel), FMOD_ERR_UNINITIALIZED);
    // Sounds stay valid until release, so the usual shutdown order still works.
    EXPECT_EQ(sound->release(), FMOD_OK);
    EXPECT_EQ(system->release(), FMOD_OK);
}

// A real device: SDL's disk driver writes the mix to a file through the same
// callback a sound card would get.
TEST(SoundDeviceTest, MixReachesTheAudioDevice) {
    TempDir dir;
    const auto wav = (dir.Path() / "tone.wav").string();
    const auto raw = (dir.Path() / "out.raw").string();
    WriteFile(wav, HalfTone(4800));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);

    FMOD::System* system = NewSystem(8);
    FMOD_OUTPUTTYPE output = FMOD_OUTPUTTYPE_NOSOUND;
    system->getOutput(&output);
    if (output == FMOD_OUTPUTTYPE_SDL) {
        FMOD::Sound* sound = nullptr;
        system->createSound(wav.c_str(), FMOD_DEFAULT, nullptr, &sound);
        FMOD::Channel* channel = nullptr;
        system->playSound(sound, nullptr, false, &channel);
        bool playing = true;
        for (int i = 0; i < 100 && playing; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            playing = Playing(channel); // the audio thread plays it out
        }
        EXPECT_FALSE(playing);
    }
    system->release();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (output != FMOD_OUTPUTTYPE_SDL) {
        GTEST_SKIP() << "SDL has no disk audio driver here";
    }
    EXPECT_NE(ReadFile(raw).find_first_not_of('\0'), std::string::npos);
}

} // namespace
