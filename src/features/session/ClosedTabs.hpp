#pragma once

// The tabs and windows closed during this run, the latest first, each with its pages'
// histories, so that History > "Reopen Closed Tab" can bring them back.

#include <cstddef>
#include <deque>
#include <vector>

#include <sigc++/sigc++.h>

#include "features/session/Session.hpp"

namespace larkspan {

class Page;
class ShellContext;
class frmBrowser;

class ClosedTabs : public sigc::trackable {
  public:
    // How many closed tabs and windows are kept.
    static constexpr std::size_t kKept = 10;

    explicit ClosedTabs(ShellContext& context);
    ~ClosedTabs();
    ClosedTabs(const ClosedTabs&) = delete;
    ClosedTabs& operator=(const ClosedTabs&) = delete;

    bool empty() const { return closed_.empty(); }
    // Brings back the one closed last: a tab as the shown tab of `window`, a window as a
    // new window. Nothing happens when nothing was closed.
    void reopen(frmBrowser& window);
    // Forgets every closed tab and window.
    void clear();

  private:
    struct Closed {
        SessionWindow pages;
        bool wholeWindow = false;
    };
    // A page closed in the current turn of the main loop; `from` only tells windows apart
    // until the turn ends, and is never used to reach the window.
    struct Pending {
        const frmBrowser* from;
        // The tab its window showed.
        bool shown;
        SessionTab tab;
    };
    void pageClosed(frmBrowser& window, Page& page);
    void windowClosed(frmBrowser& window);
    void settle();
    void keep(Closed closed);

    ShellContext& context_;
    std::deque<Closed> closed_;
    // A window closes all its pages and then itself in one turn; a tab closed alone has no
    // window closing after it. The pages wait for the turn's end to tell which it was.
    std::vector<Pending> pending_;
    sigc::connection settling_;
};

}  // namespace larkspan
