#include "features/session/SessionKeeper.hpp"

#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <algorithm>

#include "common/Failure.hpp"
#include "features/session/SessionFile.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kRestoreQuestion =
    "Larkspan did not close properly. Restore the pages you had open?";
enum Response { kRestore = 1, kDismiss = 2 };

}  // namespace

SessionKeeper::SessionKeeper(ShellContext& context)
    : context_(context),
      writer_([&context] { return gather(context); }, session::sessionFilePath()) {
    context.signalMainWindowLoading().connect(sigc::mem_fun(*this, &SessionKeeper::windowLoading));
    context.signalPageOpened().connect([this](frmBrowser&, Page& page) { pageOpened(page); });
    context.signalPageClosed().connect([this](frmBrowser&, Page&) { changed(); });
    context.signalBrowserClosed().connect(sigc::mem_fun(*this, &SessionKeeper::windowClosed));
}

SessionKeeper::~SessionKeeper() {
    // The windows have written what they held when the last one closed.
    if (started_) guard_.endedCleanly();
}

Session SessionKeeper::gather(const ShellContext& context) {
    Session session;
    for (const frmBrowser* window : context.browsers()) {
        SessionWindow saved;
        const WindowGeometry& g = window->geometry();
        saved.place = {window->windowState(), g.left(), g.top(), g.width(), g.height()};
        const Page* shown = window->currentPage();
        for (const auto& page : window->pages()) {
            if (page.get() == shown) saved.current = saved.tabs.size();
            saved.tabs.push_back({page->address(), page->title(), page->historyState()});
        }
        if (!saved.tabs.empty()) session.windows.push_back(std::move(saved));
    }
    return session;
}

void SessionKeeper::restore(ShellContext& context, frmBrowser& first, const Session& session) {
    for (std::size_t i = 0; i < session.windows.size(); ++i) {
        const SessionWindow& saved = session.windows[i];
        frmBrowser& window = i == 0 ? first : context.createBrowserWindow();
        Page* fresh = &window.page();
        Page* current = nullptr;
        for (std::size_t t = 0; t < saved.tabs.size(); ++t) {
            const SessionTab& tab = saved.tabs[t];
            Page& page = window.addPage(context.makeEngine());
            PageEngine* engine = &page.engine();
            page.loadWhenShown(tab.address, tab.title, tab.history, [engine, tab] {
                if (!engine->restoreHistoryState(tab.history)) engine->navigate(tab.address);
            });
            if (t == saved.current) current = &page;
        }
        if (current) window.showPage(*current);
        window.closePage(*fresh);
        // The first window shows itself (it may still be starting).
        if (i > 0) window.show();
    }
}

void SessionKeeper::windowLoading(frmBrowser& window) {
    if (started_) return;
    started_ = true;
    std::optional<Session> last;
    try {
        last = session::readSessionFile(session::sessionFilePath());
    } catch (...) {
        reportFailure("reading the last session");
    }
    bool have = last && !last->windows.empty();
    bool restoreOption = false;
    try {
        restoreOption = context_.options().restoreSession;
    } catch (...) {
        reportFailure("reading when the session is restored");
    }
    switch (guard_.begin(restoreOption, have)) {
        case runrecord::Start::OfferRestore:
            if (!have) break;
            offered_ = std::move(last);
            holding_ = true;
            offerRestore(window);
            break;
        case runrecord::Start::AutoRestore:
            if (!have) break;
            guard_.restoreBegun();
            restore(context_, window, *last);
            break;
        case runrecord::Start::Normal:
            break;
    }
    changed();
}

void SessionKeeper::offerRestore(frmBrowser& window) {
    auto* place = dynamic_cast<Gtk::Box*>(window.place("PageBars"));
    if (!place) return;
    bar_ = Gtk::make_managed<Gtk::InfoBar>();
    bar_->set_name("RestoreBar");
    bar_->set_message_type(Gtk::MESSAGE_QUESTION);
    auto* text = Gtk::make_managed<Gtk::Label>(kRestoreQuestion);
    text->set_line_wrap(true);
    text->set_xalign(0);
    dynamic_cast<Gtk::Container*>(bar_->get_content_area())->add(*text);
    bar_->add_button("_Restore", kRestore);
    bar_->add_button("_Dismiss", kDismiss);
    bar_->signal_response().connect([this](int response) { answered(response == kRestore); });
    place->pack_start(*bar_, Gtk::PACK_SHRINK);
    bar_->show_all();
}

void SessionKeeper::answered(bool restoreIt) {
    // The answered bar stays hidden in its place until its window goes.
    if (bar_) bar_->hide();
    bar_ = nullptr;
    std::optional<Session> offered = std::move(offered_);
    offered_.reset();
    holding_ = false;
    if (restoreIt && offered && context_.firstWindow()) {
        guard_.restoreBegun();
        restore(context_, *context_.firstWindow(), *offered);
    }
    changed();
}

void SessionKeeper::pageOpened(Page& page) {
    page.signalAddressChanged.connect(sigc::mem_fun(*this, &SessionKeeper::changed));
    page.signalTitleChanged.connect(sigc::mem_fun(*this, &SessionKeeper::changed));
    page.signalHistoryChanged.connect(sigc::mem_fun(*this, &SessionKeeper::changed));
    changed();
}

void SessionKeeper::windowClosed(frmBrowser& window) {
    const auto& open = context_.browsers();
    bool last = std::all_of(open.begin(), open.end(),
                            [&window](const frmBrowser* w) { return w == &window; });
    if (!last || holding_) {
        changed();
        return;
    }
    // The last window still counts: the session is what it held.
    writer_.flush();
    holding_ = true;
}

void SessionKeeper::changed() {
    if (started_ && !holding_) writer_.changed();
}

}  // namespace larkspan
