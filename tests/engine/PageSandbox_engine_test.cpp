// The page processes' sandbox, seen from outside: after a page has loaded, every page
// process the test started lives in namespaces of its own and cannot see the user's files;
// and where the sandbox cannot be made, no page is loaded at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/webkit/ErrorPages.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "support/EngineHost.hpp"
#include "support/PageProcesses.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
using test::EngineHost;
using test::PageServer;

std::string namespaceOf(const std::string& pid, const char* kind) {
    std::error_code ec;
    return fs::read_symlink("/proc/" + pid + "/ns/" + kind, ec).string();
}

class PageSandboxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::initEngineTests();
        ASSERT_TRUE(server.listening());
        server.addPage("/page", "<html><head><title>page</title></head><body>x</body></html>");
        const char* base = std::getenv("LARKSPAN_TEST_ROOT");
        root = fs::path(base != nullptr ? base : "/tmp") / "sandbox";
        fs::create_directories(root);
    }

    std::unique_ptr<EngineHost> host(std::shared_ptr<WebSession> session) {
        return std::make_unique<EngineHost>(
            makeWebKitPageEngine([this]() -> Dialogs& { return dialogs; }, std::move(session)));
    }
    WebSessionFolders folders() const {
        return WebSessionFolders{root / "data", root / "cache", [this] { return root; }};
    }

    // Loads a page and checks every page process the test has started.
    void expectPageProcessesConfined(EngineHost& h) {
        ASSERT_TRUE(h.load(server.url("/page")));
        ASSERT_TRUE(test::waitUntil([&] { return h.engine().documentTitle() == "page"; }, 10000));
        // A file of the user's, which the test itself sees.
        const char* home = std::getenv("HOME");
        ASSERT_NE(home, nullptr);
        const fs::path secret = fs::path(home) / "secret.txt";
        std::ofstream(secret) << "mine";
        ASSERT_TRUE(fs::exists(secret));

        std::set<pid_t> pids = test::pageProcesses();
        ASSERT_FALSE(pids.empty()) << "no page process among the test's descendants";
        for (pid_t pid : pids) {
            const std::string id = std::to_string(pid);
            // The engine keeps the IPC namespace (for X11's shared memory); a user namespace
            // is made only for a user without the privilege to make the others.
            std::vector<const char*> kinds = {"mnt", "pid"};
            if (::geteuid() != 0) kinds.push_back("user");
            for (const char* kind : kinds) {
                std::string theirs = namespaceOf(id, kind);
                ASSERT_FALSE(theirs.empty()) << kind << " of " << pid;
                EXPECT_NE(theirs, namespaceOf("self", kind)) << kind << " of " << pid;
            }
            const fs::path seenFromPage = fs::path("/proc") / id / "root" / secret.relative_path();
            std::error_code ec;
            EXPECT_FALSE(fs::exists(seenFromPage, ec)) << seenFromPage;
            // ...whereas the system's files are there.
            EXPECT_TRUE(fs::exists(fs::path("/proc") / id / "root" / "usr" / "lib", ec));
        }
    }

    PageServer server;
    testing::ScriptedDialogs dialogs;
    fs::path root;
};

TEST_F(PageSandboxTest, ThePagesOfTheProgramsSessionRunConfined) {
    auto h = host(std::make_shared<WebSession>(folders()));
    expectPageProcessesConfined(*h);
}

TEST_F(PageSandboxTest, ThePagesOfTheEnginesDefaultContextRunConfined) {
    auto h = host(nullptr);
    expectPageProcessesConfined(*h);
}

TEST_F(PageSandboxTest, ALocalFileTheSandboxDoesNotSeeStillLoadsWithItsScript) {
    // The user's files are read for the page by the engine's processes outside.
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    const fs::path folder = fs::path(home) / "pages";
    fs::create_directories(folder);
    std::ofstream(folder / "local.html")
        << "<html><head><title>local</title><script src=\"local.js\"></script></head>"
           "<body>x</body></html>";
    std::ofstream(folder / "local.js") << "document.title = 'local and its script';";
    auto h = host(std::make_shared<WebSession>(folders()));
    ASSERT_TRUE(h->load("file://" + (folder / "local.html").string()));
    // The title the script set may reach the view after the load has ended.
    EXPECT_TRUE(test::waitUntil(
        [&] { return h->engine().documentTitle() == "local and its script"; }, 10000))
        << h->engine().documentTitle();
    for (pid_t pid : test::pageProcesses()) {
        std::error_code ec;
        EXPECT_FALSE(fs::exists(fs::path("/proc") / std::to_string(pid) / "root" /
                                    folder.relative_path() / "local.html",
                                ec));
    }
}

TEST_F(PageSandboxTest, WhereTheSandboxCannotBeMadeNoPageIsLoadedAndThePageSaysWhy) {
    auto h = host(std::make_shared<WebSession>(folders(), false));
    const std::string address = server.url("/page");
    ASSERT_TRUE(h->load(address));
    EXPECT_TRUE(test::waitUntil(
        [&] { return h->engine().documentTitle() == engine::kNoSandboxTitle; }, 10000));
    EXPECT_EQ(h->engine().locationURL(), address);
    // The refused load ends once, as the reason's page, which tells no status.
    EXPECT_EQ(h->completions, 1);
    ASSERT_FALSE(h->statuses.empty());
    EXPECT_EQ(h->statuses.back(), "");
    // Reloading asks again and gets the same answer: the page is never fetched.
    int completed = h->completions;
    h->engine().refresh();
    ASSERT_TRUE(test::waitUntil([&] { return h->completions > completed; }, 10000));
    EXPECT_EQ(h->engine().locationURL(), address);
    EXPECT_EQ(server.requestCount("/page"), 0);
}

}  // namespace
}  // namespace larkspan
