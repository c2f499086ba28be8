#pragma once

// Opens an address in the user's default web browser. Tests replace the launch to see
// what would have been opened.

#include <functional>
#include <string>

namespace larkspan::popups {

using BrowserLauncher = std::function<bool(const std::string& address)>;

// Hands `address` to the desktop's default handler of its scheme; false when it could not.
bool openInDefaultBrowser(const std::string& address);
// Replaces the launch (nullptr restores the desktop's).
void setBrowserLauncher(BrowserLauncher launcher);

}  // namespace larkspan::popups
