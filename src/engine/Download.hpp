#pragma once

// One file a page handed over to be saved rather than shown, as the program sees it: its
// name and place, how much has arrived, how it ended. The WebKit adapter is the real one;
// tests drive a fake.

#include <sigc++/sigc++.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace larkspan {

enum class DownloadState { Receiving, Completed, Failed, Cancelled };

// The counts and the outcome of one download. The engine reports a failure (a cancel is
// one) followed by the end of the transfer, and the end alone for a success: only an end
// that no failure came before completes a download, and nothing changes once it has ended.
class DownloadStatus {
  public:
    DownloadState state() const { return state_; }
    bool ended() const { return state_ != DownloadState::Receiving; }
    std::uint64_t received() const { return received_; }
    // The size the server announced; none when it did not say.
    std::optional<std::uint64_t> total() const { return total_; }
    // How much has arrived, 0 to 1; none while the size is unknown. A completed download
    // is whole whatever was announced.
    std::optional<double> fraction() const;
    // Whether all the announced bytes arrived (true when no size was announced): an end of
    // the transfer short of it is a broken-off download, not a complete one.
    bool whole() const { return !total_ || received_ >= *total_; }
    // Why a failed download failed, in the engine's words.
    const std::string& failure() const { return failure_; }

    // Each returns true when it changed the status.
    bool announce(std::optional<std::uint64_t> total);
    bool receive(std::uint64_t bytes);
    bool fail(const std::string& reason, bool byUser);
    bool finish();

  private:
    DownloadState state_ = DownloadState::Receiving;
    std::uint64_t received_ = 0;
    std::optional<std::uint64_t> total_;
    std::string failure_;
};

class Download {
  public:
    virtual ~Download() = default;

    virtual const DownloadStatus& status() const = 0;
    // The address the file comes from.
    virtual std::string address() const = 0;
    // Where the file is once complete (written under a partial name until then); empty
    // until the engine has chosen it.
    virtual std::filesystem::path file() const = 0;
    // Stops a download that is still receiving; its partial file goes.
    virtual void cancel() = 0;

    // The name, the counts or the state changed.
    sigc::signal<void()> signalChanged;
};

}  // namespace larkspan
