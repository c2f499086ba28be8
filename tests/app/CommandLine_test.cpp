#include "app/CommandLine.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

bool none(const std::string&) {
    return false;
}

TEST(CommandLineAddress, BareHostsBecomeWebAddressesOtherArgumentsStayAsGiven) {
    EXPECT_EQ(commandLineAddress("example.com", none), "http://example.com");
    EXPECT_EQ(commandLineAddress("example.com/a?b=c", none), "http://example.com/a?b=c");
    EXPECT_EQ(commandLineAddress("localhost:8080/page", none), "http://localhost:8080/page");
    EXPECT_EQ(commandLineAddress("localhost:8080", none), "http://localhost:8080");

    EXPECT_EQ(commandLineAddress("https://example.com", none), "https://example.com");
    EXPECT_EQ(commandLineAddress("mailto:a@b.c", none), "mailto:a@b.c");
    EXPECT_EQ(commandLineAddress("about:blank", none), "about:blank");
    EXPECT_EQ(commandLineAddress("/tmp/page.html", none), "/tmp/page.html");
    EXPECT_EQ(commandLineAddress("./page.html", none), "./page.html");
    EXPECT_EQ(commandLineAddress("--help", none), "--help");
    EXPECT_EQ(commandLineAddress("", none), "");
}

TEST(CommandLineAddress, AnExistingFileKeepsItsName) {
    auto exists = [](const std::string& name) { return name == "page.html"; };
    EXPECT_EQ(commandLineAddress("page.html", exists), "page.html");
    EXPECT_EQ(commandLineAddress("other.html", exists), "http://other.html");
}

}  // namespace
}  // namespace larkspan
