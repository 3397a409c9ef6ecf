// The audio library on libopenmpt and SDL2. Loading keeps only a module's bytes; the one
// decoder that plays is built when a module is started. SDL's audio thread pulls the sound
// through Render, which tests call directly to render offline without any device.
//
// OpenOutput takes dwDevice 65535 as the system's default output and any other value as an
// index into SDL's list of output devices; wFormatFlags must be 0x0101 (16-bit stereo). A
// started module repeats forever. Without a working output everything but OpenOutput still
// works, silently.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/ModuleDecoder.h"
#include "platform/audio/ModuleImage.h"
#include "platform/audio/PlaybackMixer.h"
#include "playback/AudioLibrary.h"

class SdlAudioSubsystem;
class SdlAudioDevice;

// Results of the engine's operations; DescribeError has a text for each.
enum EngineError : int {
    kEngineOk = 0,
    kEngineFileNotFound = 1,
    kEngineFileUnreadable = 2,
    kEngineOffsetOutsideFile = 3,
    kEngineNotAModule = 4,
    kEngineOutOfMemory = 5,
    kEngineBadArgument = 6,
    kEngineAudioUnavailable = 7,
    kEngineNoDevice = 8,
    kEngineUnsupportedOutput = 9,
    kEngineUnknownModule = 10,
};

struct EngineSettings {
    // The rate Render uses until OpenOutput sets the device's.
    std::int32_t offlineRate = 44100;
    DecoderSettings decoder;
};

class EngineAudioLibrary final : public AudioLibrary {
public:
    explicit EngineAudioLibrary(const EngineSettings& settings = {});
    ~EngineAudioLibrary() override;
    EngineAudioLibrary(const EngineAudioLibrary&) = delete;
    EngineAudioLibrary& operator=(const EngineAudioLibrary&) = delete;

    int StartLibrary() override;
    int OpenOutput(const AudioOutputInfo* info) override;
    int AllocateVoices(std::int32_t count) override;
    int LoadModuleAt(const char* path, ModuleHandle* slot, std::int32_t offset) override;
    int DescribeError(int code, char* buffer, int capacity) override;
    int StartPlayback(ModuleHandle module) override;
    int HaltPlayback() override;
    int PausePlayback() override;
    int ContinuePlayback() override;
    int ReleaseVoices() override;
    int CloseOutput() override;

    // The pull: fills `frames` interleaved 16-bit stereo frames of what plays now.
    void Render(std::int16_t* out, std::size_t frames);
    // Frames a pause, resume or track change takes to fade, at the current rate.
    std::size_t RampFrames() const { return m_mixer.RampFrames(); }
    std::int32_t Rate() const { return m_mixer.Rate(); }
    // Bytes kept for a loaded module; 0 for an unknown handle.
    std::size_t KeptBytes(ModuleHandle module) const;

private:
    static void Pull(void* self, std::int16_t* out, std::size_t frames);
    // Remembers the library's own words for the last failure with `code`.
    int Fail(int code, std::string detail);

    // libopenmpt allocates its own mixing channels; AllocateVoices only checks the count
    // against the most it could use.
    static constexpr std::int32_t kMaxVoices = 256;
    static constexpr int kErrorCount = kEngineUnknownModule + 1;

    EngineSettings m_settings;
    PlaybackMixer m_mixer;
    std::unique_ptr<SdlAudioSubsystem> m_sdl;
    std::unique_ptr<SdlAudioDevice> m_device;
    // Handle h is m_modules[h - 1].
    std::vector<ModuleImage> m_modules;
    std::array<std::string, kErrorCount> m_details;
};
