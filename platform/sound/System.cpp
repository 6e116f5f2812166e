#include "AudioDevice.hpp"
#include "SampleLoader.hpp"
#include "fmod.hpp"

#include <algorithm>

namespace {

constexpr int kOutputRate = 48000;
// Silent playback catches up at most this much per update, so a long stall
// (a debugger, a modal dialog) does not cost a long mixing burst afterwards.
constexpr double kLongestSilentStepSeconds = 0.5;

FMOD_RESULT ToResult(moth_sound::WavStatus status) {
    switch (status) {
    case moth_sound::WavStatus::Ok:
        return FMOD_OK;
    case moth_sound::WavStatus::NotFound:
        return FMOD_ERR_FILE_NOTFOUND;
    case moth_sound::WavStatus::Unsupported:
        return FMOD_ERR_FORMAT;
    case moth_sound::WavStatus::Corrupt:
        break;
    }
    return FMOD_ERR_FILE_BAD;
}

} // namespace

FMOD_RESULT FMOD_System_Create(FMOD::System** system) {
    if (system == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *system = new FMOD::System();
    return FMOD_OK;
}

namespace FMOD {

System::System()
    : device_(std::make_unique<moth_sound::AudioDevice>()),
      loader_(std::make_unique<moth_sound::SampleLoader>()) {}

System::~System() = default;

FMOD_RESULT System::init(int maxChannels, FMOD_INITFLAGS, void*) {
    if (maxChannels <= 0) {
        return FMOD_ERR_INVALID_PARAM;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (initialized_) {
            return FMOD_ERR_INITIALIZED;
        }
        initialized_ = true;
        maxChannels_ = maxChannels;
        lastUpdate_ = std::chrono::steady_clock::now();
    }
    // Outside the lock: the device's first callback takes it.
    device_->Open(kOutputRate, [this](float* stereo, unsigned int frames) { mix(stereo, frames); });
    return FMOD_OK;
}

FMOD_RESULT System::createSound(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO*,
                                Sound** sound) {
    return createSoundFromFile(path, mode, false, sound);
}

FMOD_RESULT System::createStream(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO*,
                                 Sound** sound) {
    return createSoundFromFile(path, mode, true, sound);
}

FMOD_RESULT System::createSoundFromFile(const char* path, FMOD_MODE mode, bool stream,
                                        Sound** sound) {
    if (sound == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *sound = nullptr;
    if (path == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    // The header is read here, before the lock so the mixer never waits on a
    // file: a missing, corrupt or non-PCM file fails at once. A sample's frames
    // are then read beside the caller, from the file opened here.
    std::ifstream file;
    moth_sound::WavInfo info;
    const moth_sound::WavStatus status = moth_sound::OpenWav(path, &file, &info);
    if (status != moth_sound::WavStatus::Ok) {
        return ToResult(status);
    }
    std::shared_ptr<moth_sound::SampleLoad> frames;
    if (!stream) {
        frames = std::make_shared<moth_sound::SampleLoad>(std::move(file), info);
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!initialized_) {
            return FMOD_ERR_UNINITIALIZED;
        }
        sounds_.push_back(std::unique_ptr<Sound>(new Sound(this, path, mode, info, frames)));
        *sound = sounds_.back().get();
    }
    if (frames != nullptr) {
        loader_->Queue(std::move(frames));
    }
    return FMOD_OK;
}

void System::awaitFrames(Sound* sound) {
    std::shared_ptr<moth_sound::SampleLoad> frames;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (sound == nullptr || !ownsSound(sound)) {
            return;
        }
        frames = sound->frames_;
    }
    if (frames != nullptr) {
        frames->Frames();
    }
}

FMOD_RESULT System::playSound(Sound* sound, ChannelGroup* group, bool paused, Channel** channel) {
    if (channel != nullptr) {
        *channel = nullptr;
    }
    awaitFrames(sound);
    std::lock_guard<std::mutex> guard(lock_);
    if (!initialized_) {
        return FMOD_ERR_UNINITIALIZED;
    }
    if (sound == nullptr || !ownsSound(sound)) {
        return FMOD_ERR_INVALID_PARAM;
    }
    if (group != nullptr) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (playing_.size() >= static_cast<std::size_t>(maxChannels_)) {
        return FMOD_ERR_CHANNEL_ALLOC;
    }
    const std::int16_t* frames = nullptr;
    std::unique_ptr<moth_sound::WavStreamReader> reader;
    if (sound->stream_) {
        reader = std::make_unique<moth_sound::WavStreamReader>();
        if (!reader->Open(sound->path_, sound->info_)) {
            return FMOD_ERR_FILE_NOTFOUND;
        }
    } else if ((frames = sound->frames_->Frames()) == nullptr) {
        return FMOD_ERR_FILE_BAD; // the file lost frames after createSound checked it
    }
    channels_.push_back(
        std::unique_ptr<Channel>(new Channel(this, sound, frames, std::move(reader), paused)));
    playing_.push_back(channels_.back().get());
    if (channel != nullptr) {
        *channel = channels_.back().get();
    }
    return FMOD_OK;
}

FMOD_RESULT System::update() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!initialized_) {
        return FMOD_ERR_UNINITIALIZED;
    }
    advanceSilently();
    return FMOD_OK;
}

void System::advanceSilently() {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - lastUpdate_).count();
    lastUpdate_ = now;
    if (device_->IsOpen()) {
        return; // the audio thread advances playback
    }
    const double seconds = std::min(elapsed, kLongestSilentStepSeconds);
    const auto frames = static_cast<unsigned int>(seconds * kOutputRate);
    mixLocked(nullptr, frames); // nobody hears it: no sample is read or mixed
}

FMOD_RESULT System::close() {
    // The device first and without the lock: its callback may be waiting for it.
    device_->Close();
    std::lock_guard<std::mutex> guard(lock_);
    for (Channel* channel : playing_) {
        channel->end();
    }
    playing_.clear();
    initialized_ = false;
    return FMOD_OK;
}

FMOD_RESULT System::release() {
    close();
    delete this;
    return FMOD_OK;
}

FMOD_RESULT System::getOutput(FMOD_OUTPUTTYPE* output) {
    if (output == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *output = device_->IsOpen() ? FMOD_OUTPUTTYPE_SDL : FMOD_OUTPUTTYPE_NOSOUND;
    return FMOD_OK;
}

FMOD_RESULT System::getOutputRate(int* rate) {
    if (rate == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *rate = kOutputRate;
    return FMOD_OK;
}

FMOD_RESULT System::mix(float* stereo, unsigned int frames) {
    if (stereo == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    std::lock_guard<std::mutex> guard(lock_);
    mixLocked(stereo, frames);
    return FMOD_OK;
}

void System::mixLocked(float* stereo, unsigned int frames) {
    if (stereo != nullptr) {
        std::fill(stereo, stereo + 2u * frames, 0.0f);
    }
    auto ended = [&](Channel* channel) { return !channel->mixInto(stereo, frames, kOutputRate); };
    playing_.erase(std::remove_if(playing_.begin(), playing_.end(), ended), playing_.end());
    for (unsigned int i = 0; stereo != nullptr && i < 2u * frames; ++i) {
        stereo[i] = std::clamp(stereo[i], -1.0f, 1.0f);
    }
}

bool System::ownsSound(const Sound* sound) const {
    return std::any_of(
        sounds_.begin(), sounds_.end(),
        [sound](const std::unique_ptr<Sound>& owned) { return owned.get() == sound; });
}

void System::releaseSound(Sound* sound) {
    for (Channel* channel : playing_) {
        if (channel->sound_ == sound) {
            channel->end();
        }
    }
    playing_.erase(std::remove_if(playing_.begin(), playing_.end(),
                                  [](Channel* channel) { return !channel->playing_; }),
                   playing_.end());
    sounds_.erase(std::remove_if(sounds_.begin(), sounds_.end(),
                                 [sound](const std::unique_ptr<Sound>& owned) {
                                     return owned.get() == sound;
                                 }),
                  sounds_.end());
}

} // namespace FMOD
