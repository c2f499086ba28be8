#pragma once

#include "app/Application.hpp"
#include "support/WindowTest.hpp"

namespace larkspan::testing {

// A test with real windows in the application, with every feature: fake page engines,
// and the application object torn down afterwards.
class GuiTest : public WindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    Application& context() override;
};

// A test of main windows around the real web engine: the application torn down afterwards.
class RealEngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace larkspan::testing
