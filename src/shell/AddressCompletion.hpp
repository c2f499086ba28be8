#pragma once

// The rules of the address box `cboAddress`: completing typed text from the list of typed
// addresses, deciding on Enter whether to navigate and whether the text is a new address,
// and the switching of the completion timer `Timer1`. The window owns the widgets and the
// real timer; it forwards its key events here in the order GTK delivers them to the box:
// keyDown first (Enter navigates), then keyPress (Enter adds the address).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/AddressList.hpp"

namespace larkspan {

// The result of a completion: the box's new text and the selected rest, in characters.
struct AddressCompletionResult {
    std::string text;
    int selectionStart = 0;
    int selectionLength = 0;
};

// One completion pass over `list` for the box text `typed` (UTF-8). The entries are tried
// in order, and one more position past the last reads as the empty text; the first whose
// beginning equals `typed` exactly (letter case counts) wins: the text becomes that entry
// and the part beyond what was typed is selected. No value when nothing matches. An empty
// box takes the first entry, wholly selected.
std::optional<AddressCompletionResult> completeAddress(std::string_view typed,
                                                       const AddressList& list);

// The drop-down list's prefix search: the index of the first entry that begins with
// `text`, letter case ignored (Unicode case folding). No value when none does.
std::optional<std::size_t> findAddressPrefix(const AddressList& list, std::string_view text);

// The character code that a key pressed in the address box hands to the key-press rule
// (`AddressBoxLogic::keyPress`), from its GDK key value: a key that types a character gives
// that character; Backspace and Delete, which only take text away, both give Backspace's
// code, so that deleting a proposed completion rejects it. Keys that type no character
// (Tab, Escape, arrows, function keys, and any key held with Ctrl or Alt) give nothing and
// leave the completion as it is.
std::optional<int> addressKeyPressCode(unsigned keyval, bool withCtrlOrAlt);

// The address box's state apart from its widgets: whether `Timer1` is switched on, over the
// typed-address list that every main window shares.
class AddressBoxLogic {
  public:
    explicit AddressBoxLogic(AddressList& list) : list_(list) {}

    static constexpr int kKeyBackspace = 8;
    static constexpr int kKeyEnter = 13;
    // Timer1's interval.
    static constexpr unsigned kCompletionIntervalMs = 200;

    enum class EnterAction {
        None,      // not Enter, or Enter on an empty box
        Guard,     // the web lock is on: the lock dialog opens instead of navigating
        Navigate,  // the engine navigates to the box's text and takes the focus
    };

    struct KeyPressOutcome {
        bool addedToList = false;      // the text was appended to the list
        bool appendToHistory = false;  // the caller appends the text to "history.txt"
    };

    AddressList& list() { return list_; }
    const AddressList& list() const { return list_; }

    // Timer1 is on when the window is created, so one pass runs 200 ms after start-up.
    bool timerEnabled() const { return timerEnabled_; }

    // Key-down in the box (runs first). `webLocked`: the options check box "The Web" is
    // not clear. Enter on an empty box does nothing here.
    EnterAction keyDown(int keyCode, std::string_view boxText, bool webLocked) const;

    // Key press in the box with character code `charCode` (runs after keyDown).
    // Backspace, and Enter on a non-empty box, switch the timer off; any other key (and
    // Enter on an empty box) switches it on. Enter on a text that no listed entry begins
    // with (case ignored) appends it to the list; then `historyOn` is asked (only then)
    // whether the address also goes to the history file. With `remember` false (a private
    // window) nothing is added anywhere.
    KeyPressOutcome keyPress(int charCode, std::string_view boxText,
                             const std::function<bool()>& historyOn, bool remember = true);

    // Timer1's tick: one completion pass; the timer is off afterwards, found or not.
    std::optional<AddressCompletionResult> timerTick(std::string_view boxText);

  private:
    AddressList& list_;
    bool timerEnabled_ = true;
};

}  // namespace larkspan
