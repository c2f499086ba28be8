// The GTK dialogs: a question returns at once, its answer comes with the box's response,
// and a box whose asking window is destroyed first goes away unanswered.
#include <gtest/gtest.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include <memory>
#include <vector>

#include "common/Dialogs.hpp"
#include "support/Display.hpp"

namespace larkspan {
namespace {

// The message box on screen showing `text`, if there is one.
Gtk::MessageDialog* shownBox(const std::string& text) {
    for (Gtk::Window* w : Gtk::Window::list_toplevels()) {
        auto* box = dynamic_cast<Gtk::MessageDialog*>(w);
        if (box && box->get_visible() && box->property_text().get_value() == text) return box;
    }
    return nullptr;
}

TEST(GtkDialogsTest, AnswerComesWithTheResponseAndNeverOnceTheAskerIsGone) {
    testing::initGtk();
    setDialogs(nullptr);
    auto asker = std::make_unique<Gtk::Window>();
    asker->show();
    std::vector<Dialogs::Answer> answers;
    auto record = [&answers](Dialogs::Answer a) { answers.push_back(a); };

    dialogs().message(asker.get(), "First?", "Question", Dialogs::Buttons::YesNo,
                      Dialogs::Icon::Question, record);
    EXPECT_TRUE(answers.empty());
    Gtk::MessageDialog* box = shownBox("First?");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->get_modal());
    EXPECT_EQ(box->get_transient_for(), asker.get());
    box->response(Gtk::RESPONSE_YES);
    EXPECT_EQ(answers, std::vector<Dialogs::Answer>{Dialogs::Answer::Yes});
    testing::drainEvents();
    EXPECT_EQ(shownBox("First?"), nullptr);

    dialogs().message(asker.get(), "Second?", "Question", Dialogs::Buttons::YesNo,
                      Dialogs::Icon::Question, record);
    ASSERT_NE(shownBox("Second?"), nullptr);
    asker.reset();
    testing::drainEvents();
    EXPECT_EQ(shownBox("Second?"), nullptr);
    EXPECT_EQ(answers.size(), 1u);
}

}  // namespace
}  // namespace larkspan
