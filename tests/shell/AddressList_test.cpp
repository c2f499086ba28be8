#include "shell/AddressList.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/Paths.hpp"

namespace larkspan {
namespace {

using Found = std::optional<std::size_t>;

// What the searches must answer, by walking the list.
Found firstByScan(const std::vector<std::string>& list, const std::string& text, bool fold) {
    const std::string wanted = fold ? foldAddressCase(text) : text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if ((fold ? foldAddressCase(list[i]) : list[i]).starts_with(wanted)) return i;
    }
    return std::nullopt;
}

TEST(AddressListTest, SearchesFindTheEarliestEntryInListOrderNotInSortedOrder) {
    AddressList list{"b.example/2", "a.example", "b.example/1", "B.EXAMPLE/0"};
    EXPECT_EQ(list.firstWithPrefix("b.example"), Found(0));
    EXPECT_EQ(list.firstWithPrefix("B.EX"), Found(3));
    EXPECT_EQ(list.firstWithPrefixIgnoringCase("b.ex"), Found(0));
    EXPECT_EQ(list.firstWithPrefix("b.example/1"), Found(2));
    EXPECT_EQ(list.firstWithPrefix("b.example/10"), std::nullopt);
    EXPECT_EQ(list.firstWithPrefix("c"), std::nullopt);
    EXPECT_EQ(list.firstWithPrefix(""), Found(0));
    EXPECT_EQ(AddressList{}.firstWithPrefix(""), std::nullopt);
}

TEST(AddressListTest, AppendsAfterTheFirstSearchAreFoundAndComeAfterOlderEqualEntries) {
    AddressList list{"m.example"};
    // The first exact search walks the list, the second builds the index; the first search
    // ignoring case builds its index.
    ASSERT_EQ(list.firstWithPrefix("a"), std::nullopt);
    ASSERT_EQ(list.firstWithPrefix("z"), std::nullopt);
    ASSERT_EQ(list.firstWithPrefixIgnoringCase("a"), std::nullopt);
    list.append("a.example/2");
    list.append("A.example/1");
    list.append("a.example/2");
    EXPECT_EQ(list.firstWithPrefix("a.example"), Found(1));
    EXPECT_EQ(list.firstWithPrefix("A"), Found(2));
    EXPECT_EQ(list.firstWithPrefixIgnoringCase("A.EXAMPLE/"), Found(1));
    EXPECT_EQ(list.firstWithPrefixIgnoringCase("a.example/1"), Found(2));
}

TEST(AddressListTest, ReplacingOrClearingForgetsTheOldEntries) {
    AddressList list{"old.example"};
    ASSERT_EQ(list.firstWithPrefix("old"), Found(0));
    ASSERT_EQ(list.firstWithPrefixIgnoringCase("OLD"), Found(0));
    list.assign({"new.example", "old.example/again"});
    EXPECT_EQ(list.firstWithPrefix("old"), Found(1));
    EXPECT_EQ(list.firstWithPrefixIgnoringCase("NEW"), Found(0));
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.firstWithPrefix("new"), std::nullopt);
    EXPECT_EQ(list.firstWithPrefixIgnoringCase("new"), std::nullopt);
}

TEST(AddressListTest, ListenersHearEachAppendAndOneResetPerReplacement) {
    AddressList list{"a", "b"};
    std::vector<std::size_t> appended, resets;
    list.signalAppended.connect([&](std::size_t at) { appended.push_back(at); });
    list.signalReset.connect([&](std::size_t previous) { resets.push_back(previous); });
    list.append("c");
    list.assign({"x", "y", "z", "w"});
    list.clear();
    EXPECT_EQ(appended, std::vector<std::size_t>{2});
    EXPECT_EQ(resets, (std::vector<std::size_t>{3, 4}));
}

TEST(AddressListTest, LoadReadsEveryLineWholeOnceAndAMissingFileGivesAnEmptyList) {
    const auto file = paths::dataDir() / "AddressListTest-history.txt";
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::remove(file);
    AddressList list{"stale"};
    EXPECT_FALSE(list.loaded());
    EXPECT_TRUE(list.load(file));
    EXPECT_TRUE(list.loaded());
    EXPECT_TRUE(list.empty());
    std::ofstream(file, std::ios::binary) << "http://a.test/?x=1,2\r\nb.test\r\n";
    list.load(file);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"http://a.test/?x=1,2", "b.test"}));
}

TEST(AddressListTest, FoldingIgnoresUnicodeCaseAndLeavesInvalidBytesBeyondAscii) {
    EXPECT_EQ(foldAddressCase("HTTP://\xC3\x89"
                              "cole.Example"),
              "http://\xC3\xA9"
              "cole.example");
    EXPECT_EQ(foldAddressCase("AB\xC9z"), "ab\xC9z");
}

// The indexes against a plain walk of the list, over random lists grown by appends between
// searches, with texts chosen to share beginnings and differ in case.
TEST(AddressListTest, IndexesAgreeWithAWalkOfTheList) {
    std::mt19937 rng(7);
    const std::string letters = "aAbB/.\xC3\x89\xC3\xA9";
    auto randomText = [&](std::size_t maxLen) {
        std::string s;
        const std::size_t len = rng() % (maxLen + 1);
        while (s.size() < len) {
            const std::size_t pick = rng() % 8;
            s += pick < 6 ? std::string(1, letters[pick]) : letters.substr(6 + (pick - 6) * 2, 2);
        }
        return s;
    };
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> plain;
        for (int i = 0; i < 30; ++i) plain.push_back(randomText(5));
        AddressList list(plain);
        for (int step = 0; step < 60; ++step) {
            if (step % 3 == 0) {
                plain.push_back(randomText(5));
                list.append(plain.back());
            }
            const std::string text = randomText(3);
            ASSERT_EQ(list.firstWithPrefix(text), firstByScan(plain, text, false)) << text;
            ASSERT_EQ(list.firstWithPrefixIgnoringCase(text), firstByScan(plain, text, true))
                << text;
        }
    }
}

}  // namespace
}  // namespace larkspan
