// The program's dialogs, drawn by GTK.
#include <gtkmm.h>

#include "common/Dialogs.hpp"

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

class GtkDialogs final : public Dialogs {
  public:
    Answer message(Gtk::Window* parent, const std::string& text, const std::string& title,
                   Buttons buttons, Icon icon) override {
        Gtk::MessageDialog dlg(text, false, messageType(icon), Gtk::BUTTONS_NONE, true);
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        dlg.set_title(title);
        switch (buttons) {
            case Buttons::Ok:
                dlg.add_button("_OK", Gtk::RESPONSE_OK);
                break;
            case Buttons::OkCancel:
                dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
                dlg.add_button("_OK", Gtk::RESPONSE_OK);
                break;
            case Buttons::YesNo:
                dlg.add_button("_No", Gtk::RESPONSE_NO);
                dlg.add_button("_Yes", Gtk::RESPONSE_YES);
                break;
            case Buttons::YesNoCancel:
                dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
                dlg.add_button("_No", Gtk::RESPONSE_NO);
                dlg.add_button("_Yes", Gtk::RESPONSE_YES);
                break;
        }
        switch (dlg.run()) {
            case Gtk::RESPONSE_OK:
                return Answer::Ok;
            case Gtk::RESPONSE_YES:
                return Answer::Yes;
            case Gtk::RESPONSE_NO:
                return Answer::No;
            default:
                // Closing the box counts as its cancelling button, or as "No" without one.
                return buttons == Buttons::YesNo ? Answer::No
                       : buttons == Buttons::Ok  ? Answer::Ok
                                                 : Answer::Cancel;
        }
    }

    std::optional<std::string> input(Gtk::Window* parent, const std::string& prompt,
                                     const std::string& title,
                                     const std::string& initial) override {
        Gtk::Dialog dlg(title, true);
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg.add_button("_OK", Gtk::RESPONSE_OK);
        dlg.set_default_response(Gtk::RESPONSE_OK);
        Gtk::Label label(prompt);
        label.set_xalign(0);
        label.set_line_wrap(true);
        Gtk::Entry entry;
        entry.set_text(initial);
        entry.set_activates_default(true);
        auto* box = dlg.get_content_area();
        box->set_spacing(8);
        box->set_border_width(12);
        box->pack_start(label, Gtk::PACK_SHRINK);
        box->pack_start(entry, Gtk::PACK_SHRINK);
        dlg.show_all();
        if (dlg.run() != Gtk::RESPONSE_OK) return std::nullopt;
        return std::string(entry.get_text());
    }

    std::optional<ColorValue> chooseColor(Gtk::Window* parent, ColorValue initial) override {
        Gtk::ColorChooserDialog dlg;
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        Rgb rgb = resolveColor(initial);
        Gdk::RGBA start;
        start.set_rgba_u(rgb.r * 257, rgb.g * 257, rgb.b * 257);
        dlg.set_rgba(start);
        dlg.set_use_alpha(false);
        if (dlg.run() != Gtk::RESPONSE_OK) return std::nullopt;
        Gdk::RGBA c = dlg.get_rgba();
        return packRgb(c.get_red_u() / 257, c.get_green_u() / 257, c.get_blue_u() / 257);
    }

    std::optional<std::string> openFile(Gtk::Window* parent, const std::string& title,
                                        const std::vector<FileFilter>& filters) override {
        Gtk::FileChooserDialog dlg(title, Gtk::FILE_CHOOSER_ACTION_OPEN);
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg.add_button("_Open", Gtk::RESPONSE_OK);
        addFilters(dlg, filters);
        if (dlg.run() != Gtk::RESPONSE_OK) return std::nullopt;
        return std::string(dlg.get_filename());
    }

    std::optional<std::string> chooseFolder(Gtk::Window* parent,
                                            const std::string& title) override {
        Gtk::FileChooserDialog dlg(title, Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER);
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg.add_button("_Select", Gtk::RESPONSE_OK);
        if (dlg.run() != Gtk::RESPONSE_OK) return std::nullopt;
        std::string chosen = dlg.get_filename();
        if (chosen.empty()) return std::nullopt;
        return chosen;
    }

    std::optional<std::string> saveFile(Gtk::Window* parent, const std::string& title,
                                        const std::string& suggestedName,
                                        const std::vector<FileFilter>& filters) override {
        Gtk::FileChooserDialog dlg(title, Gtk::FILE_CHOOSER_ACTION_SAVE);
        if (Gtk::Window* owner = shownParent(parent)) dlg.set_transient_for(*owner);
        dlg.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dlg.add_button("_Save", Gtk::RESPONSE_OK);
        dlg.set_default_response(Gtk::RESPONSE_OK);
        dlg.set_do_overwrite_confirmation(true);
        dlg.set_current_name(suggestedName);
        addFilters(dlg, filters);
        if (dlg.run() != Gtk::RESPONSE_OK) return std::nullopt;
        std::string chosen = dlg.get_filename();
        if (chosen.empty()) return std::nullopt;
        return chosen;
    }
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
