// How the options name a list in use.
#include "shell/ContentFilterStatus.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(ContentFilterStatus, ListLineTellsCountsOnceKnown) {
    // Noon, so that the day is the same in any time zone.
    FilterListStatus list{"/usr/share/lists/easylist.txt", 75295, 964, 1761912000, true};
    EXPECT_EQ(describe(list), "easylist.txt: 75295 rules (964 skipped), 2025-10-31");
    list.skipped = 0;
    EXPECT_EQ(describe(list), "easylist.txt: 75295 rules, 2025-10-31");
    list.counted = false;
    EXPECT_EQ(describe(list), "easylist.txt: being compiled, 2025-10-31");
}

}  // namespace
}  // namespace larkspan
