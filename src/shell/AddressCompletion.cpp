#include "shell/AddressCompletion.hpp"

#include <gdk/gdk.h>
#include <glib.h>

#include "common/TextEncoding.hpp"

namespace larkspan {

namespace {

// Length in characters of valid UTF-8 (bytes that are not would count one each).
int charCount(std::string_view s) {
    if (!text::isValidUtf8(s)) return static_cast<int>(s.size());
    return static_cast<int>(g_utf8_strlen(s.data(), static_cast<gssize>(s.size())));
}

}  // namespace

std::optional<AddressCompletionResult> completeAddress(std::string_view typed,
                                                       const AddressList& list) {
    // Whole UTF-8 characters match exactly when their bytes do, so a byte prefix test is
    // the same as comparing the first n characters.
    auto complete = [typed](std::string_view entry) {
        AddressCompletionResult r;
        r.text = std::string(entry);
        r.selectionStart = charCount(typed);
        r.selectionLength = charCount(entry) - r.selectionStart;
        return r;
    };
    if (auto found = list.firstWithPrefix(typed)) return complete(list[*found]);
    // The position past the last entry reads as the empty text.
    if (typed.empty()) return complete({});
    return std::nullopt;
}

std::optional<std::size_t> findAddressPrefix(const AddressList& list, std::string_view text) {
    return list.firstWithPrefixIgnoringCase(text);
}

AddressBoxLogic::EnterAction AddressBoxLogic::keyDown(int keyCode, std::string_view boxText,
                                                      bool webLocked) const {
    if (keyCode != kKeyEnter || boxText.empty()) return EnterAction::None;
    return webLocked ? EnterAction::Guard : EnterAction::Navigate;
}

AddressBoxLogic::KeyPressOutcome AddressBoxLogic::keyPress(int charCode, std::string_view boxText,
                                                           const std::function<bool()>& historyOn,
                                                           bool remember) {
    KeyPressOutcome out;
    const bool enter = charCode == kKeyEnter && !boxText.empty();
    if (charCode != kKeyBackspace && !enter) {
        timerEnabled_ = true;
        return out;
    }
    timerEnabled_ = false;
    if (!enter || !remember) return out;

    if (!findAddressPrefix(list_, boxText)) {
        list_.append(std::string(boxText));
        out.addedToList = true;
        out.appendToHistory = historyOn && historyOn();
    }
    return out;
}

std::optional<int> addressKeyPressCode(unsigned keyval, bool withCtrlOrAlt) {
    if (keyval == GDK_KEY_BackSpace || keyval == GDK_KEY_Delete || keyval == GDK_KEY_KP_Delete) {
        return AddressBoxLogic::kKeyBackspace;
    }
    if (withCtrlOrAlt) return std::nullopt;
    gunichar c = gdk_keyval_to_unicode(keyval);
    // Tab, Escape and Delete map to control characters; they type nothing into the box.
    if (c == 0 || g_unichar_iscntrl(c)) return std::nullopt;
    return static_cast<int>(c);
}

std::optional<AddressCompletionResult> AddressBoxLogic::timerTick(std::string_view boxText) {
    timerEnabled_ = false;
    return completeAddress(boxText, list_);
}

}  // namespace larkspan
