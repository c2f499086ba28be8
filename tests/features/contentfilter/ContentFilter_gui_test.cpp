// Ad blocking's wiring: the main window's "Allow Ads on This Site" tick and the options'
// Privacy page (the lists in use, the allowed sites).
#include <gtest/gtest.h>

#include "controls/StyledButton.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ContentFilterStatus.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/Display.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/OptionsDialogFixture.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using ContentFilterTest = testing::OptionsDialogFixture<testing::GuiTest>;

TEST_F(ContentFilterTest, AllowAdsTicksForThePagesSiteAndIsStoredAtOnce) {
    frmBrowser& w = startBrowser();
    auto& engine = dynamic_cast<testing::FakePageEngine&>(w.page().engine());
    auto* item = testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsAllowAds");
    ASSERT_NE(item, nullptr);

    engine.completeNavigation("http://www.news.test/today", "News");
    testing::drainEvents();
    EXPECT_TRUE(item->get_sensitive());
    EXPECT_FALSE(item->get_active());

    item->activate();
    testing::drainEvents();
    EXPECT_EQ(model().adsAllowedSites, "news.test");
    EXPECT_EQ(setting("AdsAllowedSites"), "news.test");
    EXPECT_TRUE(item->get_active());
    EXPECT_EQ(engine.calls.back(), "refresh");  // the page shows the change

    // A subdomain is on the allowed site; taking the tick off there blocks the site again.
    engine.completeNavigation("http://video.news.test/", "Video");
    testing::drainEvents();
    EXPECT_TRUE(item->get_active());
    item->activate();
    testing::drainEvents();
    EXPECT_EQ(setting("AdsAllowedSites"), "");
    EXPECT_FALSE(item->get_active());

    // A page without a site has nothing to allow.
    engine.completeNavigation("about:blank", "");
    testing::drainEvents();
    EXPECT_FALSE(item->get_sensitive());
}

TEST_F(ContentFilterTest, PrivacyPageShowsTheListsAndTakesSitesOff) {
    context().contentFilterStatus().setLists(
        {{"/usr/share/lists/easylist.txt", 120, 4, 1761912000, true}});
    model().setText(OptionId::AdsAllowedSites, "a.test b.test");
    frmOptions& d = open();
    selectEntry(d, "Privacy");
    EXPECT_TRUE(d.control<Gtk::CheckButton>("BlockAds")->get_sensitive());
    EXPECT_EQ(d.control<Gtk::Label>("lblFilterLists")->get_text(),
              "easylist.txt: 120 rules (4 skipped), 2025-10-31");

    auto* sites = d.control<Gtk::ListBox>("lstAdsAllowed");
    ASSERT_EQ(sites->get_children().size(), 2u);
    sites->select_row(*sites->get_row_at_index(0));
    testing::click(*d.control<StyledButton>("cmdAdsAllowedRemove"));
    testing::drainEvents();
    EXPECT_EQ(setting("AdsAllowedSites"), "b.test");
    EXPECT_EQ(sites->get_children().size(), 1u);

    // Without lists there is nothing to block with.
    context().contentFilterStatus().setLists({});
    EXPECT_FALSE(d.control<Gtk::CheckButton>("BlockAds")->get_sensitive());
}

}  // namespace
}  // namespace larkspan
