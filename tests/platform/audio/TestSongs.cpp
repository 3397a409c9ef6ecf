#include "tests/platform/audio/TestSongs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/ModuleWriter.h"

namespace {
constexpr std::uint8_t kPatternBreak = 0xD;
constexpr int kSongRows = 16;

Bytes Song(const std::vector<int>& notes, int cycle) {
    ModSample square{"square", {}, 48, 0, static_cast<std::uint32_t>(cycle)};
    for (int i = 0; i < cycle; ++i) {
        square.data.push_back(i < cycle / 2 ? 90 : -90);
    }
    ModPattern pattern{};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        pattern[4 * i][0] = {1, ModPeriod(notes[i]), 0, 0};
    }
    pattern[kSongRows - 1][1] = {0, 0, kPatternBreak, 0};
    const ModSong song{"engine test", {square}, {pattern}, {0}};
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(WriteModule(song, bytes, error)) << error;
    return bytes;
}
}  // namespace

Bytes ShortSong() {
    return Song({12, 16, 19, 24}, 32);
}

Bytes OtherSong() {
    return Song({7, 5, 3, 0}, 64);
}

double Rms(const std::vector<std::int16_t>& samples, std::size_t begin, std::size_t end) {
    end = std::min(end, samples.size());
    if (begin >= end) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return std::sqrt(sum / double(end - begin));
}
