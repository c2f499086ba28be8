#pragma once

// A real page engine shown in a window of its own, with a record of what it reported, for
// engine tests.

#include <gtkmm/window.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/PageEngine.hpp"

typedef struct _WebKitWebView WebKitWebView;

namespace larkspan::test {

// Starts GTK once per process.
void initEngineTests();

class EngineHost {
  public:
    explicit EngineHost(std::unique_ptr<PageEngine> engine);
    ~EngineHost();
    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    PageEngine& engine() { return *engine_; }
    WebKitWebView* view() const;

    // Navigates and waits until the load of that address has completed.
    bool load(const std::string& address, int timeoutMs = 10000);
    // Runs a script in the page without waiting for it.
    void runScript(const std::string& script);
    // The page's markup, waited for; none when it did not come.
    std::optional<std::string> markup(int timeoutMs = 10000);

    // What the engine reported, in order.
    std::vector<std::string> addresses;  // NavigateComplete2
    std::vector<std::string> titles;     // TitleChange
    std::vector<std::string> statuses;   // StatusTextChange
    std::vector<long> progress;          // ProgressChange
    int completions = 0;                 // DownloadComplete
    // Everything at once, for "nothing happened since".
    std::size_t eventCount() const {
        return addresses.size() + titles.size() + statuses.size() + progress.size() +
               static_cast<std::size_t>(completions);
    }

  private:
    std::unique_ptr<PageEngine> engine_;
    std::unique_ptr<Gtk::Window> window_;
    std::vector<sigc::connection> connections_;
};

}  // namespace larkspan::test
