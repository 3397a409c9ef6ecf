#include "platform/audio/EngineAudioLibrary.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "platform/audio/SdlAudioDevice.h"
#include "platform/audio/SdlAudioSubsystem.h"

namespace {
const char* ErrorText(int code) {
    switch (code) {
        case kEngineOk:
            return "no error";
        case kEngineFileNotFound:
            return "module file not found";
        case kEngineFileUnreadable:
            return "module file cannot be read";
        case kEngineOffsetOutsideFile:
            return "module offset lies outside the file";
        case kEngineNotAModule:
            return "not a module, or the module is damaged";
        case kEngineOutOfMemory:
            return "out of memory";
        case kEngineBadArgument:
            return "invalid argument";
        case kEngineAudioUnavailable:
            return "audio system unavailable";
        case kEngineNoDevice:
            return "audio output device cannot be opened";
        case kEngineUnsupportedOutput:
            return "audio output format not supported";
        case kEngineUnknownModule:
            return "no such module";
        default:
            return "unknown error";
    }
}

int CodeOf(LoadFailure failure) {
    switch (failure) {
        case LoadFailure::kNone:
            return kEngineOk;
        case LoadFailure::kFileNotFound:
            return kEngineFileNotFound;
        case LoadFailure::kFileUnreadable:
            return kEngineFileUnreadable;
        case LoadFailure::kOffsetOutsideFile:
            return kEngineOffsetOutsideFile;
        case LoadFailure::kNotAModule:
            return kEngineNotAModule;
        case LoadFailure::kOutOfMemory:
            return kEngineOutOfMemory;
    }
    return kEngineNotAModule;
}
}  // namespace

EngineAudioLibrary::EngineAudioLibrary(const EngineSettings& settings)
    : m_settings(settings), m_mixer(settings.offlineRate) {}

EngineAudioLibrary::~EngineAudioLibrary() {
    // The device goes first: once it is closed no callback can reach the mixer.
    m_device.reset();
    m_sdl.reset();
}

int EngineAudioLibrary::Fail(int code, std::string detail) {
    if (code > 0 && code < kErrorCount) {
        m_details[static_cast<std::size_t>(code)] = std::move(detail);
    }
    return code;
}

int EngineAudioLibrary::StartLibrary() {
    if (m_sdl == nullptr) {
        m_sdl = std::make_unique<SdlAudioSubsystem>();
    }
    return m_sdl->Ready() ? kEngineOk : Fail(kEngineAudioUnavailable, m_sdl->Error());
}

int EngineAudioLibrary::OpenOutput(const AudioOutputInfo* info) {
    if (info == nullptr || info->wSampleRate == 0) {
        return Fail(kEngineBadArgument, {});
    }
    if (info->wFormatFlags != kFormat16BitStereo) {
        return Fail(kEngineUnsupportedOutput, {});
    }
    if (const int started = StartLibrary(); started != kEngineOk) {
        return started;
    }
    CloseOutput();
    // 65535 is the system's default output; any other value counts SDL's output devices.
    const char* name = nullptr;
    if (info->dwDevice != kDefaultDevice) {
        const int count = SDL_GetNumAudioDevices(0);
        if (info->dwDevice >= static_cast<std::uint32_t>(std::max(count, 0))) {
            return Fail(kEngineNoDevice, "no output device " + std::to_string(info->dwDevice));
        }
        name = SDL_GetAudioDeviceName(static_cast<int>(info->dwDevice), 0);
    }
    m_mixer.SetRate(info->wSampleRate);
    auto device = std::make_unique<SdlAudioDevice>(name, info->wSampleRate, &Pull, this);
    if (!device->Open()) {
        return Fail(kEngineNoDevice, device->Error());
    }
    m_device = std::move(device);
    m_device->Start();
    return kEngineOk;
}

int EngineAudioLibrary::AllocateVoices(std::int32_t count) {
    return count > 0 && count <= kMaxVoices ? kEngineOk : Fail(kEngineBadArgument, {});
}

int EngineAudioLibrary::LoadModuleAt(const char* path, ModuleHandle* slot, std::int32_t offset) {
    if (path == nullptr || slot == nullptr) {
        return Fail(kEngineBadArgument, {});
    }
    try {
        ModuleImage image;
        LoadResult result = LoadModuleImage(path, offset, image);
        if (result.failure != LoadFailure::kNone) {
            return Fail(CodeOf(result.failure), std::move(result.detail));
        }
        m_modules.push_back(std::move(image));
    } catch (const std::bad_alloc&) {
        return Fail(kEngineOutOfMemory, {});
    }
    *slot = static_cast<ModuleHandle>(m_modules.size());
    return kEngineOk;
}

int EngineAudioLibrary::DescribeError(int code, char* buffer, int capacity) {
    if (buffer == nullptr || capacity < 0) {
        return kEngineBadArgument;
    }
    std::string text = ErrorText(code);
    if (code > 0 && code < kErrorCount && !m_details[static_cast<std::size_t>(code)].empty()) {
        text += ": " + m_details[static_cast<std::size_t>(code)];
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return kEngineOk;
}

int EngineAudioLibrary::StartPlayback(ModuleHandle module) {
    std::unique_ptr<ModuleDecoder> decoder;
    int result = kEngineOk;
    if (module == kNoModule || module > m_modules.size()) {
        result = Fail(kEngineUnknownModule, {});
    } else {
        decoder = ModuleDecoder::Create(m_modules[module - 1], m_settings.decoder);
        if (decoder == nullptr) {
            result = Fail(kEngineOutOfMemory, {});
        }
    }
    // Whatever was playing is destroyed here, on the caller's thread, after the lock.
    std::unique_ptr<ModuleDecoder> old = m_mixer.Start(std::move(decoder));
    return result;
}

int EngineAudioLibrary::HaltPlayback() {
    std::unique_ptr<ModuleDecoder> old = m_mixer.Halt();
    return kEngineOk;
}

int EngineAudioLibrary::PausePlayback() {
    m_mixer.Pause();
    return kEngineOk;
}

int EngineAudioLibrary::ContinuePlayback() {
    m_mixer.Continue();
    return kEngineOk;
}

int EngineAudioLibrary::ReleaseVoices() {
    // Without voices nothing sounds.
    return HaltPlayback();
}

int EngineAudioLibrary::CloseOutput() {
    m_device.reset();
    return kEngineOk;
}

std::size_t EngineAudioLibrary::KeptBytes(ModuleHandle module) const {
    return module == kNoModule || module > m_modules.size() ? 0
                                                            : m_modules[module - 1].bytes.size();
}

void EngineAudioLibrary::Render(std::int16_t* out, std::size_t frames) {
    m_mixer.Render(out, frames);
}

void EngineAudioLibrary::Pull(void* self, std::int16_t* out, std::size_t frames) {
    static_cast<EngineAudioLibrary*>(self)->Render(out, frames);
}
