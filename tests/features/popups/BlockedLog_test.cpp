// The blocked-popup log file follows its list after every change, and a new entry is one
// appended line while the file is known to hold the list.
#include "features/popups/BlockedLog.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/Paths.hpp"

namespace larkspan::popups {
namespace {

namespace fs = std::filesystem;

class BlockedLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = paths::dataDir() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = dir_ / "Blocked Log.txt";
    }
    std::string bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void writeBytes(const std::string& b) const { std::ofstream(path_, std::ios::binary) << b; }
    ino_t inode() const {
        struct stat st {};
        ::stat(path_.c_str(), &st);
        return st.st_ino;
    }

    fs::path dir_;
    fs::path path_;
};

TEST_F(BlockedLogTest, EntriesAreAppendedAsLinesWithoutRewritingTheFile) {
    BlockedLog log(path_);
    log.load();
    EXPECT_TRUE(log.entries().empty());
    ASSERT_TRUE(log.append("http://a.test/"));
    ino_t first = inode();
    ASSERT_TRUE(log.append("http://b.test/"));
    ASSERT_TRUE(log.append("http://b.test/"));
    EXPECT_EQ(bytes(), "http://a.test/\r\nhttp://b.test/\r\nhttp://b.test/\r\n");
    // Appended in place: a rewrite would have renamed a new file over it.
    EXPECT_EQ(inode(), first);
    EXPECT_EQ(log.entries().size(), 3u);
}

TEST_F(BlockedLogTest, FileOutOfStepWithTheListIsRewrittenFromIt) {
    // A comma splits an entry on reading, so the list no longer writes back these bytes.
    writeBytes("http://x.test/?a=1,b=2\r\n");
    BlockedLog log(path_);
    log.load();
    ASSERT_EQ(log.entries(), (std::vector<std::string>{"http://x.test/?a=1", "b=2"}));
    ASSERT_TRUE(log.append("http://c.test/"));
    EXPECT_EQ(bytes(), "http://x.test/?a=1\r\nb=2\r\nhttp://c.test/\r\n");
}

TEST_F(BlockedLogTest, WhatAnotherInstanceWroteMeanwhileIsKept) {
    BlockedLog mine(path_);
    BlockedLog theirs(path_);
    mine.load();
    theirs.load();
    ASSERT_TRUE(mine.append("http://m1.test/"));
    ASSERT_TRUE(theirs.append("http://t1.test/"));
    ASSERT_TRUE(theirs.append("http://t2.test/"));
    ASSERT_TRUE(mine.append("http://m2.test/"));
    ASSERT_TRUE(theirs.append("http://t3.test/"));
    const std::vector<std::string> all{"http://m1.test/", "http://t1.test/", "http://t2.test/",
                                       "http://m2.test/", "http://t3.test/"};
    EXPECT_EQ(bytes(),
              "http://m1.test/\r\nhttp://t1.test/\r\nhttp://t2.test/\r\n"
              "http://m2.test/\r\nhttp://t3.test/\r\n");
    EXPECT_EQ(theirs.entries(), all);
    // The other instance emptied the file: that stands, with the new entry after it.
    ASSERT_TRUE(theirs.clear());
    ASSERT_TRUE(mine.append("http://m3.test/"));
    EXPECT_EQ(bytes(), "http://m3.test/\r\n");

    // A file that cannot be read is not taken for an empty one.
    fs::remove(path_);
    fs::create_directory(path_);
    EXPECT_FALSE(mine.append("http://m4.test/"));
    EXPECT_EQ(mine.entries(), (std::vector<std::string>{"http://m3.test/", "http://m4.test/"}));
}

TEST_F(BlockedLogTest, DeletingKeepsWhatAnotherInstanceLoggedMeanwhile) {
    BlockedLog mine(path_);
    BlockedLog theirs(path_);
    mine.load();
    theirs.load();
    ASSERT_TRUE(mine.append("http://m1.test/"));
    ASSERT_TRUE(mine.append("http://m2.test/"));
    ASSERT_TRUE(theirs.append("http://t1.test/"));
    ASSERT_TRUE(mine.removeAt(1));
    EXPECT_EQ(bytes(), "http://m1.test/\r\nhttp://t1.test/\r\n");
    EXPECT_EQ(mine.entries(), (std::vector<std::string>{"http://m1.test/", "http://t1.test/"}));
    // Deleted by the other instance first: nothing else goes.
    ASSERT_TRUE(theirs.removeAt(2));
    ASSERT_TRUE(mine.removeAt(1));
    EXPECT_EQ(bytes(), "http://m1.test/\r\n");
    EXPECT_EQ(mine.entries(), (std::vector<std::string>{"http://m1.test/"}));
}

TEST_F(BlockedLogTest, DeletingTheLastEntryOrAllLeavesAnEmptyFile) {
    writeBytes("http://only.test/\r\n");
    BlockedLog log(path_);
    log.load();
    EXPECT_FALSE(log.removeAt(1));
    ASSERT_TRUE(log.removeAt(0));
    EXPECT_TRUE(fs::exists(path_));
    EXPECT_EQ(fs::file_size(path_), 0u);

    ASSERT_TRUE(log.append("http://e.test/"));
    ASSERT_TRUE(log.append("http://f.test/"));
    ASSERT_TRUE(log.removeAt(0));
    EXPECT_EQ(bytes(), "http://f.test/\r\n");
    ASSERT_TRUE(log.clear());
    EXPECT_TRUE(log.entries().empty());
    EXPECT_TRUE(fs::exists(path_));
    EXPECT_EQ(fs::file_size(path_), 0u);
}

}  // namespace
}  // namespace larkspan::popups
