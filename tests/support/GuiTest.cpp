#include "support/GuiTest.hpp"

#include "app/Application.hpp"
#include "support/FakePageEngine.hpp"

namespace larkspan::testing {

void GuiTest::SetUp() {
    WindowTest::SetUp();
    Application::setEngineFactory([] { return std::make_unique<FakePageEngine>(); });
}

void GuiTest::TearDown() {
    Application::shutdown();
    WindowTest::TearDown();
}

Application& GuiTest::context() {
    return Application::instance();
}

void RealEngineTest::SetUp() {
    initGtk();
    Application::setEngineFactory(nullptr);
}

void RealEngineTest::TearDown() {
    Application::shutdown();
    drainEvents();
}

}  // namespace larkspan::testing
