// The list converter: each piece of the lists' syntax, judged by what the engine's rules do
// (their address patterns run as the regular expressions they are).
#include "features/contentfilter/FilterListConverter.hpp"

#include <gtest/gtest.h>

#include <regex>

namespace larkspan::contentfilter {
namespace {

using Action = ContentRule::Action;

struct Converted {
    RuleCounts counts;
    std::vector<ContentRule> rules;
};

Converted convert(std::string_view list) {
    FilterListConverter converter;
    Converted result;
    result.counts = converter.addList(list);
    result.rules = converter.rules();
    return result;
}

// The one rule a line gives.
ContentRule only(std::string_view line) {
    Converted c = convert(line);
    EXPECT_EQ(c.rules.size(), 1u) << line;
    return c.rules.empty() ? ContentRule{} : c.rules.front();
}

bool matches(const ContentRule& rule, const std::string& address) {
    auto flags = std::regex::ECMAScript;
    if (!rule.trigger.caseSensitive) flags |= std::regex::icase;
    return std::regex_search(address, std::regex(rule.trigger.urlFilter, flags));
}

TEST(FilterListConverter, HostAnchorTakesTheHostAndItsSubdomainsOnly) {
    ContentRule rule = only("||ads.example^");
    EXPECT_EQ(rule.action, Action::Block);
    EXPECT_TRUE(rule.trigger.resourceTypes.empty());  // every load
    EXPECT_TRUE(matches(rule, "http://ads.example/banner.png"));
    EXPECT_TRUE(matches(rule, "https://cdn.ads.example:8080/x"));
    EXPECT_TRUE(matches(rule, "wss://ADS.example/socket"));
    EXPECT_FALSE(matches(rule, "http://ads.example.com/"));
    EXPECT_FALSE(matches(rule, "http://badads.example/"));
    EXPECT_FALSE(matches(rule, "http://site.test/?go=http://ads.example/"));
}

TEST(FilterListConverter, AnchorsWildcardsAndSeparators) {
    ContentRule anchored = only("|http://x.test/a*b|");
    EXPECT_TRUE(matches(anchored, "http://x.test/a123b"));
    EXPECT_FALSE(matches(anchored, "http://x.test/a123bc"));
    EXPECT_FALSE(matches(anchored, "see http://x.test/ab"));

    // "^" after a path: a separator, or the end of the address.
    ContentRule tail = only("/ads^");
    EXPECT_TRUE(matches(tail, "http://e.test/ads"));
    EXPECT_TRUE(matches(tail, "http://e.test/ads?x=1"));
    EXPECT_FALSE(matches(tail, "http://e.test/adsx"));

    ContentRule middle = only("/banner^ad.");
    EXPECT_TRUE(matches(middle, "http://e.test/banner/ad.gif"));
    EXPECT_FALSE(matches(middle, "http://e.test/bannerxad.gif"));
    // Characters of regular expressions are plain characters of the address.
    EXPECT_FALSE(matches(middle, "http://e.test/banner/adXgif"));
}

TEST(FilterListConverter, PartyDomainsAndCase) {
    EXPECT_EQ(only("||t.test^$third-party").trigger.loadType, "third-party");
    EXPECT_EQ(only("||t.test^$~third-party").trigger.loadType, "first-party");
    ContentRule onSites = only("||t.test^$domain=a.test|B.test");
    EXPECT_EQ(onSites.trigger.ifDomains, (std::set<std::string>{"a.test", "b.test"}));
    ContentRule offSites = only("||t.test^$domain=~c.test");
    EXPECT_EQ(offSites.trigger.unlessDomains, std::set<std::string>{"c.test"});
    ContentRule cased = only("/Ads.png$match-case");
    EXPECT_TRUE(matches(cased, "http://e.test/Ads.png"));
    EXPECT_FALSE(matches(cased, "http://e.test/ads.png"));
    EXPECT_TRUE(matches(only("/Ads.png"), "http://e.test/ads.png"));
}

TEST(FilterListConverter, ResourceTypes) {
    EXPECT_EQ(only("||t.test^$script,image").trigger.resourceTypes,
              (std::vector<std::string>{"image", "script"}));
    ContentRule frame = only("||t.test^$subdocument");
    EXPECT_EQ(frame.trigger.resourceTypes, std::vector<std::string>{"document"});
    EXPECT_EQ(frame.trigger.loadContext, "child-frame");
    EXPECT_EQ(only("||t.test^$popup").trigger.resourceTypes, std::vector<std::string>{"popup"});
    ContentRule page = only("||t.test^$document");
    EXPECT_EQ(page.trigger.loadContext, "top-frame");

    // A negated type: every other part of a page, frames included.
    Converted notImages = convert("||t.test^$~image");
    ASSERT_EQ(notImages.rules.size(), 2u);
    const auto& parts = notImages.rules[0].trigger.resourceTypes;
    EXPECT_EQ(std::count(parts.begin(), parts.end(), "image"), 0);
    EXPECT_EQ(std::count(parts.begin(), parts.end(), "script"), 1);
    EXPECT_EQ(notImages.rules[1].trigger.loadContext, "child-frame");
}

TEST(FilterListConverter, ExceptionsComeAfterWhatTheyUndo) {
    Converted c = convert("@@||ads.example/ok.png|\n||ads.example^\n##.banner\n");
    ASSERT_EQ(c.rules.size(), 4u);  // the exception: one for parts, one for frames
    EXPECT_EQ(c.rules[0].action, Action::Block);
    EXPECT_EQ(c.rules[1].action, Action::CssDisplayNone);
    EXPECT_EQ(c.rules[2].action, Action::IgnorePreviousRules);
    EXPECT_TRUE(matches(c.rules[2], "http://ads.example/ok.png"));
    EXPECT_FALSE(matches(c.rules[2], "http://ads.example/ok.png?x"));

    // A site's pages allowed whole.
    ContentRule site = only("@@||good.test^$document");
    EXPECT_EQ(site.action, Action::IgnorePreviousRules);
    EXPECT_EQ(site.trigger.urlFilter, ".*");
    EXPECT_EQ(site.trigger.ifDomains, std::set<std::string>{"good.test"});
}

TEST(FilterListConverter, ElementHidingOnSitesAndItsExceptions) {
    ContentRule everywhere = only("##.ad");
    EXPECT_EQ(everywhere.action, Action::CssDisplayNone);
    EXPECT_EQ(everywhere.selector, ".ad");
    EXPECT_TRUE(everywhere.trigger.ifDomains.empty());
    EXPECT_EQ(only("a.test,b.test##.x").trigger.ifDomains,
              (std::set<std::string>{"a.test", "b.test"}));
    EXPECT_EQ(only("~a.test##.y").trigger.unlessDomains, std::set<std::string>{"a.test"});

    // "#@#" takes a site (and its subdomains) out of a hiding rule, or out of every one.
    EXPECT_EQ(only("##.ad\nnews.test#@#.ad").trigger.unlessDomains,
              std::set<std::string>{"news.test"});
    EXPECT_EQ(only("a.test,m.b.test,c.test##.x\nb.test#@#.x").trigger.ifDomains,
              (std::set<std::string>{"a.test", "c.test"}));
    Converted undone = convert("##.z\nsite.test##.z\n#@#.z");
    EXPECT_TRUE(undone.rules.empty());
    EXPECT_EQ(undone.counts.used, 3u);
}

TEST(FilterListConverter, WhatTheEngineCannotSayIsSkippedAndCounted) {
    Converted c = convert(
        "[Adblock Plus 2.0]\n"
        "! a comment\n"
        "\n"
        "/banner[0-9]+/\n"                     // the lists' own regular expressions
        "||t.test^$redirect=noop.js\n"         // an option without a match in the engine
        "||t.test^$object\n"                   // a kind of load the engine does not tell apart
        "||t.test^$domain=a.test|~b.a.test\n"  // sites both named and excepted
        "||t.test^$domain=google.*\n"          // a site that is not a plain name
        "||bücher.test^\n"                     // not ASCII
        "##div:has-text(Sponsored)\n"          // a selector no style sheet knows
        "example.test#$#abort-on-property-read x\n"
        "example.test##+js(noeval)\n"
        "##.ok:not(.ad)\n");
    EXPECT_EQ(c.counts.skipped, 9u);
    EXPECT_EQ(c.counts.used, 1u);
    ASSERT_EQ(c.rules.size(), 1u);
    EXPECT_EQ(c.rules[0].selector, ".ok:not(.ad)");
}

TEST(FilterListConverter, JsonEscapesWhatTheRulesHold) {
    std::string json = toJson(convert(R"(##a[title="x\y"])").rules);
    EXPECT_NE(json.find(R"("selector":"a[title=\"x\\y\"]")"), std::string::npos) << json;
    EXPECT_EQ(toJson({}), "[]");
}

}  // namespace
}  // namespace larkspan::contentfilter
