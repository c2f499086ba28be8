#include "shell/MailLink.hpp"

#include <gtest/gtest.h>

#include <optional>

#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

TEST(MailLinkTest, SubjectIsPercentEncoded) {
    EXPECT_EQ(mailtoAddress("joe@example.com",
                            "Q&A #1 \xC3\xBC"
                            "ber"),
              "mailto:joe@example.com?subject=Q%26A%20%231%20%C3%BCber");
    EXPECT_EQ(mailtoAddress("a@b.example", "1+1=2? 100%"),
              "mailto:a@b.example?subject=1%2B1%3D2%3F%20100%25");
    EXPECT_EQ(mailtoAddress("a@b.example", "plain-text_ok.~"),
              "mailto:a@b.example?subject=plain-text_ok.~");
}

TEST(MailLinkTest, AddressKeepsItsSyntaxAndEncodesTheRest) {
    EXPECT_EQ(mailtoAddress("  joe+news@example.com ", ""), "mailto:joe+news@example.com?subject=");
    EXPECT_EQ(mailtoAddress("a@x.example,b@y.example", "hi"),
              "mailto:a@x.example,b@y.example?subject=hi");
    EXPECT_EQ(mailtoAddress("x?cc=evil@z#frag", ""), "mailto:x%3Fcc%3Devil@z%23frag?subject=");
    EXPECT_EQ(mailtoAddress("j\xC3\xB6rg@example.com", ""),
              "mailto:j%C3%B6rg@example.com?subject=");
}

// The address the questions gave, if they gave one.
std::optional<std::string> asked() {
    std::optional<std::string> link;
    askMailLink(nullptr, [&link](const std::string& l) { link = l; });
    return link;
}

TEST(MailLinkTest, AsksForAddressThenSubject) {
    testing::ScriptedDialogs d;
    d.input("joe@example.com");
    d.input("Hello there");
    auto link = asked();
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, "mailto:joe@example.com?subject=Hello%20there");
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[0].text, "Enter email address");
    EXPECT_EQ(d.shown()[0].title, "email");
    EXPECT_EQ(d.shown()[1].text, "Enter subject for email");
    EXPECT_EQ(d.shown()[1].title, "subject");
}

TEST(MailLinkTest, CancellingEitherBoxCancelsTheMail) {
    {
        testing::ScriptedDialogs d;
        d.input(std::nullopt);
        EXPECT_FALSE(asked());
        EXPECT_EQ(d.shown().size(), 1u) << "no subject is asked for a cancelled mail";
    }
    {
        testing::ScriptedDialogs d;
        d.input("joe@example.com");
        d.input(std::nullopt);
        EXPECT_FALSE(asked());
        EXPECT_TRUE(d.allAnswered());
    }
}

TEST(MailLinkTest, EmptyAnswersStillMakeAMail) {
    testing::ScriptedDialogs d;
    d.input("");
    d.input("");
    EXPECT_EQ(asked(), std::optional<std::string>("mailto:?subject="));
}

}  // namespace
}  // namespace larkspan
