// What the Downloads window shows of a download in each state, and which buttons act.
#include <gtest/gtest.h>

#include "features/downloads/DownloadRow.hpp"

namespace larkspan {
namespace {

const std::filesystem::path kFile = "/home/u/Downloads/report.pdf";
const std::string kAddress = "http://example.org/get?id=7";

TEST(DownloadRowTest, ReceivingShowsTheShareButNeverAFullBarAndOnlyCancels) {
    DownloadStatus s;
    s.announce(1000);
    s.receive(999);
    DownloadRow row = describeDownload(s, kFile, kAddress);
    EXPECT_EQ(row.name, "report.pdf");
    EXPECT_EQ(row.percent, 99);
    EXPECT_EQ(row.progress, "99 %");
    EXPECT_NE(row.size.find(" of "), std::string::npos) << row.size;
    EXPECT_TRUE(row.canCancel);
    EXPECT_FALSE(row.canOpen);
    EXPECT_FALSE(row.canShowInFolder);

    s.receive(1);
    EXPECT_EQ(describeDownload(s, kFile, kAddress).percent, 99) << "whole, but not complete";
}

TEST(DownloadRowTest, WithoutAnnouncedSizeTheBarShowsNoShare) {
    DownloadStatus s;
    s.receive(5000);
    DownloadRow row = describeDownload(s, kFile, kAddress);
    EXPECT_EQ(row.percent, 0);
    EXPECT_EQ(row.progress.find('%'), std::string::npos);
    EXPECT_EQ(row.size.find(" of "), std::string::npos);
    EXPECT_FALSE(row.size.empty());
}

TEST(DownloadRowTest, UntilTheFileIsChosenTheAddressNamesIt) {
    EXPECT_EQ(describeDownload(DownloadStatus{}, {}, kAddress).name, kAddress);
}

TEST(DownloadRowTest, CompleteOpensAndShowsInFolderEndedOtherwiseDoesNothing) {
    DownloadStatus done;
    done.receive(10);
    done.finish();
    DownloadRow row = describeDownload(done, kFile, kAddress);
    EXPECT_EQ(row.percent, 100);
    EXPECT_TRUE(row.canOpen);
    EXPECT_TRUE(row.canShowInFolder);
    EXPECT_FALSE(row.canCancel);

    DownloadStatus failed;
    failed.fail("Connection reset", false);
    DownloadStatus cancelled;
    cancelled.fail("User cancelled", true);
    DownloadRow f = describeDownload(failed, kFile, kAddress);
    DownloadRow c = describeDownload(cancelled, kFile, kAddress);
    EXPECT_NE(f.progress.find("Failed"), std::string::npos);
    EXPECT_NE(f.progress.find("Connection reset"), std::string::npos);
    EXPECT_EQ(c.progress, "Cancelled");
    for (const DownloadRow& ended : {f, c}) {
        EXPECT_FALSE(ended.canOpen || ended.canShowInFolder || ended.canCancel);
        EXPECT_LT(ended.percent, 100);
    }
}

}  // namespace
}  // namespace larkspan
