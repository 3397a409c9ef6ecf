// The catalogue and the module table, filled from archives built in code, against the
// recording audio library. Each case runs in its own process, so the tables start empty.
#include "playback/TrackList.h"

#include <gtest/gtest.h>

#include <cstring>

#include "archive/CPackFile.h"
#include "tests/support/Fixtures.h"
#include "tests/support/RecordingAudioLibrary.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

class TrackListTest : public ::testing::Test {
protected:
    // Opens `bytes` as thePack, then reads the catalogue and loads every track.
    void Load(const Bytes& bytes) {
        archive = bytes;
        path = dir.Write("marivenn.dat", bytes);
        ASSERT_EQ(thePack.Open(path.c_str()), 0);
        ASSERT_EQ(ReadCatalogue(), 0);
        LoadAllTracks();
    }

    std::int32_t OffsetOfEntry(std::size_t index) const {
        return GetInt32(archive, EntryAt(index) + kEntryOffsetField);
    }

    std::string LoadCall(int slot, std::int32_t offset) const {
        return "LoadModuleAt(" + path + ", slot " + std::to_string(slot) + ", " +
               std::to_string(offset) + ")";
    }

    TempDir dir;
    ScriptedUiService ui;
    RecordingAudioLibrary audio;
    Bytes archive;
    std::string path;
};

TEST_F(TrackListTest, ThreeTracksFillThreeSlotsAndASpare) {
    Load(MakePack({MakeCatalogue({{"A.MOD", "Alpha"}, {"B.MOD", "Beta"}, {"C.MOD", "Gamma"}}),
                   {"A.MOD", Pattern(10)},
                   {"B.MOD", Pattern(20)},
                   {"C.MOD", Pattern(30)}}));
    EXPECT_EQ(nLastTrack, 2);
    EXPECT_STREQ(pTrackList[1].szFileName, "B.MOD");
    EXPECT_STREQ(pTrackList[2].szTitle, "Gamma");
    EXPECT_EQ(audio.calls, (std::vector<std::string>{LoadCall(0, OffsetOfEntry(1)),
                                                     LoadCall(1, OffsetOfEntry(2)),
                                                     LoadCall(2, OffsetOfEntry(3))}));
    EXPECT_EQ(pModule[0], RecordingAudioLibrary::kFirstHandle);
    EXPECT_EQ(pModule[2], RecordingAudioLibrary::kFirstHandle + 2);
    EXPECT_EQ(pModule[3], kNoModule);
}

TEST_F(TrackListTest, OneTrack) {
    Load(MakePack({MakeCatalogue({{"ONLY.MOD", "Only"}}), {"ONLY.MOD", Pattern(10)}}));
    EXPECT_EQ(nLastTrack, 0);
    EXPECT_EQ(pModule[0], RecordingAudioLibrary::kFirstHandle);
    EXPECT_EQ(pModule[1], kNoModule);
}

TEST_F(TrackListTest, EmptyCatalogueLoadsNothing) {
    Load(MakePack({MakeCatalogue({})}));
    EXPECT_EQ(nLastTrack, -1);
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_EQ(pModule[0], kNoModule);
}

TEST_F(TrackListTest, LowerCaseFileNameIsFound) {
    Load(MakePack({MakeCatalogue({{"intro.mod", "Intro"}}), {"INTRO.MOD", Pattern(10)}}));
    EXPECT_EQ(audio.calls, (std::vector<std::string>{LoadCall(0, OffsetOfEntry(1))}));
    EXPECT_STREQ(pTrackList[0].szFileName, "intro.mod");
}

TEST_F(TrackListTest, MissingMemberLeavesOnlyItsSlotEmpty) {
    Load(MakePack({MakeCatalogue({{"A.MOD", "A"}, {"GONE.MOD", "Gone"}, {"C.MOD", "C"}}),
                   {"A.MOD", Pattern(10)},
                   {"C.MOD", Pattern(30)}}));
    EXPECT_EQ(audio.calls, (std::vector<std::string>{LoadCall(0, OffsetOfEntry(1)),
                                                     LoadCall(2, OffsetOfEntry(2))}));
    EXPECT_EQ(pModule[0], RecordingAudioLibrary::kFirstHandle);
    EXPECT_EQ(pModule[1], kNoModule);
    EXPECT_EQ(pModule[2], RecordingAudioLibrary::kFirstHandle + 1);
}

TEST_F(TrackListTest, FailedLoadAsksForItsTextAndShowsNothing) {
    const Bytes bytes =
        MakePack({MakeCatalogue({{"A.MOD", "A"}, {"BAD.MOD", "Bad"}, {"C.MOD", "C"}}),
                  {"A.MOD", Pattern(10)},
                  {"BAD.MOD", Pattern(5)},
                  {"C.MOD", Pattern(30)}});
    audio.failingOffsets = {GetInt32(bytes, EntryAt(2) + kEntryOffsetField)};
    Load(bytes);
    EXPECT_EQ(audio.calls, (std::vector<std::string>{
                               LoadCall(0, OffsetOfEntry(1)), LoadCall(1, OffsetOfEntry(2)),
                               "DescribeError(7, 127)", LoadCall(2, OffsetOfEntry(3))}));
    EXPECT_EQ(pModule[1], kNoModule);
    EXPECT_EQ(pModule[2], RecordingAudioLibrary::kFirstHandle + 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TrackListTest, TwoRecordsNamingOneMemberLoadItTwice) {
    Load(MakePack({MakeCatalogue({{"SAME.MOD", "First"}, {"same.mod", "Second"}}),
                   {"SAME.MOD", Pattern(10)}}));
    EXPECT_EQ(audio.calls, (std::vector<std::string>{LoadCall(0, OffsetOfEntry(1)),
                                                     LoadCall(1, OffsetOfEntry(1))}));
    EXPECT_NE(pModule[0], pModule[1]);
}

TEST_F(TrackListTest, MissingCatalogueChangesNothing) {
    path = dir.Write("marivenn.dat", MakePack({{"A.MOD", Pattern(10)}}));
    ASSERT_EQ(thePack.Open(path.c_str()), 0);
    EXPECT_EQ(ReadCatalogue(), -1);
    EXPECT_EQ(pTrackList, nullptr);
    EXPECT_EQ(nLastTrack, -1);
}

// Catalogues whose stored count lies: the player keeps only the records that are whole inside
// the catalogue member and the file, and never reads past its table.
struct HostileCatalogue {
    const char* what;
    std::int32_t count;    // written over the catalogue's count of 3
    std::size_t cutBytes;  // bytes dropped from the end of the file
    std::int32_t expectedLast;
};

void PrintTo(const HostileCatalogue& c, std::ostream* os) {
    *os << c.what;
}

class HostileCatalogueTest : public TrackListTest,
                             public ::testing::WithParamInterface<HostileCatalogue> {};

TEST_P(HostileCatalogueTest, KeepsOnlyWholeRecords) {
    const HostileCatalogue& c = GetParam();
    // The catalogue is the last member, so cutting the file cuts its records.
    Bytes bytes = MakePack(
        {{"A.MOD", Pattern(10)}, MakeCatalogue({{"A.MOD", "A"}, {"B.MOD", "B"}, {"C.MOD", "C"}})});
    PutInt32(bytes, static_cast<std::size_t>(GetInt32(bytes, EntryAt(1) + kEntryOffsetField)),
             c.count);
    bytes.resize(bytes.size() - c.cutBytes);
    Load(bytes);
    EXPECT_EQ(nLastTrack, c.expectedLast);
    const char* names[] = {"A.MOD", "B.MOD", "C.MOD"};
    for (std::int32_t i = 0; i <= nLastTrack; ++i) {
        EXPECT_STREQ(pTrackList[i].szFileName, names[i]);  // whole records, never garbage
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, HostileCatalogueTest,
                         ::testing::Values(HostileCatalogue{"negative", -1, 0, -1},
                                           HostileCatalogue{"int32_min", INT32_MIN, 0, -1},
                                           HostileCatalogue{"beyond_the_member", 1000, 0, 2},
                                           HostileCatalogue{"int32_max", INT32_MAX, 0, 2},
                                           HostileCatalogue{"last_record_cut_short", 3, 20, 1},
                                           HostileCatalogue{"two_records_cut", 3, 69, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(TrackListTest, FieldsWithoutZeroBytesStayInsideThem) {
    PackMember catalogue = MakeCatalogue({{"A.MOD", "A"}});
    std::memset(catalogue.data.data() + 4, 'N', sizeof(TrackRecord));  // no zero anywhere
    Load(MakePack({catalogue}));
    ASSERT_EQ(nLastTrack, 0);
    EXPECT_EQ(std::strlen(pTrackList[0].szFileName), sizeof pTrackList[0].szFileName - 1);
    EXPECT_EQ(std::strlen(pTrackList[0].szTitle), sizeof pTrackList[0].szTitle - 1);
    EXPECT_TRUE(audio.calls.empty());  // "NNNNNNNNNNNN" is no member
}

}  // namespace
