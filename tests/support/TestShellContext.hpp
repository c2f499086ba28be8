#pragma once

#include <gtkmm/application.h>

#include "engine/PageEngine.hpp"
#include "shell/OwningShellContext.hpp"

namespace larkspan::testing {

// The shell as the tests see it, without the application or any feature: the settings
// store in the test's folders, the options model, the dialogs the test installed, the
// shell's own shared windows and main windows around fake engines (or the engines
// `makeEngine` makes). The main windows join an application of the context's own, which
// holds their shortcuts.
class TestShellContext final : public OwningShellContext {
  public:
    explicit TestShellContext(PageEngineFactory makeEngine = {});
    ~TestShellContext() override;

    Gtk::Application& application() override { return *app_.get(); }

  protected:
    std::unique_ptr<PageEngine> makeEngine() override;
    // The factory's engine; a fake one is marked private.
    std::unique_ptr<PageEngine> makePrivateEngine() override;

  private:
    Glib::RefPtr<Gtk::Application> app_;
    PageEngineFactory makeEngine_;
    bool ending_ = false;
};

}  // namespace larkspan::testing
