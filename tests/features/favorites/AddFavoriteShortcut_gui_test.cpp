// Ctrl+A in a main window: the favorites' command to add the page, except in a text field
// of the page, where the key selects the field's text.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "shell/frmBrowser.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class CommandsTest : public testing::GuiTest {
  protected:
    FakePageEngine& engine(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
};

TEST_F(CommandsTest, CtrlAInATextFieldOfThePageIsTheFieldsOwn) {
    frmBrowser& w = startBrowser();
    engine(w).grabFocus();
    testing::ScriptedDialogs d;
    // In a text field of the page the key goes to the page, which selects the field's text.
    engine(w).fieldFocused = true;
    pressKey(w, GDK_KEY_a, GDK_CONTROL_MASK);
    EXPECT_TRUE(d.shown().empty());
    // Elsewhere on the page it keeps its meaning: the page is added to the favorites.
    engine(w).fieldFocused = false;
    d.input(std::nullopt);
    pressKey(w, GDK_KEY_a, GDK_CONTROL_MASK);
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].title, "Add To Favorites?");
}

}  // namespace
}  // namespace larkspan
