// The SDL audio device the mixer plays through.
#pragma once
#include <SDL.h>

#include <functional>

namespace moth_sound {

class AudioDevice {
  public:
    // Fills `frames` interleaved stereo float frames; runs on SDL's audio thread.
    using MixFunction = std::function<void(float* stereo, unsigned int frames)>;

    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default output and starts calling `mix`. False when there is no
    // real device: SDL's audio cannot start, its driver is "dummy", or the
    // device does not open.
    bool Open(int sampleRate, MixFunction mix);
    // Stops the callbacks (waiting for a running one to return) and closes.
    void Close();
    bool IsOpen() const { return device_ != 0; }

  private:
    static void SDLCALL FillBuffer(void* self, Uint8* stream, int length);

    MixFunction mix_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystemStarted_ = false;
};

} // namespace moth_sound
