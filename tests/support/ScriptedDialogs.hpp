#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/Dialogs.hpp"

namespace larkspan::testing {

// Answers the program's dialogs from a script, at once, and records every text it was shown.
// Installs itself for its lifetime. An unscripted question fails the test. After
// `holdMessages()` message boxes stay open instead, until `answerHeld` answers the oldest.
class ScriptedDialogs final : public Dialogs {
  public:
    struct Shown {
        std::string kind;  // "message", "input", "color", "open", "folder", "save"
        std::string text;
        std::string title;
        std::string initial;              // an input box's default text
        Gtk::Window* parent = nullptr;    // a message or input box's, as it was asked
        std::optional<ColorValue> start;  // the colour a colour picker started from
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answer(Answer a) { answers_.push_back(a); }
    void input(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
    void color(std::optional<ColorValue> c) { colors_.push_back(c); }
    void file(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    void holdMessages() { holding_ = true; }
    std::size_t held() const { return held_.size(); }
    // Answers the oldest message box still open, as the user would; false when none is.
    bool answerHeld(Answer a);

    const std::vector<Shown>& shown() const { return shown_; }
    // The colours the colour pickers started from, in order.
    std::vector<ColorValue> colorsOffered() const;
    bool allAnswered() const {
        return answers_.empty() && inputs_.empty() && colors_.empty() && files_.empty();
    }

    void message(Gtk::Window* parent, const std::string& text, const std::string& title,
                 Buttons buttons, Icon icon, AnswerDone done) override;
    void input(Gtk::Window* parent, const std::string& prompt, const std::string& title,
               const std::string& initial, TextDone done) override;
    void chooseColor(Gtk::Window* parent, ColorValue initial, ColorDone done) override;
    void openFile(Gtk::Window* parent, const std::string& title,
                  const std::vector<FileFilter>& filters, TextDone done) override;
    // Answered from the same queue as openFile.
    void chooseFolder(Gtk::Window* parent, const std::string& title, TextDone done) override;
    // Records the suggested name as the text shown; answered from the same queue as openFile.
    void saveFile(Gtk::Window* parent, const std::string& title, const std::string& suggestedName,
                  const std::vector<FileFilter>& filters, TextDone done) override;

  private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::optional<ColorValue>> colors_;
    std::deque<std::optional<std::string>> files_;
    std::vector<Shown> shown_;
    bool holding_ = false;
    std::deque<AnswerDone> held_;
};

}  // namespace larkspan::testing
