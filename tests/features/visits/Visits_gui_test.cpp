// The visit history in the program: what the pages of main windows record, and the Browsing
// History window's wiring.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Application.hpp"
#include "features/visits/VisitStore.hpp"
#include "features/visits/frmVisits.hpp"
#include "shell/AddressBox.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;
using visits::VisitChange;
using visits::VisitStore;

FakePageEngine& fake(frmBrowser& w) {
    return dynamic_cast<FakePageEngine&>(w.page().engine());
}

// What the store on disk suggests for `text`, as (address, title, typed) lines.
std::vector<std::string> kept(const std::string& text) {
    std::vector<std::string> out;
    VisitStore store(VisitStore::defaultFile());
    for (const AddressSuggestion& s : store.suggest(text, 20, 0)) {
        out.push_back(s.address + " " + s.title + (s.typed ? " typed" : ""));
    }
    std::sort(out.begin(), out.end());
    return out;
}

class VisitsTest : public testing::GuiTest {
  protected:
    frmVisits* window() {
        return dynamic_cast<frmVisits*>(Application::instance().windows().find("frmVisits"));
    }
    // The visits listed under their days, as "title address" lines in order.
    std::vector<std::string> shown() {
        std::vector<std::string> lines;
        for (const auto& day : window()->tvwVisits->get_model()->children()) {
            for (const auto& visit : day.children()) {
                Glib::ustring title, address;
                visit.get_value(1, title);
                visit.get_value(2, address);
                lines.push_back(title + " " + address);
            }
        }
        return lines;
    }
    void select(const std::string& address) {
        auto selection = window()->tvwVisits->get_selection();
        selection->unselect_all();
        for (const auto& day : window()->tvwVisits->get_model()->children()) {
            for (const auto& visit : day.children()) {
                Glib::ustring a;
                visit.get_value(2, a);
                if (a == address) selection->select(visit);
            }
        }
    }
};

TEST_F(VisitsTest, NormalPagesAreRecordedWithTypedMarksAndTitlesOthersNot) {
    frmBrowser& w = startBrowser();
    auto* box = testing::probe(w).widget<AddressBox>("cboAddress");
    box->get_entry()->set_text("https://typed.test/");
    testing::probe(w).cboAddress_KeyDown(13);
    ASSERT_EQ(fake(w).navigations.back(), "https://typed.test/");
    fake(w).completeNavigation("https://typed.test/", "Typed");
    // A link followed from there is no typed visit.
    fake(w).completeNavigation("https://plain.test/", "Plain");
    fake(w).signalTitleChange.emit("Plain, renamed");
    // The engine's error page for an address, and the built-in site, are left out.
    fake(w).errorPage = true;
    fake(w).completeNavigation("https://typed.test/", "Problem loading page");
    fake(w).errorPage = false;
    fake(w).completeNavigation("larkspan://site/", "Larkspan");
    // So is every page of a private window.
    frmBrowser& hidden = Application::instance().createBrowserWindow();
    fake(hidden).privateSession = true;
    fake(hidden).completeNavigation("https://secret.test/", "Secret");

    // Written in a batch a moment later, without being asked.
    const std::vector<std::string> expected = {"https://plain.test/ Plain, renamed",
                                               "https://typed.test/ Typed typed"};
    EXPECT_TRUE(test::waitUntil([&] { return kept("test") == expected; }, 10000))
        << ::testing::PrintToString(kept("test"));
    EXPECT_TRUE(kept("secret").empty());
    EXPECT_TRUE(kept("larkspan").empty());
    EXPECT_EQ(VisitStore(VisitStore::defaultFile()).visitCount(), 2u);
}

TEST_F(VisitsTest, TheWindowSearchesDeletesForgetsAndOpensVisits) {
    const visits::TimePoint now = g_get_real_time();
    {
        VisitStore store(VisitStore::defaultFile());
        ASSERT_TRUE(store.apply({
            {VisitChange::Kind::Visit, "https://a.test/one", "", now - 3000000, false},
            {VisitChange::Kind::Title, "https://a.test/one", "Alpha One", 0, false},
            {VisitChange::Kind::Visit, "https://a.test/two", "", now - 2000000, false},
            {VisitChange::Kind::Title, "https://a.test/two", "Alpha Two", 0, false},
            {VisitChange::Kind::Visit, "https://b.test/", "", now - 1000000, false},
            {VisitChange::Kind::Title, "https://b.test/", "Beta", 0, false},
        }));
    }
    frmBrowser& w = startBrowser();
    EXPECT_EQ(testing::probe(w).control("mnuHistoryShowAll")->get_name(), "mnuHistoryShowAll");
    ASSERT_TRUE(w.runCommand("show-all-history"));
    frmVisits* v = window();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->get_visible());
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Beta https://b.test/", "Alpha Two https://a.test/two",
                                        "Alpha One https://a.test/one"}));
    EXPECT_FALSE(v->cmdDelete->get_sensitive());

    v->txtSearch->set_text("ALPHA on");
    EXPECT_TRUE(test::waitUntil([&] { return shown().size() == 1; }, 5000));
    EXPECT_EQ(shown(), std::vector<std::string>{"Alpha One https://a.test/one"});
    v->txtSearch->set_text("");
    EXPECT_TRUE(test::waitUntil([&] { return shown().size() == 3; }, 5000));

    // A double-click opens the visit in the current window.
    select("https://b.test/");
    auto selected = v->tvwVisits->get_selection()->get_selected_rows();
    ASSERT_EQ(selected.size(), 1u);
    v->tvwVisits->row_activated(selected.front(), *v->tvwVisits->get_column(0));
    EXPECT_EQ(fake(w).navigations.back(), "https://b.test/");

    select("https://a.test/two");
    ASSERT_TRUE(v->cmdDelete->get_sensitive());
    v->cmdDelete->clicked();
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Beta https://b.test/", "Alpha One https://a.test/one"}));

    select("https://a.test/one");
    ASSERT_TRUE(v->cmdForgetSite->get_sensitive());
    v->cmdForgetSite->clicked();
    EXPECT_EQ(shown(), std::vector<std::string>{"Beta https://b.test/"});
    EXPECT_EQ(VisitStore(VisitStore::defaultFile()).addressCount(), 1u);
}

}  // namespace
}  // namespace larkspan
