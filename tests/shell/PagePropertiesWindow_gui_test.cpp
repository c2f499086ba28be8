// The page properties window shows what it is given and closes on its button.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/PagePropertiesWindow.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

class PagePropertiesWindowTest : public testing::ShellGuiTest {};

TEST_F(PagePropertiesWindowTest, ShowsThePropertiesAndCloseHidesIt) {
    const PageProperties page{"A page", "http://example.org/a", "text/html", 2048,
                              engine::kSecureVerified};
    auto window = PagePropertiesWindow::create(nullptr);
    window->showProperties(page);
    testing::drainEvents();
    EXPECT_TRUE(window->get_visible());

    std::vector<std::string> labels;
    Gtk::Button* close = nullptr;
    std::function<void(Gtk::Widget&)> walk = [&](Gtk::Widget& w) {
        if (auto* label = dynamic_cast<Gtk::Label*>(&w)) labels.push_back(label->get_text());
        if (auto* button = dynamic_cast<Gtk::Button*>(&w)) close = button;
        if (auto* container = dynamic_cast<Gtk::Container*>(&w)) {
            for (Gtk::Widget* child : container->get_children()) walk(*child);
        }
    };
    walk(*window);
    PagePropertiesText expected = describePageProperties(page);
    for (const std::string& text :
         {expected.title, expected.address, expected.type, expected.size, expected.security}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), text), labels.end()) << text;
    }

    ASSERT_NE(close, nullptr);
    close->clicked();
    testing::drainEvents();
    EXPECT_FALSE(window->get_visible());
}

}  // namespace
}  // namespace larkspan
