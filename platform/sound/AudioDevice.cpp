#include "AudioDevice.hpp"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

namespace moth_sound {
namespace {
constexpr Uint16 kBufferFrames = 1024; // about 21 ms at 48 kHz

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints a page of its own diagnostics to stderr while SDL probes a
// machine without a sound card. Our one line below says all the player needs,
// so ALSA's messages are silenced before SDL loads it (the same library
// instance: SDL opens it by the same name). The library stays loaded, as SDL
// keeps it.
void SilenceAlsaDiagnostics() {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (alsa == nullptr) {
        return;
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&IgnoreAlsaMessage);
    }
}

void ReportNoDevice() {
    std::fprintf(stderr, "Sound: no audio device could be opened (%s); the game plays silently.\n",
                 SDL_GetError());
}
} // namespace

AudioDevice::~AudioDevice() {
    Close();
}

bool AudioDevice::Open(int sampleRate, MixFunction mix) {
    SilenceAlsaDiagnostics();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportNoDevice();
        return false;
    }
    subsystemStarted_ = true;
    // The dummy driver would run the mixer on a timer for nobody to hear; the
    // silent mode advances playback on update() instead, which tests can follow.
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver == nullptr || std::strcmp(driver, "dummy") == 0) {
        Close();
        return false;
    }
    mix_ = std::move(mix);
    SDL_AudioSpec wanted = {};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioDevice::FillBuffer;
    wanted.userdata = this;
    SDL_AudioSpec obtained = {};
    // No allowed changes: SDL converts our format to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        ReportNoDevice();
        Close();
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void AudioDevice::Close() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    if (subsystemStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
    }
    mix_ = nullptr;
}

void SDLCALL AudioDevice::FillBuffer(void* self, Uint8* stream, int length) {
    const unsigned int frames = static_cast<unsigned int>(length) / (2 * sizeof(float));
    static_cast<AudioDevice*>(self)->mix_(reinterpret_cast<float*>(stream), frames);
}

} // namespace moth_sound
