#pragma once

// Sites' permission requests, answered by the user. A request is answered at once from a
// remembered answer; otherwise it becomes a question in the bar above the pages of the
// window that holds the page, shown while that page is the window's shown tab. Questions of
// one page queue up, a request for what is already asked joins that question, and a page
// that closes or goes to another address denies what it left unanswered. Pages of private
// windows are always asked and remember nothing.
//
// Notifications a page was allowed to show go to the desktop's notifications; clicking one
// shows its page, when it is still there.

#include <sigc++/trackable.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/PageEngine.hpp"
#include "features/permissions/PermissionStore.hpp"

namespace larkspan {

class ShellContext;
class Page;
class frmBrowser;

namespace permissions {

class PermissionBar;

// The action a notification's click runs, its target naming the page.
inline constexpr const char* kShowNotifiedPage = "show-notified-page";

class SitePermissions : public sigc::trackable {
  public:
    explicit SitePermissions(ShellContext& context);
    ~SitePermissions();
    SitePermissions(const SitePermissions&) = delete;
    SitePermissions& operator=(const SitePermissions&) = delete;

    // The remembered answers, opened when first needed.
    PermissionStore& store();
    // Shows the page a notification came from, named by the action's target.
    void showNotifiedPage(unsigned long long pageId);

  private:
    struct Question {
        PermissionKind kind;
        std::string site;
        // Where the page was when it asked; leaving that address denies the question.
        std::string address;
        std::vector<std::shared_ptr<PermissionRequest>> requests;
        unsigned serial;
    };

    void pageOpened(Page& page);
    void pageClosed(Page& page);
    void requested(Page& page, const std::shared_ptr<PermissionRequest>& request);
    void addressChanged(Page& page);
    void notify(Page& page, const PageNotification& notification);
    void windowMade(frmBrowser& window);
    void windowClosed(frmBrowser& window);
    // The bar of `window` shows the first question of its shown page, or goes.
    void showBar(frmBrowser& window);
    void showBars();
    void answered(frmBrowser& window, bool allowed, bool remember);
    // Answers the questions of ordinary pages that the remembered answers now settle.
    void settleFromStore();

    ShellContext& ctx_;
    std::unique_ptr<PermissionStore> store_;
    std::map<const Page*, std::deque<Question>> questions_;
    std::map<const frmBrowser*, PermissionBar*> bars_;
    std::map<Page*, unsigned long long> pageIds_;
    unsigned long long lastPageId_ = 0;
    unsigned lastSerial_ = 0;
};

}  // namespace permissions
}  // namespace larkspan
