// Writes the seed corpora of the fuzz targets: a few valid archives built by the archive
// writer, and modules from the module writer placed inside files for the engine.
// Usage: make_fuzz_seeds <pack corpus folder> <catalogue corpus folder> <engine corpus folder>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tools/DemoSoundtrack.h"
#include "tools/ModuleWriter.h"
#include "tools/PackWriter.h"

namespace {
bool Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::string error;
    if (!WriteFileReplacing(path.string(), bytes, error)) {
        std::fprintf(stderr, "make_fuzz_seeds: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool Pack(const std::vector<PackMember>& members, Bytes& out) {
    std::string error;
    if (!BuildPack(members, out, error)) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", error.c_str());
        return false;
    }
    return true;
}

Bytes Catalogue(const std::vector<CatalogueEntry>& entries) {
    Bytes out;
    std::string error;
    if (!BuildCatalogue(entries, out, error)) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", error.c_str());
    }
    return out;
}

// One pattern of a looped square wave: small, so the fuzzer mutates mostly structure.
Bytes TinyModule() {
    ModSample square{"square", {}, 64, 0, 16};
    for (int i = 0; i < 16; ++i) {
        square.data.push_back(i < 8 ? 100 : -100);
    }
    ModPattern pattern{};
    pattern[0][0] = {1, ModPeriod(12), 0, 0};
    pattern[8][1] = {1, ModPeriod(19), 0xC, 32};
    pattern[15][2] = {0, 0, 0xD, 0};
    Bytes out;
    std::string error;
    if (!WriteModule({"seed", {square}, {pattern}, {0, 0}}, out, error)) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", error.c_str());
    }
    return out;
}

// The engine target's input: the offset as two bytes, then the file.
Bytes EngineInput(std::uint16_t offset, const Bytes& before, const Bytes& module,
                  const Bytes& after) {
    Bytes out = {static_cast<std::uint8_t>(offset & 0xFF), static_cast<std::uint8_t>(offset >> 8)};
    out.insert(out.end(), before.begin(), before.end());
    out.insert(out.end(), module.begin(), module.end());
    out.insert(out.end(), after.begin(), after.end());
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: make_fuzz_seeds <pack corpus> <catalogue corpus> <engine corpus>\n");
        return 2;
    }
    const std::filesystem::path packDir = argv[1];
    const std::filesystem::path catalogueDir = argv[2];
    const std::filesystem::path engineDir = argv[3];
    std::filesystem::create_directories(packDir);
    std::filesystem::create_directories(catalogueDir);
    std::filesystem::create_directories(engineDir);

    const Bytes twoTracks = Catalogue({{"track1.mod", "First"}, {"TRACK2.MOD", "Second"}});
    const Bytes withMissing = Catalogue({{"track1.mod", "Here"}, {"gone.mod", "Missing"}});
    const std::vector<std::vector<PackMember>> archives = {
        {},
        {{"music.dat", Catalogue({})}},
        {{"music.dat", twoTracks}, {"track1.mod", Bytes(40, 1)}, {"track2.mod", Bytes(7, 2)}},
        {{"a.mod", Bytes(5, 3)}, {"music.dat", withMissing}, {"track1.mod", Bytes()}},
        {{"readme.txt", Bytes(100, 'x')}},
    };

    bool ok = true;
    for (std::size_t i = 0; i < archives.size(); ++i) {
        Bytes pack;
        if (!Pack(archives[i], pack)) {
            ok = false;
            continue;
        }
        const std::string name = "archive" + std::to_string(i);
        ok = Write(packDir / name, pack) && ok;
        // For the catalogue target: an even first byte means "the rest is the archive".
        Bytes raw = pack;
        raw.insert(raw.begin(), 0);
        ok = Write(catalogueDir / name, raw) && ok;
    }
    // Odd first byte: the rest is the catalogue member of a generated archive.
    for (const auto& [name, catalogue] :
         {std::pair{"catalogue0", twoTracks}, std::pair{"catalogue1", withMissing}}) {
        Bytes member = catalogue;
        member.insert(member.begin(), 1);
        ok = Write(catalogueDir / name, member) && ok;
    }

    const Bytes tiny = TinyModule();
    Bytes tune;
    std::string error;
    const std::vector<DemoTune> tunes = ComposeDemoTunes();
    if (tunes.empty() || !WriteModule(tunes[0].song, tune, error)) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", error.c_str());
        ok = false;
    }
    const Bytes junk(100, 0xA5);
    const std::vector<std::pair<const char*, Bytes>> inputs = {
        {"alone", EngineInput(0, {}, tiny, {})},
        {"inside", EngineInput(100, junk, tiny, tiny)},
        {"past_end", EngineInput(0xFFFF, {}, tiny, {})},
        {"tune", EngineInput(0, {}, tune, {})},
    };
    for (const auto& [name, input] : inputs) {
        ok = Write(engineDir / name, input) && ok;
    }
    return ok ? 0 : 1;
}
