// A page's permission request is asked in the bar above its tab, answered there (and
// remembered for its site when ticked), and denied when left unanswered; private pages are
// asked every time and keep nothing.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "features/permissions/PermissionStore.hpp"
#include "shell/Page.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/Display.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using permissions::PermissionStore;
using permissions::SiteAnswer;
using testing::FakePageEngine;
using K = PermissionKind;

constexpr const char* kSite = "127.0.0.1:8080";

FakePageEngine& fake(Page& page) {
    return dynamic_cast<FakePageEngine&>(page.engine());
}

class SitePermissionsTest : public testing::GuiTest {
  protected:
    // Fires a request from `page`'s engine and keeps nothing of it but its answer.
    std::size_t ask(Page& page, K kind, const std::string& site = kSite) {
        std::size_t at = answers.size();
        answers.emplace_back();
        auto request = std::make_shared<PermissionRequest>(
            kind, site, [this, at](bool allowed) { answers[at] = allowed; });
        fake(page).signalPermissionRequested.emit(request);
        return at;
    }
    // The bar of `w` when shown, else null.
    Gtk::Widget* bar(frmBrowser& w) {
        Gtk::Widget* found =
            testing::findNamed(*testing::probe(w).widget<Gtk::Box>("PageBars"), "PermissionBar");
        return found && found->get_visible() ? found : nullptr;
    }
    std::string question(frmBrowser& w) {
        return dynamic_cast<Gtk::Label*>(testing::findNamed(*bar(w), "lblPermission"))->get_text();
    }
    Gtk::CheckButton& tick(frmBrowser& w) {
        return *dynamic_cast<Gtk::CheckButton*>(testing::findNamed(*bar(w), "chkRemember"));
    }
    void press(frmBrowser& w, const char* button) {
        dynamic_cast<Gtk::Button*>(testing::findNamed(*bar(w), button))->clicked();
    }

    std::vector<std::optional<bool>> answers;
};

TEST_F(SitePermissionsTest, TheBarOfTheAskingTabAnswersAndARememberedAnswerNeedsNoBar) {
    frmBrowser& w = startBrowser();
    Page& asking = w.page();
    fake(asking).completeNavigation("http://127.0.0.1:8080/ask.html", "Ask");
    Page& other = w.openTab("http://other.test/", frmBrowser::TabPlace::BesideInBackground);

    std::size_t first = ask(asking, K::Notifications);
    std::size_t again = ask(asking, K::Notifications);
    std::size_t where = ask(asking, K::Location);
    ASSERT_NE(bar(w), nullptr);
    EXPECT_EQ(question(w), "127.0.0.1:8080 wants to show notifications");
    // The question belongs to its tab.
    w.showPage(other);
    EXPECT_EQ(bar(w), nullptr);
    w.showPage(asking);
    ASSERT_NE(bar(w), nullptr);

    tick(w).set_active(true);
    press(w, "cmdAllow");
    EXPECT_EQ(answers[first], true);
    EXPECT_EQ(answers[again], true);
    // The next question of the page follows, its tick cleared; answered without it.
    ASSERT_NE(bar(w), nullptr);
    EXPECT_EQ(question(w), "127.0.0.1:8080 wants to know your location");
    EXPECT_FALSE(tick(w).get_active());
    press(w, "cmdBlock");
    EXPECT_EQ(answers[where], false);
    EXPECT_EQ(bar(w), nullptr);

    EXPECT_EQ(PermissionStore(PermissionStore::defaultFile()).all(),
              (std::vector<SiteAnswer>{{kSite, K::Notifications, true}}));
    // Remembered: answered at once, in any tab; the unremembered one is asked again.
    EXPECT_EQ(answers[ask(other, K::Notifications)], true);
    std::size_t asked = ask(asking, K::Location);
    EXPECT_EQ(answers[asked], std::nullopt);
    EXPECT_NE(bar(w), nullptr);
}

TEST_F(SitePermissionsTest, LeavingThePageDeniesAndAPrivatePageIsAskedAndKeepsNothing) {
    frmBrowser& w = startBrowser();
    Page& page = w.page();
    fake(page).completeNavigation("http://127.0.0.1:8080/ask.html", "Ask");
    std::size_t left = ask(page, K::Camera);
    fake(page).completeNavigation("http://127.0.0.1:8080/ask.html#below", "Ask");
    EXPECT_EQ(answers[left], std::nullopt);
    fake(page).completeNavigation("http://elsewhere.test/", "Elsewhere");
    EXPECT_EQ(answers[left], false);
    EXPECT_EQ(bar(w), nullptr);

    PermissionStore(PermissionStore::defaultFile()).remember(kSite, K::Clipboard, true);
    fake(page).privateSession = true;
    std::size_t asked = ask(page, K::Clipboard);
    ASSERT_NE(bar(w), nullptr);
    EXPECT_FALSE(tick(w).get_visible());
    press(w, "cmdBlock");
    EXPECT_EQ(answers[asked], false);
    EXPECT_EQ(PermissionStore(PermissionStore::defaultFile()).all(),
              (std::vector<SiteAnswer>{{kSite, K::Clipboard, true}}));
}

}  // namespace
}  // namespace larkspan
