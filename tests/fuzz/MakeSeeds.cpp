// Writes the seed corpora of the fuzz targets: a few valid archives built by the archive
// writer. Usage: make_fuzz_seeds <pack corpus folder> <catalogue corpus folder>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <pack corpus> <catalogue corpus>\n");
        return 2;
    }
    const std::filesystem::path packDir = argv[1];
    const std::filesystem::path catalogueDir = argv[2];
    std::filesystem::create_directories(packDir);
    std::filesystem::create_directories(catalogueDir);

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
    return ok ? 0 : 1;
}
