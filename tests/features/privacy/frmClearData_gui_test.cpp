// The Clear Browsing Data window's wiring: Tools > Clear Browsing Data... opens it with a tick
// per item the features offer, and Clear hands the chosen range to the ticked items only,
// closing once they have finished.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/Application.hpp"
#include "features/privacy/frmClearData.hpp"
#include "shell/ClearData.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/GuiTest.hpp"
#include "support/Display.hpp"

namespace larkspan {
namespace {

using namespace std::chrono;

class ClearDataWindowTest : public testing::GuiTest {};

TEST_F(ClearDataWindowTest, ClearHandsTheRangeToTheTickedItemsAndClosesWhenTheyHaveFinished) {
    frmBrowser& w = startBrowser();
    std::vector<std::string> cleared;
    ClearSince seen;
    std::function<void()> finish;
    auto fake = [&](const char* name) {
        return ClearableItem{name, name, [&, name](ClearSince since, std::function<void()> done) {
                                 cleared.push_back(name);
                                 seen = since;
                                 finish = done;
                             }};
    };
    Application::instance().clearableData().add(fake("chkFakeKept"));
    Application::instance().clearableData().add(fake("chkFakeSpared"));

    auto* item = testing::probe(w).widget<Gtk::MenuItem>("mnuToolsClearData");
    ASSERT_NE(item, nullptr);
    item->activate();
    testing::drainEvents();
    auto* d = dynamic_cast<frmClearData*>(Application::instance().windows().find("frmClearData"));
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->get_visible());

    // Every offered item has its tick, ticked; only one stays so.
    std::vector<std::string> ticks;
    for (Gtk::Widget* child : d->boxClearItems->get_children()) {
        auto* tick = dynamic_cast<Gtk::CheckButton*>(child);
        ASSERT_NE(tick, nullptr);
        ticks.push_back(tick->get_name());
        EXPECT_TRUE(tick->get_active()) << ticks.back();
        if (ticks.back() != "chkFakeKept") tick->set_active(false);
    }
    EXPECT_EQ(ticks.size(), Application::instance().clearableData().items().size());
    EXPECT_NE(std::find(ticks.begin(), ticks.end(), "chkClearCookies"), ticks.end());

    d->cboRange->set_active_text("The last hour");
    const auto before = system_clock::now();
    d->cmdClear->clicked();
    const auto after = system_clock::now();
    EXPECT_EQ(cleared, std::vector<std::string>{"chkFakeKept"});
    ASSERT_TRUE(seen);
    EXPECT_GE(*seen, before - hours(1));
    EXPECT_LE(*seen, after - hours(1));
    EXPECT_TRUE(d->get_visible()) << "the item has not finished yet";
    EXPECT_FALSE(d->cmdClear->get_sensitive());

    finish();
    EXPECT_FALSE(d->get_visible());

    // Opened again, the ticks are as the user left them; everything hands over no time.
    item->activate();
    testing::drainEvents();
    ASSERT_TRUE(d->get_visible());
    d->cboRange->set_active_text("Everything");
    d->cmdClear->clicked();
    EXPECT_EQ(cleared, (std::vector<std::string>{"chkFakeKept", "chkFakeKept"}));
    EXPECT_FALSE(seen);
}

}  // namespace
}  // namespace larkspan
