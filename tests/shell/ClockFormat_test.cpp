#include "shell/ClockFormat.hpp"

#include <glibmm/datetime.h>
#include <gtest/gtest.h>

namespace larkspan {
namespace {

// The panel's text at 15:07 for a locale with the time format `localeFormat`.
std::string panelAt1507(const char* localeFormat) {
    auto t = Glib::DateTime::create_utc(2026, 12, 8, 15, 7, 42);
    return t.format(clockTimeFormat(localeFormat)).raw();
}

TEST(ClockFormat, TwelveHourLocalesGetAnAmPmClockOthersATwentyFourHourOne) {
    // A 12-hour locale: the hour without a leading zero, and the locale's PM ("C" here).
    EXPECT_EQ(panelAt1507("%r"), "3:07 PM");
    EXPECT_EQ(panelAt1507("%I:%M:%S %p"), "3:07 PM");
    EXPECT_EQ(panelAt1507("%l:%M:%S %p %Z"), "3:07 PM");
    EXPECT_EQ(panelAt1507("%OI.%M"), "3:07 PM");
    // 24-hour locales, seconds left out.
    EXPECT_EQ(panelAt1507("%H:%M:%S"), "15:07");
    EXPECT_EQ(panelAt1507("%T"), "15:07");
    EXPECT_EQ(panelAt1507("%Hh%M"), "15:07");
    // A literal "%I" is no hour.
    EXPECT_EQ(panelAt1507("%%I %H:%M"), "15:07");
    EXPECT_EQ(panelAt1507(""), "15:07");
}

}  // namespace
}  // namespace larkspan
