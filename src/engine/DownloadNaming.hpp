#pragma once

// The name a downloaded file is saved under: the server's proposal made safe to use as a
// file name in the download folder, and made unique there so that nothing is overwritten.

#include <functional>
#include <string>
#include <string_view>

namespace larkspan::downloads {

// What a file being received is called until it is complete: the final name and this.
inline constexpr std::string_view kPartialSuffix = ".part";

// The proposed name without folders (only what follows the last "/" or "\"), without
// control characters, leading dots or surrounding blanks, and no longer than a file name
// may be (the extension kept). "download" when nothing usable is left.
std::string safeFileName(std::string_view proposed);

// `name` when `taken` does not hold it, otherwise the first free of "stem (2).ext",
// "stem (3).ext", ... The extension is what follows the last dot, with a ".tar" before it
// ("archive.tar.gz" becomes "archive (2).tar.gz"); a name without one gets the number at
// its end.
std::string uniqueFileName(const std::string& name,
                           const std::function<bool(const std::string&)>& taken);

}  // namespace larkspan::downloads
