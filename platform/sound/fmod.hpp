// Moth Lantern's sound library: the part of the FMOD low-level API that the
// game's AudioManager calls, written for this game on top of SDL2 audio.
//
// It plays 16-bit PCM WAV files (mono or stereo, any sample rate) through its
// own mixer. Samples are decoded whole into memory, on a loader thread beside
// the caller: playing one waits for its frames; streams are read from their
// file while they play, each playing channel with its own reader. The mixer runs
// on SDL's audio thread, so every call here takes the System's lock.
//
// Without an audio device (SDL's "dummy" driver, or no device could be opened)
// the System runs silent: every call still works, and update() advances playing
// channels by the wall-clock time since the previous update, so playback state
// (playing, paused, position, loops) behaves as it would with sound.
//
// Lifetime: every Sound and Channel pointer handed out by a System stays valid
// until that System's release(). A channel that has ended (finished, stopped,
// or its sound released) is never reused for another sound: calls on it are
// harmless, setters answer FMOD_ERR_INVALID_HANDLE and getters keep reporting
// its last state. Each Channel object costs a few dozen bytes until release().
#pragma once
#include "WavFile.hpp"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// ---- Types and constants ----------------------------------------------------
typedef unsigned int FMOD_MODE;
typedef unsigned int FMOD_INITFLAGS;
typedef unsigned int FMOD_TIMEUNIT;

constexpr FMOD_MODE FMOD_DEFAULT = 0x0;     // play once
constexpr FMOD_MODE FMOD_LOOP_OFF = 0x1;    // play once
constexpr FMOD_MODE FMOD_LOOP_NORMAL = 0x2; // loop, as often as the loop count says
constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0x0;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_MS = 0x1;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_PCM = 0x2; // frames of the sound's own rate

enum FMOD_RESULT {
    FMOD_OK = 0,
    FMOD_ERR_CHANNEL_ALLOC,  // every channel allowed by init() is playing
    FMOD_ERR_FILE_BAD,       // not a readable WAV file
    FMOD_ERR_FILE_NOTFOUND,  // no regular file at that path
    FMOD_ERR_FORMAT,         // a WAV file, but not 16-bit PCM mono or stereo
    FMOD_ERR_INITIALIZED,    // init() called twice
    FMOD_ERR_INVALID_FLOAT,  // NaN or infinite value
    FMOD_ERR_INVALID_HANDLE, // the channel has ended, or an unknown channel group
    FMOD_ERR_INVALID_PARAM,  // null or foreign argument
    FMOD_ERR_UNINITIALIZED,  // init() not called yet, or close() already called
};

// Where the mix goes: nowhere (silent), or an SDL audio device.
enum FMOD_OUTPUTTYPE {
    FMOD_OUTPUTTYPE_NOSOUND = 0,
    FMOD_OUTPUTTYPE_SDL = 1,
};

// Extra creation settings are not supported; createSound/createStream ignore them.
struct FMOD_CREATESOUNDEXINFO;

namespace moth_sound {
class AudioDevice;
class SampleLoad;
class SampleLoader;
} // namespace moth_sound

namespace FMOD {
class System;
}

// Creates a System; init() it before use and release() it at the end.
FMOD_RESULT FMOD_System_Create(FMOD::System** system);

namespace FMOD {

class Channel;
class Sound;
// Channel groups are not created by this library: every channel plays on the
// master group, which is named by passing null to playSound.
class ChannelGroup;

class System {
  public:
    // Opens the audio output. maxChannels bounds how many channels play at once.
    FMOD_RESULT init(int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
    // Checks the file now and loads the whole of it into memory beside the caller.
    FMOD_RESULT createSound(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                            Sound** sound);
    // Checks the file now; each channel playing it reads the file as it goes.
    FMOD_RESULT createStream(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                             Sound** sound);
    // Starts the sound on a new channel with volume 1, the sound's mode and an
    // endless loop count, once its frames are loaded (FMOD_ERR_FILE_BAD if the
    // file lost them after createSound). On failure *channel is null.
    FMOD_RESULT playSound(Sound* sound, ChannelGroup* group, bool paused, Channel** channel);
    // Once per frame. Advances playback when running silent.
    FMOD_RESULT update();
    // Stops every channel and closes the output; sounds and channels stay valid.
    FMOD_RESULT close();
    // close(), then frees the System with every Sound and Channel it made.
    FMOD_RESULT release();

    FMOD_RESULT getOutput(FMOD_OUTPUTTYPE* output);
    // Frames per second of the mix (stereo).
    FMOD_RESULT getOutputRate(int* rate);
    // Mixes the next `frames` stereo frames of every playing channel into
    // `stereo` (interleaved left, right, clamped to -1..1) and advances them.
    // The audio device calls this; tests call it to step playback exactly.
    FMOD_RESULT mix(float* stereo, unsigned int frames);

  private:
    friend FMOD_RESULT(::FMOD_System_Create)(System** system);
    friend class Sound;
    friend class ChannelControl;
    friend class Channel;

    System();
    ~System();
    FMOD_RESULT createSoundFromFile(const char* path, FMOD_MODE mode, bool stream, Sound** sound);
    bool ownsSound(const Sound* sound) const;
    // Waits, without the lock so the mixer does not, for the frames of a
    // sample still loading.
    void awaitFrames(Sound* sound);
    // Mixes every playing channel into `stereo` (null: only moves them on).
    void mixLocked(float* stereo, unsigned int frames);
    void advanceSilently();
    void releaseSound(Sound* sound);

    std::mutex lock_;
    bool initialized_ = false;
    int maxChannels_ = 0;
    std::unique_ptr<moth_sound::AudioDevice> device_;
    std::vector<std::unique_ptr<Sound>> sounds_;
    std::vector<std::unique_ptr<Channel>> channels_; // every channel ever started
    std::vector<Channel*> playing_;                  // the ones the mixer still visits
    std::chrono::steady_clock::time_point lastUpdate_;
    // Last, so it goes first: the sounds' frames are no longer being read when they go.
    std::unique_ptr<moth_sound::SampleLoader> loader_;
};

class Sound {
  public:
    // Stops every channel playing this sound, then frees it (waiting for its
    // frames if they are being read).
    FMOD_RESULT release();
    FMOD_RESULT getLength(unsigned int* length, FMOD_TIMEUNIT unit);

  private:
    friend class System;
    friend class Channel;
    friend struct std::default_delete<Sound>;

    Sound(System* system, std::string path, FMOD_MODE mode, const moth_sound::WavInfo& info,
          std::shared_ptr<moth_sound::SampleLoad> frames);
    ~Sound() = default;
    // `frames` at `sampleRate` expressed in `unit` (PCM frames or milliseconds).
    static FMOD_RESULT toTimeUnit(std::uint64_t frames, int sampleRate, FMOD_TIMEUNIT unit,
                                  unsigned int* out);

    System* system_;
    std::string path_;
    FMOD_MODE mode_;
    moth_sound::WavInfo info_;
    const std::shared_ptr<moth_sound::SampleLoad> frames_; // null for streams
    bool stream_;
};

// What channels and channel groups share: volume, pause, mode, stop.
class ChannelControl {
  public:
    FMOD_RESULT setMode(FMOD_MODE mode);
    // Any finite value; 1 is the sound's own level.
    FMOD_RESULT setVolume(float volume);
    FMOD_RESULT getVolume(float* volume);
    FMOD_RESULT setPaused(bool paused);
    FMOD_RESULT getPaused(bool* paused);
    FMOD_RESULT stop();
    FMOD_RESULT isPlaying(bool* playing);

  protected:
    ChannelControl(System* system, FMOD_MODE mode, bool paused);
    ~ChannelControl() = default;
    // Runs `change` under the lock if the channel still plays.
    template <typename Change> FMOD_RESULT changeWhilePlaying(Change change);
    // Copies `field` to `out` under the lock.
    template <typename Value> FMOD_RESULT report(Value* out, const Value& field);

    System* system_;
    FMOD_MODE mode_;
    bool paused_;
    bool playing_ = true;
    float volume_ = 1.0f;
};

class Channel : public ChannelControl {
  public:
    // -1 loops forever, 0 plays once, n plays n + 1 times (with FMOD_LOOP_NORMAL).
    FMOD_RESULT setLoopCount(int loopCount);
    FMOD_RESULT getLoopCount(int* loopCount);
    FMOD_RESULT getPosition(unsigned int* position, FMOD_TIMEUNIT unit);
    // The sound playing, or null once the channel has ended.
    FMOD_RESULT getCurrentSound(Sound** sound);

  private:
    friend class System;
    friend class Sound;
    friend struct std::default_delete<Channel>;

    struct StereoFrame {
        float left;
        float right;
    };

    // A sample's channel reads `frames`, a stream's its `reader`.
    Channel(System* system, Sound* sound, const std::int16_t* frames,
            std::unique_ptr<moth_sound::WavStreamReader> reader, bool paused);
    ~Channel() = default;
    // Adds the next frames to `stereo`; false once the channel has ended. A
    // null `stereo` only moves playback on, as far and to the same end.
    bool mixInto(float* stereo, unsigned int frames, int outputRate);
    bool skip(double sourceFrames);
    bool wrapAtEnd();
    StereoFrame readFrame(std::uint64_t index);
    StereoFrame sampleAt(double position);
    void end();

    Sound* sound_;
    const std::int16_t* frames_;
    std::unique_ptr<moth_sound::WavStreamReader> reader_;
    int sampleRate_;
    double position_ = 0.0; // in frames of the sound's own rate
    int loopCount_ = -1;
};

} // namespace FMOD
