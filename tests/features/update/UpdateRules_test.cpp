// The update check's decision and the addresses it may fetch from.
#include "features/update/UpdateRules.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace larkspan::update {
namespace {

TEST(UpdateRulesTest, OnlyTheExactOwnVersionIsUpToDate) {
    const std::string own = localVersionText();
    std::string box = kVersionBoxInitial;
    EXPECT_EQ(decide(Trigger::User, own, box, own), Outcome::UpToDate);
    EXPECT_EQ(box, own);
    EXPECT_EQ(decide(Trigger::Startup, own, box, own), Outcome::Silent);
    // Newer, older, with a line break or a space: all different, at start-up too.
    for (const std::string& offered :
         std::vector<std::string>{"9.9.9", "0.0.1", own + "\r\n", own + "\n", " " + own}) {
        EXPECT_EQ(decide(Trigger::User, offered, box, own), Outcome::OfferUpdate) << offered;
        EXPECT_EQ(box, offered);
        EXPECT_EQ(decide(Trigger::Startup, offered, box, own), Outcome::OfferUpdate) << offered;
    }
}

TEST(UpdateRulesTest, FailedFetchKeepsTheBoxAndStaysSilentAtStartUp) {
    const std::string own = localVersionText();
    std::string box = kVersionBoxInitial;
    EXPECT_EQ(decide(Trigger::Startup, std::nullopt, box, own), Outcome::Silent);
    // The user hears of it: the box still says "Text1", which is not the version.
    EXPECT_EQ(decide(Trigger::User, std::nullopt, box, own), Outcome::OfferUpdate);
    EXPECT_EQ(box, kVersionBoxInitial);
    // A box filled by an earlier fetch stays filled.
    decide(Trigger::User, own, box, own);
    EXPECT_EQ(decide(Trigger::User, std::nullopt, box, own), Outcome::UpToDate);
}

TEST(UpdateRulesTest, OnlyEncryptedOrLoopbackAddressesAreFetched) {
    for (const char* ok : {"https://updates.example.org/Downloads/progver.txt",
                           "HTTPS://example.org:8443/x", "http://127.0.0.1:8080/Downloads/des.txt",
                           "http://127.1.2.3/x", "http://localhost/x", "http://[::1]:80/x"}) {
        EXPECT_TRUE(isSafeUpdateAddress(ok)) << ok;
    }
    for (const char* refused :
         {"http://updates.example.org/Downloads/progver.txt", "http://127.0.0.1.example.org/x",
          "http://10.0.0.1/x", "ftp://example.org/x", "file:///etc/passwd", "https://", "",
          "not an address"}) {
        EXPECT_FALSE(isSafeUpdateAddress(refused)) << refused;
    }
}

}  // namespace
}  // namespace larkspan::update
