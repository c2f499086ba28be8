#include "shell/OptionBinder.hpp"

#include <memory>

#include "common/Dialogs.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "settings/OptionDecls.hpp"

namespace larkspan {

OptionBinder::OptionBinder(OptionsModel& model, std::function<Dialogs&()> dialogs,
                           Gtk::Window& parent)
    : model_(model), dialogs_(std::move(dialogs)), parent_(parent) {
    model_.signalChanged().connect(sigc::mem_fun(*this, &OptionBinder::onModelChanged));
}

void OptionBinder::bind(const Glib::RefPtr<Gtk::Builder>& builder) {
    for (const OptionDecl& d : optionDecls()) {
        if (d.control.empty()) continue;
        Glib::RefPtr<Glib::Object> object =
            builder->get_object(Glib::ustring(d.control.data(), d.control.size()));
        auto* w = dynamic_cast<Gtk::Widget*>(object.get());
        if (!w) continue;
        const OptionDecl* decl = &d;
        // The more particular kinds first: an option button is a check button, which is a
        // button.
        if (auto* choice = dynamic_cast<Gtk::RadioButton*>(w); choice && d.choice) {
            bindings_.push_back({decl, w, Kind::Choice});
            choice->signal_toggled().connect([this, choice, decl] {
                if (!showing_ && choice->get_active()) take(*decl, stored::truth(true));
            });
        } else if (auto* box = dynamic_cast<Gtk::CheckButton*>(w)) {
            bindings_.push_back({decl, w, Kind::Check});
            box->signal_toggled().connect([this, box, decl] {
                if (showing_) return;
                bool on = box->get_active();
                take(*decl, decl->form == StoredForm::Tick ? stored::tick(on) : stored::truth(on));
            });
        } else if (auto* entry = dynamic_cast<Gtk::Entry*>(w)) {
            bindings_.push_back({decl, w, Kind::Entry});
            entry->signal_changed().connect([this, entry, decl] {
                if (!showing_) take(*decl, entry->get_text());
            });
        } else if (auto* list = dynamic_cast<Gtk::ComboBoxText*>(w)) {
            bindings_.push_back({decl, w, Kind::List});
            list->signal_changed().connect([this, list, decl] {
                if (!showing_) take(*decl, list->get_active_text());
            });
        } else if (dynamic_cast<Gtk::Label*>(w)) {
            bindings_.push_back({decl, w, Kind::Label});
        } else if (auto* swatch = dynamic_cast<Gtk::Button*>(w);
                   swatch && d.form == StoredForm::Color) {
            bindings_.push_back({decl, w, Kind::Swatch});
            swatch->signal_clicked().connect([this, id = d.id] { pickColor(id); });
        } else {
            continue;
        }
        showOne(bindings_.back());
    }
}

void OptionBinder::show() {
    for (const Binding& b : bindings_) showOne(b);
}

void OptionBinder::showOne(const Binding& b) {
    bool was = showing_;
    showing_ = true;
    std::string text = b.decl->storedText(model_);
    switch (b.kind) {
        case Kind::Choice:
            // The button of the value the option holds is set; the group clears the others.
            if (stored::toBool(text).value_or(false)) {
                static_cast<Gtk::RadioButton*>(b.widget)->set_active(true);
            }
            break;
        case Kind::Check: {
            bool on = stored::toBool(text).value_or(false);
            // An option button of its own is cleared by setting another of its group.
            if (auto* own = dynamic_cast<Gtk::RadioButton*>(b.widget); own && !on) {
                for (GSList* i = gtk_radio_button_get_group(own->gobj()); i; i = i->next) {
                    if (i->data != own->gobj()) {
                        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(i->data), TRUE);
                        break;
                    }
                }
            }
            static_cast<Gtk::CheckButton*>(b.widget)->set_active(on);
            break;
        }
        case Kind::Entry:
            if (auto* entry = static_cast<Gtk::Entry*>(b.widget); entry->get_text() != text) {
                entry->set_text(text);
            }
            break;
        case Kind::List:
            if (auto* list = static_cast<Gtk::ComboBoxText*>(b.widget); text.empty()) {
                list->set_active(-1);
            } else {
                list->set_active_text(text);
            }
            break;
        case Kind::Label:
            static_cast<Gtk::Label*>(b.widget)->set_text(text);
            break;
        case Kind::Swatch:
            if (auto c = stored::toColor(text)) style::setBackground(*b.widget, *c);
            break;
    }
    showing_ = was;
}

void OptionBinder::take(const OptionDecl& decl, const std::string& text) {
    if (decl.take(model_, text)) edited_.emit(decl.id);
}

void OptionBinder::onModelChanged(OptionId id, OptionsModel::Cause) {
    for (const Binding& b : bindings_) {
        if (b.decl->id == id) showOne(b);
    }
}

void OptionBinder::setPickerStart(OptionId id, std::function<ColorValue()> start) {
    pickerStart_[id] = std::move(start);
}

void OptionBinder::pickColor(OptionId id) {
    const OptionDecl* decl = findDecl(id);
    if (!decl || decl->form != StoredForm::Color) return;
    ColorValue start = 0;
    if (auto it = pickerStart_.find(id); it != pickerStart_.end()) {
        start = it->second();
    } else if (auto c = stored::toColor(decl->storedText(model_))) {
        start = *c;
    }
    dialogs_().chooseColor(
        &parent_, start,
        [this, alive = std::weak_ptr<bool>(alive_), decl](std::optional<ColorValue> chosen) {
            if (alive.expired()) return;
            if (chosen) take(*decl, stored::color(*chosen));
            picked_.emit(decl->id, chosen.has_value());
        });
}

}  // namespace larkspan
