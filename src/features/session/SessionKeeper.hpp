#pragma once

// Keeps the session of the running program: it writes the main windows, their tabs and each
// page's history to the session file as they change, and at the start after a run that did
// not end cleanly it offers, in a bar above the first window's page, to bring them back.

#include <memory>
#include <optional>
#include <vector>

#include <sigc++/sigc++.h>

#include "features/session/RunRecord.hpp"
#include "features/session/Session.hpp"
#include "features/session/SessionWriter.hpp"

namespace Gtk {
class InfoBar;
}

namespace larkspan {

class Page;
class ShellContext;
class frmBrowser;

class SessionKeeper : public sigc::trackable {
  public:
    // The program's keeper: the session and run files in the data folder.
    explicit SessionKeeper(ShellContext& context);
    ~SessionKeeper();
    SessionKeeper(const SessionKeeper&) = delete;
    SessionKeeper& operator=(const SessionKeeper&) = delete;

    // The session as the main windows hold it now.
    static Session gather(const ShellContext& context);
    // Opens `session`'s windows and tabs: the first window's in `first` (whose own page gives
    // way unless it was asked for), the others in new windows once the main loop is idle.
    // Each tab loads when it is first shown.
    static void restore(ShellContext& context, frmBrowser& first, const Session& session);

    // Removes the saved session: the file goes, and what was waiting to be written with it;
    // the session is written again at the next change of the windows.
    void forgetSaved();

  private:
    // How this run starts, decided once from the run record, the option and the last
    // session (kept in last_ unless the start is normal).
    runrecord::Start decide();
    void windowLoading(frmBrowser& window);
    void pageOpened(Page& page);
    void windowClosed(frmBrowser& window);
    void offerRestore(frmBrowser& window);
    void answered(bool restore);
    void changed();

    ShellContext& context_;
    RunGuard guard_;
    SessionWriter writer_;
    std::optional<runrecord::Start> decided_;
    std::optional<Session> last_;
    // The session of the run before, while the bar offers it.
    std::optional<Session> offered_;
    Gtk::InfoBar* bar_ = nullptr;
    bool started_ = false;
    // No writing while the offered session waits for its answer, nor once the last window
    // has closed.
    bool holding_ = false;
};

}  // namespace larkspan
