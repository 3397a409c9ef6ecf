// The archive writer's output read back by the reader, and its refusals.
#include "tools/PackWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

TEST(PackWriterTest, ArchiveFromFilesReadsBack) {
    TempDir dir;
    ScriptedUiService ui;
    const Bytes intro = Pattern(300, 1);
    const Bytes battle = Pattern(77, 9);
    const std::vector<TrackSource> tracks = {{dir.Write("intro.mod", intro), "Intro"},
                                             {dir.Write("BATTLE.XM", battle), "Battle Theme"}};
    std::string error;
    ASSERT_TRUE(WritePackFromFiles(tracks, dir.File("marivenn.dat"), error)) << error;

    CPackFile pack;
    ASSERT_EQ(pack.Open(dir.File("marivenn.dat").c_str()), 0);
    const Bytes archive = ReadBytes(dir.File("marivenn.dat"));
    for (const auto& [name, bytes] :
         {std::pair{"Intro.Mod", intro}, std::pair{"battle.xm", battle}}) {
        const std::int32_t offset = pack.OffsetOf(name);
        ASSERT_GT(offset, 0) << name;
        ASSERT_EQ(pack.SizeOf(name), static_cast<std::int32_t>(bytes.size())) << name;
        EXPECT_EQ(Bytes(archive.begin() + offset, archive.begin() + offset + pack.SizeOf(name)),
                  bytes);
    }
    // The catalogue lists the tracks in order, under their file names as given.
    const std::int32_t at = pack.OffsetOf("music.dat");
    ASSERT_GT(at, 0);
    EXPECT_EQ(GetInt32(archive, static_cast<std::size_t>(at)), 2);
    TrackRecord second{};
    std::memcpy(&second, archive.data() + at + 4 + sizeof(TrackRecord), sizeof second);
    EXPECT_STREQ(second.szFileName, "BATTLE.XM");
    EXPECT_STREQ(second.szTitle, "Battle Theme");
    std::fclose(pack.m_pFile);
}

struct Refusal {
    const char* what;
    std::string fileName;
    std::string title;
    bool readable;
};

TEST(PackWriterTest, RefusalsLeaveAnOldArchiveUntouched) {
    const Refusal cases[] = {
        {"name over 12 characters", "LONGERNAME.MOD", "T", true},
        {"title over 35 characters", "A.MOD", std::string(36, 't'), true},
        {"the mask byte in a name", "A\xA6.MOD", "T", true},
        {"unreadable input", "GONE.MOD", "T", false},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const Bytes old = Pattern(40);
        dir.Write("marivenn.dat", old);
        const std::string input =
            c.readable ? dir.Write(c.fileName, Pattern(10)) : dir.File(c.fileName);
        std::string error;
        EXPECT_FALSE(WritePackFromFiles({{input, c.title}}, dir.File("marivenn.dat"), error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadBytes(dir.File("marivenn.dat")), old);
        EXPECT_FALSE(std::filesystem::exists(dir.File("marivenn.dat.tmp")));
    }
}

}  // namespace
