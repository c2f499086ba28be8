// The engine's failures against pages served on 127.0.0.1: a page process that dies shows
// the engine's error page in its own view only, a site that refuses the connection or whose
// certificate fails verification is not loaded but explained.
#include <gtest/gtest.h>
#include <signal.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <set>
#include <string>

#include "engine/webkit/ErrorPages.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "support/EngineHost.hpp"
#include "support/PageProcesses.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/TestCertificate.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

using test::EngineHost;
using test::pageProcesses;
using test::PageServer;
using test::waitUntil;

constexpr int kTimeoutMs = 15000;

class EngineFailuresTest : public ::testing::Test {
  protected:
    void SetUp() override { test::initEngineTests(); }

    std::unique_ptr<EngineHost> host() {
        return std::make_unique<EngineHost>(
            makeWebKitPageEngine([this]() -> Dialogs& { return dialogs; }));
    }
    static bool titled(const EngineHost& h, const std::string& title) {
        return !h.titles.empty() && h.titles.back() == title;
    }

    testing::ScriptedDialogs dialogs;
};

TEST_F(EngineFailuresTest, KilledPageProcessShowsTheErrorPageInItsViewOnly) {
    PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/other", "<html><head><title>Other</title></head><body>other</body></html>");
    server.addPage("/victim", "<html><head><title>Victim</title></head><body>v</body></html>");
    auto other = host();
    ASSERT_TRUE(other->load(server.url("/other")));
    std::set<pid_t> before = pageProcesses();

    auto victim = host();
    ASSERT_TRUE(victim->load(server.url("/victim")));
    std::set<pid_t> started;
    for (pid_t pid : pageProcesses()) {
        if (!before.count(pid)) started.insert(pid);
    }
    ASSERT_FALSE(started.empty());
    std::size_t otherEvents = other->eventCount();
    std::size_t victimStatuses = victim->statuses.size();
    int completions = victim->completions;
    for (pid_t pid : started) ::kill(pid, SIGKILL);

    ASSERT_TRUE(waitUntil([&] { return victim->completions > completions; }, kTimeoutMs));
    EXPECT_EQ(victim->engine().documentTitle(), engine::kStoppedTitle);
    EXPECT_EQ(victim->engine().locationName(), engine::kStoppedTitle);
    // The address stays the page's, the status panel is cleared and stays so.
    EXPECT_EQ(victim->engine().locationURL(), server.url("/victim"));
    ASSERT_GT(victim->statuses.size(), victimStatuses);
    for (std::size_t i = victimStatuses; i < victim->statuses.size(); ++i) {
        EXPECT_EQ(victim->statuses[i], "") << i;
    }
    EXPECT_EQ(victim->progress.back(), -1);
    std::optional<std::string> markup = victim->markup();
    ASSERT_TRUE(markup);
    EXPECT_NE(markup->find(engine::escapeHtml(server.url("/victim"))), std::string::npos);
    EXPECT_NE(markup->find("unexpectedly"), std::string::npos) << "a crash, not an ending";

    // The other view heard nothing and still shows its page.
    EXPECT_EQ(other->eventCount(), otherEvents);
    EXPECT_EQ(other->engine().locationURL(), server.url("/other"));
    EXPECT_EQ(other->engine().documentTitle(), "Other");

    // Reload loads the page afresh.
    victim->runScript("document.getElementById('reload').click();");
    ASSERT_TRUE(waitUntil([&] { return server.requestCount("/victim") == 2; }, kTimeoutMs));
    EXPECT_TRUE(
        waitUntil([&] { return victim->engine().documentTitle() == "Victim"; }, kTimeoutMs));
}

TEST_F(EngineFailuresTest, EndedPageProcessShowsTheErrorPageToo) {
    PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/page", "<html><head><title>Page</title></head><body>p</body></html>");
    auto h = host();
    ASSERT_TRUE(h->load(server.url("/page")));
    int completions = h->completions;
    webkit_web_view_terminate_web_process(h->view());
    ASSERT_TRUE(waitUntil([&] { return h->completions > completions; }, kTimeoutMs));
    EXPECT_EQ(h->engine().documentTitle(), engine::kStoppedTitle);
    EXPECT_EQ(h->engine().locationURL(), server.url("/page"));
}

TEST_F(EngineFailuresTest, SelfSignedCertificateGivesTheErrorPageAndNoLoad) {
    if (test::kNoTlsInThisBuild) GTEST_SKIP() << "no TLS in the sanitizer build";
    PageServer server(test::kSelfSignedPem);
    ASSERT_TRUE(server.listening());
    server.addPage("/secret", "<html><head><title>Secret</title></head><body>s</body></html>");
    auto h = host();
    int secureReports = 0;
    int lastSecure = -1;
    h->engine().signalSetSecureLockIcon.connect([&](int state) {
        ++secureReports;
        lastSecure = state;
    });
    const std::string address = server.url("/secret");
    h->engine().navigate(address);
    ASSERT_TRUE(waitUntil(
        [&] {
            return h->completions > 0 && h->engine().documentTitle() == engine::kCertificateTitle;
        },
        kTimeoutMs));
    EXPECT_EQ(server.requestCount("/secret"), 0);
    EXPECT_EQ(h->engine().locationURL(), address);
    EXPECT_EQ(h->addresses.back(), address);
    EXPECT_GT(secureReports, 0);
    EXPECT_EQ(lastSecure, engine::kSecureNone);
    for (const std::string& status : h->statuses) {
        EXPECT_NE(status, engine::kStatusDone) << "the error page tells no status";
    }
    std::optional<std::string> markup = h->markup();
    ASSERT_TRUE(markup);
    EXPECT_NE(markup->find(address), std::string::npos);
    EXPECT_NE(markup->find("unknown issuer"), std::string::npos);
    EXPECT_EQ(markup->find("<a "), std::string::npos);
    EXPECT_FALSE(titled(*h, "Secret"));
}

TEST_F(EngineFailuresTest, RefusedConnectionShowsTheUnreachablePageWithTryAgain) {
    std::string address;
    {
        // A port that was just listened on and is closed now refuses connections.
        PageServer gone;
        ASSERT_TRUE(gone.listening());
        address = gone.url("/away");
    }
    auto h = host();
    h->engine().navigate(address);
    ASSERT_TRUE(waitUntil(
        [&] {
            return h->completions > 0 && h->engine().documentTitle() == engine::kUnreachableTitle;
        },
        kTimeoutMs))
        << h->engine().documentTitle();
    EXPECT_EQ(h->engine().locationURL(), address);
    EXPECT_EQ(h->addresses.back(), address);
    EXPECT_EQ(h->progress.back(), -1);
    for (const std::string& status : h->statuses) {
        EXPECT_NE(status, engine::kStatusDone) << "the error page tells no status";
    }
    std::optional<std::string> markup = h->markup();
    ASSERT_TRUE(markup);
    EXPECT_NE(markup->find("refused the connection"), std::string::npos) << *markup;
    EXPECT_NE(markup->find(address), std::string::npos);

    // Try Again asks the address once more, and fails the same way.
    int completions = h->completions;
    h->runScript("document.getElementById('retry').click();");
    ASSERT_TRUE(waitUntil([&] { return h->completions > completions; }, kTimeoutMs));
    EXPECT_TRUE(waitUntil([&] { return h->engine().documentTitle() == engine::kUnreachableTitle; },
                          kTimeoutMs));
}

}  // namespace
}  // namespace larkspan
