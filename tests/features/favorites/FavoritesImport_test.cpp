// The importer's readers and writers: a tree of internet shortcuts, exported bookmark pages,
// the bookmark files of two browser families, and where they are looked for.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/Paths.hpp"
#include "features/favorites/Bookmarks.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/ImportSources.hpp"
#include "features/favorites/ShortcutImport.hpp"

namespace larkspan::favorites {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class FavoritesImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = paths::dataDir() / "import";
        target_ = folderPath();
        fs::create_directories(root_);
    }
    static void put(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string shortcut(const std::string& url) {
        return "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=" + url + "\r\n";
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path root_;
    fs::path target_;
};

TEST_F(FavoritesImportTest, ReadURLTakesTheShortcutSectionsKeyAndCutsItAt254) {
    put(root_ / "a.url", "[internetshortcut]\r\n  url = \"http://a/,b\" \r\nURL=http://later/\r\n");
    EXPECT_EQ(ReadURL(root_ / "a.url", "none"), "http://a/,b");
    put(root_ / "b.url", "[Other]\r\nURL=http://wrong/\r\n[InternetShortcut]\r\nIconIndex=0\r\n");
    EXPECT_EQ(ReadURL(root_ / "b.url", "none"), "none");
    EXPECT_EQ(ReadURL(root_ / "missing.url", "none"), "none");
    const std::string longUrl = "http://long/" + std::string(288, 'q');
    put(root_ / "c.url", shortcut(longUrl));
    EXPECT_EQ(ReadURL(root_ / "c.url", ""), longUrl.substr(0, 254));
}

TEST_F(FavoritesImportTest, ShortcutBytesInMemoryReadAsTheFileDoes) {
    // Each line decoded on its own (here the older code page), the last without a line end.
    const std::string bytes = "[InternetShortcut]\nURL=http://caf\xE9/\r\n[x]\r\nURL=y";
    EXPECT_EQ(parseURL(bytes, "none"), "http://caf\xC3\xA9/");
    put(root_ / "d.url", bytes);
    EXPECT_EQ(ReadURL(root_ / "d.url", "none"), parseURL(bytes, "none"));
    EXPECT_EQ(parseURL("URL=http://outside/\r\n[InternetShortcut]", "none"), "none");
}

TEST_F(FavoritesImportTest, ATreeIsFlattenedLevelByLevelEachOfANameKept) {
    const fs::path src = root_ / "Favorites";
    put(src / "News.url", shortcut("http://news/top"));
    put(src / "Shout.URL", shortcut("http://upper/"));
    put(src / "notes.txt", "not a shortcut");
    put(src / "Links" / "News.url", shortcut("http://news/links"));
    put(src / "Links" / "Deep" / "News.url", shortcut("http://news/deep"));
    put(src / "Links" / "Deep" / "Far.url", shortcut("http://far/"));
    put(src / "Work" / "Wiki.url", "no section at all");

    EXPECT_EQ(importShortcuts(src, target_), 5);
    EXPECT_EQ(listFiles(target_),
              (List{"Far.fav", "News (2).fav", "News (3).fav", "News.fav", "Wiki.fav"}));
    EXPECT_EQ(contents(target_ / "News.fav"), "Folder=\r\nTITLE=News\r\nURL=http://news/top\r\n");
    // Each further one of the name takes the next free number, a level deeper last.
    EXPECT_EQ(readFavorite(target_ / "News (2).fav").title, "News (2)");
    EXPECT_EQ(readFavorite(target_ / "News (2).fav").url, "http://news/links");
    EXPECT_EQ(readFavorite(target_ / "News (3).fav").url, "http://news/deep");
    EXPECT_EQ(readFavorite(target_ / "Wiki.fav").url, "");
}

TEST_F(FavoritesImportTest, AMissingSourceImportsNothingButMakesTheFolder) {
    EXPECT_EQ(importShortcuts(root_ / "nowhere", target_), 0);
    EXPECT_TRUE(fs::is_directory(target_));
    EXPECT_TRUE(listFiles(target_).empty());
}

TEST_F(FavoritesImportTest, BookmarkPagesGiveEveryLinkWithItsTextDecoded) {
    const auto marks = parseBookmarksHtml(
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
        "<DT><H3>Folder</H3>\n<DL><p>\n"
        "<DT><A HREF=\"http://a/?x=1&amp;y=2\" ADD_DATE=\"1\">Tom &amp; Jerry&#39;s &#x263A;</A>\n"
        "</DL><p>\n"
        "<dt><a add_date='2' href='http://b/'><b>Bold</b>\n  text</a>\n"
        "<DT><ABBR>not a link</ABBR><A NAME=\"anchor\">no address</A>\n"
        "<DT><A HREF=http://c/>c</A>\n");
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].url, "http://a/?x=1&y=2");
    EXPECT_EQ(marks[0].title, "Tom & Jerry's \xE2\x98\xBA");
    EXPECT_EQ(marks[1].url, "http://b/");
    EXPECT_EQ(marks[1].title, "Bold text");
    EXPECT_EQ(marks[2].url, "http://c/");
}

TEST_F(FavoritesImportTest, ChromiumBookmarksGiveTheLinksOfEveryRootAndFolder) {
    const auto marks = parseChromiumBookmarks(R"({
      "checksum": "0", "version": 1,
      "roots": {
        "bookmark_bar": {"type": "folder", "name": "Bar", "children": [
          {"type": "url", "name": "One", "url": "http://one/"},
          {"type": "folder", "name": "Sub", "children": [
            {"type": "url", "name": "Two \u00e9 \ud83d\ude00 \"q\"", "url": "http://two/"}]}]},
        "other": {"type": "folder", "children": [{"type": "url", "name": "", "url": "http://three/"}]},
        "synced": {"type": "folder", "children": []}
      }})");
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].title, "One");
    EXPECT_EQ(marks[1].title, "Two \xC3\xA9 \xF0\x9F\x98\x80 \"q\"");
    EXPECT_EQ(marks[2].url, "http://three/");
    EXPECT_TRUE(parseChromiumBookmarks("{not json").empty());
    EXPECT_TRUE(parseChromiumBookmarks(R"({"roots": {"other": {"children": [)").empty());
    EXPECT_TRUE(parseChromiumBookmarks(std::string(5000, '[') + std::string(5000, ']')).empty());
    EXPECT_TRUE(parseChromiumBookmarks("[1, 2]").empty());
}

TEST_F(FavoritesImportTest, FirefoxPlacesAreReadFromACopyWithoutSavedSearches) {
    const fs::path places = root_ / "profile" / "places.sqlite";
    fs::create_directories(places.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(places.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);"
                           "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER,"
                           " fk INTEGER, parent INTEGER, position INTEGER, title TEXT);"
                           "INSERT INTO moz_places VALUES (1, 'http://one/', 'Page One'),"
                           " (2, 'http://two/', 'Page Two'), (3, 'place:sort=8', 'Recent'),"
                           " (4, 'http://four/', NULL);"
                           "INSERT INTO moz_bookmarks VALUES (10, 2, NULL, 1, 0, 'Menu'),"
                           " (11, 1, 2, 10, 1, 'Second'), (12, 1, 1, 10, 0, NULL),"
                           " (13, 1, 3, 10, 2, 'Recent'),"
                           // "Caf", a NUL, then an e acute of the older code page.
                           " (14, 1, 4, 10, 3, CAST(X'43616600E9' AS TEXT));",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    // The browser holds the database open, in an exclusive transaction.
    ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto marks = readFirefoxBookmarks(places);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].title, "Page One");
    EXPECT_EQ(marks[1].title, "Second");
    EXPECT_EQ(marks[1].url, "http://two/");
    // A title is read whole, past a NUL, and bytes that are not UTF-8 as Windows-1252.
    EXPECT_EQ(marks[2].title, std::string("Caf\0\xC3\xA9", 6));
    EXPECT_TRUE(readFirefoxBookmarks(root_ / "none.sqlite").empty());
}

TEST_F(FavoritesImportTest, BookmarksAreNamedAsFavoritesMustBe) {
    EXPECT_EQ(titleForFile({"a/b: c?", "http://x/"}), "a_b_ c_");
    EXPECT_EQ(titleForFile({"..", "http://x/y"}), "http___x_y");
    EXPECT_EQ(titleForFile({std::string(50, 'z'), "u"}), std::string(37, 'z') + "...");

    // The same bookmarks imported three times give three copies of each, none replaced.
    const std::vector<Bookmark> marks{
        {"Same", "http://1/"}, {"Same", "http://2/"}, {"No address", ""}};
    for (int round = 0; round < 3; ++round) EXPECT_EQ(writeBookmarks(marks, target_), 2);
    EXPECT_EQ(listFiles(target_).size(), 6u);
    EXPECT_EQ(contents(target_ / "Same (6).fav"), "Folder=\r\nTITLE=Same (6)\r\nURL=http://2/\r\n");
    EXPECT_FALSE(fs::exists(target_ / "No address.fav"));
    // A name too long for a file, or to take its number, gives up its end rather than the
    // favorite.
    const std::string longest(250, 'n');
    EXPECT_TRUE(writeImported(target_, longest, "http://a/"));
    EXPECT_TRUE(writeImported(target_, longest, "http://b/"));
    EXPECT_EQ(readFavorite(target_ / (std::string(239, 'n') + ".fav")).url, "http://a/");
    EXPECT_EQ(readFavorite(target_ / (std::string(235, 'n') + " (2).fav")).url, "http://b/");
}

TEST_F(FavoritesImportTest, SourcesAreFoundInPrefixesDrivesTheHomeAndProfiles) {
    ImportPlaces places;
    places.home = root_ / "home";
    places.user = "kim";
    places.winePrefixes = {places.home / ".wine", root_ / "noprefix"};
    places.drives = {root_ / "mnt" / "c"};
    fs::create_directories(places.home / ".wine/drive_c/users/kim/Favorites");
    fs::create_directories(root_ / "mnt/c/Users/ann/Favorites");
    fs::create_directories(root_ / "mnt/c/Users/kim/Favorites");
    fs::create_directories(root_ / "mnt/c/Users/Public");
    fs::create_directories(root_ / "mnt/c/Documents and Settings/kim/Favorites");
    fs::create_directories(places.home / "Favorites");
    put(places.home / ".mozilla/firefox/abc.default/places.sqlite", "");
    put(places.home / ".mozilla/firefox/empty.profile/prefs.js", "");
    put(places.home / ".config/chromium/Default/Bookmarks", "{}");
    put(places.home / ".config/google-chrome/Profile 1/Bookmarks", "{}");

    List found;
    for (const ImportSource& s : findImportSources(places))
        found.push_back(fs::relative(s.path, root_).string());
    EXPECT_EQ(found,
              (List{"home/.wine/drive_c/users/kim/Favorites", "mnt/c/Users/kim/Favorites",
                    "mnt/c/Users/ann/Favorites", "mnt/c/Documents and Settings/kim/Favorites",
                    "home/Favorites", "home/.mozilla/firefox/abc.default/places.sqlite",
                    "home/.config/chromium/Default/Bookmarks",
                    "home/.config/google-chrome/Profile 1/Bookmarks"}));
}

}  // namespace
}  // namespace larkspan::favorites
