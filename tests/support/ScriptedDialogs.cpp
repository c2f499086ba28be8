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

bool ScriptedDialogs::answerHeld(Answer a) {
    if (held_.empty()) return false;
    AnswerDone done = std::move(held_.front());
    held_.pop_front();
    done(a);
    return true;
}

void ScriptedDialogs::message(Gtk::Window* parent, const std::string& text,
                              const std::string& title, Buttons, Icon, AnswerDone done) {
    shown_.push_back({"message", text, title, "", parent, std::nullopt});
    if (holding_) {
        held_.push_back(std::move(done));
        return;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted message box: " << text;
        return done(Answer::Cancel);
    }
    done(take(answers_, "message"));
}

void ScriptedDialogs::input(Gtk::Window* parent, const std::string& prompt,
                            const std::string& title, const std::string& initial, TextDone done) {
    shown_.push_back({"input", prompt, title, initial, parent, std::nullopt});
    done(take(inputs_, "input"));
}

void ScriptedDialogs::chooseColor(Gtk::Window*, ColorValue initial, ColorDone done) {
    shown_.push_back({"color", "", "", "", nullptr, initial});
    done(take(colors_, "colour"));
}

std::vector<ColorValue> ScriptedDialogs::colorsOffered() const {
    std::vector<ColorValue> out;
    for (const Shown& s : shown_) {
        if (s.start) out.push_back(*s.start);
    }
    return out;
}

void ScriptedDialogs::openFile(Gtk::Window*, const std::string& title,
                               const std::vector<FileFilter>&, TextDone done) {
    shown_.push_back({"open", "", title, "", nullptr, std::nullopt});
    done(take(files_, "file"));
}

void ScriptedDialogs::chooseFolder(Gtk::Window*, const std::string& title, TextDone done) {
    shown_.push_back({"folder", "", title, "", nullptr, std::nullopt});
    done(take(files_, "file"));
}

void ScriptedDialogs::saveFile(Gtk::Window*, const std::string& title,
                               const std::string& suggestedName, const std::vector<FileFilter>&,
                               TextDone done) {
    shown_.push_back({"save", suggestedName, title, "", nullptr, std::nullopt});
    done(take(files_, "file"));
}

}  // namespace larkspan::testing
