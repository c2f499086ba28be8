#pragma once

// What a session is: every main window that is not private, with its place and state, its
// tabs in order and the one shown, and each page's Back and Forward history as the engine
// serialises it.

#include <cstddef>
#include <string>
#include <vector>

#include "settings/WindowPlaces.hpp"

namespace larkspan {

struct SessionTab {
    std::string address;
    std::string title;
    // PageEngine::historyState() of the tab's page; empty for a page that never loaded.
    std::string history;

    bool operator==(const SessionTab&) const = default;
};

struct SessionWindow {
    // The window's state and its normal place and size, in twips.
    WindowPlaces place;
    std::vector<SessionTab> tabs;
    // The tab shown, an index into `tabs`.
    std::size_t current = 0;

    bool operator==(const SessionWindow&) const = default;
};

struct Session {
    // In the order the windows were opened.
    std::vector<SessionWindow> windows;

    bool operator==(const Session&) const = default;
};

}  // namespace larkspan
