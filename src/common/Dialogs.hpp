#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

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

    virtual ~Dialogs() = default;

    // The questions, answered through `done` once the user has answered (at once in tests).
    // A question whose asking window closes before the answer is dropped: `done` is not
    // called. Callers never wait for the answer in a nested main loop.
    void message(Gtk::Window* parent, const std::string& text, const std::string& title,
                 Buttons buttons, Icon icon, std::function<void(Answer)> done) {
        done(message(parent, text, title, buttons, icon));
    }
    void input(Gtk::Window* parent, const std::string& prompt, const std::string& title,
               const std::string& initial, std::function<void(std::optional<std::string>)> done) {
        done(input(parent, prompt, title, initial));
    }
    void chooseColor(Gtk::Window* parent, ColorValue initial,
                     std::function<void(std::optional<ColorValue>)> done) {
        done(chooseColor(parent, initial));
    }
    void openFile(Gtk::Window* parent, const std::string& title,
                  const std::vector<FileFilter>& filters,
                  std::function<void(std::optional<std::string>)> done) {
        done(openFile(parent, title, filters));
    }
    void chooseFolder(Gtk::Window* parent, const std::string& title,
                      std::function<void(std::optional<std::string>)> done) {
        done(chooseFolder(parent, title));
    }
    void saveFile(Gtk::Window* parent, const std::string& title, const std::string& suggestedName,
                  const std::vector<FileFilter>& filters,
                  std::function<void(std::optional<std::string>)> done) {
        done(saveFile(parent, title, suggestedName, filters));
    }

    // The blocking forms below go away once every caller answers through a callback.

    virtual Answer message(Gtk::Window* parent, const std::string& text, const std::string& title,
                           Buttons buttons, Icon icon) = 0;
    // A single-line input box; no value when cancelled.
    virtual std::optional<std::string> input(Gtk::Window* parent, const std::string& prompt,
                                             const std::string& title,
                                             const std::string& initial) = 0;
    // A colour chooser starting from `initial`; no value when cancelled.
    virtual std::optional<ColorValue> chooseColor(Gtk::Window* parent, ColorValue initial) = 0;
    // A file chooser for opening one file; no value when cancelled.
    virtual std::optional<std::string> openFile(Gtk::Window* parent, const std::string& title,
                                                const std::vector<FileFilter>& filters) = 0;
    // A folder chooser; no value when cancelled (or when the dialogs have none).
    virtual std::optional<std::string> chooseFolder(Gtk::Window* /*parent*/,
                                                    const std::string& /*title*/) {
        return std::nullopt;
    }
    // A file chooser for saving, offering `suggestedName` and asking before it replaces a
    // file; no value when cancelled.
    virtual std::optional<std::string> saveFile(Gtk::Window* parent, const std::string& title,
                                                const std::string& suggestedName,
                                                const std::vector<FileFilter>& filters) = 0;
};

// The dialogs the program uses now (GTK unless a test installed others).
Dialogs& dialogs();
// Replaces the program's dialogs (tests install a scripted answerer); nullptr restores GTK.
void setDialogs(Dialogs* replacement);

}  // namespace larkspan
