// The page source window: the caption and markup of the page it was opened for, read-only in
// a monospace font, kept while it stays open, read again once it was closed.
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "features/source/frmSource.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class SourceWindowTest : public testing::GuiTest {
  protected:
    frmSource* open(frmBrowser& w) {
        EXPECT_TRUE(w.runCommand("source"));
        testing::drainEvents();
        return dynamic_cast<frmSource*>(Application::instance().windows().find("frmSource"));
    }
};

TEST_F(SourceWindowTest, ShowsThePagesMarkupUntilClosedAndOpenedAgain) {
    frmBrowser& w = startBrowser();
    auto& engine = static_cast<FakePageEngine&>(w.page().engine());
    engine.location = "http://127.0.0.1/first";
    engine.markup = "<head><title>One</title></head><body>first</body>";

    frmSource* source = open(w);
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->get_visible());
    EXPECT_EQ(source->get_transient_for(), &w);
    EXPECT_EQ(source->get_title(), "http://127.0.0.1/first - Larkspan");
    EXPECT_EQ(source->text(), "<head><title>One</title></head><body>first</body>");
    // Read in a monospace font, and not changed by typing.
    auto* scroller = dynamic_cast<Gtk::ScrolledWindow*>(source->get_child());
    ASSERT_NE(scroller, nullptr);
    auto* view = dynamic_cast<Gtk::TextView*>(scroller->get_child());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Glib::ustring(view->get_style_context()->get_font().get_family()).lowercase(),
              "monospace");
    view->grab_focus();
    testing::sendKey(*source, GDK_KEY_PRESS, GDK_KEY_x);
    testing::drainEvents();
    EXPECT_EQ(source->text(), "<head><title>One</title></head><body>first</body>");

    // Opened again while open: brought forward, not read again.
    engine.location = "http://127.0.0.1/second";
    engine.markup = "<head></head><body>second</body>";
    EXPECT_EQ(open(w), source);
    EXPECT_EQ(source->get_title(), "http://127.0.0.1/first - Larkspan");
    EXPECT_EQ(source->text(), "<head><title>One</title></head><body>first</body>");

    // Closed by its title bar, it reads the page again on the next opening.
    source->close();
    ASSERT_TRUE(testing::runUntil(
        [] { return Application::instance().windows().find("frmSource") == nullptr; }));
    source = open(w);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->get_title(), "http://127.0.0.1/second - Larkspan");
    EXPECT_EQ(source->text(), "<head></head><body>second</body>");
}

TEST_F(SourceWindowTest, WithoutADocumentTheTextIsEmpty) {
    frmBrowser& w = startBrowser();
    auto& engine = static_cast<FakePageEngine&>(w.page().engine());
    engine.location = "http://127.0.0.1/failed";
    engine.markup.reset();
    frmSource* source = open(w);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->get_title(), "http://127.0.0.1/failed - Larkspan");
    EXPECT_EQ(source->text(), "");
}

}  // namespace
}  // namespace larkspan
