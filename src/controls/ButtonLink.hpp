#pragma once

// Opening a link with the desktop's default handler, as a styled button does for its
// OpenLink method.

#include <gio/gio.h>

#include <string_view>

namespace larkspan {

// Opens link (an address with a scheme such as "https:" or "mailto:", or an absolute path
// of an existing file or folder) with the desktop's default handler. Returns whether it was
// handed over. Empty or relative links, links with control characters and executable files
// are refused, so that opening a link never starts a program by its path.
bool openLinkWithDefaultHandler(std::string_view link, GAppLaunchContext* context = nullptr);

}  // namespace larkspan
