// Text sizes kept per host: they outlive the store, the ordinary size is forgotten, and a
// file or value the store cannot use gives the ordinary size without losing the file.
#include "features/sitezoom/SiteZoomStore.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace larkspan::sitezoom {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SiteZoomStore, SizesAreKeptPerHostUntilTheOrdinarySizeForgetsThem) {
    const fs::path file = SiteZoomStore::defaultFile();
    {
        SiteZoomStore store(file);
        EXPECT_TRUE(store.remember("big.test", 4));
        EXPECT_TRUE(store.remember("small.test", 0));
        EXPECT_TRUE(store.remember("small.test", 1));
        EXPECT_FALSE(store.remember("big.test", 5));
        EXPECT_FALSE(store.remember("", 3));
    }
    SiteZoomStore store(file);
    EXPECT_EQ(store.level("big.test"), 4);
    EXPECT_EQ(store.level("small.test"), 1);
    EXPECT_EQ(store.level("other.test"), std::nullopt);

    store.remember("big.test", SiteZoomStore::kOrdinary);
    store.forget("small.test");
    EXPECT_EQ(store.level("big.test"), std::nullopt);
    EXPECT_EQ(SiteZoomStore(file).level("small.test"), std::nullopt);
}

TEST(SiteZoomStore, TheHostIsTheAddressesHostInLowerCase) {
    EXPECT_EQ(hostOf("https://Docs.Example.ORG:8443/a?b#c"), "docs.example.org");
    EXPECT_EQ(hostOf("http://user@[::1]:80/"), "::1");
    EXPECT_EQ(hostOf("file:///home/u/page.html"), "");
    EXPECT_EQ(hostOf("about:blank"), "");
    EXPECT_EQ(hostOf("not an address"), "");
}

TEST(SiteZoomStore, AnUnreadableFileIsMovedAsideWholeAndAFreshOneTakesOver) {
    const fs::path file = SiteZoomStore::defaultFile();
    fs::create_directories(file.parent_path());
    const std::string junk(3000, '\x7f');
    std::ofstream(file, std::ios::binary) << junk;

    SiteZoomStore store(file);
    ASSERT_FALSE(store.movedAside().empty());
    EXPECT_EQ(contentOf(store.movedAside()), junk);
    EXPECT_EQ(store.level("a.test"), std::nullopt);
    EXPECT_TRUE(store.remember("a.test", 3));
    EXPECT_EQ(SiteZoomStore(file).level("a.test"), 3);
}

TEST(SiteZoomStore, AStoredValueThatIsNoSizeGivesNothing) {
    const fs::path file = SiteZoomStore::defaultFile();
    { SiteZoomStore create(file); }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO zoom VALUES ('text.test', 'large'), ('far.test', 99), "
                           "('minus.test', -1)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    SiteZoomStore store(file);
    EXPECT_TRUE(store.movedAside().empty());
    for (const char* host : {"text.test", "far.test", "minus.test"}) {
        EXPECT_EQ(store.level(host), std::nullopt) << host;
    }
}

}  // namespace
}  // namespace larkspan::sitezoom
