// Writes four-channel ProTracker ("M.K.") modules: the demo soundtrack's tunes and the
// tests' fixtures are composed with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/PackWriter.h"

inline constexpr int kModChannels = 4;
inline constexpr int kModRows = 64;
inline constexpr int kModMaxSamples = 31;

struct ModSample {
    std::string name;               // at most 22 characters
    std::vector<std::int8_t> data;  // signed 8-bit PCM, even length, at most 128 KiB
    std::uint8_t volume = 64;       // 0..64
    std::uint32_t loopStart = 0;    // bytes, even
    std::uint32_t loopLength = 0;   // bytes, even; 0 for a one-shot sample
};

struct ModCell {
    std::uint8_t sample = 0;   // 1..31, 0 for none
    std::uint16_t period = 0;  // Amiga period, 0 for none
    std::uint8_t effect = 0;   // 0x0..0xF
    std::uint8_t param = 0;
};

using ModPattern = std::array<std::array<ModCell, kModChannels>, kModRows>;

struct ModSong {
    std::string title;  // at most 20 characters
    std::vector<ModSample> samples;
    std::vector<ModPattern> patterns;
    std::vector<std::uint8_t> order;  // pattern indexes, 1..128 entries
};

// The Amiga period of `note` semitones above C-1, for the three octaves C-1..B-3 (0..35).
std::uint16_t ModPeriod(int note);

// The module's bytes, or false with `error` set when the song breaks a format limit.
bool WriteModule(const ModSong& song, Bytes& out, std::string& error);
