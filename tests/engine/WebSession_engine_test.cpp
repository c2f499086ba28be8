// The engine's session against pages served on 127.0.0.1: cookies kept in the session's
// folders across a new session, and downloads saved whole, under unique names, and
// leaving nothing when cancelled.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/MakerSite.hpp"
#include "engine/Download.hpp"
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

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WebSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::initEngineTests();
        ASSERT_TRUE(server.listening());
        const char* base = std::getenv("LARKSPAN_TEST_ROOT");
        root = fs::path(base != nullptr ? base : "/tmp") / "session";
        downloads = root / "Downloads";
        fs::create_directories(root);
    }

    WebSessionFolders folders() const {
        return WebSessionFolders{root / "data", root / "cache", [this] { return downloads; }};
    }
    std::unique_ptr<EngineHost> host(const std::shared_ptr<WebSession>& session) {
        return std::make_unique<EngineHost>(
            makeWebKitPageEngine([this]() -> Dialogs& { return dialogs; }, session));
    }

    PageServer server;
    testing::ScriptedDialogs dialogs;
    fs::path root;
    fs::path downloads;
};

TEST_F(WebSessionTest, CookieIsSentAgainByASessionMadeAfreshOnTheSameFolders) {
    server.addPage("/set",
                   "<html><head><title>set</title></head><body>"
                   "<script>document.cookie = 'visit=one; max-age=3600; path=/';"
                   "document.title = 'stored';</script></body></html>");
    server.addPage("/check", "<html><head><title>check</title></head><body></body></html>");
    {
        auto session = std::make_shared<WebSession>(folders());
        auto h = host(session);
        ASSERT_TRUE(h->load(server.url("/set")));
        ASSERT_TRUE(waitUntil([&] { return !h->titles.empty() && h->titles.back() == "stored"; },
                              kTimeoutMs));
        // The same session sends it at once.
        ASSERT_TRUE(h->load(server.url("/check")));
        ASSERT_EQ(server.requestHeader("/check", "Cookie"), "visit=one");
    }

    auto again = std::make_shared<WebSession>(folders());
    auto h = host(again);
    ASSERT_TRUE(h->load(server.url("/check")));
    EXPECT_EQ(server.requestCount("/check"), 2);
    EXPECT_EQ(server.requestHeader("/check", "Cookie"), "visit=one");
}

TEST_F(WebSessionTest, TheMakersSiteLoadsInTheSession) {
    auto h = host(std::make_shared<WebSession>(folders()));
    ASSERT_TRUE(h->load(site::kHome));
    EXPECT_FALSE(h->engine().documentTitle().empty());
    EXPECT_EQ(h->engine().locationURL(), site::kHome);
}

// Keeps every download the engine hands over.
struct Downloads {
    explicit Downloads(PageEngine& engine) {
        engine.signalDownloadStarted.connect(
            [this](const std::shared_ptr<Download>& d) { items.push_back(d); });
    }
    bool waitEnded(std::size_t count) {
        return waitUntil(
            [&] { return items.size() >= count && items[count - 1]->status().ended(); },
            kTimeoutMs);
    }
    std::vector<std::shared_ptr<Download>> items;
};

std::string bodyOf(std::size_t bytes) {
    std::string body;
    for (std::size_t i = 0; i < bytes; ++i) body.push_back(static_cast<char>('a' + i * 7 % 26));
    return body;
}

TEST_F(WebSessionTest, AttachmentArrivesWholeAndASecondOneGetsAUniqueName) {
    const std::string body = bodyOf(200000);
    server.addPage("/get", body, "application/octet-stream");
    server.addHeader("/get", "Content-Disposition", "attachment; filename=\"report.txt\"");
    server.addPage("/page", "<html><head><title>page</title></head><body></body></html>");
    auto session = std::make_shared<WebSession>(folders());
    auto h = host(session);
    Downloads got(h->engine());
    ASSERT_TRUE(h->load(server.url("/page")));

    h->engine().navigate(server.url("/get"));
    ASSERT_TRUE(got.waitEnded(1));
    const Download& first = *got.items[0];
    EXPECT_EQ(first.status().state(), DownloadState::Completed);
    EXPECT_EQ(first.address(), server.url("/get"));
    EXPECT_EQ(first.file(), downloads / "report.txt");
    EXPECT_EQ(first.status().received(), body.size());
    EXPECT_EQ(contents(downloads / "report.txt"), body);

    h->engine().navigate(server.url("/get"));
    ASSERT_TRUE(got.waitEnded(2));
    EXPECT_EQ(got.items[1]->status().state(), DownloadState::Completed);
    EXPECT_EQ(got.items[1]->file(), downloads / "report (2).txt");
    EXPECT_EQ(contents(downloads / "report (2).txt"), body);
    // Both whole, nothing partial beside them, the first untouched.
    EXPECT_EQ(filesIn(downloads), (std::set<std::string>{"report.txt", "report (2).txt"}));
    EXPECT_EQ(contents(downloads / "report.txt"), body);
}

TEST_F(WebSessionTest, CancelledOrDroppedDownloadLeavesNoFile) {
    const std::string body = bodyOf(100000);
    server.streamPage("/slow", body, "application/octet-stream", 4096);
    server.addHeader("/slow", "Content-Disposition", "attachment; filename=\"slow.bin\"");
    auto session = std::make_shared<WebSession>(folders());
    auto h = host(session);
    Downloads got(h->engine());
    auto receiving = [&](std::size_t index) {
        return waitUntil(
            [&] {
                return got.items.size() > index && got.items[index]->status().received() > 0 &&
                       !filesIn(downloads).empty();
            },
            kTimeoutMs);
    };

    h->engine().navigate(server.url("/slow"));
    ASSERT_TRUE(receiving(0));
    Download& d = *got.items[0];
    EXPECT_EQ(d.file(), downloads / "slow.bin");
    EXPECT_EQ(d.status().state(), DownloadState::Receiving);
    EXPECT_FALSE(fs::exists(downloads / "slow.bin")) << "the final name waits for the end";
    d.cancel();
    ASSERT_TRUE(got.waitEnded(1));
    EXPECT_EQ(d.status().state(), DownloadState::Cancelled);
    EXPECT_TRUE(waitUntil([&] { return filesIn(downloads).empty(); }, kTimeoutMs))
        << *filesIn(downloads).begin();

    // A download nobody holds any more is cancelled, its partial file gone with it.
    h->engine().navigate(server.url("/slow"));
    ASSERT_TRUE(receiving(1));
    EXPECT_EQ(got.items[1]->file(), downloads / "slow.bin");
    got.items.clear();
    EXPECT_TRUE(waitUntil([&] { return filesIn(downloads).empty(); }, kTimeoutMs))
        << *filesIn(downloads).begin();
}

TEST_F(WebSessionTest, BrokenOffDownloadFailsAndLeavesNoFile) {
    server.streamPage("/cut", bodyOf(100000), "application/octet-stream", 4096);
    server.addHeader("/cut", "Content-Disposition", "attachment; filename=\"cut.bin\"");
    auto session = std::make_shared<WebSession>(folders());
    auto h = host(session);
    Downloads got(h->engine());
    h->engine().navigate(server.url("/cut"));
    ASSERT_TRUE(waitUntil(
        [&] {
            return !got.items.empty() && got.items[0]->status().received() > 0 &&
                   !filesIn(downloads).empty();
        },
        kTimeoutMs));
    server.breakHeld();
    ASSERT_TRUE(got.waitEnded(1));
    EXPECT_EQ(got.items[0]->status().state(), DownloadState::Failed);
    EXPECT_FALSE(got.items[0]->status().failure().empty());
    EXPECT_TRUE(waitUntil([&] { return filesIn(downloads).empty(); }, kTimeoutMs))
        << *filesIn(downloads).begin();
}

// The regular files under a folder, recursively, that hold `marker`.
std::vector<std::string> filesHolding(const fs::path& folder, const std::string& marker) {
    std::vector<std::string> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec) && contents(it->path()).find(marker) != std::string::npos)
            found.push_back(it->path().string());
    }
    return found;
}

TEST_F(WebSessionTest, APrivateSessionKeepsItsCookiesAndStorageToItselfAndOffTheDisk) {
    server.addPage("/set",
                   "<html><head><title>set</title></head><body>"
                   "<script>document.cookie = 'privatevisit=pv7f3a; max-age=3600; path=/';"
                   "localStorage.setItem('privatekept', 'pk9c2e'); document.title = 'stored';"
                   "</script></body></html>");
    server.addPage("/check", "<html><head><title>check</title></head><body></body></html>");
    auto ordinarySession = std::make_shared<WebSession>(folders());
    {
        auto session = WebSession::makePrivate(ordinarySession);
        auto h = host(session);
        EXPECT_TRUE(h->engine().isPrivate());
        ASSERT_TRUE(h->load(server.url("/set")));
        ASSERT_TRUE(waitUntil([&] { return !h->titles.empty() && h->titles.back() == "stored"; },
                              kTimeoutMs));
        ASSERT_TRUE(h->load(server.url("/check")));
        EXPECT_EQ(server.requestHeader("/check", "Cookie"), "privatevisit=pv7f3a");
        // A page of the ordinary session does not see it.
        auto ordinary = host(ordinarySession);
        EXPECT_FALSE(ordinary->engine().isPrivate());
        ASSERT_TRUE(ordinary->load(server.url("/check")));
        EXPECT_EQ(server.requestHeader("/check", "Cookie"), "");
    }
    // Nor does a private session made after it.
    {
        auto h = host(WebSession::makePrivate(ordinarySession));
        ASSERT_TRUE(h->load(server.url("/check")));
        EXPECT_EQ(server.requestCount("/check"), 3);
        EXPECT_EQ(server.requestHeader("/check", "Cookie"), "");
    }
    // No file in the test's folders (data, cache, settings) holds the cookie, the stored
    // value or the page that set them.
    const fs::path home = root.parent_path();
    for (const char* marker : {"pv7f3a", "pk9c2e", "privatekept"})
        EXPECT_EQ(filesHolding(home, marker), std::vector<std::string>{}) << marker;
}

}  // namespace
}  // namespace larkspan

namespace larkspan {
namespace {

std::vector<std::string> spellingLanguagesOf(WebKitWebContext* context) {
    std::vector<std::string> languages;
    const gchar* const* list = webkit_web_context_get_spell_checking_languages(context);
    for (; list != nullptr && *list != nullptr; ++list) languages.emplace_back(*list);
    return languages;
}

TEST_F(WebSessionTest, SpellCheckingIsOnOnlyWithLanguagesToCheckIn) {
    auto session = std::make_shared<WebSession>(folders());
    session->setSpellChecking(true, {"en_US"});
    EXPECT_TRUE(webkit_web_context_get_spell_checking_enabled(session->context()));
    EXPECT_EQ(spellingLanguagesOf(session->context()), std::vector<std::string>{"en_US"});
    session->setSpellChecking(false, {"en_US"});
    EXPECT_FALSE(webkit_web_context_get_spell_checking_enabled(session->context()));
    session->setSpellChecking(true, {});
    EXPECT_FALSE(webkit_web_context_get_spell_checking_enabled(session->context()));
}

TEST_F(WebSessionTest, APdfShowsInThePageAndSaveAsKeepsTheDocumentItself) {
    const std::string pdf =
        "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
        "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
        "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]>>endobj\n"
        "trailer<</Root 1 0 R>>\n%%EOF\n";
    // However the server hands over the escaped space.
    for (const char* path : {"/papers/Annual%20report.pdf", "/papers/Annual report.pdf"}) {
        server.addPage(path, pdf, "application/pdf");
    }
    auto h = host(std::make_shared<WebSession>(folders()));
    Downloads started(h->engine());
    ASSERT_TRUE(h->load(server.url("/papers/Annual%20report.pdf")));
    EXPECT_EQ(h->engine().locationURL(), server.url("/papers/Annual%20report.pdf"));
    EXPECT_TRUE(started.items.empty());

    const fs::path file = root / "kept.pdf";
    dialogs.file(file.string());
    ASSERT_TRUE(h->engine().saveAs());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "Annual report.pdf");
    EXPECT_TRUE(waitUntil([&] { return contents(file) == pdf; }, kTimeoutMs));
}

}  // namespace
}  // namespace larkspan
