#pragma once

// One declaration per stored option: where the store keeps it, the form its text takes,
// its design value and the model member that holds it. The model's load, "Apply", the
// options dialog and "Restore" all work from this table.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/OptionsModel.hpp"

namespace larkspan {

// The text form a value is stored in.
enum class StoredForm {
    Truth,    // "True" / "False"
    Tick,     // "1" / "0", as a check box's state
    Integer,  // a decimal number
    Color,    // a signed decimal colour value
    Text,     // the text itself
};

// Who writes a key.
enum class Writer {
    Apply,      // "Apply" (one transaction)
    LockApply,  // "Apply Changes" of the lock page
    AtOnce,     // the control's own handler, as soon as it changes
    Never,      // kept by earlier versions: read, never written
};

struct OptionDecl {
    OptionId id;
    std::string_view section;
    std::string_view key;
    StoredForm form;
    Writer writer;
    // The member that holds the value (colours are `int` members).
    std::variant<bool OptionsModel::*, int OptionsModel::*, std::string OptionsModel::*,
                 OptionsModel::PopupMode OptionsModel::*>
        member;
    // For a truth key that says whether the option holds one value (a style choice, a
    // popup mode): that value.
    std::optional<int> choice;
    // The design value in stored form (for a choice key: whether the choice is the
    // design's).
    std::string design;
    // The value "Restore" brings back, where it touches the option.
    std::optional<std::string> restore;
    // The name of the options dialog's control that shows the option, if any.
    std::string_view control = {};

    // The model's value in stored form; false when it does not convert (the model keeps
    // its value).
    std::string storedText(const OptionsModel& m) const;
    bool take(OptionsModel& m, std::string_view text) const;
};

// Every declaration, in the order the model reads them: of two keys of one option, the
// later one wins where both are stored.
std::span<const OptionDecl> optionDecls();

// The declarations of one option (a choice has one per value).
const OptionDecl* findDecl(OptionId id);

}  // namespace larkspan
