// The history window's list: read field by field, and the file after deleting entries.
#include "features/history/HistoryList.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class HistoryListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ =
            paths::dataDir() /
            (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
        fs::remove(file_);
    }
    void write(const std::string& bytes) { std::ofstream(file_, std::ios::binary) << bytes; }
    std::string contents() {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path file_;
};

TEST_F(HistoryListTest, ACommaSplitsAnAddressAndDeletingWritesTheHalvesAsLines) {
    write("http://a/\r\nhttp://b/?x=1,y=2\r\nhttp://c/\r\n");
    HistoryList list(file_);
    list.load();
    EXPECT_EQ(list.entries(), (List{"http://a/", "http://b/?x=1", "y=2", "http://c/"}));
    list.remove(0);
    EXPECT_EQ(list.entries(), (List{"http://b/?x=1", "y=2", "http://c/"}));
    EXPECT_EQ(contents(), "http://b/?x=1\r\ny=2\r\nhttp://c/\r\n");
    // Past the end nothing goes, and the file is written as the list stands.
    list.remove(7);
    EXPECT_EQ(list.entries().size(), 3u);
}

TEST_F(HistoryListTest, DeletingTheOnlyEntryLeavesAnEmptyFile) {
    write("http://only/\r\n");
    HistoryList list(file_);
    list.load();
    list.remove(0);
    EXPECT_TRUE(list.entries().empty());
    ASSERT_TRUE(fs::exists(file_));
    EXPECT_EQ(fs::file_size(file_), 0u);
}

TEST_F(HistoryListTest, AMissingFileIsAnEmptyListAndLoadingReadsAfresh) {
    HistoryList list(file_);
    list.load();
    EXPECT_TRUE(list.entries().empty());
    write("one\r\n");
    list.load();
    EXPECT_EQ(list.entries(), (List{"one"}));
}

TEST_F(HistoryListTest, ADeletionKeepsWhatOtherWritersDidSinceTheListWasRead) {
    write("http://a/\r\nhttp://x/\r\nhttp://b/\r\nhttp://x/\r\n");
    HistoryList shown(file_);
    shown.load();
    // A main window of another instance adds an address the way main windows do.
    ASSERT_TRUE(AppendTypedAddress(file_, "http://x/"));
    ASSERT_TRUE(shown.remove(3));
    EXPECT_EQ(contents(), "http://a/\r\nhttp://x/\r\nhttp://b/\r\nhttp://x/\r\n");
    EXPECT_EQ(shown.entries(), (List{"http://a/", "http://x/", "http://b/", "http://x/"}));

    // Another history window deleted the entry first: nothing more goes.
    HistoryList other(file_);
    other.load();
    ASSERT_TRUE(other.remove(0));
    ASSERT_TRUE(shown.remove(0));
    EXPECT_EQ(contents(), "http://x/\r\nhttp://b/\r\nhttp://x/\r\n");

    // The history was cleared meanwhile (Options, Clear History): none of it comes back.
    ASSERT_TRUE(RewriteListFile({}, file_));
    ASSERT_TRUE(shown.remove(1));
    EXPECT_TRUE(shown.entries().empty());
    EXPECT_EQ(fs::file_size(file_), 0u);

    // A file that cannot be read is not rewritten from the last reading.
    write("http://c/\r\n");
    shown.load();
    fs::remove(file_);
    fs::create_directory(file_);
    EXPECT_FALSE(shown.remove(0));
    EXPECT_EQ(shown.entries(), (List{"http://c/"}));
    EXPECT_TRUE(fs::is_directory(file_));
    fs::remove(file_);
}

}  // namespace
}  // namespace larkspan
