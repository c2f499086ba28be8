#include "features/session/SessionKeeper.hpp"

#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/Failure.hpp"
#include "features/session/RestorePages.hpp"
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
    // A session restored at the start fills the first window: its home page is not fetched.
    context.setFirstWindowFilled(
        [this] { return !started_ && decide() == runrecord::Start::AutoRestore; });
}

SessionKeeper::~SessionKeeper() {
    // The windows have written what they held when the last one closed.
    if (started_) guard_.endedCleanly();
}

Session SessionKeeper::gather(const ShellContext& context) {
    Session session;
    for (const frmBrowser* window : context.browsers()) {
        // What a private window shows is never written down.
        if (window->isPrivate()) continue;
        SessionWindow saved = session::savedWindow(*window);
        if (!saved.tabs.empty()) session.windows.push_back(std::move(saved));
    }
    return session;
}

void SessionKeeper::restore(ShellContext& context, frmBrowser& first, const Session& session) {
    if (session.windows.empty()) return;
    session::fillWindow(context, first, session.windows[0]);
    if (session.windows.size() == 1) return;
    // The other windows wait for the first window's page, so that the page the user sees
    // first does not share the machine with theirs.
    session::openWindowsAfter(
        context, first.page(),
        std::vector<SessionWindow>(session.windows.begin() + 1, session.windows.end()));
}

runrecord::Start SessionKeeper::decide() {
    if (decided_) return *decided_;
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
    decided_ = guard_.begin(restoreOption, have);
    if (*decided_ != runrecord::Start::Normal) last_ = std::move(last);
    return *decided_;
}

void SessionKeeper::windowLoading(frmBrowser& window) {
    // A private window neither offers nor takes the last session: the first ordinary one does.
    if (started_ || window.isPrivate()) return;
    started_ = true;
    switch (decide()) {
        case runrecord::Start::OfferRestore:
            offered_ = std::move(last_);
            holding_ = true;
            offerRestore(window);
            break;
        case runrecord::Start::AutoRestore:
            guard_.restoreBegun();
            restore(context_, window, *last_);
            last_.reset();
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

void SessionKeeper::forgetSaved() {
    writer_.drop();
    std::error_code ignored;
    std::filesystem::remove(session::sessionFilePath(), ignored);
}

void SessionKeeper::changed() {
    if (started_ && !holding_) writer_.changed();
}

}  // namespace larkspan
