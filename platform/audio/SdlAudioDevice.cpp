#include "platform/audio/SdlAudioDevice.h"

#include <SDL.h>

#include <cstring>

namespace {
// About 23 ms at 44.1 kHz: short enough that pause and track changes feel immediate, long
// enough that a busy machine does not starve the device.
constexpr Uint16 kBufferFrames = 1024;
constexpr Uint8 kChannels = 2;
constexpr std::size_t kFrameBytes = kChannels * sizeof(std::int16_t);
}  // namespace

SdlAudioDevice::SdlAudioDevice(const char* name, std::int32_t rate, Pull pull, void* user)
    : m_pull(pull), m_user(user) {
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &SdlAudioDevice::Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants, so the callback always
    // fills the format asked for here.
    m_device = SDL_OpenAudioDevice(name, 0, &wanted, &obtained, 0);
    if (m_device == 0) {
        m_error = SDL_GetError();
    }
}

SdlAudioDevice::~SdlAudioDevice() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
}

void SdlAudioDevice::Start() {
    if (m_device != 0) {
        SDL_PauseAudioDevice(m_device, 0);
    }
}

void SdlAudioDevice::Callback(void* self, std::uint8_t* stream, int length) {
    const auto& device = *static_cast<SdlAudioDevice*>(self);
    const std::size_t frames = static_cast<std::size_t>(length) / kFrameBytes;
    // SDL's buffers are aligned for any sample type.
    device.m_pull(device.m_user, reinterpret_cast<std::int16_t*>(stream), frames);
    const std::size_t tail = static_cast<std::size_t>(length) % kFrameBytes;
    if (tail != 0) {
        std::memset(stream + frames * kFrameBytes, 0, tail);
    }
}
