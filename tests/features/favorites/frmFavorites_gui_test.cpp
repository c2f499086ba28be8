// The favorites menu, the add command and the organizer, wired into real main windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/Application.hpp"
#include "controls/StyledButton.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/frmFavorites.hpp"
#include "features/locks/frmPassword.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;
using List = std::vector<std::string>;
using favorites::FavoritesMenu;
using testing::FakePageEngine;

class FavoritesWindowTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        folder_ = favorites::folderPath();
        fs::create_directories(folder_);
    }
    void put(const std::string& title, const std::string& url) {
        std::ofstream(folder_ / (title + ".fav"), std::ios::binary)
            << "FOLDER=\r\nTITLE=" << title << "\r\nURL=" << url << "\r\n";
    }
    Application& app() { return Application::instance(); }
    frmFavorites* organizer() {
        return dynamic_cast<frmFavorites*>(app().windows().find("frmFavorites"));
    }
    static FakePageEngine& engine(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
    // The captions `menu` shows below its separator (all it shows when it has none), read
    // from the menu itself as it opens.
    static List captions(Gtk::Menu& menu) {
        List out;
        menu.show();
        menu.hide();
        const auto children = menu.get_children();
        const bool separated = std::any_of(children.begin(), children.end(), [](auto* c) {
            return dynamic_cast<Gtk::SeparatorMenuItem*>(c) != nullptr;
        });
        bool below = !separated;
        for (Gtk::Widget* child : children) {
            if (dynamic_cast<Gtk::SeparatorMenuItem*>(child)) {
                below = true;
                continue;
            }
            if (below && child->get_visible())
                out.push_back(static_cast<Gtk::MenuItem*>(child)->get_label());
        }
        return out;
    }
    static List menuCaptions(frmBrowser& w) {
        return captions(*testing::probe(w).widget<Gtk::Menu>("mnuFavorites_menu"));
    }
    frmFavorites& openOrganizer(frmBrowser& w) {
        w.runCommand("organize-favorites");
        frmFavorites* f = organizer();
        EXPECT_NE(f, nullptr);
        EXPECT_TRUE(testing::runUntil([f] { return f->get_mapped(); }));
        return *f;
    }
    fs::path folder_;
};

TEST_F(FavoritesWindowTest, TheEntryKeptForAnEmptyFolderShowsNothingAndTheLockHidesTheFirst) {
    frmBrowser& w = startBrowser();
    EXPECT_EQ(menuCaptions(w), List{});
    engine(w).navigations.clear();
    FavoritesMenu::of(w).item(0)->activate();
    testing::drainEvents();
    EXPECT_TRUE(engine(w).navigations.empty());

    put("One", "http://one/");
    FavoritesMenu::of(w).LoadFavoritesMenu(folder_);
    EXPECT_EQ(menuCaptions(w), (List{"One"}));
    app().options().setFlag(OptionId::LockFavorites, true);
    EXPECT_EQ(menuCaptions(w), List{});
    app().options().setFlag(OptionId::LockFavorites, false);
    EXPECT_EQ(menuCaptions(w), (List{"One"}));
}

TEST_F(FavoritesWindowTest, MoreThanAScreenfulIsShownInGroupsMadeAsTheyOpen) {
    // 45 favorites: two groups of 22 and 23, each captioned with its first and last title.
    for (int i = 0; i < 45; ++i)
        put("Fav " + std::string(i < 10 ? "0" : "") + std::to_string(i),
            "http://f" + std::to_string(i) + "/");
    frmBrowser& w = startBrowser();
    EXPECT_EQ(menuCaptions(w), (List{"Fav 00 \u2013 Fav 21", "Fav 22 \u2013 Fav 44"}));
    auto* menu = testing::probe(w).widget<Gtk::Menu>("mnuFavorites_menu");
    auto* second = static_cast<Gtk::MenuItem*>(menu->get_children().back())->get_submenu();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->get_children().empty());
    List expected;
    for (int i = 22; i < 45; ++i) expected.push_back("Fav " + std::to_string(i));
    EXPECT_EQ(captions(*second), expected);

    // Entry 0, the window's own item, leads the first group; every entry opens its own.
    EXPECT_EQ(FavoritesMenu::of(w).item(0)->get_name(), "mnuFavoriteT_0");
    EXPECT_EQ(FavoritesMenu::of(w).item(0)->get_label(), "Fav 00");
    FavoritesMenu::of(w).item(44)->activate();
    testing::drainEvents();
    EXPECT_EQ(engine(w).navigations.back(), "http://f44/");
}

TEST_F(FavoritesWindowTest, TheStartUpMenuListsTheFilesCutAndOpensTheChosenOne) {
    put("beta", "http://beta/");
    put("Alpha_1", "http://alpha/");
    put(std::string(45, 'L'), "http://long/");
    frmBrowser& w = startBrowser();
    EXPECT_EQ(menuCaptions(w), (List{"Alpha_1", "beta", std::string(37, 'L') + "..."}));
    EXPECT_FALSE(FavoritesMenu::of(w).item(1)->get_use_underline());
    FavoritesMenu::of(w).item(1)->activate();
    testing::drainEvents();
    EXPECT_EQ(engine(w).navigations.back(), "http://beta/");
}

TEST_F(FavoritesWindowTest, AddingShowsTheNewEntryAtOnceAndCancellingChangesNothing) {
    frmBrowser& w = startBrowser();
    engine(w).completeNavigation("http://page/", "The Page");
    testing::ScriptedDialogs answers;
    answers.input(std::nullopt);
    EXPECT_TRUE(w.runCommand("add-favorite"));
    EXPECT_EQ(menuCaptions(w), List{});
    EXPECT_TRUE(favorites::listFiles(folder_).empty());

    answers.input("a,b");
    EXPECT_TRUE(w.runCommand("add-favorite"));
    ASSERT_GE(answers.shown().size(), 2u);
    EXPECT_EQ(answers.shown()[1].initial, "The Page");
    EXPECT_EQ(menuCaptions(w), (List{"a,b"}));
    EXPECT_EQ(favorites::listFiles(folder_), (List{"a,b.fav"}));
    FavoritesMenu::of(w).item(1)->activate();
    testing::drainEvents();
    EXPECT_EQ(engine(w).navigations.back(), "http://page/");
    EXPECT_TRUE(answers.allAnswered());
}

TEST_F(FavoritesWindowTest, TheOrganizerShowsRenamesAndDeletesAndOnlyCloseRebuildsTheMenu) {
    put("One", "http://one/");
    put("Two", "http://two/");
    put("Three", "http://three/");
    frmBrowser& w = startBrowser();
    frmFavorites& f = openOrganizer(w);
    EXPECT_EQ(f.get_title(), "Organize Favorites - Larkspan");
    EXPECT_EQ(f.shownTitles(), (List{"One", "Three", "Two"}));
    EXPECT_EQ(f.lblOfFavorites->get_text(), "3");
    EXPECT_FALSE(f.cmdDelete->enabled());

    testing::clickRow(*f.lstFav, 2);
    EXPECT_EQ(f.lblTitle->get_text(), "Two");
    EXPECT_EQ(f.lblURL->get_text(), "http://two/");
    EXPECT_FALSE(f.lblMod->get_text().empty());
    EXPECT_TRUE(f.cmdDelete->enabled());
    f.lstFav->row_activated(Gtk::TreeModel::Path("2"), *f.lstFav->get_column(0));
    testing::drainEvents();
    EXPECT_EQ(engine(w).navigations.back(), "http://two/");

    testing::ScriptedDialogs answers;
    const std::string longTitle = "Second " + std::string(40, 's');
    answers.input(longTitle);
    click(*f.cmdRename);
    EXPECT_EQ(answers.shown().back().title, "Rename Favorite");
    EXPECT_EQ(answers.shown().back().initial, "Two");
    EXPECT_EQ(f.shownTitles(), (List{"One", "Three", longTitle}));
    EXPECT_EQ(f.lblTitle->get_text(), longTitle);
    EXPECT_EQ(favorites::readFavorite(folder_ / "Two.fav").title, longTitle);
    EXPECT_EQ(menuCaptions(w), (List{"One", "Three", "Two"}));

    testing::clickRow(*f.lstFav, 0);
    answers.answer(Dialogs::Answer::Cancel);
    click(*f.cmdDelete);
    EXPECT_EQ(answers.shown().back().text, "Remove item from Favorites?");
    EXPECT_EQ(answers.shown().back().title, "Remove Favorite?");
    EXPECT_TRUE(fs::exists(folder_ / "One.fav"));
    EXPECT_FALSE(f.cmdDelete->enabled());
    testing::clickRow(*f.lstFav, 0);
    answers.answer(Dialogs::Answer::Ok);
    click(*f.cmdDelete);
    EXPECT_FALSE(fs::exists(folder_ / "One.fav"));
    EXPECT_EQ(f.shownTitles(), (List{"Three", longTitle}));
    EXPECT_EQ(f.lblOfFavorites->get_text(), "2");
    // With Delete disabled no row stays selected, and the gone favorite is not shown.
    EXPECT_EQ(f.lstFav->get_selection()->count_selected_rows(), 0);
    EXPECT_EQ(f.lblTitle->get_text(), "");
    // Disabled now: a second press asks nothing (an unscripted question would fail).
    click(*f.cmdDelete);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(menuCaptions(w), (List{"One", "Three", "Two"}));

    click(*f.cmdClose);
    EXPECT_TRUE(testing::runUntil([this] { return organizer() == nullptr; }));
    EXPECT_EQ(menuCaptions(w), (List{"Three", longTitle}));
}

TEST_F(FavoritesWindowTest, EachRowKeepsItsFileWhenAFavoriteIsAddedMeanwhile) {
    put("Bee", "http://bee/");
    put("Dog", "http://dog/");
    frmBrowser& w = startBrowser();
    frmFavorites& f = openOrganizer(w);
    // Added in the main window while the organizer is open: its file sorts first.
    engine(w).completeNavigation("http://ant/", "Ant");
    testing::ScriptedDialogs answers;
    answers.input("Ant");
    EXPECT_TRUE(w.runCommand("add-favorite"));

    testing::clickRow(*f.lstFav, 0);
    EXPECT_EQ(f.lblTitle->get_text(), "Bee");
    EXPECT_EQ(f.lblURL->get_text(), "http://bee/");
    answers.answer(Dialogs::Answer::Ok);
    click(*f.cmdDelete);
    EXPECT_EQ(favorites::listFiles(folder_), (List{"Ant.fav", "Dog.fav"}));
    EXPECT_TRUE(answers.allAnswered());

    // Close builds the menu from the folder, the favorite added meanwhile included.
    click(*f.cmdClose);
    EXPECT_TRUE(testing::runUntil([this] { return organizer() == nullptr; }));
    EXPECT_EQ(menuCaptions(w), (List{"Ant", "Dog"}));
}

TEST_F(FavoritesWindowTest, TheCloseBoxLeavesTheMenuAsItWas) {
    put("One", "http://one/");
    frmBrowser& w = startBrowser();
    frmFavorites& f = openOrganizer(w);
    testing::clickRow(*f.lstFav, 0);
    testing::ScriptedDialogs answers;
    answers.input("Renamed");
    click(*f.cmdRename);
    f.close();
    EXPECT_TRUE(testing::runUntil([this] { return organizer() == nullptr; }));
    EXPECT_EQ(menuCaptions(w), (List{"One"}));
}

TEST_F(FavoritesWindowTest, TheFavoritesLockOpensTheLockDialogFromBothCommands) {
    frmBrowser& w = startBrowser();
    app().options().lockFavorites = true;
    for (const char* command : {"favorites", "organize-favorites"}) {
        EXPECT_TRUE(w.runCommand(command));
        testing::drainEvents();
        auto* lock = dynamic_cast<frmPassword*>(app().windows().find("frmPassword"));
        ASSERT_NE(lock, nullptr) << command;
        EXPECT_TRUE(lock->get_visible()) << command;
        EXPECT_EQ(organizer(), nullptr) << command;
        app().windows().close("frmPassword");
    }
}

}  // namespace
}  // namespace larkspan
