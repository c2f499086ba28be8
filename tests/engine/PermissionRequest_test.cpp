// A permission request is answered once, and one let go unanswered is denied; the site it
// names is the address's host with the port the address gives.
#include "engine/PermissionRequest.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace larkspan {
namespace {

TEST(PermissionRequest, OnlyTheFirstAnswerCountsAndNoAnswerDenies) {
    std::vector<bool> answers;
    auto record = [&answers](bool allowed) { answers.push_back(allowed); };
    {
        PermissionRequest asked(PermissionKind::Location, "maps.test", record);
        asked.allow();
        asked.deny();
        EXPECT_TRUE(asked.answered());
    }
    { PermissionRequest unanswered(PermissionKind::Camera, "call.test", record); }
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
}

TEST(PermissionRequest, TheSiteIsTheHostInLowerCaseWithTheGivenPort) {
    EXPECT_EQ(engine::permissionOrigin("http://127.0.0.1:8080/ask.html"), "127.0.0.1:8080");
    EXPECT_EQ(engine::permissionOrigin("https://Maps.Example.ORG/a?b#c"), "maps.example.org");
    EXPECT_EQ(engine::permissionOrigin("https://[::1]:8443/"), "[::1]:8443");
    EXPECT_EQ(engine::permissionOrigin("file:///home/u/page.html"), "");
    EXPECT_EQ(engine::permissionOrigin("about:blank"), "");
}

}  // namespace
}  // namespace larkspan
