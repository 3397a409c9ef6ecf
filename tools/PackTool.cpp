// marivenn-pack: writes a soundtrack archive from module files and their titles.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/PackWriter.h"

namespace {
constexpr int kUsageError = 2;

void PrintUsage(std::FILE* to) {
    std::fputs(
        "Usage: marivenn-pack -o ARCHIVE MODULE TITLE [MODULE TITLE ...]\n"
        "Writes ARCHIVE with a catalogue listing the tracks in the given order. Each module\n"
        "file is stored under its file name (at most 12 characters, upper-cased); titles hold\n"
        "at most 35 characters. On any error nothing is written.\n",
        to);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc < 5 || std::strcmp(argv[1], "-o") != 0 || (argc - 3) % 2 != 0) {
        PrintUsage(stderr);
        return kUsageError;
    }
    std::vector<TrackSource> tracks;
    for (int i = 3; i + 1 < argc; i += 2) {
        tracks.push_back({argv[i], argv[i + 1]});
    }
    std::string error;
    if (!WritePackFromFiles(tracks, argv[2], error)) {
        std::fprintf(stderr, "marivenn-pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
