#include "platform/audio/PlaybackMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {
// Long enough that a cut in a loud passage does not click, short enough to feel instant.
constexpr double kRampSeconds = 0.005;

std::int16_t Saturate(float sample) {
    return static_cast<std::int16_t>(std::clamp(sample, -32768.0f, 32767.0f));
}
}  // namespace

PlaybackMixer::PlaybackMixer(std::int32_t rate) {
    SetRate(rate);
}

PlaybackMixer::~PlaybackMixer() = default;

void PlaybackMixer::SetRate(std::int32_t rate) {
    const std::lock_guard lock(m_lock);
    m_rate = std::max<std::int32_t>(rate, 1);
    m_rampFrames = static_cast<std::size_t>(std::max(1L, std::lround(m_rate * kRampSeconds)));
    m_inverseRamp = 1.0f / static_cast<float>(m_rampFrames);
    for (Voice* voice : {&m_current, &m_fading}) {
        voice->level = std::min(voice->level, m_rampFrames);
    }
}

std::int32_t PlaybackMixer::Rate() const {
    const std::lock_guard lock(m_lock);
    return m_rate;
}

std::size_t PlaybackMixer::RampFrames() const {
    const std::lock_guard lock(m_lock);
    return m_rampFrames;
}

std::unique_ptr<ModuleDecoder> PlaybackMixer::Retire() {
    // One voice can fade at a time: keep the louder of the two fading, so a start right after
    // a halt does not cut the song the halt is fading out. The other one is dropped.
    m_current.rising = false;
    if (m_current.level >= m_fading.level) {
        std::swap(m_current, m_fading);
    }
    std::unique_ptr<ModuleDecoder> dropped = std::move(m_current.decoder);
    m_current = Voice{};
    return dropped;
}

std::unique_ptr<ModuleDecoder> PlaybackMixer::Start(std::unique_ptr<ModuleDecoder> decoder) {
    const std::lock_guard lock(m_lock);
    std::unique_ptr<ModuleDecoder> old = Retire();
    m_current.decoder = std::move(decoder);
    m_current.rising = true;
    m_paused = false;
    return old;
}

std::unique_ptr<ModuleDecoder> PlaybackMixer::Halt() {
    const std::lock_guard lock(m_lock);
    m_paused = false;
    return Retire();
}

void PlaybackMixer::Pause() {
    const std::lock_guard lock(m_lock);
    m_paused = true;
    m_current.rising = false;
}

void PlaybackMixer::Continue() {
    const std::lock_guard lock(m_lock);
    if (m_paused) {
        m_paused = false;
        m_current.rising = true;
    }
}

void PlaybackMixer::Mix(Voice& voice, std::int16_t* out, std::size_t frames) {
    while (frames > 0 && voice.Audible()) {
        // Once the gain settles at zero the song stops advancing: a paused song holds its
        // place, a faded one is not rendered any more.
        std::size_t count = std::min(frames, kChunkFrames);
        if (!voice.rising) {
            count = std::min(count, voice.level);
        }
        const std::size_t got = voice.decoder->Read(m_rate, count, m_chunk.data());
        std::memset(m_chunk.data() + 2 * got, 0, 2 * (count - got) * sizeof(std::int16_t));
        for (std::size_t i = 0; i < count; ++i) {
            if (voice.rising && voice.level < m_rampFrames) {
                ++voice.level;
            } else if (!voice.rising && voice.level > 0) {
                --voice.level;
            }
            const float gain = voice.level == m_rampFrames
                                   ? 1.0f
                                   : static_cast<float>(voice.level) * m_inverseRamp;
            out[2 * i] = Saturate(out[2 * i] + gain * m_chunk[2 * i]);
            out[2 * i + 1] = Saturate(out[2 * i + 1] + gain * m_chunk[2 * i + 1]);
        }
        out += 2 * count;
        frames -= count;
    }
}

void PlaybackMixer::Render(std::int16_t* out, std::size_t frames) {
    if (out == nullptr) {
        return;
    }
    const std::lock_guard lock(m_lock);
    const bool steady = m_current.decoder != nullptr && m_current.rising &&
                        m_current.level == m_rampFrames && !m_fading.Audible();
    if (steady) {
        // The usual case: one song at full volume, decoded straight into the output.
        const std::size_t got = m_current.decoder->Read(m_rate, frames, out);
        std::memset(out + 2 * got, 0, 2 * (frames - got) * sizeof(std::int16_t));
        return;
    }
    std::memset(out, 0, 2 * frames * sizeof(std::int16_t));
    Mix(m_fading, out, frames);
    Mix(m_current, out, frames);
}
