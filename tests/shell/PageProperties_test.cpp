// The texts the page properties window shows for what the engine reports.
#include <gtest/gtest.h>

#include "shell/PagePropertiesWindow.hpp"

namespace larkspan {
namespace {

TEST(PagePropertiesText, SizesGetThousandsSeparatorsAndGapsAreNamed) {
    PageProperties known{"Page", "http://example.org/", "text/html", 1234567, engine::kSecureNone};
    PagePropertiesText text = describePageProperties(known);
    EXPECT_EQ(text.title, "Page");
    EXPECT_EQ(text.size, "1,234,567 bytes");
    EXPECT_EQ(describePageProperties({"", "", "", 999, engine::kSecureNone}).size, "999 bytes");
    EXPECT_EQ(describePageProperties({"", "", "", 1000, engine::kSecureNone}).size, "1,000 bytes");

    PagePropertiesText unknown = describePageProperties({});
    EXPECT_EQ(unknown.title, "(untitled page)");
    EXPECT_EQ(unknown.type, "unknown");
    EXPECT_EQ(unknown.size, "unknown");
}

TEST(PagePropertiesText, EachSecureStateReadsDifferently) {
    auto security = [](int state) {
        return describePageProperties({"", "", "", std::nullopt, state}).security;
    };
    EXPECT_EQ(security(engine::kSecureNone), "Not secure");
    EXPECT_EQ(security(engine::kSecureVerified), "Secure");
    EXPECT_NE(security(engine::kSecureMixed), security(engine::kSecureVerified));
    EXPECT_NE(security(engine::kSecureMixed), security(engine::kSecureNone));
}

}  // namespace
}  // namespace larkspan
