#pragma once

// The run's visit history: the store, opened when first needed (not while the program
// starts), the recorder that fills it, and the address box's suggestions from it. Every
// reader sees what the recorder still holds: it writes that first.

#include <sigc++/sigc++.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "features/visits/VisitRecorder.hpp"
#include "features/visits/VisitStore.hpp"
#include "shell/AddressSuggestions.hpp"

namespace larkspan::visits {

class VisitHistory : public AddressSuggestionSource {
  public:
    // How long a visit waits for others before the batch is written.
    static constexpr unsigned kFlushDelayMs = 1500;

    explicit VisitHistory(std::filesystem::path file);
    ~VisitHistory() override;

    VisitRecorder& recorder() { return recorder_; }
    // The store, with everything recorded so far written.
    VisitStore& store();
    // Whether the store has been opened in this run.
    bool storeOpened() const { return store_ != nullptr; }

    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) override;
    bool forget(const std::string& address) override;

    // Removes every visit made at or after `since` (everything when `since` <= 0).
    bool clearSince(TimePoint since);
    // The addresses typed in the address box at or after `since`.
    std::vector<std::string> typedSince(TimePoint since);
    // Removes visits, a site or an address on the user's word, and tells the windows.
    bool removeVisits(const std::vector<std::int64_t>& ids);
    bool forgetHost(const std::string& host);

    // The history changed: a batch was written or something was removed.
    sigc::signal<void()> signalChanged;

  private:
    VisitStore& opened();
    void write(const std::vector<VisitChange>& batch);

    std::filesystem::path file_;
    std::unique_ptr<VisitStore> store_;
    VisitRecorder recorder_;
};

}  // namespace larkspan::visits
