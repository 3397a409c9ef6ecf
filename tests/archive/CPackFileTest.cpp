#include "archive/CPackFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "archive/XorString.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

const LoggedBox kMismatch{"", "Header ID mismatch!", MB_OK | MB_ICONEXCLAMATION};

class PackFileTest : public ::testing::Test {
protected:
    // Opens `bytes` written as an archive file and returns Open's result.
    std::int32_t OpenBytes(const Bytes& bytes) {
        return pack.Open(dir.Write("marivenn.dat", bytes).c_str());
    }

    TempDir dir;
    ScriptedUiService ui;
    CPackFile pack;
};

Bytes ThreeMembers() {
    return MakePack(
        {{"MUSIC.DAT", Pattern(53, 1)}, {"INTRO.MOD", Pattern(100, 2)}, {"EMPTY.MOD", {}}});
}

TEST(XorStringTest, MasksUpToTheZeroByteAndIsItsOwnInverse) {
    char text[] = "AB\0CD";
    EXPECT_EQ(XorString(text, 0xA6), text);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 'A' ^ 0xA6);
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 'B' ^ 0xA6);
    EXPECT_EQ(text[2], '\0');
    EXPECT_EQ(text[3], 'C');  // past the zero byte: untouched
    XorString(text, 0xA6);
    EXPECT_STREQ(text, "AB");
}

TEST(XorStringTest, StopsAtTheLimitWithoutAZeroByte) {
    char field[4] = {'A', 'B', 'C', 'D'};
    XorString(field, 0xA6, 3);
    EXPECT_EQ(static_cast<unsigned char>(field[2]), 'C' ^ 0xA6);
    EXPECT_EQ(field[3], 'D');
}

TEST_F(PackFileTest, ConstructedReaderIsEmpty) {
    EXPECT_EQ(pack.m_nOpenResult, 0);
    EXPECT_EQ(pack.m_nBase, 0);
    EXPECT_EQ(pack.m_pFile, nullptr);
    EXPECT_EQ(pack.OffsetOf("music.dat"), 0);
    EXPECT_EQ(pack.SizeOf("music.dat"), 0);
}

TEST_F(PackFileTest, OpensAGoodArchiveAndUnscramblesNames) {
    const Bytes bytes = ThreeMembers();
    ASSERT_EQ(OpenBytes(bytes), 0);
    EXPECT_EQ(pack.m_nOpenResult, 0);
    EXPECT_NE(pack.m_pFile, nullptr);
    EXPECT_STREQ(pack.m_pszPath.get(), dir.File("marivenn.dat").c_str());
    const std::int32_t count = pack.m_header.filcn;  // a packed field: copy, never bind
    EXPECT_EQ(count, 3);
    EXPECT_STREQ(pack.m_pDirectory[0].name, "MUSIC.DAT");
    EXPECT_STREQ(pack.m_pDirectory[2].name, "EMPTY.MOD");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PackFileTest, LookupsAnswerStoredOffsetAndSizeForAnyCaseOfQuery) {
    const Bytes bytes = ThreeMembers();
    ASSERT_EQ(OpenBytes(bytes), 0);
    const std::int32_t stored = GetInt32(bytes, EntryAt(0) + kEntryOffsetField);
    for (const char* query : {"music.dat", "Music.Dat", "MUSIC.DAT"}) {
        EXPECT_EQ(pack.OffsetOf(query), stored) << query;
        EXPECT_EQ(pack.SizeOf(query), 53) << query;
    }
    EXPECT_EQ(pack.OffsetOf("intro.mod"), GetInt32(bytes, EntryAt(1) + kEntryOffsetField));
}

TEST_F(PackFileTest, SizeOfCannotTellMissingFromEmpty) {
    ASSERT_EQ(OpenBytes(ThreeMembers()), 0);
    EXPECT_EQ(pack.SizeOf("empty.mod"), 0);
    EXPECT_NE(pack.OffsetOf("empty.mod"), 0);
    EXPECT_EQ(pack.SizeOf("nothere.mod"), 0);
    EXPECT_EQ(pack.OffsetOf("nothere.mod"), 0);
}

TEST_F(PackFileTest, StoredLowerCaseNameIsNeverFound) {
    Bytes bytes = MakePack({{"TRACK.MOD", Pattern(4)}});
    // Rewrite the stored name as "track.mod", scrambled.
    char name[13] = "track.mod";
    XorString(name, kNameMask);
    std::memcpy(bytes.data() + EntryAt(0), name, sizeof name);
    ASSERT_EQ(OpenBytes(bytes), 0);
    for (const char* query : {"track.mod", "TRACK.MOD", "Track.Mod"}) {
        EXPECT_EQ(pack.OffsetOf(query), 0) << query;
    }
}

TEST_F(PackFileTest, DuplicateNamesAnswerFromTheFirst) {
    const Bytes bytes = MakePack({{"SAME.MOD", Pattern(10)}, {"SAME.MOD", Pattern(20)}});
    ASSERT_EQ(OpenBytes(bytes), 0);
    EXPECT_EQ(pack.OffsetOf("same.mod"), GetInt32(bytes, EntryAt(0) + kEntryOffsetField));
    EXPECT_EQ(pack.SizeOf("same.mod"), 10);
}

TEST_F(PackFileTest, TwelveCharacterNameIsFoundAndLongerQueriesAreNot) {
    ASSERT_EQ(OpenBytes(MakePack({{"ABCDEFGH.MOD", Pattern(7)}})), 0);
    EXPECT_EQ(pack.SizeOf("abcdefgh.mod"), 7);
    EXPECT_EQ(pack.SizeOf("abcdefgh.mod1"), 0);
    EXPECT_EQ(pack.SizeOf("abcdefgh.mod.tooooolong"), 0);
}

TEST_F(PackFileTest, QueryIsNotChanged) {
    ASSERT_EQ(OpenBytes(ThreeMembers()), 0);
    char query[] = "music.dat";
    pack.OffsetOf(query);
    EXPECT_STREQ(query, "music.dat");
}

TEST_F(PackFileTest, HighBytesAreNotUpperCased) {
    // 0xE9 would become 0xC9 under a Latin-1 locale's toupper; the reader leaves it alone.
    const std::string name = "CAF\xC9.MOD";
    ASSERT_EQ(OpenBytes(MakePack({{name, Pattern(3)}})), 0);
    EXPECT_EQ(pack.SizeOf("caf\xC9.mod"), 3);
    EXPECT_EQ(pack.SizeOf("caf\xE9.mod"), 0);
}

TEST_F(PackFileTest, NameFieldWithoutZeroByteStaysInsideItsField) {
    Bytes bytes = MakePack({{"A.MOD", Pattern(3)}, {"B.MOD", Pattern(5)}});
    std::memset(bytes.data() + EntryAt(0), 'X' ^ kNameMask, 13);  // thirteen X, no zero
    ASSERT_EQ(OpenBytes(bytes), 0);
    EXPECT_EQ(pack.SizeOf("XXXXXXXXXXXXX"), 0);
    EXPECT_EQ(pack.SizeOf("XXXXXXXXXXXX"), 0);
    EXPECT_EQ(pack.SizeOf("b.mod"), 5);  // the neighbouring entry is read intact
}

struct FailingCase {
    const char* what;
    Bytes bytes;
    bool mismatchBox;
};

std::vector<FailingCase> FailingCases() {
    const Bytes good = MakePack({{"MUSIC.DAT", Pattern(8)}});
    std::vector<FailingCase> cases;
    cases.push_back({"empty file", {}, false});
    cases.push_back({"shorter than the header", Bytes(good.begin(), good.begin() + 17), false});
    cases.push_back({"header only", Bytes(good.begin(), good.begin() + 18), false});
    cases.push_back({"entry cut short", Bytes(good.begin(), good.begin() + 38), false});
    Bytes wrong = Bytes(good.begin(), good.begin() + 38);
    wrong[0] = 'X';
    cases.push_back({"wrong magic, entry cut short", wrong, false});
    Bytes zero = good;
    PutInt32(zero, 14, 0);
    cases.push_back({"filcn 0", zero, false});
    Bytes negative = good;
    PutInt32(negative, 14, -1);
    cases.push_back({"filcn negative", negative, false});
    Bytes minimum = good;
    PutInt32(minimum, 14, INT32_MIN);
    cases.push_back({"filcn INT32_MIN", minimum, false});
    Bytes magic = good;
    magic[3] = 'Q';
    cases.push_back({"wrong magic", magic, true});
    Bytes noEof = good;
    noEof[10] = 0;
    cases.push_back({"magic without 0x1A", noEof, true});
    Bytes unterminated = good;
    unterminated[11] = 'X';
    cases.push_back({"magic without its zero byte", unterminated, true});
    return cases;
}

TEST_F(PackFileTest, FailureTable) {
    for (const FailingCase& c : FailingCases()) {
        SCOPED_TRACE(c.what);
        ScriptedUiService local;
        CPackFile reader;
        EXPECT_EQ(reader.Open(dir.Write("case.dat", c.bytes).c_str()), 1);
        EXPECT_EQ(reader.m_nOpenResult, 1);
        EXPECT_STREQ(reader.m_pszPath.get(), dir.File("case.dat").c_str());
        if (c.mismatchBox) {
            ASSERT_EQ(local.boxes.size(), 1u);
            EXPECT_EQ(local.boxes[0].text, kMismatch.text);
            EXPECT_EQ(local.boxes[0].style, kMismatch.style);
        } else {
            EXPECT_TRUE(local.boxes.empty());
        }
        // Names that are in the directory are not found after a failed open.
        EXPECT_EQ(reader.OffsetOf("music.dat"), 0);
        EXPECT_EQ(reader.SizeOf("music.dat"), 0);
        if (reader.m_pFile != nullptr) {
            std::fclose(reader.m_pFile);
        }
    }
}

TEST_F(PackFileTest, MissingFileFailsWithoutAStream) {
    EXPECT_EQ(pack.Open(dir.File("absent.dat").c_str()), 1);
    EXPECT_EQ(pack.m_pFile, nullptr);
    EXPECT_STREQ(pack.m_pszPath.get(), dir.File("absent.dat").c_str());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PackFileTest, HugeCountIsADirectoryCutShort) {
    for (const std::int32_t count : {2, 1000, INT32_MAX}) {
        SCOPED_TRACE(count);
        Bytes bytes = MakePack({{"ONE.MOD", Pattern(3)}});
        PutInt32(bytes, 14, count);
        CPackFile reader;
        ASSERT_EQ(reader.Open(dir.Write("cut.dat", bytes).c_str()), 0);
        // The member data after the directory reads as no whole entry: one entry only.
        EXPECT_EQ(reader.m_nEntries, 1);
        EXPECT_EQ(reader.SizeOf("one.mod"), 3);
        std::fclose(reader.m_pFile);
    }
}

TEST_F(PackFileTest, EntriesNeverReadAreNeverMatched) {
    Bytes bytes = MakePack({{"ONE.MOD", {}}, {"TWO.MOD", {}}});
    bytes.resize(EntryAt(1) + 10);  // the second entry is cut short
    ASSERT_EQ(OpenBytes(bytes), 0);
    EXPECT_EQ(pack.m_nEntries, 1);
    EXPECT_NE(pack.OffsetOf("one.mod"), 0);
    EXPECT_EQ(pack.OffsetOf("two.mod"), 0);
    EXPECT_EQ(pack.OffsetOf(""), 0);  // the spare entry's empty name is no member
}

TEST_F(PackFileTest, StreamIsFreeToMoveAfterOpen) {
    const Bytes bytes = ThreeMembers();
    ASSERT_EQ(OpenBytes(bytes), 0);
    const std::int32_t offset = pack.OffsetOf("intro.mod");
    ASSERT_EQ(std::fseek(pack.m_pFile, offset, SEEK_SET), 0);
    std::uint8_t first = 0;
    ASSERT_EQ(std::fread(&first, 1, 1, pack.m_pFile), 1u);
    EXPECT_EQ(first, bytes[static_cast<std::size_t>(offset)]);
    EXPECT_EQ(pack.SizeOf("intro.mod"), 100);
}

}  // namespace
