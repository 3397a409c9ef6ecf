// The audio library seam for tests: records every call with its arguments, hands out
// predictable handles and fails the loads a test asks it to.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "playback/AudioLibrary.h"

class RecordingAudioLibrary final : public AudioLibrary {
public:
    // Installs itself as the process's audio library for its lifetime.
    RecordingAudioLibrary();
    ~RecordingAudioLibrary() override;

    // One line per call, e.g. "OpenOutput(65535, 0x0101, 44100)",
    // "LoadModuleAt(marivenn.dat, slot 1, 1234)", "StartPlayback(0x1001)".
    std::vector<std::string> calls;
    // LoadModuleAt fails with kLoadError for these offsets.
    std::set<std::int32_t> failingOffsets;
    static constexpr int kLoadError = 7;
    // Handles are kFirstHandle, kFirstHandle + 1, ... in the order of successful loads.
    static constexpr ModuleHandle kFirstHandle = 0x1001;

    // Calls whose line starts with `prefix`.
    std::vector<std::string> CallsTo(const std::string& prefix) const;

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

private:
    ModuleHandle m_next = kFirstHandle;
};

// "0x1001" for a handle, as the recorder writes them.
std::string HandleText(ModuleHandle handle);
