// Small ProTracker modules for the engine's tests, composed in code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/PackWriter.h"

// A 16-row song (1.92 s at the default tempo) of a looped square wave, so it sounds without
// a gap from its first row to its last, and a different note on every fourth row.
Bytes ShortSong();
// The same length and tempo, a different tune: to tell songs apart.
Bytes OtherSong();
inline constexpr double kShortSongSeconds = 1.92;

// Root mean square of interleaved samples.
double Rms(const std::vector<std::int16_t>& samples, std::size_t begin = 0,
           std::size_t end = SIZE_MAX);
