// Owns one libopenmpt module: the decoder of a started song. Built on the caller's thread
// from a ModuleImage; the audio thread only reads from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/ModuleImage.h"

struct openmpt_module;

struct DecoderSettings {
    bool dither = true;  // off for comparing renders sample by sample
};

class ModuleDecoder {
public:
    // Null when libopenmpt refuses the bytes or memory runs out.
    static std::unique_ptr<ModuleDecoder> Create(const ModuleImage& image,
                                                 const DecoderSettings& settings);
    ~ModuleDecoder();
    ModuleDecoder(const ModuleDecoder&) = delete;
    ModuleDecoder& operator=(const ModuleDecoder&) = delete;

    // Renders up to `frames` interleaved 16-bit stereo frames at `rate`; the song repeats
    // forever, so fewer frames come only on a decoder error.
    std::size_t Read(std::int32_t rate, std::size_t frames, std::int16_t* out);

private:
    explicit ModuleDecoder(openmpt_module* module) : m_module(module) {}
    openmpt_module* m_module = nullptr;
};
