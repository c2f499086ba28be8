#pragma once

// Fetches a web address as text, asynchronously, so that no window freezes while the update
// server answers. Each answer arrives from the main loop; callers chain their fetches to
// keep the order of their steps.

#include <functional>
#include <memory>
#include <optional>
#include <string>

typedef struct _SoupSession SoupSession;
typedef struct _GCancellable GCancellable;

namespace larkspan::update {

class TextFetcher {
  public:
    // The body on success, nothing when the fetch failed.
    using Done = std::function<void(std::optional<std::string>)>;

    TextFetcher();
    // Cancels the fetches still running; their `done` never runs.
    ~TextFetcher();
    TextFetcher(const TextFetcher&) = delete;
    TextFetcher& operator=(const TextFetcher&) = delete;

    // Fetches `address` and calls `done` later, from the main loop, with the whole body
    // unchanged (no trimming, no decoding). A fetch fails on a network or TLS error, a
    // status other than 2xx, a redirect (never followed, so an encrypted address cannot
    // be turned into one in the clear) or an address `isSafeUpdateAddress` refuses, which
    // is not requested at all.
    void fetch(const std::string& address, Done done);

  private:
    SoupSession* session_ = nullptr;
    GCancellable* cancellable_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan::update
