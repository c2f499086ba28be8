#pragma once

// "Send Mail": the two questions for the recipient and the subject, and the "mailto:"
// address built from the answers.

#include <functional>
#include <string>
#include <string_view>

namespace Gtk {
class Window;
}

namespace larkspan {

// "mailto:" + address + "?subject=" + subject, both parts percent-encoded as UTF-8 bytes
// (RFC 6068), so that "&", "#", "?", "%", spaces and non-ASCII letters in the subject stay
// in the subject. The address keeps letters, digits, "-._~", "@", "+" and the "," that
// separates several recipients; spaces around the address are dropped.
std::string mailtoAddress(std::string_view address, std::string_view subject);

// Asks "Enter email address" (title "email"), then "Enter subject for email" (title
// "subject") through the program's dialogs, and hands `done` the address to navigate to.
// Cancelling either box cancels the mail: `done` is not called, and a cancelled first box
// skips the second question. An empty answer given with OK is kept (a mail without
// recipient or without subject).
void askMailLink(Gtk::Window* parent, std::function<void(const std::string& link)> done);

}  // namespace larkspan
