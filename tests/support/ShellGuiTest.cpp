#include "support/ShellGuiTest.hpp"

#include <algorithm>

#include "shell/frmBrowser.hpp"

namespace larkspan::testing {

void ShellGuiTest::SetUp() {
    WindowTest::SetUp();
    context_ = std::make_unique<TestShellContext>();
}

void ShellGuiTest::TearDown() {
    context_.reset();
    WindowTest::TearDown();
}

void ShellGuiTest::renewContext() {
    context_.reset();
    drainEvents();
    context_ = std::make_unique<TestShellContext>();
}

FakePageEngine& ShellGuiTest::engine(frmBrowser& w) {
    return static_cast<FakePageEngine&>(w.page().engine());
}

long ShellGuiTest::count(frmBrowser& w, const std::string& call) {
    const auto& calls = engine(w).calls;
    return std::count(calls.begin(), calls.end(), call);
}

}  // namespace larkspan::testing
