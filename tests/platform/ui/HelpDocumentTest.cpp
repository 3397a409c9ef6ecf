#include "platform/ui/HelpDocument.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

TEST(HelpDocumentTest, FindsThePageBesideTheExecutableThenTheInstalledOne) {
    TempDir dir;
    fs::create_directories(dir.path() / "bin");
    fs::create_directories(dir.path() / "share" / "doc" / "marivenn");
    const std::string helpFile = dir.File("bin/marivenn.HLP");

    EXPECT_EQ(FindHelpDocument(helpFile), std::nullopt);

    const std::string installed = dir.Write("share/doc/marivenn/marivenn.html", {'x'});
    EXPECT_EQ(FindHelpDocument(helpFile), installed);

    const std::string beside = dir.Write("bin/marivenn.html", {'x'});
    EXPECT_EQ(FindHelpDocument(helpFile), beside);
}

TEST(HelpDocumentTest, AFolderNamedLikeThePageIsNotAPage) {
    TempDir dir;
    fs::create_directories(dir.path() / "player.html");
    EXPECT_EQ(FindHelpDocument(dir.File("player.HLP")), std::nullopt);
    EXPECT_EQ(FindHelpDocument(""), std::nullopt);
}

TEST(HelpDocumentTest, AnchorNamesTheContextInHex) {
    EXPECT_EQ(HelpAnchor(0x20066), "context-20066");
    EXPECT_EQ(HelpAnchor(0x20064), "context-20064");
}
