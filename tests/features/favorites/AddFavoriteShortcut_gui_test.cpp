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

using CommandsTest = testing::GuiTest;

TEST_F(CommandsTest, CtrlAInATextFieldOfThePageIsTheFieldsOwn) {
    frmBrowser& w = startBrowser();
    auto& engine = static_cast<FakePageEngine&>(w.page().engine());
    engine.grabFocus();
    testing::ScriptedDialogs d;
    // In a text field of the page the key goes to the page, which selects the field's text.
    engine.fieldFocused = true;
    pressKey(w, GDK_KEY_a, GDK_CONTROL_MASK);
    EXPECT_TRUE(d.shown().empty());
    // Elsewhere on the page it keeps its meaning: the page is added to the favorites.
    engine.fieldFocused = false;
    d.input(std::nullopt);
    pressKey(w, GDK_KEY_a, GDK_CONTROL_MASK);
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].title, "Add To Favorites?");
}

}  // namespace
}  // namespace larkspan
