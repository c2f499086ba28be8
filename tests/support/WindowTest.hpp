#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/Display.hpp"

namespace Gtk {
class MenuItem;
}

namespace larkspan {
class SettingsStore;
class ShellContext;
class frmBrowser;
}  // namespace larkspan

namespace larkspan::testing {

// The items of the menu with the builder id `menuId` in a main window, in order.
std::vector<Gtk::MenuItem*> menuItemsOf(frmBrowser& w, const char* menuId);

// A test with real windows: fresh settings and data folders, the display ready and its
// pointer parked. The context the windows live in is the deriving test's.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    virtual ShellContext& context() = 0;
    SettingsStore& store();
    // Creates, loads and shows the first main window.
    frmBrowser& startBrowser();
    // Sends a key press to a window through its own key handling.
    void pressKey(frmBrowser& w, unsigned keyval, unsigned modifiers);

    std::filesystem::path root_;
};

}  // namespace larkspan::testing
