// The audio engine on generated modules: time to load each, the speed of its pull path
// against plain libopenmpt rendering the same module with the same settings, and the
// resident memory a 99-track archive costs once every track is loaded.
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/audio/EngineAudioLibrary.h"
#include "tools/DemoSoundtrack.h"
#include "tools/ModuleWriter.h"
#include "tools/PackWriter.h"

namespace {
constexpr std::int32_t kRate = 44100;
// What SDL asks for per callback at the engine's buffer size.
constexpr std::size_t kPullFrames = 1024;
// A minute of sound per measurement: long enough that start-up costs vanish.
constexpr std::size_t kRenderFrames = 60 * kRate;
// Odd, so one outlier cannot decide the median.
constexpr int kRuns = 5;
// The most tracks the player's list keeps in catalogue order.
constexpr int kTracks = 99;

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Module {
    std::string name;
    Bytes bytes;
};

Module Write(const std::string& name, const ModSong& song) {
    Module module{name, {}};
    std::string error;
    if (!WriteModule(song, module.bytes, error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        std::exit(1);
    }
    return module;
}

// The demo tunes, plus variants of the first so sizes and song structures vary: a one-pattern
// loop, the song repeated through the whole order list, and one carrying a long sample.
std::vector<Module> GeneratedModules() {
    const std::vector<DemoTune> tunes = ComposeDemoTunes();
    std::vector<Module> modules;
    for (const DemoTune& tune : tunes) {
        modules.push_back(Write(tune.fileName, tune.song));
    }
    const ModSong& first = tunes.front().song;

    ModSong loop = first;
    loop.patterns.resize(1);
    loop.order = {0};
    modules.push_back(Write("one pattern", loop));

    ModSong longer = first;
    while (longer.order.size() + first.order.size() <= 128) {
        longer.order.insert(longer.order.end(), first.order.begin(), first.order.end());
    }
    modules.push_back(Write("order list repeated", longer));

    ModSong sampled = first;
    ModSample noise{"long noise", {}, 32, 0, 0};
    std::uint32_t state = 1;
    for (int i = 0; i < 120000; ++i) {
        state = state * 1664525u + 1013904223u;
        noise.data.push_back(static_cast<std::int8_t>(state >> 24));
    }
    sampled.samples.push_back(std::move(noise));
    modules.push_back(Write("with a 120 kB sample", sampled));
    return modules;
}

// Plain libopenmpt: the module from memory, looping forever, read in SDL-sized pieces.
double PlainRender(const Bytes& bytes) {
    openmpt_module* module =
        openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (module == nullptr) {
        std::fprintf(stderr, "libopenmpt refused a module\n");
        std::exit(1);
    }
    openmpt_module_set_repeat_count(module, -1);
    std::vector<std::int16_t> out(2 * kPullFrames);
    const double seconds = Seconds([&] {
        for (std::size_t done = 0; done < kRenderFrames; done += kPullFrames) {
            openmpt_module_read_interleaved_stereo(module, kRate, kPullFrames, out.data());
        }
    });
    openmpt_module_destroy(module);
    return seconds;
}

double EngineRender(EngineAudioLibrary& engine, ModuleHandle handle) {
    engine.StartPlayback(handle);
    std::vector<std::int16_t> out(2 * kPullFrames);
    const double seconds = Seconds([&] {
        for (std::size_t done = 0; done < kRenderFrames; done += kPullFrames) {
            engine.Render(out.data(), kPullFrames);
        }
    });
    engine.HaltPlayback();
    return seconds;
}

std::string WriteFile(const std::string& folder, const std::string& name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    std::string error;
    if (!WriteFileReplacing(path, bytes, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    return path;
}
}  // namespace

int main() {
    const std::string folder = MakeScratchFolder("marivenn-bench");
    const std::vector<Module> modules = GeneratedModules();

    // Memory first, in a heap nothing else has used yet: 99 tracks in one archive-like file,
    // each loaded at its offset as the player does.
    Bytes archive(64, 0);
    std::vector<std::int32_t> offsets;
    std::size_t moduleBytes = 0;
    for (int i = 0; i < kTracks; ++i) {
        const Bytes& bytes = modules[static_cast<std::size_t>(i) % modules.size()].bytes;
        offsets.push_back(static_cast<std::int32_t>(archive.size()));
        archive.insert(archive.end(), bytes.begin(), bytes.end());
        moduleBytes += bytes.size();
    }
    const std::string archivePath = WriteFile(folder, "archive.dat", archive);
    {
        EngineAudioLibrary engine;
        const long before = ResidentKilobytes();
        for (const std::int32_t offset : offsets) {
            ModuleHandle slot = kNoModule;
            if (engine.LoadModuleAt(archivePath.c_str(), &slot, offset) != kEngineOk) {
                std::fprintf(stderr, "load at %d failed\n", offset);
                return 1;
            }
        }
        const long loaded = ResidentKilobytes();
        const double growthMb = (loaded - before) / 1024.0;
        const double bytesMb = moduleBytes / (1024.0 * 1024.0);
        std::printf(
            "memory: %d tracks, %.2f MB of modules; VmRSS %ld -> %ld kB, growth %.2f MB"
            " (target <= %.2f MB: %s)\n",
            kTracks, bytesMb, before, loaded, growthMb, 2 * bytesMb + 8,
            growthMb <= 2 * bytesMb + 8 ? "met" : "MISSED");
        ModuleHandle first = 1;
        engine.StartPlayback(first);
        std::printf("        while one track plays: VmRSS %ld kB\n", ResidentKilobytes());
    }

    EngineAudioLibrary engine;
    std::printf("\n%-24s %8s %10s %10s %10s %7s\n", "module", "bytes", "load ms", "engine x",
                "plain x", "ratio");
    double worst = 1e9;
    for (const Module& module : modules) {
        const std::string path = WriteFile(folder, "module.bin", module.bytes);
        std::vector<double> loads;
        ModuleHandle handle = kNoModule;
        for (int run = 0; run < kRuns; ++run) {
            loads.push_back(Seconds([&] {
                if (engine.LoadModuleAt(path.c_str(), &handle, 0) != kEngineOk) {
                    std::fprintf(stderr, "%s: load failed\n", module.name.c_str());
                    std::exit(1);
                }
            }));
        }
        // Alternate the two so neither always runs on a warmer cache.
        std::vector<double> plain;
        std::vector<double> pulled;
        for (int run = 0; run < kRuns; ++run) {
            plain.push_back(PlainRender(module.bytes));
            pulled.push_back(EngineRender(engine, handle));
        }
        const double audioSeconds = double(kRenderFrames) / kRate;
        const double ratio = Median(plain) / Median(pulled);
        worst = std::min(worst, ratio);
        std::printf("%-24s %8zu %10.3f %10.1f %10.1f %7.3f\n", module.name.c_str(),
                    module.bytes.size(), 1000 * Median(loads), audioSeconds / Median(pulled),
                    audioSeconds / Median(plain), ratio);
    }
    std::printf(
        "\nengine x / plain x: faster than real time; ratio = engine speed / plain"
        " libopenmpt speed, median of %d runs of %zu s (target >= 0.95: %s, worst"
        " %.3f)\n",
        kRuns, kRenderFrames / kRate, worst >= 0.95 ? "met" : "MISSED", worst);
    std::filesystem::remove_all(folder);
    return 0;
}
