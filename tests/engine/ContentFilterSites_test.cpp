// The sites where ads are allowed: how a page's address is matched against them.
#include <gtest/gtest.h>

#include "engine/ContentFilters.hpp"

namespace larkspan::engine {
namespace {

TEST(ContentFilterSites, SiteOfAnAddress) {
    EXPECT_EQ(siteOf("https://WWW.News.Test:8080/a?b"), "news.test");
    EXPECT_EQ(siteOf("about:blank"), "");
    EXPECT_EQ(siteOf("not an address"), "");
}

TEST(ContentFilterSites, AnAllowedSiteTakesItsSubdomainsAlong) {
    const std::set<std::string> sites{"news.test"};
    EXPECT_TRUE(onAllowedSite("http://news.test/", sites));
    EXPECT_TRUE(onAllowedSite("http://video.news.test/", sites));
    EXPECT_FALSE(onAllowedSite("http://othernews.test/", sites));
    EXPECT_FALSE(onAllowedSite("http://test/", sites));
    EXPECT_FALSE(onAllowedSite("http://news.test/", {}));
}

TEST(ContentFilterSites, OptionTextBothWays) {
    EXPECT_EQ(parseSites("  b.test\tA.test  b.test "), (std::set<std::string>{"a.test", "b.test"}));
    EXPECT_EQ(formatSites({"a.test", "b.test"}), "a.test b.test");
    EXPECT_TRUE(parseSites("").empty());
}

}  // namespace
}  // namespace larkspan::engine
