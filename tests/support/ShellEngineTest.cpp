#include "support/ShellEngineTest.hpp"

#include "common/Dialogs.hpp"
#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"

namespace larkspan::testing {

void ShellEngineTest::SetUp() {
    initGtk();
    engine::startSandboxTrial();
    auto session = std::make_shared<WebSession>(WebSessionFolders::program());
    context_ = std::make_unique<TestShellContext>([session] {
        return makeWebKitPageEngine([]() -> Dialogs& { return larkspan::dialogs(); }, session);
    });
}

void ShellEngineTest::TearDown() {
    context_.reset();
    drainEvents();
}

}  // namespace larkspan::testing
