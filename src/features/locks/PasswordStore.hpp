#pragma once

// The one password of the program's locks. It lives in the settings store under the
// program's application name, alone in a section whose name, like its value name and its
// value, is scrambled with `EncDec` and the empty key. Nothing is cached: each check reads
// the store again.

#include <string>

namespace larkspan {
class SettingsStore;
}

namespace larkspan::locks {

// True when `typed` is accepted. The stored value is read with the scrambled `typed` as its
// default, so while no password is stored any text is accepted except one made only of
// spaces (which scrambles to the empty text). The comparison is exact: letter case and
// spaces count.
bool CheckPassword(const SettingsStore& store, const std::string& typed);

// True when a password is stored: the stored value (read with the empty text as default)
// unscrambles to a non-empty text.
bool passwordIsSet(const SettingsStore& store);

// Stores `password` scrambled; an empty password or one of spaces only is stored as the
// empty text, which leaves the program without a password. False when it was not written.
bool storeNewPassword(SettingsStore& store, const std::string& password);

}  // namespace larkspan::locks
