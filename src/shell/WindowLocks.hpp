#pragma once

// What the password locks hold on the main windows: a window held unusable after a wrong
// web password, and the guard's caption a window shows while the lock dialog is up. The
// locks say what holds; each window observes the change and shows it itself.

#include <sigc++/sigc++.h>

#include <map>
#include <optional>
#include <string>

namespace larkspan {

class frmBrowser;

class WindowLocks {
  public:
    // A held window is unusable and its page stopped until it is let go.
    void hold(frmBrowser& window, bool held);
    bool held(const frmBrowser& window) const;

    // The guard's caption on `window`, shown until cleared.
    void showCaption(frmBrowser& window, const std::string& caption);
    void clearCaption(frmBrowser& window);
    std::optional<std::string> caption(const frmBrowser& window) const;

    // A closing window leaves the locks without a signal.
    void forget(const frmBrowser& window);

    // Something held on `window` changed.
    sigc::signal<void(frmBrowser& window)> signalChanged;

  private:
    struct State {
        bool held = false;
        std::optional<std::string> caption;
    };
    std::map<const frmBrowser*, State> states_;
};

}  // namespace larkspan
