#include "shell/AddressCompletion.hpp"

#include <glib.h>

#include <memory>

#include "common/TextEncoding.hpp"

namespace larkspan {

namespace {

// Length in characters of valid UTF-8 (bytes that are not would count one each).
int charCount(std::string_view s) {
    if (!text::isValidUtf8(s)) return static_cast<int>(s.size());
    return static_cast<int>(g_utf8_strlen(s.data(), static_cast<gssize>(s.size())));
}

std::string caseFolded(std::string_view s) {
    if (!text::isValidUtf8(s)) {
        std::string out(s);
        for (char& c : out) c = g_ascii_tolower(c);
        return out;
    }
    std::unique_ptr<gchar, decltype(&g_free)> folded(
        g_utf8_casefold(s.data(), static_cast<gssize>(s.size())), &g_free);
    return folded ? std::string(folded.get()) : std::string(s);
}

}  // namespace

std::optional<AddressCompletionResult> completeAddress(std::string_view typed,
                                                       const std::vector<std::string>& list) {
    // Whole UTF-8 characters match exactly when their bytes do, so a byte prefix test is
    // the same as comparing the first n characters.
    auto complete = [typed](std::string_view entry) {
        AddressCompletionResult r;
        r.text = std::string(entry);
        r.selectionStart = charCount(typed);
        r.selectionLength = charCount(entry) - r.selectionStart;
        return r;
    };
    for (const auto& entry : list) {
        if (std::string_view(entry).starts_with(typed)) return complete(entry);
    }
    // The position past the last entry reads as the empty text.
    if (typed.empty()) return complete({});
    return std::nullopt;
}

std::optional<std::size_t> findAddressPrefix(const std::vector<std::string>& list,
                                             std::string_view text) {
    const std::string wanted = caseFolded(text);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (caseFolded(list[i]).starts_with(wanted)) return i;
    }
    return std::nullopt;
}

AddressBoxLogic::EnterAction AddressBoxLogic::keyDown(int keyCode, std::string_view boxText,
                                                      bool webLocked) const {
    if (keyCode != kKeyEnter || boxText.empty()) return EnterAction::None;
    return webLocked ? EnterAction::Guard : EnterAction::Navigate;
}

AddressBoxLogic::KeyPressOutcome AddressBoxLogic::keyPress(int charCode, std::string_view boxText,
                                                           const std::function<bool()>& historyOn) {
    KeyPressOutcome out;
    const bool enter = charCode == kKeyEnter && !boxText.empty();
    if (charCode != kKeyBackspace && !enter) {
        timerEnabled_ = true;
        return out;
    }
    timerEnabled_ = false;
    if (!enter) return out;

    if (!findAddressPrefix(list_, boxText)) {
        list_.emplace_back(boxText);
        out.addedToList = true;
        out.appendToHistory = historyOn && historyOn();
    }
    return out;
}

std::optional<AddressCompletionResult> AddressBoxLogic::timerTick(std::string_view boxText) {
    timerEnabled_ = false;
    return completeAddress(boxText, list_);
}

}  // namespace larkspan
