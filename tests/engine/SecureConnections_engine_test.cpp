// Secure connections with the real engine against a plain server on 127.0.0.1: an address
// typed without a scheme is tried over https first and falls back to http, and while only
// secure connections are used a plain page of another machine is stopped until the user
// continues to it. Other machines are reached through the test server acting as the
// session's proxy, so nothing leaves this machine.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/webkit/ErrorPages.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "support/EngineHost.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
using test::EngineHost;
using test::PageServer;
using test::waitUntil;

constexpr int kTimeoutMs = 15000;

class SecureConnectionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::initEngineTests();
        ASSERT_TRUE(server.listening());
        const char* base = std::getenv("LARKSPAN_TEST_ROOT");
        root = fs::path(base != nullptr ? base : "/tmp") / "secure";
        fs::create_directories(root);
        session = std::make_shared<WebSession>(
            WebSessionFolders{root / "data", root / "cache", [this] { return root; }});
        h = std::make_unique<EngineHost>(
            makeWebKitPageEngine([this]() -> Dialogs& { return dialogs; }, session));
        h->engine().signalSetSecureLockIcon.connect([this](int state) { secure = state; });
    }

    bool showing(const std::string& title) {
        return waitUntil([&] { return h->engine().documentTitle() == title; }, kTimeoutMs);
    }

    PageServer server;
    testing::ScriptedDialogs dialogs;
    fs::path root;
    std::shared_ptr<WebSession> session;
    std::unique_ptr<EngineHost> h;
    int secure = -100;
};

TEST_F(SecureConnectionsTest, TypedAddressWithoutHttpsFallsBackToHttpAndTheSecureStateSaysSo) {
    server.addPage("/plain", "<html><head><title>Plain</title></head><body>p</body></html>");
    const std::string typed = "127.0.0.1:" + std::to_string(server.port()) + "/plain";

    h->engine().navigate(typed);
    ASSERT_TRUE(showing("Plain"));
    EXPECT_EQ(h->engine().locationURL(), server.url("/plain"));
    EXPECT_EQ(secure, engine::kSecureNotOffered);
    EXPECT_EQ(server.requestCount("/plain"), 1);

    // An address that names http itself is simply plain.
    h->engine().navigate(server.url("/plain"));
    ASSERT_TRUE(waitUntil([&] { return server.requestCount("/plain") == 2; }, kTimeoutMs));
    ASSERT_TRUE(waitUntil([&] { return secure == engine::kSecureNone; }, kTimeoutMs));
}

TEST_F(SecureConnectionsTest, SecureOnlyStopsAPlainPageOfAnotherMachineUntilTheUserContinues) {
    server.addPage("/far", "<html><head><title>Far</title></head><body>f</body></html>");
    server.addPage("/near", "<html><head><title>Near</title></head><body>n</body></html>");
    server.addPage("/again", "<html><head><title>Again</title></head><body>a</body></html>");
    WebKitNetworkProxySettings* proxy =
        webkit_network_proxy_settings_new(server.url("").c_str(), nullptr);
    webkit_website_data_manager_set_network_proxy_settings(
        webkit_web_context_get_website_data_manager(session->context()),
        WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
    webkit_network_proxy_settings_free(proxy);
    session->setSecureOnly(true);

    h->engine().navigate("http://far.example/far");
    ASSERT_TRUE(showing(engine::kInsecureTitle));
    EXPECT_EQ(server.requestCount("/far"), 0);
    EXPECT_EQ(h->engine().locationURL(), "http://far.example/far");

    // This machine's plain pages are not stopped.
    h->engine().navigate(server.url("/near"));
    ASSERT_TRUE(showing("Near"));

    h->engine().navigate("http://far.example/far");
    ASSERT_TRUE(showing(engine::kInsecureTitle));
    h->runScript("document.getElementById('continue').click();");
    ASSERT_TRUE(showing("Far"));
    EXPECT_EQ(server.requestCount("/far"), 1);

    // The site stays let through for the rest of the run.
    h->engine().navigate("http://far.example/again");
    ASSERT_TRUE(showing("Again"));
}

}  // namespace
}  // namespace larkspan
