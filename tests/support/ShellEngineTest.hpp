#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/Display.hpp"
#include "support/TestShellContext.hpp"

namespace larkspan::testing {

// A test of the shell's main windows around the real web engine, in a context of their own
// whose engines share one session in the test's folders as the program's do.
class ShellEngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    TestShellContext& context() { return *context_; }

  private:
    std::unique_ptr<TestShellContext> context_;
};

}  // namespace larkspan::testing
