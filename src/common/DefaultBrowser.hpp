#pragma once

// Whether the desktop opens web pages with this program, and making it do so: the default
// application for "x-scheme-handler/http", "x-scheme-handler/https" and "text/html", as the
// desktop's shared associations (mimeapps.list) record it.

#include <string>

namespace larkspan::desktop {

// The program's desktop file as installed.
inline constexpr const char* kDesktopId = "org.larkspan.Larkspan.desktop";

// True when the application `desktopId` is the default for all three types.
bool isDefaultBrowser(const std::string& desktopId = kDesktopId);
// Makes `desktopId` the default for the three types; false when the desktop knows no such
// application or refused to record one of them.
bool makeDefaultBrowser(const std::string& desktopId = kDesktopId);

}  // namespace larkspan::desktop
