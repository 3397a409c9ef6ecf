#include "playback/AudioLibrary.h"

#include <cstring>

namespace {
// Answers every call and makes no sound: what the player runs on without an engine.
class SilentAudioLibrary final : public AudioLibrary {
public:
    int StartLibrary() override { return 0; }
    int OpenOutput(const AudioOutputInfo*) override { return 0; }
    int AllocateVoices(std::int32_t) override { return 0; }
    int LoadModuleAt(const char*, ModuleHandle*, std::int32_t) override { return kNoEngine; }
    int DescribeError(int, char* buffer, int capacity) override {
        if (buffer != nullptr && capacity >= 0) {
            std::strncpy(buffer, "no audio engine", static_cast<std::size_t>(capacity));
            buffer[capacity] = '\0';
        }
        return 0;
    }
    int StartPlayback(ModuleHandle) override { return 0; }
    int HaltPlayback() override { return 0; }
    int PausePlayback() override { return 0; }
    int ContinuePlayback() override { return 0; }
    int ReleaseVoices() override { return 0; }
    int CloseOutput() override { return 0; }

private:
    static constexpr int kNoEngine = 1;
};

SilentAudioLibrary g_silent;
AudioLibrary* g_library = &g_silent;
}  // namespace

AudioLibrary& Audio() {
    return *g_library;
}

void InstallAudioLibrary(AudioLibrary* library) {
    g_library = library != nullptr ? library : &g_silent;
}
