#include "shell/FullScreenMode.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(FullScreenMode, TheUsersFullScreenOutlivesAPagesAndLeavingEndsBoth) {
    FullScreenMode mode;
    EXPECT_FALSE(mode.toggle());
    mode.pageEntered();
    mode.pageLeft();
    // The video left full screen; the user's own stays.
    EXPECT_TRUE(mode.shown());

    mode.pageEntered();
    // F11 while the page shows a video: the page is asked to leave, and nothing stays
    // full screen after it has.
    EXPECT_TRUE(mode.toggle());
    EXPECT_TRUE(mode.shown());
    mode.pageLeft();
    EXPECT_FALSE(mode.shown());
    // Leaving when nothing is full screen asks nothing of the page.
    EXPECT_FALSE(mode.leave());
    EXPECT_FALSE(mode.shown());
}

}  // namespace
}  // namespace larkspan
