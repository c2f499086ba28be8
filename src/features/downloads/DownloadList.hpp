#pragma once

// The program's downloads of this run, in the order they started. The Downloads window
// shows them; it may close and open again, the list stays. Dropping the list cancels the
// downloads still receiving.

#include <sigc++/sigc++.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/Download.hpp"
#include "engine/SiteData.hpp"

namespace larkspan {

class DownloadList {
  public:
    DownloadList() = default;
    ~DownloadList();
    DownloadList(const DownloadList&) = delete;
    DownloadList& operator=(const DownloadList&) = delete;

    // Keeps `download` at the end of the list; its index.
    std::size_t add(std::shared_ptr<Download> download);
    const std::vector<std::shared_ptr<Download>>& items() const { return items_; }
    // Takes off the list the downloads that have ended and started at or after `since`
    // (every ended one for everything); those still receiving stay.
    void forgetEnded(ClearSince since);

    // A download joined the list at that index.
    sigc::signal<void(std::size_t)> signalAdded;
    // The download at that index changed (name, counts or state).
    sigc::signal<void(std::size_t)> signalChanged;
    // Downloads left the list: every index may have changed.
    sigc::signal<void()> signalReset;

  private:
    void follow(std::size_t index);

    std::vector<std::shared_ptr<Download>> items_;
    // When each started, by index.
    std::vector<std::chrono::system_clock::time_point> started_;
    std::vector<sigc::connection> connections_;
};

}  // namespace larkspan
