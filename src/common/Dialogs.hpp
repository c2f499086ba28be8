#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sigc++/adaptors/track_obj.h>
#include <sigc++/functors/slot.h>
#include <sigc++/trackable.h>

#include "common/Color.hpp"

namespace Gtk {
class Window;
}

namespace larkspan {

// Every message box, input box and standard dialog goes through this interface: GTK in the
// program, a scripted answerer in tests. No window shows a GTK dialog directly.
class Dialogs {
  public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileFilter {
        std::string name;                   // "HTML Files (*.htm;*.html)"
        std::vector<std::string> patterns;  // {"*.htm", "*.html"}
    };

    using AnswerDone = std::function<void(Answer)>;
    using TextDone = std::function<void(std::optional<std::string>)>;  // none when cancelled
    using ColorDone = std::function<void(std::optional<ColorValue>)>;  // none when cancelled

    virtual ~Dialogs() = default;

    // Every question returns at once and is answered through `done` once the user has
    // answered (at once in tests). A question whose asking window is destroyed before the
    // answer goes away unanswered: `done` is not called. Nothing waits for an answer in a
    // nested main loop, so whatever follows the answer belongs in `done`, guarded against
    // its owner being gone by then (see `whileAlive`).

    virtual void message(Gtk::Window* parent, const std::string& text, const std::string& title,
                         Buttons buttons, Icon icon, AnswerDone done) = 0;
    // A single-line input box.
    virtual void input(Gtk::Window* parent, const std::string& prompt, const std::string& title,
                       const std::string& initial, TextDone done) = 0;
    // A colour chooser starting from `initial`.
    virtual void chooseColor(Gtk::Window* parent, ColorValue initial, ColorDone done) = 0;
    // A file chooser for opening one file.
    virtual void openFile(Gtk::Window* parent, const std::string& title,
                          const std::vector<FileFilter>& filters, TextDone done) = 0;
    // A folder chooser.
    virtual void chooseFolder(Gtk::Window* parent, const std::string& title, TextDone done) = 0;
    // A file chooser for saving, offering `suggestedName` and asking before it replaces a
    // file.
    virtual void saveFile(Gtk::Window* parent, const std::string& title,
                          const std::string& suggestedName, const std::vector<FileFilter>& filters,
                          TextDone done) = 0;
};

// The dialogs the program uses now (GTK unless a test installed others).
Dialogs& dialogs();
// Replaces the program's dialogs (tests install a scripted answerer); nullptr restores GTK.
void setDialogs(Dialogs* replacement);

// `fn` as an answer that is dropped once `owner` (a window, or any other trackable object)
// has been destroyed: the continuation of a question that uses its asker.
// whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer a) { ... })
template <typename... Args, typename Fn>
std::function<void(Args...)> whileAlive(const sigc::trackable& owner, Fn fn) {
    sigc::slot<void(Args...)> slot = sigc::track_obj(std::move(fn), owner);
    return [slot](Args... args) { slot(args...); };
}

}  // namespace larkspan
