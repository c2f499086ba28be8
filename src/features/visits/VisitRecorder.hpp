#pragma once

// Notes each completed top-level navigation of a normal window's page, and each title such a
// page tells, and hands them to the visit store in batches: queued in memory and written in
// one transaction a moment later (and at once when asked, at exit), never while a key or a
// drawing is handled. Private pages, the engine's error pages and the program's built-in
// pages are not noted.

#include <sigc++/sigc++.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "features/visits/VisitStore.hpp"

namespace larkspan {
class Page;
class PageEngine;
}  // namespace larkspan

namespace larkspan::visits {

// Whether a page at `address` shown by `engine` is one the history keeps: a web page or a
// file, in a normal window, that is not an error page.
bool recordable(const PageEngine& engine, const std::string& address);

class VisitRecorder : public sigc::trackable {
  public:
    // `write` receives each batch, oldest change first; `delayMs` is how long a change waits
    // for others to join it.
    VisitRecorder(std::function<void(const std::vector<VisitChange>&)> write, unsigned delayMs);
    ~VisitRecorder();
    VisitRecorder(const VisitRecorder&) = delete;
    VisitRecorder& operator=(const VisitRecorder&) = delete;

    // Notes the page's arrivals and titles from now on, for as long as it lives.
    void follow(Page& page);
    // Writes what waits now.
    void flush();
    bool waiting() const { return !queue_.empty(); }

  private:
    void note(VisitChange change);

    std::function<void(const std::vector<VisitChange>&)> write_;
    unsigned delayMs_;
    std::vector<VisitChange> queue_;
    std::map<const Page*, sigc::connection> followed_;
    sigc::connection timer_;
};

}  // namespace larkspan::visits
