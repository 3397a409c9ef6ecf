// Owns SDL's audio subsystem: initialised on construction, shut down with the object. SDL
// counts these, so several owners may coexist.
#pragma once

#include <string>

class SdlAudioSubsystem {
public:
    SdlAudioSubsystem();
    ~SdlAudioSubsystem();
    SdlAudioSubsystem(const SdlAudioSubsystem&) = delete;
    SdlAudioSubsystem& operator=(const SdlAudioSubsystem&) = delete;

    bool Ready() const { return m_ready; }
    // SDL's text for why it did not start.
    const std::string& Error() const { return m_error; }

private:
    bool m_ready = false;
    std::string m_error;
};
