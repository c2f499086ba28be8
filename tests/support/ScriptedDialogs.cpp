#include "support/ScriptedDialogs.hpp"

#include <gtest/gtest.h>

namespace larkspan::testing {

namespace {
template <typename Q>
auto take(Q& q, const char* what) -> typename Q::value_type {
    if (q.empty()) {
        ADD_FAILURE() << "unscripted " << what << " dialog";
        return typename Q::value_type{};
    }
    auto v = q.front();
    q.pop_front();
    return v;
}
}  // namespace

ScriptedDialogs::ScriptedDialogs() {
    setDialogs(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    setDialogs(nullptr);
}

Dialogs::Answer ScriptedDialogs::message(Gtk::Window* parent, const std::string& text,
                                         const std::string& title, Buttons, Icon) {
    shown_.push_back({"message", text, title, "", parent});
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted message box: " << text;
        return Answer::Cancel;
    }
    return take(answers_, "message");
}

std::optional<std::string> ScriptedDialogs::input(Gtk::Window* parent, const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& initial) {
    shown_.push_back({"input", prompt, title, initial, parent});
    return take(inputs_, "input");
}

std::optional<ColorValue> ScriptedDialogs::chooseColor(Gtk::Window*, ColorValue) {
    shown_.push_back({"color", "", "", ""});
    return take(colors_, "colour");
}

std::optional<std::string> ScriptedDialogs::openFile(Gtk::Window*, const std::string& title,
                                                     const std::vector<FileFilter>&) {
    shown_.push_back({"open", "", title, ""});
    return take(files_, "file");
}

std::optional<std::string> ScriptedDialogs::chooseFolder(Gtk::Window*, const std::string& title) {
    shown_.push_back({"folder", "", title, ""});
    return take(files_, "file");
}

std::optional<std::string> ScriptedDialogs::saveFile(Gtk::Window*, const std::string& title,
                                                     const std::string& suggestedName,
                                                     const std::vector<FileFilter>&) {
    shown_.push_back({"save", suggestedName, title, ""});
    return take(files_, "file");
}

}  // namespace larkspan::testing
