// Where the lists are found, what tells that they changed, and what a compile left.
#include "features/contentfilter/FilterLists.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "common/Paths.hpp"

namespace larkspan::contentfilter {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class FilterListsTest : public ::testing::Test {
  protected:
    fs::path root = paths::dataDir() / "lists-test";
    fs::path system = root / "system";
    fs::path user = root / "user";
};

TEST_F(FilterListsTest, SystemListsFirstThenTheUsersByName) {
    write(system / "easyprivacy.txt", "||t.test^\n");
    write(system / "other.txt", "||o.test^\n");  // not one of the two
    write(user / "b.txt", "##.b\n");
    write(user / "a.txt", "##.a\n");
    fs::create_directories(user / "folder");
    auto lists = findFilterLists(system, user);
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0].path, system / "easyprivacy.txt");
    EXPECT_EQ(lists[1].path, user / "a.txt");
    EXPECT_EQ(lists[2].path, user / "b.txt");
    EXPECT_EQ(lists[1].size, 5u);
    // Missing folders find nothing.
    EXPECT_TRUE(findFilterLists(root / "none", root / "none").empty());
}

TEST_F(FilterListsTest, KeyFollowsEveryChangeOfTheLists) {
    write(user / "a.txt", "##.a\n");
    auto lists = findFilterLists(system, user);
    const std::string key = filterKey(lists);
    EXPECT_EQ(filterKey(findFilterLists(system, user)), key);
    auto touched = lists;
    touched[0].modified += 1;
    EXPECT_NE(filterKey(touched), key);
    auto grown = lists;
    grown[0].size += 1;
    EXPECT_NE(filterKey(grown), key);
    EXPECT_NE(filterKey({}), key);
}

TEST_F(FilterListsTest, StateIsReadBackAndABrokenOneIsNone) {
    fs::create_directories(root);
    FilterState state{"abc", {{"/lists/easy list.txt", {12, 3}}, {"/lists/b.txt", {0, 1}}}};
    ASSERT_TRUE(writeFilterState(root / "state", state));
    auto read = readFilterState(root / "state");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->key, "abc");
    ASSERT_EQ(read->lists.size(), 2u);
    EXPECT_EQ(read->lists[0].path, "/lists/easy list.txt");
    EXPECT_EQ(read->lists[0].counts.used, 12u);
    EXPECT_EQ(read->lists[0].counts.skipped, 3u);

    write(root / "broken", "abc\nnot numbers\t/x\n");
    EXPECT_FALSE(readFilterState(root / "broken"));
    EXPECT_FALSE(readFilterState(root / "missing"));
}

TEST_F(FilterListsTest, ConvertingCountsEachList) {
    write(user / "a.txt", "||a.test^\n/re[0-9]/\n");
    write(user / "b.txt", "##.b\n");
    ConvertedLists converted = convertLists(findFilterLists(system, user));
    ASSERT_EQ(converted.lists.size(), 2u);
    EXPECT_EQ(converted.lists[0].counts.used, 1u);
    EXPECT_EQ(converted.lists[0].counts.skipped, 1u);
    EXPECT_EQ(converted.lists[1].counts.used, 1u);
    EXPECT_NE(converted.rules.find("css-display-none"), std::string::npos);
}

}  // namespace
}  // namespace larkspan::contentfilter
