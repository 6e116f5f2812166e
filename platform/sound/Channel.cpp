#include "fmod.hpp"

#include <cmath>

namespace FMOD {

// ---- ChannelControl -----------------------------------------------------------

ChannelControl::ChannelControl(System* system, FMOD_MODE mode, bool paused)
    : system_(system), mode_(mode), paused_(paused) {}

template <typename Change> FMOD_RESULT ChannelControl::changeWhilePlaying(Change change) {
    std::lock_guard<std::mutex> guard(system_->lock_);
    if (!playing_) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    change();
    return FMOD_OK;
}

template <typename Value> FMOD_RESULT ChannelControl::report(Value* out, const Value& field) {
    if (out == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    std::lock_guard<std::mutex> guard(system_->lock_);
    *out = field;
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::setMode(FMOD_MODE mode) {
    return changeWhilePlaying([&] { mode_ = mode; });
}

FMOD_RESULT ChannelControl::setVolume(float volume) {
    if (!std::isfinite(volume)) {
        return FMOD_ERR_INVALID_FLOAT;
    }
    return changeWhilePlaying([&] { volume_ = volume; });
}

FMOD_RESULT ChannelControl::getVolume(float* volume) {
    return report(volume, volume_);
}

FMOD_RESULT ChannelControl::setPaused(bool paused) {
    return changeWhilePlaying([&] { paused_ = paused; });
}

FMOD_RESULT ChannelControl::getPaused(bool* paused) {
    return report(paused, paused_);
}

// The mixer drops the channel and its stream file on its next pass.
FMOD_RESULT ChannelControl::stop() {
    return changeWhilePlaying([&] { playing_ = false; });
}

FMOD_RESULT ChannelControl::isPlaying(bool* playing) {
    return report(playing, playing_);
}

// ---- Channel ------------------------------------------------------------------

Channel::Channel(System* system, Sound* sound, const std::int16_t* frames,
                 std::unique_ptr<moth_sound::WavStreamReader> reader, bool paused)
    : ChannelControl(system, sound->mode_, paused), sound_(sound), frames_(frames),
      reader_(std::move(reader)), sampleRate_(sound->info_.sampleRate) {}

FMOD_RESULT Channel::setLoopCount(int loopCount) {
    if (loopCount < -1) {
        return FMOD_ERR_INVALID_PARAM;
    }
    return changeWhilePlaying([&] { loopCount_ = loopCount; });
}

FMOD_RESULT Channel::getLoopCount(int* loopCount) {
    return report(loopCount, loopCount_);
}

FMOD_RESULT Channel::getPosition(unsigned int* position, FMOD_TIMEUNIT unit) {
    std::lock_guard<std::mutex> guard(system_->lock_);
    return Sound::toTimeUnit(static_cast<std::uint64_t>(position_), sampleRate_, unit, position);
}

FMOD_RESULT Channel::getCurrentSound(Sound** sound) {
    if (sound == nullptr) {
        return FMOD_ERR_INVALID_PARAM;
    }
    std::lock_guard<std::mutex> guard(system_->lock_);
    *sound = playing_ ? sound_ : nullptr;
    return FMOD_OK;
}

bool Channel::mixInto(float* stereo, unsigned int frames, int outputRate) {
    if (!playing_ || sound_ == nullptr) {
        end();
        return false;
    }
    if (paused_) {
        return true;
    }
    const double step = static_cast<double>(sampleRate_) / outputRate;
    if (stereo == nullptr) {
        return skip(step * frames);
    }
    const double frameCount = static_cast<double>(sound_->info_.frameCount);
    for (unsigned int i = 0; i < frames; ++i) {
        const StereoFrame frame = sampleAt(position_);
        stereo[2 * i] += frame.left * volume_;
        stereo[2 * i + 1] += frame.right * volume_;
        position_ += step;
        if (position_ >= frameCount && !wrapAtEnd()) {
            end();
            return false;
        }
    }
    return true;
}

// Playback nobody hears (no output device) moves on in one step instead of
// sample by sample, passing the end of the data once per loop it uses up.
bool Channel::skip(double sourceFrames) {
    const double frameCount = static_cast<double>(sound_->info_.frameCount);
    if (frameCount <= 0.0) {
        end(); // nothing to play, nothing to loop over
        return false;
    }
    position_ += sourceFrames;
    while (position_ >= frameCount) {
        const double pastTheEnd = position_ - frameCount; // a step may pass several loops
        if (!wrapAtEnd()) {
            end();
            return false;
        }
        position_ = pastTheEnd;
    }
    return true;
}

// At the end of the data: back to the start while loops remain.
bool Channel::wrapAtEnd() {
    const bool looping = (mode_ & FMOD_LOOP_NORMAL) != 0 && (mode_ & FMOD_LOOP_OFF) == 0;
    if (!looping || loopCount_ == 0) {
        return false;
    }
    if (loopCount_ > 0) {
        --loopCount_;
    }
    position_ = std::fmod(position_, static_cast<double>(sound_->info_.frameCount));
    return true;
}

// Linear interpolation between the two frames around `position`.
Channel::StereoFrame Channel::sampleAt(double position) {
    const auto index = static_cast<std::uint64_t>(position);
    const float weight = static_cast<float>(position - static_cast<double>(index));
    const StereoFrame first = readFrame(index);
    if (weight == 0.0f || index + 1 >= sound_->info_.frameCount) {
        return first;
    }
    const StereoFrame second = readFrame(index + 1);
    return {first.left + (second.left - first.left) * weight,
            first.right + (second.right - first.right) * weight};
}

Channel::StereoFrame Channel::readFrame(std::uint64_t index) {
    const int channels = sound_->info_.channels;
    const std::int16_t* samples = reader_ ? reader_->FrameAt(index) : frames_ + index * channels;
    const float left = samples[0] / 32768.0f;
    return {left, channels == 2 ? samples[1] / 32768.0f : left};
}

void Channel::end() {
    playing_ = false;
    sound_ = nullptr;
    frames_ = nullptr;
    reader_.reset();
}

} // namespace FMOD
