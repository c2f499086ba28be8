// The session's content filter on a real page: a load the rules block is never fetched,
// except on a site the user allowed.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "support/EngineHost.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
constexpr int kTimeoutMs = 30000;

// What the page's image came to: "shown" or "refused"; empty while neither.
std::string imageOutcome(const test::EngineHost& host) {
    for (const auto& title : host.titles) {
        if (title == "shown" || title == "refused") return title;
    }
    return {};
}

TEST(ContentFilters, BlockedImageIsNotFetchedExceptOnAnAllowedSite) {
    test::initEngineTests();
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/page", R"(<html><body><img src="/ad.png"
        onload="document.title='shown'" onerror="document.title='refused'"></body></html>)");
    server.addPage("/ad.png", "not really an image", "image/png");
    const char* base = std::getenv("LARKSPAN_TEST_ROOT");
    fs::path root = fs::path(base != nullptr ? base : "/tmp") / "filters";
    auto session = std::make_shared<WebSession>(
        WebSessionFolders{root / "data", root / "cache", [root] { return root; }});
    testing::ScriptedDialogs dialogs;
    test::EngineHost host(makeWebKitPageEngine([&]() -> Dialogs& { return dialogs; }, session));

    bool compiled = false;
    bool answered = false;
    session->filters().compile(
        "test-rules", R"([{"trigger":{"url-filter":"ad\\.png"},"action":{"type":"block"}}])",
        [&](bool ok) {
            compiled = ok;
            answered = true;
        });
    ASSERT_TRUE(test::waitUntil([&] { return answered; }, kTimeoutMs));
    ASSERT_TRUE(compiled);

    ASSERT_TRUE(host.load(server.url("/page"), kTimeoutMs));
    ASSERT_TRUE(test::waitUntil([&] { return !imageOutcome(host).empty(); }, kTimeoutMs));
    EXPECT_EQ(imageOutcome(host), "refused");
    EXPECT_EQ(server.requestCount("/ad.png"), 0);

    session->filters().setBlocking(true, {"127.0.0.1"});
    host.titles.clear();
    ASSERT_TRUE(host.load(server.url("/page") + "?again", kTimeoutMs));
    ASSERT_TRUE(test::waitUntil([&] { return !imageOutcome(host).empty(); }, kTimeoutMs));
    EXPECT_EQ(server.requestCount("/ad.png"), 1);
}

}  // namespace
}  // namespace larkspan
