#include "playback/TrackList.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "archive/CPackFile.h"
#include "archive/FileLength.h"

TrackRecord* pTrackList = nullptr;
std::int32_t nLastTrack = -1;
ModuleHandle* pModule = nullptr;

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// How many whole records the catalogue really holds: the stored count, bounded by what the
// member's directory size and what the rest of the file can hold.
long RecordsToRead(std::int32_t count, std::int32_t memberSize, long fileBytes) {
    constexpr long kRecord = sizeof(TrackRecord);
    const long memberRecords = std::max(0L, static_cast<long>(memberSize) - 4) / kRecord;
    return std::clamp<long>(count, 0, std::min(memberRecords, fileBytes / kRecord));
}
}  // namespace

std::int32_t ReadCatalogue() {
    const std::int32_t offset = thePack.OffsetOf(kCatalogueName);
    if (offset == 0) {
        return -1;
    }

    std::int32_t count = 0;
    long records = 0;
    File file(std::fopen(thePack.m_pszPath.get(), "rb"));
    if (file != nullptr && offset > 0 && std::fseek(file.get(), offset, SEEK_SET) == 0 &&
        std::fread(&count, sizeof count, 1, file.get()) == 1) {
        const long recordsStart = static_cast<long>(offset) + static_cast<long>(sizeof count);
        records = RecordsToRead(count, thePack.SizeOf(kCatalogueName),
                                std::max(0L, FileLength(file.get()) - recordsStart));
    }

    pTrackList = new TrackRecord[static_cast<std::size_t>(records) + 1]();
    const std::size_t read = records > 0 ? std::fread(pTrackList, sizeof(TrackRecord),
                                                      static_cast<std::size_t>(records), file.get())
                                         : 0;
    // A field without its zero byte is cut to fit, so every name and title is a string.
    for (std::size_t i = 0; i < read; ++i) {
        pTrackList[i].szFileName[sizeof pTrackList[i].szFileName - 1] = '\0';
        pTrackList[i].szTitle[sizeof pTrackList[i].szTitle - 1] = '\0';
    }
    nLastTrack = static_cast<std::int32_t>(read) - 1;
    return 0;
}

void LoadAllTracks() {
    pModule = new ModuleHandle[static_cast<std::size_t>(nLastTrack + 2)]();
    for (std::int32_t i = 0; i <= nLastTrack; ++i) {
        LoadTrack(i);
    }
}

void LoadTrack(std::int32_t i) {
    const std::int32_t offset = thePack.OffsetOf(pTrackList[i].szFileName);
    if (offset == 0) {
        return;
    }
    const int error = Audio().LoadModuleAt(thePack.m_pszPath.get(), &pModule[i], offset);
    if (error != 0) {
        // The player does not show the text; asking for it keeps the library's protocol.
        char text[kErrorTextSize] = {};
        Audio().DescribeError(error, text, kErrorTextSize - 1);
    }
}
