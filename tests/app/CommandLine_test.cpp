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

TEST(ParseCommandLine, OptionsTakeTheirAddressesAndTheRestAreAddressesToOpen) {
    std::string error;
    auto request =
        parseCommandLine({"larkspan", "a.test", "--new-window", "b.test", "--private-window",
                          "--private-window", "c.test", "--", "--odd-name"},
                         error);
    ASSERT_TRUE(request) << error;
    EXPECT_EQ(request->addresses, (std::vector<std::string>{"a.test", "--odd-name"}));
    EXPECT_EQ(request->newWindows, (std::vector<std::string>{"b.test"}));
    // A private window without an address opens on the home page.
    EXPECT_EQ(request->privateWindows, (std::vector<std::string>{"", "c.test"}));
    EXPECT_FALSE(request->help);
    EXPECT_TRUE(parseCommandLine({"larkspan", "-h"}, error)->help);
}

TEST(ParseCommandLine, AnUnknownOptionOrAMissingAddressIsRefusedWithItsName) {
    std::string error;
    EXPECT_FALSE(parseCommandLine({"larkspan", "--bogus"}, error));
    EXPECT_NE(error.find("--bogus"), std::string::npos) << error;
    EXPECT_FALSE(parseCommandLine({"larkspan", "--new-window"}, error));
    EXPECT_NE(error.find("--new-window"), std::string::npos) << error;
}

}  // namespace
}  // namespace larkspan
