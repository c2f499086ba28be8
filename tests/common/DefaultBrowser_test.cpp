// The default browser as the desktop's associations record it, on private data and
// configuration folders with another browser that was the default before.
#include "common/DefaultBrowser.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/Paths.hpp"

namespace larkspan::desktop {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A desktop file that GIO accepts here: its program exists on every system.
void install(const fs::path& folder, const std::string& id, std::string entry) {
    for (const std::string line : {"TryExec=larkspan\n", "Exec=larkspan %U\n", "Exec=larkspan\n"}) {
        if (auto at = entry.find(line); at != std::string::npos) entry.erase(at, line.size());
    }
    entry.insert(entry.find("\n") + 1, "Exec=/bin/true %U\n");
    std::ofstream(folder / id) << entry;
}

TEST(DefaultBrowser, MakingItTheDefaultTakesAllThreeTypesFromTheBrowserBefore) {
    const fs::path root = std::getenv("LARKSPAN_TEST_ROOT");
    const fs::path apps = fs::path(std::getenv("XDG_DATA_HOME")) / "applications";
    fs::create_directories(apps);
    fs::create_directories(root / "system");
    ::setenv("XDG_DATA_DIRS", (root / "system").c_str(), 1);
    const std::string shipped = contentOf(paths::installedDataDir() / "larkspan.desktop");
    ASSERT_FALSE(shipped.empty());
    install(apps, kDesktopId, shipped);
    install(apps, "other-browser.desktop",
            "[Desktop Entry]\nType=Application\nName=Other\n"
            "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n");

    EXPECT_FALSE(makeDefaultBrowser("missing.desktop"));
    ASSERT_TRUE(makeDefaultBrowser("other-browser.desktop"));
    EXPECT_FALSE(isDefaultBrowser());

    ASSERT_TRUE(makeDefaultBrowser());
    EXPECT_TRUE(isDefaultBrowser());
    EXPECT_FALSE(isDefaultBrowser("other-browser.desktop"));
    const std::string list = contentOf(fs::path(std::getenv("XDG_CONFIG_HOME")) / "mimeapps.list");
    for (const char* type : {"x-scheme-handler/http=", "x-scheme-handler/https=", "text/html="}) {
        EXPECT_NE(list.find(std::string(type) + kDesktopId), std::string::npos) << type;
    }
}

}  // namespace
}  // namespace larkspan::desktop
