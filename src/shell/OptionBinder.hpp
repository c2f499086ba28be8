#pragma once

// The one link between the options dialog's controls and the options model. Every control
// a declaration names is bound by its kind: a check button to a truth, an option button to
// one value of a choice, an entry or a drop-down list to a text, a label shows a text, a
// colour swatch shows a colour and picks a new one when clicked. The model's changes show
// in the controls and the user's changes go into the model at once, in both cases through
// the declaration's stored form.

#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "common/Color.hpp"
#include "settings/OptionsModel.hpp"

namespace larkspan {

class Dialogs;
struct OptionDecl;

class OptionBinder : public sigc::trackable {
  public:
    // The colour pickers ask the dialogs `dialogs` returns at the time, above `parent`.
    OptionBinder(OptionsModel& model, std::function<Dialogs&()> dialogs, Gtk::Window& parent);
    OptionBinder(const OptionBinder&) = delete;
    OptionBinder& operator=(const OptionBinder&) = delete;

    // Binds every control of `builder` that a declaration names and shows its value.
    void bind(const Glib::RefPtr<Gtk::Builder>& builder);
    // Shows the model's values in every bound control.
    void show();

    // Asks for a new colour for the colour option `id`, starting from the option's own
    // colour unless `setPickerStart` said otherwise. A chosen colour becomes the option.
    void pickColor(OptionId id);
    void setPickerStart(OptionId id, std::function<ColorValue()> start);

    // A control changed its option (never while the model's values are being shown).
    sigc::signal<void(OptionId)>& signalEdited() { return edited_; }
    // A colour picker was answered; `chosen` when a colour was taken. Not called when the
    // binder is gone by then.
    sigc::signal<void(OptionId, bool)>& signalPicked() { return picked_; }

  private:
    enum class Kind { Choice, Check, Entry, List, Label, Swatch };
    struct Binding {
        const OptionDecl* decl;
        Gtk::Widget* widget;
        Kind kind;
    };

    void showOne(const Binding& b);
    void take(const OptionDecl& decl, const std::string& text);
    void onModelChanged(OptionId id, OptionsModel::Cause cause);

    OptionsModel& model_;
    std::function<Dialogs&()> dialogs_;
    Gtk::Window& parent_;
    std::vector<Binding> bindings_;
    std::map<OptionId, std::function<ColorValue()>> pickerStart_;
    bool showing_ = false;
    sigc::signal<void(OptionId)> edited_;
    sigc::signal<void(OptionId, bool)> picked_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan
