// The add command's rules: its prompts, the refused titles, the cut and the two checks.
#include "features/favorites/AddFavorite.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "features/favorites/FavoriteFile.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan::favorites {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;
using testing::ScriptedDialogs;

class AddFavoriteTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = folderPath(); }
    std::optional<Added> add(const std::string& pageTitle, const List& captions = {""}) {
        std::optional<Added> added;
        addFavorite(dialogs_, nullptr, folder_, pageTitle, "http://page/", captions,
                    [&added](const Added& a) { added = a; });
        return added;
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t fileCount() {
        std::error_code ec;
        size_t n = 0;
        for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) ++n;
        return n;
    }
    ScriptedDialogs dialogs_;
    fs::path folder_;
};

TEST_F(AddFavoriteTest, AsksWithThePageTitleAndWritesTheThreeLines) {
    dialogs_.input("My Page");
    auto added = add(std::string(45, 'p'));
    ASSERT_TRUE(added);
    EXPECT_EQ(added->title, "My Page");
    EXPECT_TRUE(added->written);
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].title, "Add To Favorites?");
    EXPECT_EQ(dialogs_.shown()[0].text,
              "Larkspan will add this url to your favorites: 'http://page/'\r\n"
              "Please designate title.");
    EXPECT_EQ(contents(folder_ / "My Page.fav"),
              "FOLDER=\r\nTITLE=My Page\r\nURL=http://page/\r\n");
}

TEST_F(AddFavoriteTest, CancellingTheFirstPromptWritesNothing) {
    dialogs_.input(std::nullopt);
    EXPECT_FALSE(add("Page", {"", "Other"}));
    EXPECT_EQ(fileCount(), 0u);
}

TEST_F(AddFavoriteTest, RefusedTitlesAreShownAgainUntilOneCanNameAFile) {
    dialogs_.input("a/b");
    dialogs_.input("a:b");
    dialogs_.input("..");
    dialogs_.input("ok name");
    auto added = add("Page");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->title, "ok name");
    ASSERT_EQ(dialogs_.shown().size(), 4u);
    EXPECT_EQ(dialogs_.shown()[1].title, "Please rename");
    EXPECT_EQ(dialogs_.shown()[1].text,
              "Favorites cannot contain the following characters: \r\n"
              "\\ / * ? \" < > | \r\nPlease designate new title.");
    // Each refused text is offered again as the rename prompt's default.
    EXPECT_EQ(dialogs_.shown()[1].initial, "a/b");
    EXPECT_EQ(dialogs_.shown()[2].initial, "a:b");
    EXPECT_EQ(dialogs_.shown()[3].initial, "..");
    EXPECT_EQ(fileCount(), 1u);
    EXPECT_TRUE(fs::exists(folder_ / "ok name.fav"));
}

TEST_F(AddFavoriteTest, OnlyTitlesThatNameAFileInsideTheFolderAreAccepted) {
    for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", "a\nb", ".", "..."})
        EXPECT_FALSE(acceptableTitle(bad)) << bad;
    for (const char* good : {"", "a.b", ". a", "Ünïcödé", "x..y"})
        EXPECT_TRUE(acceptableTitle(good)) << good;
    // Cut first, so even a very long title fits a file name.
    EXPECT_TRUE(acceptableTitle(std::string(1000, 'w')));
}

TEST_F(AddFavoriteTest, AFortyFiveCharacterTitleIsStoredCut) {
    dialogs_.input(std::string(45, 'a'));
    dialogs_.input(std::string(40, 'b'));
    EXPECT_EQ(add("x")->title, std::string(37, 'a') + "...");
    EXPECT_EQ(add("x")->title, std::string(40, 'b'));
    EXPECT_TRUE(fs::exists(folder_ / (std::string(37, 'a') + "....fav")));
}

TEST_F(AddFavoriteTest, TheSameTitleTwiceGetsTheFileCheckOrTheMenuCheck) {
    // Twice in a row: T is the last menu entry, which the menu check skips; the file exists.
    dialogs_.input("T");
    dialogs_.input("T");
    EXPECT_EQ(add("T", {"x"})->title, "T");
    EXPECT_EQ(add("T", {"x", "T"})->title, "T(2)");
    // Another favorite in between: the menu check finds T and adds " (2)".
    dialogs_.input("T");
    EXPECT_EQ(add("T", {"x", "T", "T(2)", "U"})->title, "T (2)");
    EXPECT_TRUE(fs::exists(folder_ / "T (2).fav"));
    // Each match is of the title as it stands: "T", then "T (2)"; the last entry never counts.
    EXPECT_EQ(afterMenuCheck("T", {"T", "T (2)", "T"}), "T (2) (2)");
    EXPECT_EQ(afterMenuCheck("T", {"T (2)", "T", "T (2)"}), "T (2)");
}

TEST_F(AddFavoriteTest, AFolderThatCannotBeWrittenStillGivesTheTitle) {
    fs::create_directories(folder_.parent_path());
    std::ofstream(folder_) << "a file where the folder belongs";
    dialogs_.input("Kept");
    auto added = add("Kept");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->title, "Kept");
    EXPECT_FALSE(added->written);
}

}  // namespace
}  // namespace larkspan::favorites
