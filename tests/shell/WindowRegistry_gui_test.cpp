// Closing a shared window from its own handlers: hidden at once, destroyed when the main
// loop is idle, and only if it is still the window that asked.
#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/WindowRegistry.hpp"
#include "support/Display.hpp"

namespace larkspan {
namespace {

class WindowRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::initGtk();
        registry_ = std::make_unique<WindowRegistry>();
        registry_->define("frmHistory", [this] {
            ++made_;
            return std::make_unique<Gtk::Window>();
        });
        registry_->onClosed = [this](const std::string& name) { closed_.push_back(name); };
    }

    std::unique_ptr<WindowRegistry> registry_;
    int made_ = 0;
    std::vector<std::string> closed_;
};

TEST_F(WindowRegistryTest, HidesAtOnceAndDestroysWhenIdleThenRunsTheFollowUp) {
    Gtk::Window* window = registry_->touch("frmHistory");
    window->show();
    int followUps = 0;
    registry_->closeWhenIdle("frmHistory", WindowRegistry::ShownAgain::Close, [&] {
        EXPECT_EQ(registry_->find("frmHistory"), nullptr);
        ++followUps;
    });
    EXPECT_FALSE(window->get_visible());
    EXPECT_EQ(registry_->find("frmHistory"), window);
    EXPECT_TRUE(closed_.empty());

    testing::drainEvents();
    EXPECT_EQ(registry_->find("frmHistory"), nullptr);
    EXPECT_EQ(closed_, std::vector<std::string>{"frmHistory"});
    EXPECT_EQ(followUps, 1);

    // Asking for a window that is not open does nothing, now or later.
    registry_->closeWhenIdle("frmHistory", WindowRegistry::ShownAgain::Close, [&] { ++followUps; });
    testing::drainEvents();
    EXPECT_EQ(followUps, 1);
    EXPECT_EQ(closed_.size(), 1u);
}

TEST_F(WindowRegistryTest, AWindowShownAgainBeforeIdleStaysOnlyWhenAskedTo) {
    Gtk::Window* window = registry_->touch("frmHistory");
    registry_->closeWhenIdle("frmHistory");
    window->show();
    testing::drainEvents();
    EXPECT_EQ(registry_->find("frmHistory"), window);
    EXPECT_TRUE(window->get_visible());

    registry_->closeWhenIdle("frmHistory", WindowRegistry::ShownAgain::Close);
    window->show();
    testing::drainEvents();
    EXPECT_EQ(registry_->find("frmHistory"), nullptr);
}

TEST_F(WindowRegistryTest, ALaterWindowOfTheSameNameOutlivesAnEarlierRequest) {
    registry_->touch("frmHistory");
    bool followedUp = false;
    registry_->closeWhenIdle("frmHistory", WindowRegistry::ShownAgain::Close,
                             [&] { followedUp = true; });
    registry_->close("frmHistory");
    Gtk::Window* later = registry_->touch("frmHistory");
    ASSERT_EQ(made_, 2);

    testing::drainEvents();
    EXPECT_EQ(registry_->find("frmHistory"), later);
    EXPECT_FALSE(followedUp);
}

TEST_F(WindowRegistryTest, ARequestOutstandingWhenTheRegistryGoesDoesNothing) {
    registry_->touch("frmHistory");
    bool followedUp = false;
    registry_->closeWhenIdle("frmHistory", WindowRegistry::ShownAgain::Close,
                             [&] { followedUp = true; });
    registry_.reset();
    testing::drainEvents();
    EXPECT_FALSE(followedUp);
}

}  // namespace
}  // namespace larkspan
