// The engine's error pages: what they say, and that an address cannot put markup in them.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <set>
#include <string>

#include "engine/webkit/ErrorPages.hpp"

namespace larkspan::engine {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ErrorPagesTest, StoppedPageShowsTheAddressAndReloadsIt) {
    const std::string address = "http://example.org/a?x=1&y=2";
    std::string page = stoppedPage(address, PageEnd::Crashed);
    EXPECT_TRUE(contains(page, std::string("<title>") + kStoppedTitle + "</title>"));
    EXPECT_TRUE(contains(page, "http://example.org/a?x=1&amp;y=2"));
    EXPECT_TRUE(contains(page, "href=\"http://example.org/a?x=1&amp;y=2\">Reload</a>"));
    // Each reason of the end has its own sentence.
    EXPECT_NE(stoppedPage(address, PageEnd::Crashed), stoppedPage(address, PageEnd::Ended));
    EXPECT_NE(stoppedPage(address, PageEnd::Crashed), stoppedPage(address, PageEnd::OutOfMemory));
    // Nothing to reload without an address.
    EXPECT_FALSE(contains(stoppedPage("", PageEnd::Crashed), "<a "));
}

TEST(ErrorPagesTest, AnAddressCannotBreakOutOfTextOrAttribute) {
    const std::string address = "http://x/\"><script>alert('1')</script>";
    for (const std::string& page :
         {stoppedPage(address, PageEnd::Crashed), certificatePage(address, 0),
          noSandboxPage(address), unreachablePage(address, LoadFailure::Other, address)}) {
        EXPECT_FALSE(contains(page, "<script>"));
        EXPECT_TRUE(contains(page, "http://x/&quot;&gt;&lt;script&gt;alert(&#39;1&#39;)"));
    }
    EXPECT_TRUE(contains(stoppedPage(address, PageEnd::Crashed),
                         "href=\"http://x/&quot;&gt;&lt;script&gt;"));
}

TEST(ErrorPagesTest, AFailedLoadIsExplainedUnlessItWasStoppedOrHandedElsewhere) {
    struct Case {
        GQuark domain;
        int code;
        std::optional<LoadFailure> meaning;
    };
    const Case cases[] = {
        {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED, std::nullopt},
        {G_IO_ERROR, G_IO_ERROR_CANCELLED, std::nullopt},
        {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE,
         std::nullopt},
        {G_RESOLVER_ERROR, G_RESOLVER_ERROR_NOT_FOUND, LoadFailure::NameNotFound},
        {G_RESOLVER_ERROR, G_RESOLVER_ERROR_TEMPORARY_FAILURE, LoadFailure::NoNetwork},
        {G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED, LoadFailure::Refused},
        {G_IO_ERROR, G_IO_ERROR_TIMED_OUT, LoadFailure::TimedOut},
        {G_IO_ERROR, G_IO_ERROR_NETWORK_UNREACHABLE, LoadFailure::NoNetwork},
        {G_IO_ERROR, G_IO_ERROR_HOST_UNREACHABLE, LoadFailure::NoNetwork},
        {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL, LoadFailure::Other},
        {G_IO_ERROR, G_IO_ERROR_FAILED, LoadFailure::Other},
    };
    for (const Case& c : cases) {
        GError* error = g_error_new_literal(c.domain, c.code, "why");
        EXPECT_EQ(loadFailureOf(error), c.meaning) << g_quark_to_string(c.domain) << c.code;
        g_error_free(error);
    }
}

TEST(ErrorPagesTest, UnreachablePageSaysWhyInItsOwnWordsAndOffersTryAgain) {
    const std::string address = "http://example.invalid/a?x=1&y=2";
    std::set<std::string> pages;
    for (LoadFailure why : {LoadFailure::NameNotFound, LoadFailure::Refused, LoadFailure::TimedOut,
                            LoadFailure::NoNetwork, LoadFailure::Other}) {
        std::string page = unreachablePage(address, why, "Error resolving <host>");
        EXPECT_TRUE(contains(page, std::string("<title>") + kUnreachableTitle + "</title>"));
        EXPECT_TRUE(contains(page, "href=\"http://example.invalid/a?x=1&amp;y=2\">Try Again</a>"));
        pages.insert(page);
    }
    EXPECT_EQ(pages.size(), 5u) << "each reason has its own words";
    // Only a failure without words of its own shows the engine's.
    EXPECT_FALSE(contains(unreachablePage(address, LoadFailure::Refused, "detail"), "detail"));
    EXPECT_TRUE(
        contains(unreachablePage(address, LoadFailure::Other, "Error <x>"), "Error &lt;x&gt;"));
}

TEST(ErrorPagesTest, EachCertificateProblemIsNamedAndNoneIsLeftUnexplained) {
    const unsigned flags[] = {G_TLS_CERTIFICATE_UNKNOWN_CA,    G_TLS_CERTIFICATE_BAD_IDENTITY,
                              G_TLS_CERTIFICATE_NOT_ACTIVATED, G_TLS_CERTIFICATE_EXPIRED,
                              G_TLS_CERTIFICATE_REVOKED,       G_TLS_CERTIFICATE_INSECURE};
    std::set<std::string> sentences;
    unsigned all = 0;
    for (unsigned flag : flags) {
        auto problems = certificateProblems(flag);
        ASSERT_EQ(problems.size(), 1u) << flag;
        sentences.insert(problems[0]);
        all |= flag;
    }
    EXPECT_EQ(sentences.size(), std::size(flags));
    EXPECT_EQ(certificateProblems(all).size(), std::size(flags));
    // A failure the flags do not explain still gives a reason.
    EXPECT_EQ(certificateProblems(0).size(), 1u);
    EXPECT_EQ(certificateProblems(G_TLS_CERTIFICATE_GENERIC_ERROR).size(), 1u);
    EXPECT_EQ(sentences.count(certificateProblems(0)[0]), 0u);
}

TEST(ErrorPagesTest, CertificatePageListsTheProblemsAndOffersNoWayOn) {
    const std::string address = "https://127.0.0.1:8443/";
    std::string page =
        certificatePage(address, G_TLS_CERTIFICATE_UNKNOWN_CA | G_TLS_CERTIFICATE_EXPIRED);
    EXPECT_TRUE(contains(page, std::string("<title>") + kCertificateTitle + "</title>"));
    EXPECT_TRUE(contains(page, address));
    for (const std::string& problem :
         certificateProblems(G_TLS_CERTIFICATE_UNKNOWN_CA | G_TLS_CERTIFICATE_EXPIRED)) {
        EXPECT_TRUE(contains(page, "<li>" + problem + "</li>")) << problem;
    }
    EXPECT_FALSE(contains(page, "<a "));
    EXPECT_FALSE(contains(page, "<script"));
}

}  // namespace
}  // namespace larkspan::engine
