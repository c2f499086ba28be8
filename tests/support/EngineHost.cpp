#include "support/EngineHost.hpp"

#include <gtkmm/main.h>
#include <webkit2/webkit2.h>

#include <memory>

#include "support/Wait.hpp"

namespace larkspan::test {

void initEngineTests() {
    static const bool initialized = [] {
        gtk_init(nullptr, nullptr);
        Gtk::Main::init_gtkmm_internals();
        return true;
    }();
    (void)initialized;
}

EngineHost::EngineHost(std::unique_ptr<PageEngine> engine) : engine_(std::move(engine)) {
    window_ = std::make_unique<Gtk::Window>();
    window_->set_default_size(640, 480);
    window_->add(engine_->widget());
    window_->show_all();
    PageEngine& e = *engine_;
    connections_.push_back(e.signalNavigateComplete2.connect(
        [this](const std::string& url) { addresses.push_back(url); }));
    connections_.push_back(
        e.signalTitleChange.connect([this](const std::string& t) { titles.push_back(t); }));
    connections_.push_back(
        e.signalStatusTextChange.connect([this](const std::string& t) { statuses.push_back(t); }));
    connections_.push_back(
        e.signalProgressChange.connect([this](long p, long) { progress.push_back(p); }));
    connections_.push_back(e.signalDownloadComplete.connect([this] { ++completions; }));
}

EngineHost::~EngineHost() {
    for (auto& c : connections_) c.disconnect();
    engine_.reset();
    window_.reset();
}

WebKitWebView* EngineHost::view() const {
    return WEBKIT_WEB_VIEW(engine_->widget().gobj());
}

bool EngineHost::load(const std::string& address, int timeoutMs) {
    std::size_t seen = addresses.size();
    int completedBefore = completions;
    engine_->navigate(address);
    bool arrived = waitUntil(
        [&] {
            for (std::size_t i = seen; i < addresses.size(); ++i) {
                if (addresses[i] == address) return true;
            }
            return false;
        },
        timeoutMs);
    return arrived && waitUntil([&] { return completions > completedBefore; }, timeoutMs);
}

void EngineHost::runScript(const std::string& script) {
    webkit_web_view_evaluate_javascript(view(), script.c_str(), -1, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
}

std::optional<std::string> EngineHost::markup(int timeoutMs) {
    // The answer may come after the wait gave up: it goes into state that outlives it.
    struct Answer {
        bool done = false;
        std::optional<std::string> markup;
    };
    auto answer = std::make_shared<Answer>();
    engine_->documentMarkup([answer](std::optional<std::string> m) {
        answer->markup = std::move(m);
        answer->done = true;
    });
    waitUntil([&] { return answer->done; }, timeoutMs);
    return answer->markup;
}

}  // namespace larkspan::test
