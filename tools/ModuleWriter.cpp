#include "tools/ModuleWriter.h"

#include <algorithm>

namespace {
constexpr std::uint16_t kPeriods[36] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,  // octave 1
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,  // octave 2
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,  // octave 3
};
constexpr std::size_t kMaxSampleBytes = 2 * 65535;

void PutBigEndian16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutText(Bytes& out, const std::string& text, std::size_t field) {
    for (std::size_t i = 0; i < field; ++i) {
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
    }
}
}  // namespace

std::uint16_t ModPeriod(int note) {
    return kPeriods[std::clamp(note, 0, 35)];
}

bool WriteModule(const ModSong& song, Bytes& out, std::string& error) {
    if (song.samples.size() > kModMaxSamples) {
        error = "a module holds at most 31 samples";
        return false;
    }
    if (song.order.empty() || song.order.size() > 128) {
        error = "a module's order list holds 1 to 128 patterns";
        return false;
    }
    const std::uint8_t highest = *std::max_element(song.order.begin(), song.order.end());
    if (highest >= song.patterns.size()) {
        error = "the order list names a pattern that does not exist";
        return false;
    }
    for (const ModSample& s : song.samples) {
        if (s.data.size() % 2 != 0 || s.data.size() > kMaxSampleBytes || s.loopStart % 2 != 0 ||
            s.loopLength % 2 != 0 || s.loopStart + s.loopLength > s.data.size() || s.volume > 64) {
            error = "sample \"" + s.name + "\" breaks the format's limits";
            return false;
        }
    }

    out.clear();
    PutText(out, song.title, 20);
    for (int i = 0; i < kModMaxSamples; ++i) {
        const ModSample empty{};
        const ModSample& s = i < static_cast<int>(song.samples.size()) ? song.samples[i] : empty;
        PutText(out, s.name, 22);
        PutBigEndian16(out, static_cast<std::uint32_t>(s.data.size() / 2));
        out.push_back(0);  // finetune
        out.push_back(s.volume);
        PutBigEndian16(out, s.loopLength > 0 ? s.loopStart / 2 : 0);
        PutBigEndian16(out, s.loopLength > 0 ? s.loopLength / 2 : 1);
    }
    out.push_back(static_cast<std::uint8_t>(song.order.size()));
    out.push_back(127);  // restart position, unused by ProTracker
    for (std::size_t i = 0; i < 128; ++i) {
        out.push_back(i < song.order.size() ? song.order[i] : 0);
    }
    for (const char c : {'M', '.', 'K', '.'}) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    for (std::size_t p = 0; p <= highest; ++p) {
        for (const auto& row : song.patterns[p]) {
            for (const ModCell& cell : row) {
                out.push_back(
                    static_cast<std::uint8_t>((cell.sample & 0xF0) | ((cell.period >> 8) & 0x0F)));
                out.push_back(static_cast<std::uint8_t>(cell.period));
                out.push_back(
                    static_cast<std::uint8_t>(((cell.sample & 0x0F) << 4) | (cell.effect & 0x0F)));
                out.push_back(cell.param);
            }
        }
    }
    for (const ModSample& s : song.samples) {
        for (const std::int8_t v : s.data) {
            out.push_back(static_cast<std::uint8_t>(v));
        }
    }
    return true;
}
