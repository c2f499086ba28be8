#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/Dialogs.hpp"

namespace larkspan::testing {

// Answers the program's dialogs from a script and records every text it was shown.
// Installs itself for its lifetime. An unscripted question fails the test.
class ScriptedDialogs final : public Dialogs {
  public:
    struct Shown {
        std::string kind;  // "message", "input", "color", "open", "folder", "save"
        std::string text;
        std::string title;
        std::string initial;            // an input box's default text
        Gtk::Window* parent = nullptr;  // a message or input box's, as it was asked
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answer(Answer a) { answers_.push_back(a); }
    void input(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
    void color(std::optional<ColorValue> c) { colors_.push_back(c); }
    void file(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    const std::vector<Shown>& shown() const { return shown_; }
    bool allAnswered() const {
        return answers_.empty() && inputs_.empty() && colors_.empty() && files_.empty();
    }

    Answer message(Gtk::Window* parent, const std::string& text, const std::string& title,
                   Buttons buttons, Icon icon) override;
    std::optional<std::string> input(Gtk::Window* parent, const std::string& prompt,
                                     const std::string& title, const std::string& initial) override;
    std::optional<ColorValue> chooseColor(Gtk::Window* parent, ColorValue initial) override;
    std::optional<std::string> openFile(Gtk::Window* parent, const std::string& title,
                                        const std::vector<FileFilter>& filters) override;
    // Answered from the same queue as openFile.
    std::optional<std::string> chooseFolder(Gtk::Window* parent, const std::string& title) override;
    // Records the suggested name as the text shown; answered from the same queue as openFile.
    std::optional<std::string> saveFile(Gtk::Window* parent, const std::string& title,
                                        const std::string& suggestedName,
                                        const std::vector<FileFilter>& filters) override;

  private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::optional<ColorValue>> colors_;
    std::deque<std::optional<std::string>> files_;
    std::vector<Shown> shown_;
};

}  // namespace larkspan::testing
