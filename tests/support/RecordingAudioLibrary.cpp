#include "tests/support/RecordingAudioLibrary.h"

#include <cstdio>
#include <cstring>

#include "playback/TrackList.h"

namespace {
std::string Format(const char* format, auto... args) {
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}
}  // namespace

std::string HandleText(ModuleHandle handle) {
    return Format("0x%x", handle);
}

RecordingAudioLibrary::RecordingAudioLibrary() {
    InstallAudioLibrary(this);
}
RecordingAudioLibrary::~RecordingAudioLibrary() {
    InstallAudioLibrary(nullptr);
}

std::vector<std::string> RecordingAudioLibrary::CallsTo(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) {
            matching.push_back(call);
        }
    }
    return matching;
}

int RecordingAudioLibrary::StartLibrary() {
    calls.push_back("StartLibrary()");
    return 0;
}

int RecordingAudioLibrary::OpenOutput(const AudioOutputInfo* info) {
    calls.push_back(Format("OpenOutput(%u, 0x%04x, %u)", info->dwDevice, info->wFormatFlags,
                           info->wSampleRate));
    return 0;
}

int RecordingAudioLibrary::AllocateVoices(std::int32_t count) {
    calls.push_back(Format("AllocateVoices(%d)", count));
    return 0;
}

int RecordingAudioLibrary::LoadModuleAt(const char* path, ModuleHandle* slot, std::int32_t offset) {
    // Slots are named by their index in the module table when they lie in it.
    const long index = pModule != nullptr ? static_cast<long>(slot - pModule) : -1;
    calls.push_back(Format("LoadModuleAt(%s, slot %ld, %d)", path, index, offset));
    if (failingOffsets.count(offset) != 0) {
        return kLoadError;
    }
    *slot = m_next++;
    return 0;
}

int RecordingAudioLibrary::DescribeError(int code, char* buffer, int capacity) {
    calls.push_back(Format("DescribeError(%d, %d)", code, capacity));
    std::snprintf(buffer, static_cast<std::size_t>(capacity) + 1, "error %d", code);
    return 0;
}

int RecordingAudioLibrary::StartPlayback(ModuleHandle module) {
    calls.push_back("StartPlayback(" + HandleText(module) + ")");
    return 0;
}

int RecordingAudioLibrary::HaltPlayback() {
    calls.push_back("HaltPlayback()");
    return 0;
}

int RecordingAudioLibrary::PausePlayback() {
    calls.push_back("PausePlayback()");
    return 0;
}

int RecordingAudioLibrary::ContinuePlayback() {
    calls.push_back("ContinuePlayback()");
    return 0;
}

int RecordingAudioLibrary::ReleaseVoices() {
    calls.push_back("ReleaseVoices()");
    return 0;
}

int RecordingAudioLibrary::CloseOutput() {
    calls.push_back("CloseOutput()");
    return 0;
}
