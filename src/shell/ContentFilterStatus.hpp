#pragma once

// What the options show of the ad and tracker filter: the lists in use, with the rules each
// gave and when the list last changed. The content filter feature fills it; the options
// dialog observes it.

#include <sigc++/signal.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace larkspan {

struct FilterListStatus {
    std::string path;
    std::size_t rules = 0;      // rules the engine took
    std::size_t skipped = 0;    // rules it cannot express
    std::int64_t modified = 0;  // seconds since 1970
    bool counted = false;       // false until the list was converted (or its counts read)
};

// "easylist.txt: 75295 rules (964 skipped), 2025-10-31", or "being compiled" before the
// counts are known.
std::string describe(const FilterListStatus& list);

class ContentFilterStatus {
  public:
    const std::vector<FilterListStatus>& lists() const { return lists_; }
    void setLists(std::vector<FilterListStatus> lists) {
        lists_ = std::move(lists);
        changed_.emit();
    }
    sigc::signal<void()>& signalChanged() { return changed_; }

  private:
    std::vector<FilterListStatus> lists_;
    sigc::signal<void()> changed_;
};

}  // namespace larkspan
