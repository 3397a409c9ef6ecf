// Owns one open SDL audio device playing interleaved 16-bit stereo: SDL calls `pull` on its
// audio thread for every buffer. Closing waits for a running call to return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class SdlAudioDevice {
public:
    using Pull = void (*)(void* user, std::int16_t* out, std::size_t frames);

    // `name` null opens the default device. Check Open() afterwards.
    SdlAudioDevice(const char* name, std::int32_t rate, Pull pull, void* user);
    ~SdlAudioDevice();
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    bool Open() const { return m_device != 0; }
    const std::string& Error() const { return m_error; }
    // Starts the callbacks; the device opens paused.
    void Start();

private:
    static void Callback(void* self, std::uint8_t* stream, int length);

    std::uint32_t m_device = 0;
    Pull m_pull = nullptr;
    void* m_user = nullptr;
    std::string m_error;
};
