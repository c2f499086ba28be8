// The rule that decides which pages the address box suggests, and how the lists of its
// sources become one.
#include "shell/AddressSuggestions.hpp"

#include <gtest/gtest.h>

#include "shell/AddressList.hpp"
#include "shell/TypedAddressSuggestions.hpp"

namespace larkspan {
namespace {

TEST(AddressSuggestionsTest, EveryWordMustOccurInTheTitleOrTheAddressLetterCaseIgnored) {
    EXPECT_TRUE(suggestionMatches("news", "Daily News", "http://paper.test/"));
    EXPECT_TRUE(suggestionMatches("PAPER  daily", "Daily News", "http://paper.test/"))
        << "words in either field, any order, in the middle of a word too";
    EXPECT_TRUE(suggestionMatches("ÉTÉ", "L'été indien", "http://x.test/")) << "Unicode folding";
    EXPECT_FALSE(suggestionMatches("paper sports", "Daily News", "http://paper.test/"));
    EXPECT_FALSE(suggestionMatches(" \t", "Daily News", "http://paper.test/"))
        << "a text of blanks suggests nothing";
    EXPECT_TRUE(suggestionMatches("%_*", "", "http://odd.test/?q=%_*"))
        << "wildcard characters are letters like any other";
    EXPECT_FALSE(suggestionMatches("%", "", "http://odd.test/"));
    EXPECT_TRUE(suggestionMatches("\xff", "", "http://bad.test/\xff"))
        << "text that is not UTF-8 is compared byte for byte";
}

TEST(AddressSuggestionsTest, MergingKeepsEachAddressOnceBestFirstTypedFirstAmongEquals) {
    std::vector<AddressSuggestion> typed = {
        {.title = "", .address = "http://a.test/", .score = 0, .typed = true},
        {.title = "", .address = "http://b.test/", .score = 0, .typed = true},
    };
    std::vector<AddressSuggestion> favorites = {
        {.title = "Fav C", .address = "http://c.test/", .score = 0, .typed = false},
        {.title = "Fav B", .address = "http://b.test/", .score = 0, .typed = false},
    };
    std::vector<AddressSuggestion> visits = {
        {.title = "Visited D", .address = "http://d.test/", .score = 9, .typed = false},
        {.title = "Visited B", .address = "http://b.test/", .score = 4, .typed = false},
    };
    auto merged = mergeSuggestions({favorites, typed, visits}, 8);
    ASSERT_EQ(merged.size(), 4u);
    EXPECT_EQ(merged[0].address, "http://d.test/");
    EXPECT_EQ(merged[1].address, "http://b.test/");
    EXPECT_EQ(merged[1].score, 4);
    EXPECT_TRUE(merged[1].typed);
    EXPECT_EQ(merged[1].title, "Fav B") << "the first title known is kept";
    EXPECT_EQ(merged[2].address, "http://a.test/") << "typed before the favorite at equal score";
    EXPECT_EQ(merged[3].address, "http://c.test/");

    EXPECT_EQ(mergeSuggestions({favorites, typed, visits}, 2).size(), 2u);
}

TEST(AddressSuggestionsTest, TypedAddressesAreOfferedLatestFirstUpToTheLimit) {
    AddressList list{"http://one.test/a", "http://two.test/", "http://one.test/b",
                     "http://one.test/c"};
    TypedAddressSuggestions source(list);
    auto found = source.suggest("ONE", 2);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].address, "http://one.test/c");
    EXPECT_EQ(found[1].address, "http://one.test/b");
    EXPECT_TRUE(found[0].typed);
}

}  // namespace
}  // namespace larkspan
