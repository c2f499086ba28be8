// The favorite files as the menu and the organizer read and rewrite them, and the menu's
// entries built from them.
#include "features/favorites/FavoriteFile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "features/favorites/FavoritesMenuModel.hpp"

namespace larkspan::favorites {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class FavoriteFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = folderPath();
        fs::create_directories(folder_);
    }
    fs::path put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static List captions(const FavoritesMenuModel& m) { return m.captions(); }
    fs::path folder_;
};

TEST_F(FavoriteFileTest, KeysMatchWithCaseLaterLinesWinAndACommaCutsTheValue) {
    const Favorite f = readFavorite(put("a.fav",
                                        "Folder=mixed\r\nFOLDER=kept\r\nTITLE=First\r\n"
                                        "title=lower\r\nTITLE=Second, part\r\n"
                                        "URL=http://x/?a=1,b=2\r\n\"URL=quoted, still\"\r\n"));
    EXPECT_EQ(f.folder, "kept");
    EXPECT_EQ(f.title, "Second");
    EXPECT_EQ(f.url, "quoted, still");
}

TEST_F(FavoriteFileTest, ImportedFilesHaveNoFolderLineAndMissingKeysReadEmpty) {
    const Favorite f = readFavorite(put("b.fav", "Folder=x\nURL=http://y/"));
    EXPECT_EQ(f.folder, "");
    EXPECT_EQ(f.title, "");
    EXPECT_EQ(f.url, "http://y/");
    EXPECT_EQ(readFavorite(folder_ / "missing.fav").url, "");
}

TEST_F(FavoriteFileTest, TheOrganizerTakesTheFirstWholeTitleLine) {
    EXPECT_EQ(readFirstTitle(put("c.fav", "TITLE=One, two\r\nTITLE=Three\r\n")), "One, two");
    EXPECT_EQ(readFirstTitle(put("d.fav", "FOLDER=\r\nURL=http://z/\r\n")), std::nullopt);
}

TEST_F(FavoriteFileTest, ListsOnlyFavFilesInNameOrderIgnoringCase) {
    for (const char* name : {"beta.fav", "Alpha.fav", "gamma.FAV", "delta.txt", "Charlie.fav"})
        put(name, "");
    fs::create_directory(folder_ / "folder.fav");
    EXPECT_EQ(listFiles(folder_), (List{"Alpha.fav", "beta.fav", "Charlie.fav"}));
    EXPECT_TRUE(listFiles(folder_ / "nowhere").empty());
}

TEST_F(FavoriteFileTest, TitlesOverFortyCharactersAreCutToThirtySevenAndDots) {
    const std::string forty(40, 'x');
    EXPECT_EQ(cutTitle(forty), forty);
    EXPECT_EQ(cutTitle(std::string(45, 'y')), std::string(37, 'y') + "...");
    // Characters, not bytes: 41 two-byte letters are cut between letters.
    std::string umlauts;
    for (int i = 0; i < 41; ++i) umlauts += "\xC3\xA4";
    EXPECT_EQ(cutTitle(umlauts), umlauts.substr(0, 74) + "...");
    // A NUL read from a file is one character like any other.
    const std::string withNul = "a" + std::string(1, '\0') + std::string(43, 'b');
    EXPECT_EQ(cutTitle(withNul), withNul.substr(0, 37) + "...");
}

TEST_F(FavoriteFileTest, WritingAndRenamingKeepTheLinesAndTheirEnds) {
    const fs::path file = folder_ / "Page.fav";
    ASSERT_TRUE(writeFavorite(file, {"", "Page", "http://p/,q"}));
    EXPECT_EQ(contents(file), "FOLDER=\r\nTITLE=Page\r\nURL=http://p/,q\r\n");

    // The whole URL line survives a rename, comma and all; the title is not checked or cut.
    ASSERT_TRUE(renameFavorite(file, "New: " + std::string(50, 'n')));
    EXPECT_EQ(contents(file),
              "FOLDER=\r\nTITLE=New: " + std::string(50, 'n') + "\r\nURL=http://p/,q\r\n");

    const fs::path bare = put("Bare.fav", "TITLE=Old\r\n");
    ASSERT_TRUE(renameFavorite(bare, "Renamed"));
    EXPECT_EQ(contents(bare), "\r\nTITLE=Renamed\r\n\r\n");

    EXPECT_FALSE(renameFavorite(folder_ / "Gone.fav", "x"));
    EXPECT_FALSE(fs::exists(folder_ / "Gone.fav"));
}

TEST_F(FavoriteFileTest, TheStartUpMenuCutsCaptionsAndAnEmptyFolderKeepsOneEmptyEntry) {
    FavoritesMenuModel menu;
    menu.load(folder_);
    ASSERT_EQ(menu.entries().size(), 1u);
    EXPECT_EQ(menu.entries()[0].caption, "");
    EXPECT_EQ(menu.entries()[0].address, "");

    put("b.fav", "TITLE=" + std::string(45, 'b') + "\r\nURL=http://b/\r\n");
    put("A.fav", "TITLE=a\r\nURL=http://a/\r\n");
    menu.load(folder_);
    EXPECT_EQ(captions(menu), (List{"a", std::string(37, 'b') + "..."}));
    EXPECT_EQ(menu.entries()[1].address, "http://b/");
}

TEST_F(FavoriteFileTest, TheRebuildShowsTitlesUncutAndAnEmptyListEmptiesEntryZero) {
    FavoritesMenuModel menu;
    menu.append({"a,b", "http://a/"});
    EXPECT_EQ(captions(menu), (List{"", "a,b"}));
    // Read back from its file, the comma has cut the title.
    const fs::path file = folder_ / "a,b.fav";
    writeFavorite(file, {"", "a,b", "http://a/"});
    menu.rebuild({readFavorite(file), {"", std::string(45, 'L'), "http://l/"}});
    EXPECT_EQ(captions(menu), (List{"a", std::string(45, 'L')}));
    menu.rebuild({});
    EXPECT_EQ(captions(menu), (List{""}));
}

}  // namespace
}  // namespace larkspan::favorites
