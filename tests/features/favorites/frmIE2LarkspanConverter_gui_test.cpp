// The importer window's wiring: the sources it offers, Yes on each kind, and No.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Application.hpp"
#include "common/Paths.hpp"
#include "controls/StyledButton.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/frmIE2LarkspanConverter.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class ImporterWindowTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        const fs::path home = paths::dataDir() / "home";
        places_.home = home;
        places_.user = "kim";
        put(home / "Favorites" / "Top.url", "[InternetShortcut]\r\nURL=http://top/\r\n");
        put(home / "Favorites" / "Sub" / "Inner.url", "[InternetShortcut]\r\nURL=http://in/\r\n");
        put(home / ".config/chromium/Default/Bookmarks",
            R"({"roots": {"other": {"type": "folder", "children": [)"
            R"({"type": "url", "name": "Chrome: mark", "url": "http://cr/"}]}}})");
        // The window offers what these test places hold, not the machine's own.
        Application& a = Application::instance();
        a.windows().define("frmIE2LarkspanConverter",
                           [&a, this] { return makeFavoritesImporter(a, places_); });
    }
    static void put(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    frmIE2LarkspanConverter* importer() {
        return dynamic_cast<frmIE2LarkspanConverter*>(
            Application::instance().windows().find("frmIE2LarkspanConverter"));
    }
    frmIE2LarkspanConverter& open() {
        Application::instance().lookup_action("import-favorites")->activate();
        testing::drainEvents();
        frmIE2LarkspanConverter* c = importer();
        EXPECT_NE(c, nullptr);
        EXPECT_TRUE(c->get_visible());
        return *c;
    }
    bool closed() {
        return testing::runUntil([this] { return importer() == nullptr; });
    }
    favorites::ImportPlaces places_;
};

TEST_F(ImporterWindowTest, YesImportsTheChosenSourceIntoEveryWindowsMenuAndSaysSo) {
    frmBrowser& w = startBrowser();
    frmBrowser& other = Application::instance().createBrowserWindow();
    frmIE2LarkspanConverter& c = open();
    EXPECT_EQ(c.get_title(), "IE 2 Larkspan Converter");
    ASSERT_EQ(c.sources().size(), 2u);
    EXPECT_EQ(c.cboSource->get_active_row_number(), 0);
    // The question names what the chosen entry reads.
    const List asked{"a folder of internet shortcuts", "your Chromium bookmarks",
                     "a folder of internet shortcuts", "a bookmarks page"};
    for (int i = 3; i >= 0; --i) {
        c.cboSource->set_active(i);
        EXPECT_EQ(c.Label1->get_text(), "This will convert " + asked[static_cast<std::size_t>(i)] +
                                            " to Larkspan favorites!\nAre you sure you want to "
                                            "continue?");
    }

    testing::ScriptedDialogs answers;
    answers.answer(Dialogs::Answer::Ok);
    click(*c.Yes);
    ASSERT_EQ(answers.shown().size(), 1u);
    EXPECT_EQ(answers.shown()[0].text, "Converted Successfully.");
    EXPECT_EQ(answers.shown()[0].title, w.applicationTitle());
    EXPECT_TRUE(closed());
    const fs::path target = favorites::folderPath();
    EXPECT_EQ(favorites::listFiles(target), (List{"Inner.fav", "Top.fav"}));
    // Every main window's menu shows them at once.
    for (frmBrowser* window : {&w, &other}) {
        auto& menu = favorites::FavoritesMenu::of(*window);
        EXPECT_EQ(menu.model().captions(), (List{"Inner", "Top"}));
        ASSERT_NE(menu.item(1), nullptr);
        EXPECT_EQ(menu.item(1)->get_label(), "Top");
    }

    frmIE2LarkspanConverter& again = open();
    again.cboSource->set_active(1);
    answers.answer(Dialogs::Answer::Ok);
    click(*again.Yes);
    EXPECT_TRUE(closed());
    EXPECT_EQ(favorites::readFavorite(target / "Chrome_ mark.fav").url, "http://cr/");
}

TEST_F(ImporterWindowTest, TheUserPointsAtAFolderOrAPageAndMayCancel) {
    startBrowser();
    put(paths::dataDir() / "elsewhere" / "Far.url", "[InternetShortcut]\r\nURL=http://far/\r\n");
    put(paths::dataDir() / "marks.html", "<DT><A HREF=\"http://page/\">From a page</A>\n");
    testing::ScriptedDialogs answers;

    // A cancelled chooser imports nothing and leaves the window open.
    frmIE2LarkspanConverter& c = open();
    c.cboSource->set_active(2);
    answers.file(std::nullopt);
    click(*c.Yes);
    EXPECT_EQ(answers.shown().back().kind, "folder");
    EXPECT_EQ(importer(), &c);

    answers.file((paths::dataDir() / "elsewhere").string());
    answers.answer(Dialogs::Answer::Ok);
    click(*c.Yes);
    EXPECT_TRUE(closed());

    frmIE2LarkspanConverter& page = open();
    page.cboSource->set_active(3);
    answers.file((paths::dataDir() / "marks.html").string());
    answers.answer(Dialogs::Answer::Ok);
    click(*page.Yes);
    EXPECT_EQ(answers.shown()[answers.shown().size() - 2].kind, "open");
    EXPECT_TRUE(closed());
    EXPECT_EQ(favorites::listFiles(favorites::folderPath()), (List{"Far.fav", "From a page.fav"}));

    click(*open().No);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(answers.allAnswered());
}

}  // namespace
}  // namespace larkspan
