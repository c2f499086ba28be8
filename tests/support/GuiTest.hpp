#pragma once

#include <gtest/gtest.h>

#include "support/Display.hpp"

#include <filesystem>
#include <functional>
#include <vector>

namespace Gtk {
class MenuItem;
}

namespace larkspan {
class SettingsStore;
class frmBrowser;
}  // namespace larkspan

namespace larkspan::testing {

// The items of the menu with the builder id `menuId` in a main window, in order.
std::vector<Gtk::MenuItem*> menuItemsOf(frmBrowser& w, const char* menuId);

// A test with real windows: fresh settings and data folders, fake page engines, and the
// application object torn down afterwards.
class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    SettingsStore& store();
    // Creates, loads and shows the first main window.
    frmBrowser& startBrowser();
    // Sends a key press to a window through its own key handling.
    void pressKey(frmBrowser& w, unsigned keyval, unsigned modifiers);

    std::filesystem::path root_;
};

// A test of main windows around the real web engine: the application torn down afterwards.
class RealEngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace larkspan::testing
