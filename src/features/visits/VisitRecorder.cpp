#include "features/visits/VisitRecorder.hpp"

#include <glib.h>
#include <glibmm/main.h>
#include <sigc++/adaptors/track_obj.h>

#include <iterator>
#include <utility>

#include "engine/PageEngine.hpp"
#include "shell/Page.hpp"

namespace larkspan::visits {

bool recordable(const PageEngine& engine, const std::string& address) {
    if (engine.isPrivate() || engine.showsErrorPage()) return false;
    gchar* scheme = g_uri_parse_scheme(address.c_str());
    if (scheme == nullptr) return false;
    std::string lower(scheme);
    g_free(scheme);
    for (char& c : lower) c = g_ascii_tolower(c);
    // The built-in site, blank and script pages, and everything else that is not a place
    // of the web or a file, are left out.
    return lower == "http" || lower == "https" || lower == "file";
}

VisitRecorder::VisitRecorder(std::function<void(const std::vector<VisitChange>&)> write,
                             unsigned delayMs)
    : write_(std::move(write)), delayMs_(delayMs) {}

VisitRecorder::~VisitRecorder() {
    flush();
}

void VisitRecorder::follow(Page& page) {
    // A page that moves to another window is announced again: it is followed once. The
    // connections of a page that has gone are broken, and its entry goes.
    for (auto it = followed_.begin(); it != followed_.end();) {
        it = it->second.connected() ? std::next(it) : followed_.erase(it);
    }
    if (followed_.count(&page) != 0) return;
    // The page's own handler runs first, so its address and typed mark are the new ones.
    followed_[&page] = page.engine().signalNavigateComplete2.connect(sigc::track_obj(
        [this, &page](const std::string&) {
            if (!recordable(page.engine(), page.address())) return;
            // The title still is the last page's here; the new one follows on its own.
            note({VisitChange::Kind::Visit, page.address(), "", g_get_real_time(),
                  page.arrivedTyped()});
        },
        *this, page));
    page.signalTitleChanged.connect(sigc::track_obj(
        [this, &page] {
            if (page.title().empty() || !recordable(page.engine(), page.address())) return;
            note({VisitChange::Kind::Title, page.address(), page.title(), 0, false});
        },
        *this));
}

void VisitRecorder::note(VisitChange change) {
    queue_.push_back(std::move(change));
    if (timer_.connected()) return;
    timer_ = Glib::signal_timeout().connect(
        [this] {
            flush();
            return false;
        },
        delayMs_);
}

void VisitRecorder::flush() {
    timer_.disconnect();
    if (queue_.empty()) return;
    std::vector<VisitChange> batch;
    batch.swap(queue_);
    write_(batch);
}

}  // namespace larkspan::visits
