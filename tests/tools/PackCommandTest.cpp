#include "tools/PackCommand.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

struct ToolRun {
    int code = 0;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunPackTool(args, out, err);
    return {code, out.str(), err.str()};
}

class PackToolTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedUiService ui;
};

TEST_F(PackToolTest, ArchiveReadsBackThroughThePackReader) {
    const Bytes intro = Pattern(300, 1);
    const Bytes battle = Pattern(77, 9);
    const std::string introPath = dir.Write("intro.mod", intro);
    const std::string battlePath = dir.Write("Battle.Mod", battle);
    const std::string output = dir.File("marivenn.dat");

    const ToolRun run =
        RunTool({"-o", output, introPath, "Intro", battlePath, "Battle at the Gate"});
    ASSERT_EQ(run.code, kPackExitOk) << run.err;

    const Bytes archive = ReadBytes(output);
    CPackFile pack;
    ASSERT_EQ(pack.Open(output.c_str()), 0);
    for (const auto& [query, body] : {std::pair{"intro.mod", &intro},
                                      {"INTRO.MOD", &intro},
                                      {"battle.mod", &battle},
                                      {"Battle.Mod", &battle}}) {
        SCOPED_TRACE(query);
        const std::int32_t offset = pack.OffsetOf(query);
        ASSERT_GT(offset, 0);
        ASSERT_EQ(pack.SizeOf(query), static_cast<std::int32_t>(body->size()));
        ASSERT_LE(static_cast<std::size_t>(offset) + body->size(), archive.size());
        EXPECT_TRUE(std::equal(body->begin(), body->end(), archive.begin() + offset));
    }

    const std::int32_t catalogue = pack.OffsetOf("music.dat");
    ASSERT_GT(catalogue, 0);
    ASSERT_EQ(pack.SizeOf("music.dat"), static_cast<std::int32_t>(4 + 2 * sizeof(TrackRecord)));
    EXPECT_EQ(GetInt32(archive, static_cast<std::size_t>(catalogue)), 2);
    TrackRecord records[2];
    std::memcpy(records, archive.data() + catalogue + 4, sizeof records);
    EXPECT_STREQ(records[0].szFileName, "INTRO.MOD");
    EXPECT_STREQ(records[0].szTitle, "Intro");
    EXPECT_STREQ(records[1].szFileName, "BATTLE.MOD");
    EXPECT_STREQ(records[1].szTitle, "Battle at the Gate");
    EXPECT_EQ(pack.OffsetOf(records[1].szFileName), pack.OffsetOf("battle.mod"));
}

TEST_F(PackToolTest, LongestNameAndTitleAreStored) {
    const std::string name = "ABCDEFGH.MOD";  // 12 characters
    const std::string title(35, 't');
    const std::string output = dir.File("out.dat");
    ASSERT_EQ(RunTool({"-o", output, dir.Write(name, Pattern(10)), title}).code, kPackExitOk);

    CPackFile pack;
    ASSERT_EQ(pack.Open(output.c_str()), 0);
    EXPECT_EQ(pack.SizeOf(name.c_str()), 10);
    const Bytes archive = ReadBytes(output);
    TrackRecord record{};
    std::memcpy(&record, archive.data() + pack.OffsetOf("music.dat") + 4, sizeof record);
    EXPECT_EQ(record.szFileName, name);
    EXPECT_EQ(record.szTitle, title);
}

// Every refusal exits 1, names the problem and leaves the archive that was there untouched.
TEST_F(PackToolTest, RefusalsLeaveTheOldArchiveAlone) {
    const Bytes old = Pattern(64, 42);
    const std::string output = dir.Write("marivenn.dat", old);
    const std::string good = dir.Write("GOOD.MOD", Pattern(20));
    struct Case {
        const char* what;
        std::string module;
        std::string title;
        const char* message;
    };
    const Case cases[] = {
        {"name over 12 characters", dir.Write("ABCDEFGHI.MOD", Pattern(4)), "Long",
         "longer than 12"},
        {"title over 35 characters", good, std::string(36, 'x'), "longer than 35"},
        {"mask byte in the name", dir.Write("A\xA6.MOD", Pattern(4)), "Masked", "cannot store"},
        {"unreadable input", dir.File("MISSING.MOD"), "Gone", "cannot read"},
        {"a folder as input", dir.path().string() + "/", "Folder", "member name"},
        {"the catalogue's own name", dir.Write("music.dat", Pattern(4)), "Clash", "used twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolRun run = RunTool({"-o", output, good, "Good", c.module, c.title});
        EXPECT_EQ(run.code, kPackExitFailure);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(output), old);
    }
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

TEST_F(PackToolTest, RefusalWithoutOldArchiveLeavesNoFile) {
    const std::string output = dir.File("new.dat");
    EXPECT_EQ(RunTool({"-o", output, dir.File("MISSING.MOD"), "Gone"}).code, kPackExitFailure);
    EXPECT_EQ(
        RunTool({"-o", output, dir.Write("DUP.MOD", Pattern(4)), "One", dir.File("DUP.MOD"), "Two"})
            .code,
        kPackExitFailure);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

TEST_F(PackToolTest, UnwritableOutputFails) {
    const ToolRun run = RunTool(
        {"-o", dir.File("no/such/folder/marivenn.dat"), dir.Write("A.MOD", Pattern(4)), "A"});
    EXPECT_EQ(run.code, kPackExitFailure);
    EXPECT_NE(run.err.find("cannot"), std::string::npos) << run.err;
}

TEST_F(PackToolTest, WrongUsageExitsTwoAndHelpDescribesTheSyntax) {
    const std::string module = dir.Write("A.MOD", Pattern(4));
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {module, "A"},                                 // no -o
        {"-o"},                                        // -o without a path
        {"-o", dir.File("x.dat")},                     // no tracks
        {"-o", dir.File("x.dat"), module},             // a module without its title
        {"-o", dir.File("x.dat"), "-x", module, "A"},  // unknown option
        {"-o", dir.File("x.dat"), "-o", dir.File("y.dat"), module, "A"},
    };
    for (const auto& args : misuses) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.code, kPackExitUsage);
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.dat")));

    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.code, kPackExitOk);
    EXPECT_NE(help.out.find("marivenn-pack -o ARCHIVE MODULE TITLE"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}

}  // namespace
