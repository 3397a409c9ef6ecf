// The audio library's eleven operations: what the player asks of whatever loads and plays
// its music modules. Playback runs inside the library; after StartPlayback the player makes
// no periodic call. Only LoadModuleAt's result is examined by the player.
#pragma once

#include <cstddef>
#include <cstdint>

// Opaque handle of a loaded module; 0 is the empty slot.
using ModuleHandle = std::uint32_t;
inline constexpr ModuleHandle kNoModule = 0;

// The output the player asks for, passed by address to OpenOutput.
struct AudioOutputInfo {
    std::uint32_t dwDevice;      // 65535: the default device
    std::uint16_t wFormatFlags;  // 0x0101: 16-bit stereo
    std::uint16_t wSampleRate;   // frames per second
};
static_assert(sizeof(AudioOutputInfo) == 8 && offsetof(AudioOutputInfo, dwDevice) == 0 &&
              offsetof(AudioOutputInfo, wFormatFlags) == 4 &&
              offsetof(AudioOutputInfo, wSampleRate) == 6);

inline constexpr std::uint32_t kDefaultDevice = 65535;
inline constexpr std::uint16_t kFormat16BitStereo = 0x0101;

// The text buffer the player hands DescribeError: 128 bytes, room for 127 characters.
inline constexpr int kErrorTextSize = 128;

class AudioLibrary {
public:
    virtual ~AudioLibrary() = default;

    virtual int StartLibrary() = 0;
    virtual int OpenOutput(const AudioOutputInfo* info) = 0;
    virtual int AllocateVoices(std::int32_t count) = 0;
    // Loads the module that starts `offset` bytes into the file at `path`. 0: loaded, and
    // `slot` holds its handle; otherwise an error code, and `slot` is left as it was.
    virtual int LoadModuleAt(const char* path, ModuleHandle* slot, std::int32_t offset) = 0;
    // Writes the text of `code` into `buffer`: at most `capacity` characters and then a zero
    // byte, so the buffer holds capacity + 1 bytes.
    virtual int DescribeError(int code, char* buffer, int capacity) = 0;
    virtual int StartPlayback(ModuleHandle module) = 0;
    virtual int HaltPlayback() = 0;
    virtual int PausePlayback() = 0;
    virtual int ContinuePlayback() = 0;
    virtual int ReleaseVoices() = 0;
    virtual int CloseOutput() = 0;
};

// The process's audio library. Until one is installed, a silent library that loads nothing
// and plays nothing answers every call.
AudioLibrary& Audio();
void InstallAudioLibrary(AudioLibrary* library);
