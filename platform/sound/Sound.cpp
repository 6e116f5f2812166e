#include "SampleLoader.hpp"
#include "fmod.hpp"

namespace FMOD {

Sound::Sound(System* system, std::string path, FMOD_MODE mode, const moth_sound::WavInfo& info,
             std::shared_ptr<moth_sound::SampleLoad> frames)
    : system_(system), path_(std::move(path)), mode_(mode), info_(info), frames_(std::move(frames)),
      stream_(frames_ == nullptr) {}

FMOD_RESULT Sound::release() {
    if (frames_ != nullptr) {
        frames_->Drop(); // outside the lock: the mixer never waits on a load
    }
    System* system = system_;
    std::lock_guard<std::mutex> guard(system->lock_);
    system->releaseSound(this); // frees this Sound
    return FMOD_OK;
}

FMOD_RESULT Sound::getLength(unsigned int* length, FMOD_TIMEUNIT unit) {
    return toTimeUnit(info_.frameCount, info_.sampleRate, unit, length);
}

FMOD_RESULT Sound::toTimeUnit(std::uint64_t frames, int sampleRate, FMOD_TIMEUNIT unit,
                              unsigned int* out) {
    if (out == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    if (unit == FMOD_TIMEUNIT_PCM) {
        *out = static_cast<unsigned int>(frames);
    } else if (unit == FMOD_TIMEUNIT_MS) {
        *out = static_cast<unsigned int>(frames * 1000 / static_cast<unsigned>(sampleRate));
    } else {
        return FMOD_ERR_INVALID_PARAM;
    }
    return FMOD_OK;
}

} // namespace FMOD
