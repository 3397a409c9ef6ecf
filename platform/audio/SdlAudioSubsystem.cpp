#include "platform/audio/SdlAudioSubsystem.h"

#include <SDL.h>

SdlAudioSubsystem::SdlAudioSubsystem() {
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
