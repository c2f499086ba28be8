#pragma once

#include <memory>
#include <string>

#include "support/FakePageEngine.hpp"
#include "support/TestShellContext.hpp"
#include "support/WindowTest.hpp"

namespace larkspan {
class frmBrowser;
}

namespace larkspan::testing {

// A test of the shell's windows in a context of their own, around fake page engines.
class ShellGuiTest : public WindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    TestShellContext& context() override { return *context_; }
    // Ends the context and starts a new one on the same folders, as a second run would.
    void renewContext();

    // The fake engine of the page `w` shows, and how often that engine was asked for `call`.
    static FakePageEngine& engine(frmBrowser& w);
    static long count(frmBrowser& w, const std::string& call);

  private:
    std::unique_ptr<TestShellContext> context_;
};

}  // namespace larkspan::testing
