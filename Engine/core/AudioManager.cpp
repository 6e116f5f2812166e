#include "AudioManager.h"

#include "AssetManager.h"

AudioManager* gAudioManager = nullptr;

namespace {

// Effects are loaded whole, tracks are streamed from their files.
const char* const kEffectNames[] = {"s_battery.wav", "s_lightpuzzle.wav", "s_collide.wav",
                                    "s_bell.wav",    "s_door.wav",        "s_throw.wav"};
const char* const kTrackNames[] = {"s_menu.wav", "s_bgmusic.wav", "s_lose.wav", "s_win.wav"};

// The sound stored under `name`, or null when the name is unknown or its file
// did not load.
FMOD::Sound* Find(const std::map<std::string, FMOD::Sound*>& sounds, const std::string& name) {
    const auto found = sounds.find(name);
    return found != sounds.end() ? found->second : nullptr;
}

// 0 or less (and NaN) gives 0, 1 or more gives 1.
float ClampVolume(float value) {
    if (value >= 1.0f) {
        return 1.0f;
    }
    return value > 0.0f ? value : 0.0f;
}

void ReleaseAll(FMOD::Sound* const* sounds, int count) {
    for (int i = 0; i < count; ++i) {
        if (sounds[i] != nullptr) {
            sounds[i]->release();
        }
    }
}

} // namespace

AudioManager::AudioManager() {
    StartSystem();
    LoadSounds(*gAssetManager);
}

AudioManager::AudioManager(const AssetCatalog& assets) {
    StartSystem();
    LoadSounds(assets);
}

AudioManager::~AudioManager() {
    ReleaseAll(effects, kEffectCount);
    ReleaseAll(tracks, kTrackCount);
    system->close();
    system->release(); // close alone would leave the System object behind
    effectsByName.clear();
    tracksByName.clear();
}

void AudioManager::StartSystem() {
    FMOD_System_Create(&system);
    system->init(1024, FMOD_INIT_NORMAL, nullptr);
}

void AudioManager::LoadSounds(const AssetCatalog& assets) {
    for (int i = 0; i < kEffectCount; ++i) {
        LoadSound(assets, kEffectNames[i], false, &effects[i]);
        effectsByName[kEffectNames[i]] = effects[i];
    }
    for (int i = 0; i < kTrackCount; ++i) {
        LoadSound(assets, kTrackNames[i], true, &tracks[i]);
        tracksByName[kTrackNames[i]] = tracks[i];
    }
}

// A sound whose file is missing, corrupt or not 16-bit PCM stays null and plays nothing.
void AudioManager::LoadSound(const AssetCatalog& assets, const std::string& name, bool stream,
                             FMOD::Sound** slot) {
    const std::string path = assets.GetAssetPath(assets.GetSoundFileName(name));
    const auto create = stream ? &FMOD::System::createStream : &FMOD::System::createSound;
    (system->*create)(path.c_str(), FMOD_DEFAULT, nullptr, slot);
}

// Unknown names and sounds that failed to load leave the remembered channels as they are.
void AudioManager::PlayMusic(const std::string& name) {
    FMOD::Sound* track = Find(tracksByName, name);
    if (track == nullptr) {
        return;
    }
    system->playSound(track, channelGroup, false, &musicChannel);
    if (musicChannel != nullptr) {
        musicChannel->setMode(FMOD_LOOP_NORMAL);
        musicChannel->setLoopCount(-1);
        musicChannel->setVolume(musicVolume);
    }
}

void AudioManager::PlayEffect(const std::string& name) {
    FMOD::Sound* effect = Find(effectsByName, name);
    if (effect == nullptr) {
        return;
    }
    system->playSound(effect, channelGroup, false, &effectChannel);
    if (effectChannel != nullptr) {
        effectChannel->setVolume(effectVolume);
    }
}

void AudioManager::StopMusic() {
    if (musicChannel != nullptr) {
        musicChannel->stop();
    }
}

void AudioManager::PauseAll() {
    SetPaused(true);
}

void AudioManager::ResumeAll() {
    SetPaused(false);
}

void AudioManager::SetPaused(bool paused) {
    if (musicChannel != nullptr) {
        musicChannel->setPaused(paused);
    }
    if (effectChannel != nullptr) {
        effectChannel->setPaused(paused);
    }
}

void AudioManager::SetMusicVolume(float value) {
    musicVolume = ClampVolume(value);
    if (musicChannel != nullptr) {
        musicChannel->setVolume(musicVolume);
    }
}

void AudioManager::SetEffectVolume(float value) {
    effectVolume = ClampVolume(value);
    if (effectChannel != nullptr) {
        effectChannel->setVolume(effectVolume);
    }
}

void AudioManager::Update() {
    system->update();
}
