// Start-up and Save on a hostile archive: the process's reader opens it, the catalogue is
// read, every track is loaded through the recording audio library, and every catalogued
// member is exported into the scratch folder.
//
// The first input byte picks the shape: even, the rest is the archive itself; odd, the rest
// is the "music.dat" member of an archive that also holds two small track members, so the
// fuzzer reaches the catalogue without first having to find a valid directory.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "tests/fuzz/FuzzScratch.h"
#include "tests/support/RecordingAudioLibrary.h"
#include "tests/support/ScriptedUiService.h"
#include "tools/PackWriter.h"
#include "ui/ExportMember.h"

namespace {
// The player never frees its track tables; the fuzzer does after each input so that memory
// stays flat and leak checking sees only real leaks.
void ResetTrackList() {
    delete[] pTrackList;
    pTrackList = nullptr;
    delete[] pModule;
    pModule = nullptr;
    nLastTrack = -1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static RecordingAudioLibrary audio;
    static ScriptedUiService ui;
    audio.calls.clear();
    ui.boxes.clear();
    if (size == 0) {
        return 0;
    }

    Bytes archive;
    if ((data[0] & 1) == 0) {
        archive.assign(data + 1, data + size);
    } else {
        std::string error;
        const std::vector<PackMember> members = {
            {"music.dat", Bytes(data + 1, data + size)},
            {"TRACK1.MOD", Bytes(64, 0x11)},
            {"track2.mod", Bytes(3, 0x22)},
        };
        if (!BuildPack(members, archive, error)) {
            return 0;
        }
    }

    const std::string folder = ScratchFolder();
    const std::string path = folder + "/marivenn.dat";
    if (!WriteBytes(path, archive.data(), archive.size())) {
        return 0;
    }
    ResetPack(thePack);
    if (thePack.Open(path.c_str()) == 0 && ReadCatalogue() == 0) {
        LoadAllTracks();
        const std::string destination = folder + "/export.bin";
        for (std::int32_t i = 0; i <= nLastTrack; ++i) {
            ExportMember(thePack, pTrackList[i].szFileName, destination.c_str());
        }
        std::error_code ignored;
        std::filesystem::remove(destination, ignored);
    }
    ResetTrackList();
    ResetPack(thePack);
    return 0;
}
