#pragma once

// The rules of the update check that need neither the network nor a window: the program's
// own version text, what a fetched version text leads to, and which addresses the check
// may fetch from.

#include <optional>
#include <string>
#include <string_view>

namespace larkspan::update {

// What the hidden version box of the main window holds before any fetch succeeded.
inline constexpr const char* kVersionBoxInitial = "Text1";

// The program's own version: major, minor and revision in decimal without leading zeros,
// joined by "." ("1.0.0").
std::string localVersionText();

// Who asked for the check: the user (Help menu, About box) or a main window's start-up.
enum class Trigger { User, Startup };

// What the check does once the offered version text has arrived or failed to.
enum class Outcome {
    Silent,       // nothing to say
    UpToDate,     // "You are up to date!"
    OfferUpdate,  // the update window
    NoServer,     // none is configured: updates come through the system's package manager
};

// What the user is told when asking for a check while no update server is configured, as
// in a distribution's package, whose updates the system's package manager brings.
inline constexpr const char* kNoServerMessage =
    "Larkspan is updated through your system's package manager.\r\n"
    "Use it to look for a newer version.";

// Applies a fetch to the version box (a fetched text replaces it unchanged, spaces and line
// ends included; a failed fetch leaves it as it was) and compares the box with `local`,
// exactly and with case. Equal is up to date, for the user, and silent at start-up. Any
// difference offers the update. A failed fetch at start-up stays silent: an offline start
// must not open the update window and its error messages.
Outcome decide(Trigger trigger, const std::optional<std::string>& fetched, std::string& versionBox,
               std::string_view local);

// Whether the update check may fetch `address`: "https" to any host, or plain "http" to a
// loopback host only (127.0.0.0/8, "localhost", "::1"), which no one on the network path can
// answer for. An update check in the clear would let anyone on the path send users to a
// download page of their choosing.
bool isSafeUpdateAddress(std::string_view address);

}  // namespace larkspan::update
