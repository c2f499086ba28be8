// The text size chosen for a site follows the site's pages into every window; the ordinary
// size forgets it, and a private page keeps nothing.
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "features/sitezoom/SiteZoomStore.hpp"
#include "shell/Page.hpp"
#include "shell/frmBrowser.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using sitezoom::SiteZoomStore;
using testing::FakePageEngine;

FakePageEngine& fake(frmBrowser& w) {
    return dynamic_cast<FakePageEngine&>(w.page().engine());
}

class SiteZoomTest : public testing::GuiTest {};

TEST_F(SiteZoomTest, AChosenSizeFollowsTheHostIntoOtherWindowsUntilReset) {
    frmBrowser& first = startBrowser();
    fake(first).completeNavigation("http://big.test/one", "One");
    first.activate_action("zoom-in");
    first.activate_action("zoom-in");
    ASSERT_EQ(fake(first).zoom, 4);

    frmBrowser& second = Application::instance().createBrowserWindow();
    fake(second).completeNavigation("http://other.test/", "Other");
    EXPECT_EQ(fake(second).zoom, SiteZoomStore::kOrdinary);
    fake(second).completeNavigation("http://BIG.test/two", "Two");
    EXPECT_EQ(fake(second).zoom, 4);
    // Leaving the host brings the ordinary size back.
    fake(second).completeNavigation("http://other.test/again", "Other");
    EXPECT_EQ(fake(second).zoom, SiteZoomStore::kOrdinary);

    // The Text Size menu's choice is kept the same way; Ctrl+0 forgets.
    first.activate_action("text-size", Glib::Variant<gint32>::create(1));
    EXPECT_EQ(SiteZoomStore(SiteZoomStore::defaultFile()).level("big.test"), 1);
    first.activate_action("zoom-reset");
    EXPECT_EQ(fake(first).zoom, SiteZoomStore::kOrdinary);
    EXPECT_EQ(SiteZoomStore(SiteZoomStore::defaultFile()).level("big.test"), std::nullopt);
}

TEST_F(SiteZoomTest, APrivatePageTakesUpKeptSizesButKeepsNone) {
    frmBrowser& w = startBrowser();
    SiteZoomStore(SiteZoomStore::defaultFile()).remember("kept.test", 0);
    fake(w).privateSession = true;
    fake(w).completeNavigation("http://kept.test/", "Kept");
    EXPECT_EQ(fake(w).zoom, 0);
    w.activate_action("zoom-in");
    w.activate_action("zoom-reset");
    fake(w).completeNavigation("http://new.test/", "New");
    w.activate_action("zoom-out");

    SiteZoomStore store(SiteZoomStore::defaultFile());
    EXPECT_EQ(store.level("kept.test"), 0);
    EXPECT_EQ(store.level("new.test"), std::nullopt);
}

}  // namespace
}  // namespace larkspan
