#include "support/ShellGuiTest.hpp"

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

}  // namespace larkspan::testing
