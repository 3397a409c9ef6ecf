#include "platform/audio/SdlAudioSubsystem.h"

#include <SDL.h>
#ifdef MARIVENN_HAVE_ALSA
#include <alsa/error.h>
#endif

namespace {
// SDL logs some conditions itself, such as the disk driver announcing where it writes. The
// engine reports through its error codes with SDL's error text; the terminal stays quiet.
void IgnoreSdlLog(void*, int, SDL_LogPriority, const char*) {}

#ifdef MARIVENN_HAVE_ALSA
// ALSA prints its own errors to stderr, for instance when the machine has no sound card. The
// engine reports failures through its error codes with SDL's text instead, so nothing reaches
// the user's terminal.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif
}  // namespace

SdlAudioSubsystem::SdlAudioSubsystem() {
    SDL_LogSetOutputFunction(&IgnoreSdlLog, nullptr);
#ifdef MARIVENN_HAVE_ALSA
    snd_lib_error_set_handler(&IgnoreAlsaError);
#endif
    m_ready = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_ready) {
        m_error = SDL_GetError();
    }
}

SdlAudioSubsystem::~SdlAudioSubsystem() {
    if (m_ready) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}
