// The state of playback and the one pull function that renders it. The caller's thread
// starts, halts, pauses and resumes; whoever pulls (SDL's audio thread, or a test) renders.
// The two meet only under a short lock: decoders are built before it is taken and destroyed
// after it is released, on the caller's thread, never by the renderer.
//
// Every change of what sounds goes through a gain ramp of a few milliseconds, so pausing,
// resuming, halting and switching tracks never click. A halted or replaced song fades out
// while the next one fades in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/audio/ModuleDecoder.h"

class PlaybackMixer {
public:
    explicit PlaybackMixer(std::int32_t rate);
    ~PlaybackMixer();

    // Changes the rendering rate; the ramp keeps its length in time.
    void SetRate(std::int32_t rate);
    std::int32_t Rate() const;
    // Frames a fade in or out takes at the current rate.
    std::size_t RampFrames() const;

    // Makes `decoder` sound from its current position, fading in, while what sounded fades
    // out; null plays nothing. Returns a decoder the caller must destroy (after the lock).
    [[nodiscard]] std::unique_ptr<ModuleDecoder> Start(std::unique_ptr<ModuleDecoder> decoder);
    // Fades out what sounds; returns a decoder the caller must destroy.
    [[nodiscard]] std::unique_ptr<ModuleDecoder> Halt();
    // Fades out and then holds the song where it is; Continue fades it back in from there.
    void Pause();
    void Continue();

    // Fills `frames` interleaved 16-bit stereo frames. Allocates nothing, and waits for
    // nothing but the short lock the calls above take.
    void Render(std::int16_t* out, std::size_t frames);

private:
    // The gain is level / m_rampFrames; counting whole frames makes a fade last exactly
    // m_rampFrames frames, so a paused song stops at a known place.
    struct Voice {
        std::unique_ptr<ModuleDecoder> decoder;
        std::size_t level = 0;
        bool rising = false;
        bool Audible() const { return decoder != nullptr && (level > 0 || rising); }
    };
    // Adds the voice into `out`, moving its level one step per frame towards its target.
    void Mix(Voice& voice, std::int16_t* out, std::size_t frames);
    // Fades the current voice out; returns the decoder of the voice that no longer sounds.
    std::unique_ptr<ModuleDecoder> Retire();

    // Frames rendered per step when voices are mixed; sized to SDL's largest buffer.
    static constexpr std::size_t kChunkFrames = 1024;

    mutable std::mutex m_lock;
    Voice m_current;
    Voice m_fading;
    bool m_paused = false;
    std::int32_t m_rate = 0;
    std::size_t m_rampFrames = 1;
    float m_inverseRamp = 1.0f;
    std::array<std::int16_t, 2 * kChunkFrames> m_chunk{};
};
