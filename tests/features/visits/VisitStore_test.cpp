// The visit store finds exactly what the suggestion rule matches, ranks by how often and how
// recently (typed visits weigh more), keeps its counts and index right through titles and
// removals, and starts afresh beside a file it cannot read.
#include "features/visits/VisitStore.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace larkspan::visits {
namespace {

namespace fs = std::filesystem;

constexpr TimePoint kDay = 86400LL * 1000000LL;
// 2026-12-01 00:00 UTC.
constexpr TimePoint kNow = 1796083200LL * 1000000LL;

VisitChange visit(const std::string& address, TimePoint time, bool typed = false) {
    return {VisitChange::Kind::Visit, address, "", time, typed};
}

VisitChange title(const std::string& address, const std::string& text) {
    return {VisitChange::Kind::Title, address, text, 0, false};
}

std::vector<std::string> addresses(const std::vector<AddressSuggestion>& list) {
    std::vector<std::string> out;
    for (const AddressSuggestion& s : list) out.push_back(s.address);
    return out;
}

TEST(VisitStore, FindsWhatTheRuleMatchesWhateverTheTextHolds) {
    // Titles and addresses with letters that fold, quotes, SQL and pattern wildcards.
    const std::vector<std::pair<std::string, std::string>> seeded = {
        {"https://www.example.com/", "Example Domain"},
        {"https://de.example.org/stra%C3%9Fe", "Große Straße"},
        {"https://news.test/a_b", "100% \"quoted\" news"},
        {"https://wild.test/*?[x]", "Stars * and [brackets]"},
        {"https://back.test/a\\b", "Back\\slash 'single'"},
        {"https://ÉCOLE.test/", "ÉCOLE élève"},
        {"http://short.test/x", ""},
        {"https://lookalike.test/a%b", "a_b a%b"},
        {"https://example.net/docs", "Docs"},
    };
    VisitStore store(":memory:");
    std::vector<VisitChange> changes;
    for (std::size_t i = 0; i < seeded.size(); ++i) {
        changes.push_back(visit(seeded[i].first, kNow - static_cast<TimePoint>(i) * kDay));
        changes.push_back(title(seeded[i].first, seeded[i].second));
    }
    ASSERT_TRUE(store.apply(changes));

    const std::vector<std::string> texts = {
        "exa",
        "EXAMPLE dom",
        "strasse",
        "STRASSE grosse",
        "%",
        "_",
        "a_b",
        "100%",
        "\"quoted\"",
        "\"",
        "*",
        "[x]",
        "?",
        "\\",
        "a\\b",
        "'single'",
        "école",
        "ÉLÈVE",
        "e",
        "x",
        "ab",
        "co",
        "no match",
        "%b",
        "' OR 1=1 --",
        "exa mple",
        "example.net docs",
        "  ",
        "ss",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE("text [" + text + "]");
        std::set<std::string> expected;
        for (const auto& [address, name] : seeded) {
            if (suggestionMatches(text, name, address)) expected.insert(address);
        }
        const auto found = addresses(store.suggest(text, 100, kNow));
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
        EXPECT_EQ(found.size(), expected.size()) << "an address offered twice";
        // The history window's search follows the same rule; without a word it lists all.
        std::set<std::string> listed;
        for (const VisitRow& row : store.visits(text, 100)) listed.insert(row.address);
        if (suggestionWords(text).empty()) {
            EXPECT_EQ(listed.size(), seeded.size());
        } else {
            EXPECT_EQ(listed, expected);
        }
    }
}

TEST(VisitStore, RanksByHowOftenAndHowRecentlyWithTypedVisitsFirst) {
    VisitStore store(":memory:");
    ASSERT_TRUE(store.apply({
        visit("https://once.test/", kNow - kDay),
        visit("https://often.test/", kNow - 3 * kDay),
        visit("https://often.test/", kNow - 3 * kDay),
        visit("https://often.test/", kNow - 3 * kDay),
        visit("https://old.test/", kNow - 400 * kDay),
        visit("https://old.test/", kNow - 400 * kDay),
        visit("https://typed.test/", kNow - 10 * kDay, true),
        visit("https://plain.test/", kNow - 10 * kDay),
    }));
    const auto list = store.suggest("test", 10, kNow);
    EXPECT_EQ(addresses(list),
              (std::vector<std::string>{"https://often.test/", "https://typed.test/",
                                        "https://once.test/", "https://plain.test/",
                                        "https://old.test/"}));
    for (std::size_t i = 1; i < list.size(); ++i) EXPECT_GE(list[i - 1].score, list[i].score);
    EXPECT_TRUE(list[1].typed);
    EXPECT_FALSE(list[3].typed);
    // A visit today is worth one visit; three of three days ago a little less than three.
    EXPECT_NEAR(scoreAt(rankAfterVisit(std::nullopt, kNow, false), kNow), 1.0, 1e-9);
    EXPECT_GT(list[0].score, 2.5);
    EXPECT_LT(list[0].score, 3.0);
    // The limit keeps the best.
    EXPECT_EQ(addresses(store.suggest("test", 2, kNow)),
              (std::vector<std::string>{"https://often.test/", "https://typed.test/"}));
}

TEST(VisitStore, TitlesAndRemovalsKeepCountsAndTheIndexRight) {
    VisitStore store(":memory:");
    ASSERT_TRUE(store.apply({
        visit("https://a.test/one", kNow - 5 * kDay, true),
        title("https://a.test/one", "Old Name"),
        visit("https://a.test/one", kNow - kDay),
        title("https://a.test/one", "New Name"),
        visit("https://a.test/two", kNow - 2 * kDay),
        visit("https://b.test/", kNow - 3 * kDay, true),
        title("https://never.test/", "Unvisited"),
    }));
    EXPECT_EQ(store.addressCount(), 3u);
    EXPECT_TRUE(store.suggest("old", 10, kNow).empty());
    EXPECT_EQ(addresses(store.suggest("new name", 10, kNow)),
              std::vector<std::string>{"https://a.test/one"});
    EXPECT_TRUE(store.suggest("unvisited", 10, kNow).empty());
    EXPECT_EQ(store.typedSince(kNow - 4 * kDay), std::vector<std::string>{"https://b.test/"});

    // Newest first; removing the later visit of "one" keeps it, with one visit.
    auto rows = store.visits("", 10);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].address, "https://a.test/one");
    EXPECT_EQ(rows[0].title, "New Name");
    EXPECT_EQ(store.visits("", 10, VisitCursor{rows[1].time, rows[1].id}).size(), 2u);
    ASSERT_TRUE(store.removeVisits({rows[0].id}));
    EXPECT_EQ(store.visits("one", 10).size(), 1u);
    EXPECT_EQ(store.addressCount(), 3u);
    // Its last visit goes, and the address with it.
    ASSERT_TRUE(store.removeVisits({store.visits("one", 10).front().id}));
    EXPECT_EQ(store.addressCount(), 2u);
    EXPECT_TRUE(store.suggest("new name", 10, kNow).empty());

    ASSERT_TRUE(store.forgetHost("a.test"));
    EXPECT_EQ(addresses(store.suggest("test", 10, kNow)),
              std::vector<std::string>{"https://b.test/"});
    EXPECT_TRUE(store.forgetAddress("https://b.test/"));
    EXPECT_FALSE(store.forgetAddress("https://b.test/"));
    EXPECT_EQ(store.visitCount(), 0u);
}

TEST(VisitStore, ClearingARangeKeepsEarlierVisits) {
    VisitStore store(":memory:");
    ASSERT_TRUE(store.apply({
        visit("https://kept.test/", kNow - 10 * kDay),
        visit("https://kept.test/", kNow - kDay, true),
        visit("https://gone.test/", kNow - kDay),
    }));
    ASSERT_TRUE(store.clearSince(kNow - 2 * kDay));
    EXPECT_EQ(store.visitCount(), 1u);
    const auto left = store.suggest("test", 10, kNow);
    ASSERT_EQ(addresses(left), std::vector<std::string>{"https://kept.test/"});
    // Recounted: no typed visit left, worth what a visit ten days ago is.
    EXPECT_FALSE(left[0].typed);
    EXPECT_NEAR(left[0].score, scoreAt(rankAfterVisit(std::nullopt, kNow - 10 * kDay, false), kNow),
                1e-9);
    ASSERT_TRUE(store.clearSince(0));
    EXPECT_EQ(store.addressCount(), 0u);
    EXPECT_TRUE(store.suggest("kept", 10, kNow).empty());
}

TEST(VisitStore, AFileItCannotReadIsMovedAsideWhole) {
    const fs::path file = VisitStore::defaultFile();
    fs::create_directories(file.parent_path());
    const std::string junk(5000, 'x');
    std::ofstream(file, std::ios::binary) << junk;
    {
        VisitStore store(file);
        ASSERT_TRUE(store.usable());
        ASSERT_FALSE(store.movedAside().empty());
        EXPECT_TRUE(store.apply({visit("https://fresh.test/", kNow)}));
        std::ifstream in(store.movedAside(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), junk);
    }
    VisitStore again(file);
    EXPECT_TRUE(again.movedAside().empty());
    EXPECT_EQ(again.visitCount(), 1u);
}

}  // namespace
}  // namespace larkspan::visits
