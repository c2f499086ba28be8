// The program's dialogs, drawn by GTK.
#include <gtkmm.h>

#include <list>
#include <memory>

#include "common/Dialogs.hpp"
#include "common/Failure.hpp"

namespace larkspan {

namespace {

Gtk::MessageType messageType(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information:
            return Gtk::MESSAGE_INFO;
        case Dialogs::Icon::Question:
            return Gtk::MESSAGE_QUESTION;
        case Dialogs::Icon::Warning:
            return Gtk::MESSAGE_WARNING;
        case Dialogs::Icon::Critical:
            return Gtk::MESSAGE_ERROR;
        case Dialogs::Icon::None:
            break;
    }
    return Gtk::MESSAGE_OTHER;
}

void addFilters(Gtk::FileChooserDialog& dlg, const std::vector<Dialogs::FileFilter>& filters) {
    for (const auto& f : filters) {
        auto filter = Gtk::FileFilter::create();
        filter->set_name(f.name);
        for (const auto& p : f.patterns) filter->add_pattern(p);
        dlg.add_filter(filter);
    }
}

// The window a box belongs to: the asking window itself, or, while that one is hidden,
// the nearest shown window it belongs to, or else the program's active window; so the box
// never waits behind a window the user cannot see.
Gtk::Window* shownParent(Gtk::Window* asker) {
    while (asker && !asker->get_visible()) asker = asker->get_transient_for();
    if (asker) return asker;
    auto app = Glib::RefPtr<Gtk::Application>::cast_dynamic(Gio::Application::get_default());
    return app ? app->get_active_window() : nullptr;
}

// The boxes on screen, each owned here until it is answered or its asking window goes.
class OpenBoxes {
  public:
    using Response = std::function<void(Gtk::Dialog& box, int response)>;

    // Shows `box` modal over the asking window and hands its response to `answered`. The
    // box goes away unanswered when `asker` is destroyed first.
    void show(std::unique_ptr<Gtk::Dialog> box, Gtk::Window* asker, Response answered) {
        auto& open = *open_.emplace_back(std::make_unique<Open>());
        open.owner = this;
        open.box = std::move(box);
        open.asker = asker;
        open.answered = std::move(answered);
        Gtk::Dialog& dlg = *open.box;
        dlg.set_modal(true);
        if (Gtk::Window* owner = shownParent(asker)) dlg.set_transient_for(*owner);
        if (asker) asker->add_destroy_notify_callback(&open, &OpenBoxes::askerGone);
        dlg.signal_response().connect([this, &open](int response) { respond(open, response); });
        dlg.show_all();
        dlg.present();
    }

  private:
    struct Open {
        ~Open() {
            if (asker) asker->remove_destroy_notify_callback(this);
        }
        OpenBoxes* owner = nullptr;
        std::unique_ptr<Gtk::Dialog> box;
        Gtk::Window* asker = nullptr;
        Response answered;
    };

    static void* askerGone(void* data) {
        auto* open = static_cast<Open*>(data);
        open->asker = nullptr;  // its destroy notification is under way: nothing to remove
        open->owner->drop(open);
        return nullptr;
    }

    void respond(Open& open, int response) {
        if (!open.answered) return;  // a second response before the box went
        Response answered = std::move(open.answered);
        open.answered = nullptr;
        if (open.asker) open.asker->remove_destroy_notify_callback(&open);
        open.asker = nullptr;
        try {
            answered(*open.box, response);
        } catch (...) {
            reportFailure("answering a question");
        }
        open.box->hide();
        // The box is inside its own signal: it goes once the signal is over.
        Glib::signal_idle().connect_once([this, gone = &open] { drop(gone); });
    }

    void drop(Open* open) {
        for (auto it = open_.begin(); it != open_.end(); ++it) {
            if (it->get() != open) continue;
            std::unique_ptr<Open> kept = std::move(*it);
            open_.erase(it);
            return;
        }
    }

    std::list<std::unique_ptr<Open>> open_;
};

Dialogs::Answer answerOf(int response, Dialogs::Buttons buttons) {
    switch (response) {
        case Gtk::RESPONSE_OK:
            return Dialogs::Answer::Ok;
        case Gtk::RESPONSE_YES:
            return Dialogs::Answer::Yes;
        case Gtk::RESPONSE_NO:
            return Dialogs::Answer::No;
        default:
            // Closing the box counts as its cancelling button, or as "No" without one.
            return buttons == Dialogs::Buttons::YesNo ? Dialogs::Answer::No
                   : buttons == Dialogs::Buttons::Ok  ? Dialogs::Answer::Ok
                                                      : Dialogs::Answer::Cancel;
    }
}

// The chosen file of a chooser that was accepted; none otherwise.
std::optional<std::string> chosenFile(Gtk::Dialog& box, int response) {
    if (response != Gtk::RESPONSE_OK) return std::nullopt;
    std::string chosen = static_cast<Gtk::FileChooserDialog&>(box).get_filename();
    if (chosen.empty()) return std::nullopt;
    return chosen;
}

class GtkDialogs final : public Dialogs {
  public:
    void message(Gtk::Window* parent, const std::string& text, const std::string& title,
                 Buttons buttons, Icon icon, AnswerDone done) override {
        auto dlg = std::make_unique<Gtk::MessageDialog>(text, false, messageType(icon),
                                                        Gtk::BUTTONS_NONE, true);
        dlg->set_title(title);
        switch (buttons) {
            case Buttons::Ok:
                dlg->add_button("_OK", Gtk::RESPONSE_OK);
                break;
            case Buttons::OkCancel:
                dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
                dlg->add_button("_OK", Gtk::RESPONSE_OK);
                break;
            case Buttons::YesNo:
                dlg->add_button("_No", Gtk::RESPONSE_NO);
                dlg->add_button("_Yes", Gtk::RESPONSE_YES);
                break;
            case Buttons::YesNoCancel:
                dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
                dlg->add_button("_No", Gtk::RESPONSE_NO);
                dlg->add_button("_Yes", Gtk::RESPONSE_YES);
                break;
        }
        boxes_.show(std::move(dlg), parent,
                    [buttons, done = std::move(done)](Gtk::Dialog&, int response) {
                        done(answerOf(response, buttons));
                    });
    }

    void input(Gtk::Window* parent, const std::string& prompt, const std::string& title,
               const std::string& initial, TextDone done) override {
        auto dlg = std::make_unique<Gtk::Dialog>(title, true);
        dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg->add_button("_OK", Gtk::RESPONSE_OK);
        dlg->set_default_response(Gtk::RESPONSE_OK);
        auto* label = Gtk::make_managed<Gtk::Label>(prompt);
        label->set_xalign(0);
        label->set_line_wrap(true);
        auto* entry = Gtk::make_managed<Gtk::Entry>();
        entry->set_text(initial);
        entry->set_activates_default(true);
        auto* box = dlg->get_content_area();
        box->set_spacing(8);
        box->set_border_width(12);
        box->pack_start(*label, Gtk::PACK_SHRINK);
        box->pack_start(*entry, Gtk::PACK_SHRINK);
        boxes_.show(std::move(dlg), parent,
                    [entry, done = std::move(done)](Gtk::Dialog&, int response) {
                        if (response != Gtk::RESPONSE_OK) return done(std::nullopt);
                        done(std::string(entry->get_text()));
                    });
    }

    void chooseColor(Gtk::Window* parent, ColorValue initial, ColorDone done) override {
        auto dlg = std::make_unique<Gtk::ColorChooserDialog>();
        Rgb rgb = resolveColor(initial);
        Gdk::RGBA start;
        start.set_rgba_u(rgb.r * 257, rgb.g * 257, rgb.b * 257);
        dlg->set_rgba(start);
        dlg->set_use_alpha(false);
        boxes_.show(
            std::move(dlg), parent, [done = std::move(done)](Gtk::Dialog& box, int response) {
                if (response != Gtk::RESPONSE_OK) return done(std::nullopt);
                Gdk::RGBA c = static_cast<Gtk::ColorChooserDialog&>(box).get_rgba();
                done(packRgb(c.get_red_u() / 257, c.get_green_u() / 257, c.get_blue_u() / 257));
            });
    }

    void openFile(Gtk::Window* parent, const std::string& title,
                  const std::vector<FileFilter>& filters, TextDone done) override {
        auto dlg = std::make_unique<Gtk::FileChooserDialog>(title, Gtk::FILE_CHOOSER_ACTION_OPEN);
        dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg->add_button("_Open", Gtk::RESPONSE_OK);
        addFilters(*dlg, filters);
        showChooser(std::move(dlg), parent, std::move(done));
    }

    void chooseFolder(Gtk::Window* parent, const std::string& title, TextDone done) override {
        auto dlg =
            std::make_unique<Gtk::FileChooserDialog>(title, Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER);
        dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg->add_button("_Select", Gtk::RESPONSE_OK);
        showChooser(std::move(dlg), parent, std::move(done));
    }

    void saveFile(Gtk::Window* parent, const std::string& title, const std::string& suggestedName,
                  const std::vector<FileFilter>& filters, TextDone done) override {
        auto dlg = std::make_unique<Gtk::FileChooserDialog>(title, Gtk::FILE_CHOOSER_ACTION_SAVE);
        dlg->add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg->add_button("_Save", Gtk::RESPONSE_OK);
        dlg->set_default_response(Gtk::RESPONSE_OK);
        dlg->set_do_overwrite_confirmation(true);
        dlg->set_current_name(suggestedName);
        addFilters(*dlg, filters);
        showChooser(std::move(dlg), parent, std::move(done));
    }

  private:
    void showChooser(std::unique_ptr<Gtk::FileChooserDialog> dlg, Gtk::Window* parent,
                     TextDone done) {
        boxes_.show(std::move(dlg), parent,
                    [done = std::move(done)](Gtk::Dialog& box, int response) {
                        done(chosenFile(box, response));
                    });
    }

    OpenBoxes boxes_;
};

GtkDialogs gGtkDialogs;
Dialogs* gDialogs = nullptr;

}  // namespace

Dialogs& dialogs() {
    return gDialogs ? *gDialogs : gGtkDialogs;
}
void setDialogs(Dialogs* replacement) {
    gDialogs = replacement;
}

}  // namespace larkspan
