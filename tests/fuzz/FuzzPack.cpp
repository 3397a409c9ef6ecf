// Opens the input as an archive with a fresh reader and looks up every name its directory
// holds, in the stored case and lower case, plus names no archive can hold.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "archive/CPackFile.h"
#include "tests/fuzz/FuzzScratch.h"
#include "tests/support/ScriptedUiService.h"

namespace {
void Query(const CPackFile& pack, const std::string& name) {
    volatile std::int32_t sink = pack.SizeOf(name.c_str());
    sink = pack.OffsetOf(name.c_str());
    (void)sink;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The header mismatch box goes to a recording service; forget what it recorded.
    static ScriptedUiService ui;
    ui.boxes.clear();

    const std::string path = ScratchFolder() + "/pack.dat";
    if (!WriteBytes(path, data, size)) {
        return 0;
    }
    CPackFile pack;
    pack.Open(path.c_str());

    std::vector<std::string> names;
    for (std::int32_t i = 0; i < pack.m_nEntries && pack.m_pDirectory != nullptr; ++i) {
        const char* field = pack.m_pDirectory[i].name;
        names.emplace_back(field, strnlen(field, sizeof pack.m_pDirectory[i].name));
    }
    for (const std::string& name : names) {
        Query(pack, name);
        std::string lower = name;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        Query(pack, lower);
        Query(pack, name + name);
    }
    Query(pack, "");
    Query(pack, "music.dat");
    Query(pack, std::string(12, 'A'));
    Query(pack, std::string(13, 'A'));
    Query(pack, std::string(300, 'x'));

    ResetPack(pack);
    return 0;
}
