#include "support/GuiTest.hpp"

#include "app/Application.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
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
    // No test here is about ad blocking: the lists of the machine are left uncompiled.
    SettingsStore(SettingsStore::defaultFile()).write(keys::kSettings, keys::kBlockAds, "0");
}

void RealEngineTest::TearDown() {
    Application::shutdown();
    drainEvents();
}

}  // namespace larkspan::testing
