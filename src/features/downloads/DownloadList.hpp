#pragma once

// The program's downloads of this run, in the order they started. The Downloads window
// shows them; it may close and open again, the list stays. Dropping the list cancels the
// downloads still receiving.

#include <sigc++/sigc++.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/Download.hpp"

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

    // A download joined the list at that index.
    sigc::signal<void(std::size_t)> signalAdded;
    // The download at that index changed (name, counts or state).
    sigc::signal<void(std::size_t)> signalChanged;

  private:
    std::vector<std::shared_ptr<Download>> items_;
    std::vector<sigc::connection> connections_;
};

}  // namespace larkspan
