// The history window's list: read field by field, and the file after deleting entries.
#include "features/history/HistoryList.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace larkspan
