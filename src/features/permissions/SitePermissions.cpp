#include "features/permissions/SitePermissions.hpp"

#include <giomm/application.h>
#include <giomm/notification.h>
#include <gtkmm/box.h>
#include <sigc++/adaptors/track_obj.h>

#include <algorithm>

#include "common/Failure.hpp"
#include "features/permissions/PermissionBar.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::permissions {

namespace {

// The address without its fragment: a move to another part of the same document is no
// navigation away from it.
std::string documentOf(const std::string& address) {
    return address.substr(0, address.find('#'));
}

void answerAll(std::vector<std::shared_ptr<PermissionRequest>>& requests, bool allowed) {
    for (const auto& request : requests) {
        if (allowed) {
            request->allow();
        } else {
            request->deny();
        }
    }
    requests.clear();
}

}  // namespace

SitePermissions::SitePermissions(ShellContext& context) : ctx_(context) {
    ctx_.signalBrowserMade().connect(
        sigc::track_obj([this](frmBrowser& window) { windowMade(window); }, *this));
    ctx_.signalBrowserClosed().connect(
        sigc::track_obj([this](frmBrowser& window) { windowClosed(window); }, *this));
    ctx_.signalPageOpened().connect(
        sigc::track_obj([this](frmBrowser&, Page& page) { pageOpened(page); }, *this));
    ctx_.signalPageClosed().connect(
        sigc::track_obj([this](frmBrowser&, Page& page) { pageClosed(page); }, *this));
}

SitePermissions::~SitePermissions() {
    // Whatever is still asked is denied as the requests go.
    questions_.clear();
}

PermissionStore& SitePermissions::store() {
    // Opened when a site first asks, not while the program starts.
    if (!store_) store_ = std::make_unique<PermissionStore>(PermissionStore::defaultFile());
    return *store_;
}

void SitePermissions::windowMade(frmBrowser& window) {
    window.signalPageShown.connect(sigc::track_obj([this, &window] { showBar(window); }, *this));
}

void SitePermissions::windowClosed(frmBrowser& window) {
    // The bar goes with the window's widgets.
    bars_.erase(&window);
}

void SitePermissions::pageOpened(Page& page) {
    pageIds_[&page] = ++lastPageId_;
    // The page owns its signals, so these go with it.
    page.engine().signalPermissionRequested.connect(sigc::track_obj(
        [this, &page](const std::shared_ptr<PermissionRequest>& request) {
            requested(page, request);
        },
        *this));
    page.engine().signalShowNotification.connect(sigc::track_obj(
        [this, &page](const PageNotification& shown) { notify(page, shown); }, *this));
    page.signalAddressChanged.connect(
        sigc::track_obj([this, &page] { addressChanged(page); }, *this));
}

void SitePermissions::pageClosed(Page& page) {
    pageIds_.erase(&page);
    auto asked = questions_.find(&page);
    if (asked == questions_.end()) return;
    for (Question& question : asked->second) answerAll(question.requests, false);
    questions_.erase(asked);
    showBars();
}

void SitePermissions::requested(Page& page, const std::shared_ptr<PermissionRequest>& request) {
    if (!request || request->answered()) return;
    // A private page is asked every time, whatever ordinary pages were told.
    if (!page.isPrivate()) {
        if (std::optional<bool> known = store().answer(request->origin(), request->kind())) {
            *known ? request->allow() : request->deny();
            return;
        }
    }
    std::deque<Question>& asked = questions_[&page];
    auto same = std::find_if(asked.begin(), asked.end(), [&request](const Question& q) {
        return q.kind == request->kind() && q.site == request->origin();
    });
    if (same != asked.end()) {
        same->requests.push_back(request);
        return;
    }
    asked.push_back(
        {request->kind(), request->origin(), documentOf(page.address()), {request}, ++lastSerial_});
    if (frmBrowser* window = ctx_.windowHolding(page)) showBar(*window);
}

void SitePermissions::addressChanged(Page& page) {
    auto asked = questions_.find(&page);
    if (asked == questions_.end()) return;
    const std::string now = documentOf(page.address());
    auto& queue = asked->second;
    for (Question& question : queue) {
        if (question.address != now) answerAll(question.requests, false);
    }
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [](const Question& q) { return q.requests.empty(); }),
                queue.end());
    if (queue.empty()) questions_.erase(asked);
    if (frmBrowser* window = ctx_.windowHolding(page)) showBar(*window);
}

void SitePermissions::showBar(frmBrowser& window) {
    const Page* page = window.currentPage();
    auto asked = page ? questions_.find(page) : questions_.end();
    auto bar = bars_.find(&window);
    if (asked == questions_.end() || asked->second.empty()) {
        if (bar != bars_.end()) bar->second->hide();
        return;
    }
    if (bar == bars_.end()) {
        auto* place = dynamic_cast<Gtk::Box*>(window.place("PageBars"));
        if (!place) return;
        auto* made = Gtk::make_managed<PermissionBar>();
        made->signalAnswered.connect(sigc::track_obj(
            [this, &window](bool allowed, bool remember) { answered(window, allowed, remember); },
            *this));
        place->pack_start(*made, Gtk::PACK_SHRINK);
        bar = bars_.emplace(&window, made).first;
    }
    const Question& question = asked->second.front();
    bar->second->ask(question.serial, question.site, question.kind, !page->isPrivate());
}

void SitePermissions::showBars() {
    for (frmBrowser* window : ctx_.browsers()) showBar(*window);
}

void SitePermissions::answered(frmBrowser& window, bool allowed, bool remember) {
    const Page* page = window.currentPage();
    auto asked = page ? questions_.find(page) : questions_.end();
    if (asked == questions_.end() || asked->second.empty()) return;
    Question question = std::move(asked->second.front());
    asked->second.pop_front();
    if (asked->second.empty()) questions_.erase(asked);
    if (remember && !page->isPrivate()) {
        store().remember(question.site, question.kind, allowed);
        settleFromStore();
    }
    answerAll(question.requests, allowed);
    showBars();
}

void SitePermissions::settleFromStore() {
    for (auto asked = questions_.begin(); asked != questions_.end();) {
        auto& queue = asked->second;
        if (!asked->first->isPrivate()) {
            for (Question& question : queue) {
                if (std::optional<bool> known = store().answer(question.site, question.kind)) {
                    answerAll(question.requests, *known);
                }
            }
            queue.erase(std::remove_if(queue.begin(), queue.end(),
                                       [](const Question& q) { return q.requests.empty(); }),
                        queue.end());
        }
        asked = queue.empty() ? questions_.erase(asked) : std::next(asked);
    }
}

void SitePermissions::notify(Page& page, const PageNotification& shown) {
    auto app = Gio::Application::get_default();
    auto id = pageIds_.find(&page);
    // Notifications need the application on the session bus.
    if (!app || !app->is_registered() || id == pageIds_.end()) return;
    std::string site = engine::permissionOrigin(page.address());
    auto notification = Gio::Notification::create(shown.title.empty() ? site : shown.title);
    notification->set_body(shown.body);
    g_notification_set_default_action_and_target_value(
        notification->gobj(), (std::string("app.") + kShowNotifiedPage).c_str(),
        g_variant_new_uint64(id->second));
    // A page's newer notification takes the place of its older one.
    app->send_notification("page-" + std::to_string(id->second), notification);
}

void SitePermissions::showNotifiedPage(unsigned long long pageId) {
    auto found = std::find_if(pageIds_.begin(), pageIds_.end(),
                              [pageId](const auto& entry) { return entry.second == pageId; });
    if (found == pageIds_.end()) return;
    // The page is one of a window's while its id is known.
    Page& page = *found->first;
    frmBrowser* window = ctx_.windowHolding(page);
    if (!window) return;
    window->showPage(page);
    window->present();
}

}  // namespace larkspan::permissions
