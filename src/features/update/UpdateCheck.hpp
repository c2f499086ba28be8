#pragma once

// The update check, from the Help menu, the About box or a main window's start-up: fetch the
// offered version text, compare it with the program's own, then say "You are up to date!"
// or show the update window.

#include <functional>
#include <memory>
#include <string>

#include <sigc++/signal.h>

#include "features/update/TextFetcher.hpp"
#include "features/update/UpdateRules.hpp"

namespace larkspan {
class ShellContext;
}

namespace larkspan::update {

// The files on the update server.
inline constexpr const char* kVersionFile = "/Downloads/progver.txt";
inline constexpr const char* kNameFile = "/Downloads/progname.txt";
inline constexpr const char* kDescriptionFile = "/Downloads/des.txt";

// The registry's name of the update window.
inline constexpr const char* kUpdateWindow = "frmPop";

// The address of `file` on the update server; empty when no update server is set.
std::string updateFileAddress(ShellContext& context, const char* file);

class UpdateCheck {
  public:
    explicit UpdateCheck(ShellContext& context);

    // Fetches the offered version and acts on it once it arrives (see `decide`). The update
    // window opens modeless, owned by the first main window, with the focus; `offered` runs
    // after it opened. With no update server configured nothing is fetched: a check the
    // user asked for says once that updates come through the system's package manager, a
    // start-up check does nothing. Checks started while others run are each answered.
    void run(Trigger trigger, std::function<void()> offered = {});

    // The version text last fetched ("Text1" before the first).
    const std::string& versionBox() const { return versionBox_; }

    // Emitted after each answer was acted on, with what it led to.
    sigc::signal<void(Outcome)> answered;

  private:
    void answer(Trigger trigger, const std::optional<std::string>& fetched,
                const std::function<void()>& offered);

    ShellContext& ctx_;
    TextFetcher fetcher_;
    std::string versionBox_ = kVersionBoxInitial;
};

// Shows the update window modeless, owned by the first main window, with the focus.
void showUpdateWindow(ShellContext& context);

}  // namespace larkspan::update
