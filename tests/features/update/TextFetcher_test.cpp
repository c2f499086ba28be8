// Fetching text from a loopback server: the body as it is, and every kind of failure.
#include "features/update/TextFetcher.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "support/PageServer.hpp"
#include "support/TestCertificate.hpp"
#include "support/Wait.hpp"

namespace larkspan::update {
namespace {

struct Answer {
    bool arrived = false;
    std::optional<std::string> body;
};

std::shared_ptr<Answer> fetchNow(TextFetcher& fetcher, const std::string& address) {
    auto answer = std::make_shared<Answer>();
    fetcher.fetch(address, [answer](std::optional<std::string> body) {
        answer->arrived = true;
        answer->body = std::move(body);
    });
    EXPECT_TRUE(test::waitUntil([answer] { return answer->arrived; }, 10000)) << address;
    return answer;
}

TEST(TextFetcherTest, GivesTheWholeBodyUnchanged) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    const std::string body = "1.2.3\r\n  \xE9t\xE9\n";
    server.addPage("/Downloads/progver.txt", body, "text/plain");
    TextFetcher fetcher;
    EXPECT_EQ(fetchNow(fetcher, server.url("/Downloads/progver.txt"))->body, body);
}

TEST(TextFetcherTest, MissingFileUnreachableServerAndClearTextAddressFail) {
    TextFetcher fetcher;
    std::string closedPort;
    {
        test::PageServer server;
        ASSERT_TRUE(server.listening());
        EXPECT_EQ(fetchNow(fetcher, server.url("/missing.txt"))->body, std::nullopt);
        closedPort = server.url("/Downloads/progver.txt");
    }
    EXPECT_EQ(fetchNow(fetcher, closedPort)->body, std::nullopt);
    EXPECT_EQ(fetchNow(fetcher, "http://updates.example.org/Downloads/progver.txt")->body,
              std::nullopt);
}

TEST(TextFetcherTest, EncryptedAddressIsFetchedOnlyFromATrustedServer) {
    if (test::kNoTlsInThisBuild) GTEST_SKIP() << "no TLS in the sanitizer build";
    test::PageServer server(test::kSelfSignedPem);
    ASSERT_TRUE(server.listening());
    server.addPage("/Downloads/progver.txt", "9.9.9", "text/plain");
    TextFetcher fetcher;
    EXPECT_EQ(fetchNow(fetcher, server.url("/Downloads/progver.txt"))->body, std::nullopt);
    EXPECT_EQ(server.requestCount("/Downloads/progver.txt"), 0);
}

TEST(TextFetcherTest, AnswerOfAFetcherThatIsGoneNeverArrives) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.holdPage("/slow.txt");
    bool called = false;
    auto fetcher = std::make_unique<TextFetcher>();
    fetcher->fetch(server.url("/slow.txt"),
                   [&called](std::optional<std::string>) { called = true; });
    ASSERT_TRUE(test::waitUntil([&] { return server.requestCount("/slow.txt") == 1; }, 10000));
    fetcher.reset();
    server.releaseHeld();
    // The cancelled fetch has ended by the time a later one has been answered.
    TextFetcher second;
    server.addPage("/after.txt", "x", "text/plain");
    EXPECT_EQ(fetchNow(second, server.url("/after.txt"))->body, "x");
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace larkspan::update
