// The session file gives back the windows, tabs and histories written to it, and a file that
// is not whole gives nothing at all.
#include "features/session/SessionFile.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/Paths.hpp"

namespace larkspan::session {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

Session twoWindows() {
    Session s;
    SessionWindow first;
    first.place = WindowPlaces{WindowPlaces::Normal, 120, 240, 9000, 7000};
    first.tabs = {{"http://a.test/", "A", "history\0of a\xff"s},
                  {"http://b.test/?q=\xe9", "B \xc3\xa9", ""}};
    first.current = 1;
    SessionWindow second;
    second.tabs = {{"about:blank", "", "\x01\x02"s}};
    s.windows = {first, second};
    return s;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(SessionFile, WindowsTabsAndHistoriesComeBackAsWritten) {
    const fs::path file = sessionFilePath();
    ASSERT_TRUE(writeSessionFile(twoWindows(), file));
    EXPECT_EQ(readSessionFile(file), twoWindows());
}

TEST(SessionFile, TornOrAlteredBytesGiveNoSession) {
    const std::string whole = encode(twoWindows());
    for (std::size_t cut : {std::size_t{1}, whole.size() / 3, whole.size() / 2, whole.size() - 1}) {
        EXPECT_FALSE(decode(whole.substr(0, cut))) << "cut at " << cut;
    }
    for (std::size_t at : {whole.size() / 4, whole.size() / 2, whole.size() - 2}) {
        std::string altered = whole;
        altered[at] = static_cast<char>(altered[at] ^ 0x20);
        EXPECT_FALSE(decode(altered)) << "altered at " << at;
    }
}

TEST(SessionFile, EmptyOrForeignFileGivesNoSessionAndIsSetAside) {
    const fs::path file = sessionFilePath();
    for (const std::string& bytes : {""s, "<html>not a session</html>\r\n"s}) {
        writeBytes(file, bytes);
        EXPECT_FALSE(readSessionFile(file));
        EXPECT_FALSE(fs::exists(file));
        std::ifstream kept(file.string() + ".unreadable", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), bytes);
    }
    EXPECT_FALSE(readSessionFile(paths::dataDir() / "missing.dat"));
}

TEST(SessionFile, ImpossibleWindowsComeBackUsable) {
    Session s = twoWindows();
    s.windows[0].current = 7;
    s.windows[0].place.state = 9;
    s.windows[0].place.left = NAN;
    s.windows[0].place.width = 1e300;
    s.windows.push_back(SessionWindow{});  // no tabs
    const std::optional<Session> read = decode(encode(s));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->windows.size(), 2u);
    const SessionWindow& w = read->windows[0];
    EXPECT_EQ(w.current, 1u);
    EXPECT_EQ(w.place.state, WindowPlaces::Maximized);
    EXPECT_EQ(w.place.left, WindowPlaces{}.left);
    EXPECT_EQ(w.place.width, WindowPlaces{}.width);
    EXPECT_EQ(w.place.top, 240);
}

}  // namespace
}  // namespace larkspan::session
