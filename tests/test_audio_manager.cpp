// The audio manager on the sound library, without an audio device
// (SDL_AUDIODRIVER=dummy): music, effects, pause, volumes, bad files.
#include "AssetManager.h"
#include "AudioManager.h"
#include "TestEnv.h"
#include "WavWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kSoundNames[] = {
    "s_battery.wav", "s_lightpuzzle.wav", "s_collide.wav", "s_bell.wav", "s_door.wav",
    "s_throw.wav",   "s_menu.wav",        "s_bgmusic.wav", "s_lose.wav", "s_win.wav"};

bool Playing(FMOD::Channel* channel) {
    bool playing = false;
    channel->isPlaying(&playing);
    return playing;
}

bool Paused(FMOD::Channel* channel) {
    bool paused = false;
    channel->getPaused(&paused);
    return paused;
}

float Volume(FMOD::Channel* channel) {
    float volume = -1.0f;
    channel->getVolume(&volume);
    return volume;
}

// Writes every sound, 0.05 s long, except "s_door.wav", which is corrupt.
// Returns the folder in the form the catalog takes.
std::string WriteSounds(const std::filesystem::path& folder) {
    for (const char* name : kSoundNames) {
        moth_test::WriteFile(folder / name,
                             moth_test::PcmWav(1, 48000, std::vector<std::int16_t>(2400, 0x1010)));
    }
    moth_test::WriteFile(folder / "s_door.wav", "RIFF....WAVEjunk");
    return folder.string() + "/";
}

class AudioManagerTest : public testing::Test {
  protected:
    moth_test::TempDir dir;
    AssetCatalog catalog{WriteSounds(dir.Path())};
    AudioManager audio{catalog};
};

TEST_F(AudioManagerTest, VolumesStartAtHalfAreClampedAndReachTheChannels) {
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.5f);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.5f);
    audio.SetMusicVolume(-0.2f);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.0f);
    audio.SetMusicVolume(1.7f);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 1.0f);
    audio.SetEffectVolume(-0.2f);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.0f);
    audio.SetEffectVolume(1.7f);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 1.0f);
    audio.SetEffectVolume(NAN);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.0f) << "a slider's NaN must not reach the mixer";

    // Volumes apply to new and current channels.
    audio.SetEffectVolume(0.5f);
    audio.SetMusicVolume(0.3f);
    audio.PlayMusic("s_menu.wav");
    EXPECT_FLOAT_EQ(Volume(audio.GetMusicChannel()), 0.3f);
    audio.SetMusicVolume(0.8f);
    EXPECT_FLOAT_EQ(Volume(audio.GetMusicChannel()), 0.8f);

    audio.PlayEffect("s_bell.wav");
    EXPECT_FLOAT_EQ(Volume(audio.GetEffectChannel()), 0.5f);
    audio.SetEffectVolume(0.1f);
    EXPECT_FLOAT_EQ(Volume(audio.GetEffectChannel()), 0.1f);
}

TEST_F(AudioManagerTest, MusicLoopsOnWhileEffectsPlayOnce) {
    audio.PlayMusic("s_bgmusic.wav");
    audio.PlayEffect("s_throw.wav");
    FMOD::Channel* music = audio.GetMusicChannel();
    FMOD::Channel* effect = audio.GetEffectChannel();
    ASSERT_NE(music, nullptr);
    ASSERT_NE(effect, nullptr);
    int loops = 0;
    music->getLoopCount(&loops);
    EXPECT_EQ(loops, -1);

    // Both sounds last 0.05 s; without a device, update advances playback.
    audio.Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    audio.Update();
    EXPECT_TRUE(Playing(music));
    EXPECT_FALSE(Playing(effect));
}

TEST_F(AudioManagerTest, PauseAllPausesOnlyTheNewestEffectAndTheMusic) {
    audio.PlayMusic("s_menu.wav");
    audio.PlayEffect("s_battery.wav");
    FMOD::Channel* older = audio.GetEffectChannel();
    audio.PlayEffect("s_collide.wav");
    FMOD::Channel* newer = audio.GetEffectChannel();
    ASSERT_NE(older, newer);

    audio.PauseAll();
    EXPECT_TRUE(Paused(audio.GetMusicChannel()));
    EXPECT_TRUE(Paused(newer));
    EXPECT_FALSE(Paused(older));
    EXPECT_TRUE(Playing(older));

    audio.ResumeAll();
    EXPECT_FALSE(Paused(audio.GetMusicChannel()));
    EXPECT_FALSE(Paused(newer));
}

TEST_F(AudioManagerTest, PlayMusicTwiceLeavesTheFirstTrackPlaying) {
    audio.PlayMusic("s_menu.wav");
    FMOD::Channel* first = audio.GetMusicChannel();
    audio.PlayMusic("s_bgmusic.wav");
    FMOD::Channel* second = audio.GetMusicChannel();
    ASSERT_NE(first, second);

    audio.StopMusic();
    EXPECT_FALSE(Playing(second));
    EXPECT_TRUE(Playing(first)) << "out of the manager's reach";
}

TEST_F(AudioManagerTest, UnknownNamesAndBrokenFilesPlayNothing) {
    audio.PlayEffect("s_nothing.wav");
    audio.PlayEffect("s_door.wav"); // corrupt file
    audio.PlayEffect("s_menu.wav"); // a track, not an effect
    audio.PlayMusic("s_bell.wav");  // an effect, not a track
    EXPECT_EQ(audio.GetEffectChannel(), nullptr);
    EXPECT_EQ(audio.GetMusicChannel(), nullptr);
    audio.PauseAll();
    audio.StopMusic();

    audio.PlayEffect("s_bell.wav");
    FMOD::Channel* bell = audio.GetEffectChannel();
    audio.PlayEffect("s_door.wav");
    EXPECT_EQ(audio.GetEffectChannel(), bell) << "a failed effect keeps the last one";
}

// The game's own sounds: one asked for right after start-up plays, and a
// manager gone while its sounds were still loading leaves cleanly.
TEST(AudioManagerStartUpTest, GameSoundsPlayAtOnceAndGoAtOnce) {
    const AssetCatalog game(std::string(MOTH_SOURCE_DIR) + "/Assets/");
    { AudioManager gone(game); }
    AudioManager audio(game);
    audio.PlayEffect("s_bell.wav");
    ASSERT_NE(audio.GetEffectChannel(), nullptr);
    EXPECT_TRUE(Playing(audio.GetEffectChannel()));
}

TEST(AudioManagerSilenceTest, NoSoundFilesStillRunsEveryCall) {
    moth_test::TempDir dir;
    AssetCatalog noAssets((dir.Path() / "Assets").string() + "/");
    AudioManager audio(noAssets);
    audio.PlayMusic("s_menu.wav");
    audio.PlayEffect("s_bell.wav");
    audio.PauseAll();
    audio.ResumeAll();
    audio.SetMusicVolume(0.2f);
    audio.StopMusic();
    audio.Update();
    EXPECT_EQ(audio.GetMusicChannel(), nullptr);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.2f);
}

} // namespace
