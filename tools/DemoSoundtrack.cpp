#include "tools/DemoSoundtrack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {
// Rate a sample plays at on C-2 (period 428, PAL clock): what the drums are synthesised for.
constexpr double kBaseRate = 8287.0;
// One cycle of the lead and pad waveforms: 32 samples at C-2 sound near middle C.
constexpr int kCycle = 32;
// Samples peak here rather than at 127 so four channels mixed together keep some headroom.
constexpr double kPeak = 110.0;
// Rows per chord: four chords per 64-row pattern.
constexpr int kRowsPerChord = 16;

enum Instrument : std::uint8_t { kLead = 1, kBass, kPad, kKick, kSnare, kHat };
enum Channel { kLeadChannel, kBassChannel, kPadChannel, kDrumChannel };

std::int8_t Clip(double v) {
    return static_cast<std::int8_t>(std::clamp(std::lround(v * kPeak), -127L, 127L));
}

// Deterministic noise so the build always produces the same archive.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}
    double Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }
    int Below(int n) { return static_cast<int>((Next() + 1.0) * 0.5 * n) % n; }

private:
    std::uint32_t m_state = 1;
};

// A plucked, band-limited square: upper harmonics die away faster than the fundamental, then
// the last cycle loops so held notes sustain.
ModSample Lead() {
    constexpr int kCycles = 120;
    ModSample s{"pluck lead", {}, 46, kCycles * kCycle, kCycle};
    for (int i = 0; i < (kCycles + 1) * kCycle; ++i) {
        const int t = std::min(i, kCycles * kCycle);
        const double phase = 2.0 * std::numbers::pi * (i % kCycle) / kCycle;
        double v = 0;
        for (int k = 1; k <= 9; k += 2) {
            v += std::sin(k * phase) / k * std::exp(-t * k / 1400.0);
        }
        s.data.push_back(Clip(v * (0.45 + 0.55 * std::exp(-t / 900.0))));
    }
    return s;
}

ModSample Bass() {
    constexpr int kBassCycle = 2 * kCycle;
    constexpr int kCycles = 40;
    ModSample s{"round bass", {}, 58, kCycles * kBassCycle, kBassCycle};
    for (int i = 0; i < (kCycles + 1) * kBassCycle; ++i) {
        const int t = std::min(i, kCycles * kBassCycle);
        const double phase = 2.0 * std::numbers::pi * (i % kBassCycle) / kBassCycle;
        const double v = std::sin(phase) + 0.45 * std::sin(2 * phase) * std::exp(-t / 700.0) +
                         0.2 * std::sin(3 * phase) * std::exp(-t / 400.0);
        s.data.push_back(Clip(v * 0.7 * (0.6 + 0.4 * std::exp(-t / 1500.0))));
    }
    return s;
}

// A soft organ-like tone with a short swell; it carries the chords as arpeggios.
ModSample Pad() {
    constexpr int kAttackCycles = 12;
    ModSample s{"glass pad", {}, 26, kAttackCycles * kCycle, kCycle};
    for (int i = 0; i < (kAttackCycles + 1) * kCycle; ++i) {
        const double phase = 2.0 * std::numbers::pi * (i % kCycle) / kCycle;
        const double swell = std::min(1.0, i / double(kAttackCycles * kCycle));
        s.data.push_back(Clip(
            swell * (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.15 * std::sin(4 * phase))));
    }
    return s;
}

ModSample Kick() {
    ModSample s{"kick", {}, 64, 0, 0};
    double phase = 0;
    for (int i = 0; i < 2400; ++i) {
        const double t = i / kBaseRate;
        phase += 2.0 * std::numbers::pi * (48.0 + 120.0 * std::exp(-t / 0.03)) / kBaseRate;
        s.data.push_back(Clip(std::sin(phase) * std::exp(-t / 0.13)));
    }
    return s;
}

ModSample Snare() {
    ModSample s{"snare", {}, 50, 0, 0};
    Noise noise(7);
    for (int i = 0; i < 2200; ++i) {
        const double t = i / kBaseRate;
        const double body = std::sin(2.0 * std::numbers::pi * 185.0 * t) * std::exp(-t / 0.04);
        s.data.push_back(Clip(0.75 * noise.Next() * std::exp(-t / 0.07) + 0.5 * body));
    }
    return s;
}

// Played an octave up, so synthesised for twice the base rate.
ModSample Hat() {
    ModSample s{"hat", {}, 30, 0, 0};
    Noise noise(99);
    double previous = 0;
    for (int i = 0; i < 1000; ++i) {
        const double t = i / (2 * kBaseRate);
        const double n = noise.Next();
        s.data.push_back(Clip((n - previous) * 0.5 * std::exp(-t / 0.018)));
        previous = n;
    }
    return s;
}

struct Chord {
    int root;  // semitone 0..11 above C
    bool minor;
};

struct TuneSpec {
    std::string fileName;
    std::string title;
    std::string moduleTitle;
    int speed;  // ticks per row
    int bpm;
    int key;  // tonic, semitone above C
    bool minorKey;
    std::vector<Chord> verse;   // four chords
    std::vector<Chord> bridge;  // four chords
    std::vector<int> leadRows;  // rows in a 16-row bar where the melody strikes
    std::vector<int> bassRows;  // rows in a 16-row bar where the bass strikes
    std::uint32_t seed;
};

constexpr int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMinorScale[7] = {0, 2, 3, 5, 7, 8, 10};
// The melody stays within C-2..G-3 so it sits above the chords.
constexpr int kLeadLow = 12;
constexpr int kLeadHigh = 31;

ModCell Note(Instrument instrument, int note, std::uint8_t effect = 0, std::uint8_t param = 0) {
    return {instrument, ModPeriod(note), effect, param};
}

bool InScale(const TuneSpec& spec, int note) {
    const int degree = ((note - spec.key) % 12 + 12) % 12;
    const int* scale = spec.minorKey ? kMinorScale : kMajorScale;
    return std::find(scale, scale + 7, degree) != scale + 7;
}

bool InChord(const Chord& chord, int note) {
    const int interval = ((note - chord.root) % 12 + 12) % 12;
    return interval == 0 || interval == (chord.minor ? 3 : 4) || interval == 7;
}

// One 64-row pattern over `chords`; `withLead` adds the melody, `fill` a drum fill at the end.
ModPattern Compose(const TuneSpec& spec, const std::vector<Chord>& chords, bool withLead, bool fill,
                   Noise& noise, int& melody) {
    ModPattern p{};
    for (int bar = 0; bar < 4; ++bar) {
        const Chord& chord = chords[static_cast<std::size_t>(bar)];
        const int base = bar * kRowsPerChord;
        const std::uint8_t arpeggio = static_cast<std::uint8_t>(((chord.minor ? 3 : 4) << 4) | 7);
        for (int r = 0; r < kRowsPerChord; ++r) {
            ModCell& pad = p[base + r][kPadChannel];
            pad =
                r % 8 == 0 ? Note(kPad, 12 + chord.root, 0, arpeggio) : ModCell{0, 0, 0, arpeggio};
        }
        for (std::size_t i = 0; i < spec.bassRows.size(); ++i) {
            const int row = spec.bassRows[i];
            const int note = chord.root + (i % 3 == 2 ? 12 : (i % 4 == 3 ? 7 : 0));
            p[base + row][kBassChannel] = Note(kBass, note);
        }
        for (int r = 0; r < kRowsPerChord; r += 2) {
            ModCell& drum = p[base + r][kDrumChannel];
            if (r == 0 || r == 8 || (r == 10 && bar % 2 == 1)) {
                drum = Note(kKick, 12);
            } else if (r == 4 || r == 12) {
                drum = Note(kSnare, 12);
            } else {
                drum = Note(kHat, 24);
            }
        }
        if (fill && bar == 3) {
            for (int r = 12; r < kRowsPerChord; ++r) {
                p[base + r][kDrumChannel] = Note(kSnare, 12 + (r - 12) * 2);
            }
        }
        if (!withLead) {
            continue;
        }
        for (const int row : spec.leadRows) {
            const bool strong = row % 4 == 0;
            // A small step through the scale; strong beats settle on a chord tone.
            int candidate = melody;
            for (int attempt = 0; attempt < 12; ++attempt) {
                const int step = noise.Below(5) - 2;
                int next = std::clamp(melody + step * 2, kLeadLow, kLeadHigh);
                while (!InScale(spec, next) && next < kLeadHigh) {
                    ++next;
                }
                if (!strong || InChord(chord, next)) {
                    candidate = next;
                    break;
                }
            }
            if (strong && !InChord(chord, candidate)) {
                candidate = 12 + chord.root + (candidate >= 24 ? 12 : 0);
            }
            melody = candidate;
            p[base + row][kLeadChannel] = Note(kLead, melody);
        }
        // Let the last note of every other bar breathe.
        if (bar % 2 == 1) {
            p[base + kRowsPerChord - 2][kLeadChannel] = {0, 0, 0xC, 0};
        }
    }
    return p;
}

ModSong ComposeSong(const TuneSpec& spec) {
    ModSong song;
    song.title = spec.moduleTitle;
    song.samples = {Lead(), Bass(), Pad(), Kick(), Snare(), Hat()};
    Noise noise(spec.seed);
    int melody = 19 + spec.key % 5;
    // Intro without the melody, verse, bridge with a fill, a second verse line.
    song.patterns.push_back(Compose(spec, spec.verse, false, false, noise, melody));
    song.patterns.push_back(Compose(spec, spec.verse, true, false, noise, melody));
    song.patterns.push_back(Compose(spec, spec.bridge, true, true, noise, melody));
    song.patterns.push_back(Compose(spec, spec.verse, true, true, noise, melody));
    song.order = {0, 1, 2, 1, 3};
    song.patterns[0][0][kLeadChannel] = {0, 0, 0xF, static_cast<std::uint8_t>(spec.speed)};
    song.patterns[0][0][kDrumChannel].effect = 0xF;
    song.patterns[0][0][kDrumChannel].param = static_cast<std::uint8_t>(spec.bpm);
    // The final chord rings out under silence in the other voices before the tune ends.
    ModPattern& last = song.patterns[3];
    last[kModRows - 16][kLeadChannel] = Note(kLead, 12 + spec.key + 12 * (spec.key < 8));
    for (int r = kModRows - 15; r < kModRows; ++r) {
        last[r][kLeadChannel] = {};
        last[r][kBassChannel] = {};
        last[r][kDrumChannel] = {};
    }
    return song;
}

std::vector<TuneSpec> Specs() {
    const std::vector<int> straight = {0, 2, 4, 6, 8, 10, 12, 14};
    const std::vector<int> lilting = {0, 3, 6, 8, 10, 12};
    const std::vector<int> sparse = {0, 4, 6, 8, 12};
    return {
        {"LANTERNS.MOD",
         "Lanterns over Marivenn",
         "lanterns",
         6,
         112,
         2,
         true,
         {{2, true}, {10, false}, {5, false}, {0, false}},
         {{7, true}, {10, false}, {9, false}, {2, true}},
         sparse,
         {0, 6, 8, 12},
         11},
        {"BELLROAD.MOD",
         "The Drowned Bell Road",
         "drowned bell road",
         6,
         96,
         9,
         true,
         {{9, true}, {5, false}, {0, false}, {7, false}},
         {{2, true}, {9, true}, {5, false}, {4, false}},
         lilting,
         {0, 8, 11},
         23},
        {"EMBERMKT.MOD",
         "Ember Market at Dusk",
         "ember market",
         6,
         124,
         0,
         false,
         {{0, false}, {9, true}, {5, false}, {7, false}},
         {{5, false}, {7, false}, {4, true}, {9, true}},
         straight,
         {0, 4, 8, 10, 12},
         37},
        {"ASHFALL.MOD",
         "Ashfall Keep",
         "ashfall keep",
         5,
         140,
         4,
         true,
         {{4, true}, {0, false}, {2, false}, {11, false}},
         {{9, true}, {4, true}, {0, false}, {11, false}},
         straight,
         {0, 2, 6, 8, 10, 14},
         53},
    };
}
}  // namespace

std::vector<DemoTune> ComposeDemoTunes() {
    std::vector<DemoTune> tunes;
    for (const TuneSpec& spec : Specs()) {
        tunes.push_back({spec.fileName, spec.title, ComposeSong(spec)});
    }
    return tunes;
}

bool BuildDemoArchive(Bytes& out, std::string& error) {
    std::vector<PackMember> members{{"MUSIC.DAT", {}}};
    std::vector<CatalogueEntry> catalogue;
    for (const DemoTune& tune : ComposeDemoTunes()) {
        PackMember member{tune.fileName, {}};
        if (!WriteModule(tune.song, member.data, error)) {
            error = tune.fileName + ": " + error;
            return false;
        }
        members.push_back(std::move(member));
        catalogue.push_back({tune.fileName, tune.title});
    }
    return BuildCatalogue(catalogue, members.front().data, error) && BuildPack(members, out, error);
}
