#include "platform/audio/SdlAudioSubsystem.h"

#include <SDL.h>
#ifdef MARIVENN_HAVE_ALSA
#include <alsa/error.h>
#endif

namespace {
#ifdef MARIVENN_HAVE_ALSA
// ALSA prints its own errors to stderr, for instance when the machine has no sound card. The
// engine reports failures through its error codes with SDL's text instead, so nothing reaches
// the user's terminal.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif
}  // namespace

SdlAudioSubsystem::SdlAudioSubsystem() {
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
