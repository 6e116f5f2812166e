// Moth Lantern: the audio manager. Loads the game's ten sounds through the sound
// library and plays one looping music track and any number of one-shot effects.
#pragma once
#include "fmod.hpp"

#include <map>
#include <string>

class AssetCatalog;

class AudioManager {
  public:
    // Starts the sound system and loads the sounds found by gAssetManager.
    AudioManager();
    // The same with another catalog's files.
    explicit AudioManager(const AssetCatalog& assets);
    ~AudioManager();
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    // Starts a track looping endlessly at the music volume. The music channel
    // playing before is not stopped: callers stop it first with StopMusic.
    void PlayMusic(const std::string& name);
    // Plays an effect once at the effect volume; only the newest effect's
    // channel is remembered.
    void PlayEffect(const std::string& name);
    void StopMusic();
    // Pause or resume the music and the newest effect.
    void PauseAll();
    void ResumeAll();
    // Clamped to 0..1 and applied to the current channel at once.
    void SetMusicVolume(float value);
    void SetEffectVolume(float value);
    float GetMusicVolume() const { return musicVolume; }
    float GetEffectVolume() const { return effectVolume; }
    // Both volumes at start-up.
    static constexpr float kDefaultVolume = 0.5f;
    // Once per unpaused frame.
    void Update();

    // The channels the manager remembers (null before anything played).
    FMOD::Channel* GetMusicChannel() const { return musicChannel; }
    FMOD::Channel* GetEffectChannel() const { return effectChannel; }

  private:
    static constexpr int kEffectCount = 6;
    static constexpr int kTrackCount = 4;

    void StartSystem();
    void LoadSounds(const AssetCatalog& assets);
    void LoadSound(const AssetCatalog& assets, const std::string& name, bool stream,
                   FMOD::Sound** slot);
    void SetPaused(bool paused);

    FMOD::System* system = nullptr;
    FMOD::Sound* effects[kEffectCount] = {};
    FMOD::Sound* tracks[kTrackCount] = {};
    FMOD::ChannelGroup* channelGroup = nullptr; // null: the master group
    FMOD::Channel* musicChannel = nullptr;
    FMOD::Channel* effectChannel = nullptr;
    std::map<std::string, FMOD::Sound*> effectsByName;
    std::map<std::string, FMOD::Sound*> tracksByName;
    float musicVolume = kDefaultVolume;
    float effectVolume = kDefaultVolume;
};

extern AudioManager* gAudioManager;
