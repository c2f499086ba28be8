#pragma once

// What "Clear Browsing Data" can clear: each feature that keeps something contributes one
// item (a tick of the dialog) with the function that clears it, and the dialog clears the
// ticked ones for the chosen time range.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/SiteData.hpp"

namespace larkspan {

// The time ranges the dialog offers, in its order.
enum class ClearRange { LastHour, Today, Everything };

// The point from which on a range clears, seen at `now`: an hour back, the start of the
// local day, or nothing for everything.
ClearSince clearSince(ClearRange range, std::chrono::system_clock::time_point now);

struct ClearableItem {
    std::string label;       // the tick's caption ("_Cached files")
    std::string widgetName;  // the tick's widget name ("chkClearCache")
    // Clears what was kept since `since` (nothing: all of it) and calls `done` once it has,
    // whether or not it worked; it may call it before returning.
    std::function<void(ClearSince since, std::function<void()> done)> clear;
    // What the user should know before clearing it (the tick's tooltip); may be empty.
    std::string note = {};
};

class ClearDataRegistry {
  public:
    // Adds an item after the ones added before; an item with a widget name already
    // present replaces that one in its place.
    void add(ClearableItem item);
    const std::vector<ClearableItem>& items() const { return items_; }

    // Where else the times of typed addresses are known (the visit history marks the visits
    // that were typed): a range of the typed-address item takes out what any of them names.
    using TypedSince =
        std::function<std::vector<std::string>(std::chrono::system_clock::time_point)>;
    void addTypedSince(TypedSince source) { typedSince_.push_back(std::move(source)); }
    std::set<std::string> typedSince(std::chrono::system_clock::time_point since) const;

    // Clears the items whose widget names are in `chosen`, each with `since`, and calls
    // `done` once every one of them has finished (at once when none is chosen).
    void clear(const std::set<std::string>& chosen, ClearSince since,
               std::function<void()> done) const;

  private:
    std::vector<ClearableItem> items_;
    std::vector<TypedSince> typedSince_;
};

}  // namespace larkspan
