#include "support/TestShellContext.hpp"

#include "shell/ShellRegistration.hpp"
#include "support/FakePageEngine.hpp"

namespace larkspan::testing {

TestShellContext::TestShellContext(PageEngineFactory makeEngine)
    : app_(Gtk::Application::create("org.larkspan.ShellTests", Gio::APPLICATION_NON_UNIQUE)),
      makeEngine_(std::move(makeEngine)) {
    try {
        app_->register_application();
    } catch (const Glib::Error&) {
        // Without a session bus the windows join an application of their own all the same.
    }
    registerShell(*this, *app_.get());
    dropUnappliedOptionsOnClose(*this, [this] { return ending_; });
}

TestShellContext::~TestShellContext() {
    ending_ = true;
    closeEverything();
}

std::unique_ptr<PageEngine> TestShellContext::makeEngine() {
    if (makeEngine_) return makeEngine_();
    return std::make_unique<FakePageEngine>();
}

std::unique_ptr<PageEngine> TestShellContext::makePrivateEngine() {
    std::unique_ptr<PageEngine> engine = makeEngine();
    if (auto* fake = dynamic_cast<FakePageEngine*>(engine.get())) fake->privateSession = true;
    return engine;
}

}  // namespace larkspan::testing
