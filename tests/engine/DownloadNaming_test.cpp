// The names downloads are saved under, the download folder, and the status of a download
// as the engine's reports move it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/Paths.hpp"
#include "engine/Download.hpp"
#include "engine/DownloadNaming.hpp"

namespace larkspan {
namespace {

using downloads::safeFileName;
using downloads::uniqueFileName;

TEST(DownloadNamingTest, ProposedNamesLoseFoldersControlsAndLeadingDots) {
    EXPECT_EQ(safeFileName("report.pdf"), "report.pdf");
    EXPECT_EQ(safeFileName("../../etc/passwd"), "passwd");
    EXPECT_EQ(safeFileName("C:\\Users\\x\\setup.exe"), "setup.exe");
    EXPECT_EQ(safeFileName(".bashrc"), "bashrc");
    EXPECT_EQ(safeFileName("..."), "download");
    EXPECT_EQ(safeFileName(" . hidden.txt "), "hidden.txt");
    EXPECT_EQ(safeFileName(std::string("a\nb\tc\x7f"
                                       "d\0e",
                                       9)),
              "abcde");
    EXPECT_EQ(safeFileName(""), "download");
    EXPECT_EQ(safeFileName("folder/"), "download");
    // Letters beyond ASCII stay; bytes that are no UTF-8 are replaced, never kept raw.
    EXPECT_EQ(safeFileName("r\xC3\xA9sum\xC3\xA9.txt"), "r\xC3\xA9sum\xC3\xA9.txt");
    std::string mended = safeFileName("bad\xFF.txt");
    EXPECT_EQ(mended.find('\xFF'), std::string::npos);
    EXPECT_NE(mended.find(".txt"), std::string::npos);
}

TEST(DownloadNamingTest, OverlongNamesAreShortenedKeepingTheExtensionAndWholeLetters) {
    std::string stem;
    for (int i = 0; i < 200; ++i) stem += "\xC3\xA9";  // 400 bytes of two-byte letters
    std::string name = safeFileName(stem + ".pdf");
    // Room is left for the partial suffix and a number.
    EXPECT_LE(name.size() + downloads::kPartialSuffix.size() + std::string(" (99)").size(), 255u);
    EXPECT_EQ(name.substr(name.size() - 4), ".pdf");
    std::string kept = name.substr(0, name.size() - 4);
    EXPECT_EQ(kept.size() % 2, 0u);
    EXPECT_EQ(kept, stem.substr(0, kept.size()));
}

TEST(DownloadNamingTest, TakenNamesGetTheFirstFreeNumberBeforeTheExtension) {
    std::set<std::string> taken{"report.pdf", "report (2).pdf", "README", "data.tar.gz", "a.b.c"};
    auto isTaken = [&](const std::string& n) { return taken.count(n) > 0; };
    EXPECT_EQ(uniqueFileName("notes.txt", isTaken), "notes.txt");
    EXPECT_EQ(uniqueFileName("report.pdf", isTaken), "report (3).pdf");
    EXPECT_EQ(uniqueFileName("README", isTaken), "README (2)");
    EXPECT_EQ(uniqueFileName("data.tar.gz", isTaken), "data (2).tar.gz");
    EXPECT_EQ(uniqueFileName("a.b.c", isTaken), "a.b (2).c");
}

TEST(DownloadNamingTest, TheDesktopsDownloadFolderUnlessItNamesNoneOrTheHomeFolder) {
    const std::filesystem::path home = "/home/user";
    EXPECT_EQ(paths::downloadDirFrom("/data/incoming", home), "/data/incoming");
    EXPECT_EQ(paths::downloadDirFrom(nullptr, home), home / "Downloads");
    EXPECT_EQ(paths::downloadDirFrom("/home/user", home), home / "Downloads");
    EXPECT_EQ(paths::downloadDirFrom("/home/user/", home), home / "Downloads");
    EXPECT_EQ(paths::downloadDirFrom("relative/dir", home), home / "Downloads");
}

TEST(DownloadStatusTest, CountsAndShareWhileReceiving) {
    DownloadStatus s;
    EXPECT_FALSE(s.fraction());
    EXPECT_TRUE(s.receive(100));
    EXPECT_TRUE(s.whole()) << "nothing announced, nothing missing";
    EXPECT_FALSE(s.fraction()) << "no size announced";
    EXPECT_TRUE(s.announce(400));
    EXPECT_FALSE(s.announce(400));
    EXPECT_TRUE(s.receive(100));
    EXPECT_EQ(s.received(), 200u);
    EXPECT_DOUBLE_EQ(*s.fraction(), 0.5);
    EXPECT_FALSE(s.receive(0));
    EXPECT_FALSE(s.whole());
    // A server that sends more than it announced is not past whole.
    s.receive(1000);
    EXPECT_TRUE(s.whole());
    EXPECT_DOUBLE_EQ(*s.fraction(), 1.0);
    EXPECT_EQ(s.state(), DownloadState::Receiving);
}

TEST(DownloadStatusTest, OnlyAnEndWithoutAFailureBeforeItCompletes) {
    DownloadStatus ok;
    ok.receive(10);
    EXPECT_TRUE(ok.finish());
    EXPECT_EQ(ok.state(), DownloadState::Completed);
    EXPECT_DOUBLE_EQ(*ok.fraction(), 1.0);
    EXPECT_EQ(ok.total(), 10u);

    // The engine reports a failure and then the end of the transfer.
    DownloadStatus failed;
    EXPECT_TRUE(failed.fail("Connection reset", false));
    EXPECT_FALSE(failed.finish());
    EXPECT_EQ(failed.state(), DownloadState::Failed);
    EXPECT_EQ(failed.failure(), "Connection reset");

    DownloadStatus cancelled;
    cancelled.receive(5);
    EXPECT_TRUE(cancelled.fail("User cancelled the download", true));
    EXPECT_FALSE(cancelled.finish());
    EXPECT_EQ(cancelled.state(), DownloadState::Cancelled);
    EXPECT_EQ(cancelled.failure(), "");

    // Nothing moves an ended download.
    EXPECT_FALSE(ok.fail("late", false));
    EXPECT_FALSE(ok.receive(5));
    EXPECT_FALSE(ok.announce(99));
    EXPECT_EQ(ok.state(), DownloadState::Completed);
    EXPECT_EQ(ok.received(), 10u);
}

}  // namespace
}  // namespace larkspan
