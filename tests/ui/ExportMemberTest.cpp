#include "ui/ExportMember.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "archive/CPackFile.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {
const Bytes kTrack = Pattern(1000, 1);
// Larger than the member, so a replacement that only overwrote its start would show.
const Bytes kOldContents = Pattern(5000, 99);

class ExportMemberTest : public ::testing::Test {
protected:
    // Writes an archive of three members, lets `patch` damage it, and opens it.
    void OpenArchive(const std::function<void(Bytes&)>& patch = {}) {
        Bytes archive = MakePack(
            {{"TRACK01.MOD", kTrack}, {"EMPTY.MOD", {}}, {"TRACK02.MOD", Pattern(300, 7)}});
        if (patch) {
            patch(archive);
        }
        m_archivePath = m_dir.Write("marivenn.dat", archive);
        ASSERT_EQ(m_pack.Open(m_archivePath.c_str()), 0);
    }

    void TearDown() override {
        if (m_pack.m_pFile != nullptr) {
            std::fclose(m_pack.m_pFile);
        }
    }

    // Everything in a folder apart from the archive.
    static std::vector<std::string> Listing(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename() != "marivenn.dat") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    TempDir m_dir;
    CPackFile m_pack;
    std::string m_archivePath;
};

TEST_F(ExportMemberTest, CopiesTheMemberBytesUnderAnyNameAndLetterCase) {
    OpenArchive();
    const std::string destination = m_dir.File("my copy.xm");
    EXPECT_EQ(ExportMember(m_pack, "track01.Mod", destination.c_str()), "");
    EXPECT_EQ(ReadBytes(destination), kTrack);
    EXPECT_EQ(Listing(m_dir.path()), std::vector<std::string>{"my copy.xm"});
}

TEST_F(ExportMemberTest, ReplacesALongerExistingFileEntirely) {
    OpenArchive();
    const std::string destination = m_dir.Write("TRACK01.MOD", kOldContents);
    EXPECT_EQ(ExportMember(m_pack, "TRACK01.MOD", destination.c_str()), "");
    EXPECT_EQ(ReadBytes(destination), kTrack);
}

// The reader keeps its stream on the replaced archive, so the player goes on working.
TEST_F(ExportMemberTest, SavingOverTheArchiveItselfKeepsTheOpenArchiveReadable) {
    OpenArchive();
    EXPECT_EQ(ExportMember(m_pack, "TRACK01.MOD", m_archivePath.c_str()), "");
    EXPECT_EQ(ReadBytes(m_archivePath), kTrack);
    const std::string destination = m_dir.File("TRACK02.MOD");
    EXPECT_EQ(ExportMember(m_pack, "TRACK02.MOD", destination.c_str()), "");
    EXPECT_EQ(ReadBytes(destination), Pattern(300, 7));
}

TEST_F(ExportMemberTest, ZeroLengthMemberGivesAnEmptyFile) {
    OpenArchive();
    const std::string destination = m_dir.Write("EMPTY.MOD", kOldContents);
    EXPECT_EQ(ExportMember(m_pack, "EMPTY.MOD", destination.c_str()), "");
    ASSERT_TRUE(fs::exists(destination));
    EXPECT_EQ(fs::file_size(destination), 0u);
}

TEST_F(ExportMemberTest, MissingMemberCreatesNothingAndSaysSo) {
    OpenArchive();
    const std::string destination = m_dir.File("NOPE.MOD");
    const std::string message = ExportMember(m_pack, "NOPE.MOD", destination.c_str());
    EXPECT_NE(message.find("\"NOPE.MOD\" is missing from the archive"), std::string::npos)
        << message;
    EXPECT_NE(message.find(destination), std::string::npos) << message;
    EXPECT_TRUE(Listing(m_dir.path()).empty());
}

// Each fault must leave the existing destination as it was, leave no temporary file, and
// give a message naming the destination.
struct Fault {
    const char* name;
    std::function<void(Bytes&)> damageArchive;  // before the archive is opened
    std::function<void(ExportMemberTest&, const std::string&)> afterOpen;  // archive path
    const char* reasonFragment;
};

// Names the case instead of dumping its bytes in the test list.
void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.name;
}

void PatchEntry(Bytes& archive, std::size_t field, std::int32_t value) {
    PutInt32(archive, EntryAt(0) + field, value);
}

class ExportMemberFaultTest : public ExportMemberTest,
                              public ::testing::WithParamInterface<Fault> {};

TEST_P(ExportMemberFaultTest, LeavesTheExistingFileUntouched) {
    const Fault& fault = GetParam();
    OpenArchive(fault.damageArchive);
    const std::string destination = m_dir.Write("KEEP.MOD", kOldContents);
    if (fault.afterOpen) {
        fault.afterOpen(*this, m_archivePath);
    }

    const std::string message = ExportMember(m_pack, "TRACK01.MOD", destination.c_str());

    EXPECT_NE(message.find(destination), std::string::npos) << message;
    EXPECT_NE(message.find(fault.reasonFragment), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(destination), kOldContents);
    EXPECT_EQ(Listing(m_dir.path()), std::vector<std::string>{"KEEP.MOD"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExportMemberFaultTest,
    ::testing::Values(Fault{"NegativeOffset",
                            [](Bytes& a) { PatchEntry(a, kEntryOffsetField, -5); },
                            {},
                            "points outside the archive"},
                      Fault{"OffsetPastEnd",
                            [](Bytes& a) { PatchEntry(a, kEntryOffsetField, 1 << 30); },
                            {},
                            "points outside the archive"},
                      Fault{"NegativeSize",
                            [](Bytes& a) { PatchEntry(a, kEntrySizeField, -1); },
                            {},
                            "points outside the archive"},
                      Fault{"SizePastEnd",
                            [](Bytes& a) { PatchEntry(a, kEntrySizeField, 0x7fffffff); },
                            {},
                            "points outside the archive"},
                      Fault{"ArchiveTruncatedAfterOpen",
                            {},
                            [](ExportMemberTest&, const std::string& archive) {
                                ASSERT_EQ(::truncate(archive.c_str(), 200), 0);
                            },
                            "points outside the archive"},
                      Fault{"FileSystemFull",
                            {},
                            [](ExportMemberTest&, const std::string&) {
                                // Each case runs in its own process, so the limit dies with it.
                                std::signal(SIGXFSZ, SIG_IGN);
                                const rlimit limit{100, 100};
                                ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
                            },
                            "writing failed"}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

TEST_F(ExportMemberTest, UnwritableDestinationsFailWithAMessage) {
    OpenArchive();
    fs::create_directory(m_dir.path() / "folder");
    const struct {
        std::string destination;
        const char* reasonFragment;
    } cases[] = {
        {m_dir.File("no such folder/TRACK01.MOD"), "No such file or directory"},
        {m_dir.File("folder"), "it is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination);
        const std::string message = ExportMember(m_pack, "TRACK01.MOD", c.destination.c_str());
        EXPECT_NE(message.find(c.destination), std::string::npos) << message;
        EXPECT_NE(message.find(c.reasonFragment), std::string::npos) << message;
    }
    EXPECT_EQ(Listing(m_dir.path()), std::vector<std::string>{"folder"});
    EXPECT_TRUE(fs::is_empty(m_dir.path() / "folder"));
}

TEST_F(ExportMemberTest, KeepsPermissionsOfAnExistingFileAndUsesTheUmaskForANewOne) {
    OpenArchive();
    ::umask(027);
    const std::string existing = m_dir.Write("OLD.MOD", kOldContents);
    ASSERT_EQ(::chmod(existing.c_str(), 0604), 0);
    const std::string fresh = m_dir.File("NEW.MOD");

    ASSERT_EQ(ExportMember(m_pack, "TRACK01.MOD", existing.c_str()), "");
    ASSERT_EQ(ExportMember(m_pack, "TRACK01.MOD", fresh.c_str()), "");

    struct stat info {};
    ASSERT_EQ(::stat(existing.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ExportMemberTest, WritesThroughASymbolicLinkWhichStaysALink) {
    OpenArchive();
    fs::create_directory(m_dir.path() / "real");
    const std::string target = m_dir.Write("real/TARGET.MOD", kOldContents);
    const fs::path link = m_dir.path() / "LINK.MOD";
    fs::create_symlink("real/TARGET.MOD", link);
    const fs::path dangling = m_dir.path() / "DANGLING.MOD";
    fs::create_symlink("real/CREATED.MOD", dangling);

    ASSERT_EQ(ExportMember(m_pack, "TRACK01.MOD", link.c_str()), "");
    ASSERT_EQ(ExportMember(m_pack, "TRACK01.MOD", dangling.c_str()), "");

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadBytes(target), kTrack);
    EXPECT_EQ(ReadBytes(m_dir.File("real/CREATED.MOD")), kTrack);
    std::vector<std::string> inReal;
    for (const auto& entry : fs::directory_iterator(m_dir.path() / "real")) {
        inReal.push_back(entry.path().filename().string());
    }
    std::sort(inReal.begin(), inReal.end());
    EXPECT_EQ(inReal, (std::vector<std::string>{"CREATED.MOD", "TARGET.MOD"}));
}
}  // namespace
