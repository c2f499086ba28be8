// The engine's error pages: what they say, and that an address cannot put markup in them.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/ErrorPages.hpp"

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
    for (const std::string& page : {stoppedPage(address, PageEnd::Crashed),
                                    certificatePage(address, 0), noSandboxPage(address)}) {
        EXPECT_FALSE(contains(page, "<script>"));
        EXPECT_TRUE(contains(page, "http://x/&quot;&gt;&lt;script&gt;alert(&#39;1&#39;)"));
    }
    EXPECT_TRUE(contains(stoppedPage(address, PageEnd::Crashed),
                         "href=\"http://x/&quot;&gt;&lt;script&gt;"));
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
