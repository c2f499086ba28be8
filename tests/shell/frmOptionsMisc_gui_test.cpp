// The "Misc." page shows whether Larkspan is the desktop's default browser and its button
// makes it so, on a private data folder where another browser was the default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/DefaultBrowser.hpp"
#include "common/Paths.hpp"
#include "controls/StyledButton.hpp"
#include "shell/frmOptions.hpp"
#include "support/OptionsDialogFixture.hpp"
#include "support/ShellGuiTest.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;

using MiscPageTest = testing::OptionsDialogFixture<testing::ShellGuiTest>;

// A desktop file GIO accepts here: its program exists on every system.
void install(const std::string& id, const std::string& entry) {
    const fs::path apps = fs::path(std::getenv("XDG_DATA_HOME")) / "applications";
    fs::create_directories(apps);
    std::ofstream(apps / id) << "[Desktop Entry]\nType=Application\nName=" << id
                             << "\nExec=/bin/true %U\n"
                             << entry;
}

TEST_F(MiscPageTest, TheButtonMakesLarkspanTheDefaultBrowser) {
    const std::string types = "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n";
    install(desktop::kDesktopId, types);
    install("other-browser.desktop", types);
    ASSERT_TRUE(desktop::makeDefaultBrowser("other-browser.desktop"));

    frmOptions& d = open();
    selectEntry(d, "Misc.");
    auto* state = d.control<Gtk::Label>("lblDefaultBrowser");
    auto* make = d.control<StyledButton>("cmdMakeDefaultBrowser");
    EXPECT_EQ(state->get_text(), "Larkspan is not the default browser.");
    EXPECT_EQ(make->caption(), "Make Larkspan the default browser");
    ASSERT_TRUE(make->enabled());

    testing::click(*make);
    EXPECT_EQ(state->get_text(), "Larkspan is the default browser.");
    EXPECT_FALSE(make->enabled());
    EXPECT_TRUE(desktop::isDefaultBrowser());
}

}  // namespace
}  // namespace larkspan
