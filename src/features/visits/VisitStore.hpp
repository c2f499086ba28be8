#pragma once

// Every page the user went to in a normal window, kept in a SQLite database in the data
// folder ("visits.sqlite"): one row per address (its title, how many visits, how many of them
// typed, the last one, and a rank) and one row per visit (when, and whether typed).
//
// The rank of an address ("frecency") weighs each visit by how long ago it was: a visit counts
// 1 (a typed one 2) and its weight halves every 30 days. The sum is kept as its base-2
// logarithm measured against a fixed moment, so that a new visit updates it in place
// (log-sum of two terms) and the order of two addresses never changes while time passes.
//
// Finding addresses by a few letters follows suggestionMatches: a trigram index over the
// case-folded title and address narrows the rows for words of three letters or more, every row
// is then checked against the rule itself; shorter words walk the addresses in rank order.
//
// A database that cannot be read is moved aside whole and a fresh one started; when no
// database can be opened the store holds nothing and writes fail.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/AddressSuggestions.hpp"

typedef struct sqlite3 sqlite3;

namespace larkspan::visits {

// Microseconds since 1970-01-01 UTC (what g_get_real_time gives).
using TimePoint = std::int64_t;

// One change to write: a visit to `address` at `time`, or the page at `address` telling its
// `title`.
struct VisitChange {
    enum class Kind { Visit, Title };
    Kind kind = Kind::Visit;
    std::string address;
    std::string title;
    TimePoint time = 0;
    bool typed = false;
};

// One visit as the history window lists it.
struct VisitRow {
    std::int64_t id = 0;
    TimePoint time = 0;
    bool typed = false;
    std::string address;
    std::string title;
};

// Where a page of visits ends: the next page starts after this one.
struct VisitCursor {
    TimePoint time = 0;
    std::int64_t id = 0;
};

// An address's rank after one more visit: `rank` is what it held before (none for a first
// visit). Higher is better.
double rankAfterVisit(std::optional<double> rank, TimePoint time, bool typed);
// The score suggestions carry: the rank's weight as it stands at `now` (the number of
// visits it is worth today).
double scoreAt(double rank, TimePoint now);

class VisitStore {
  public:
    // Opens (creating when needed) the database at `file`; ":memory:" keeps it in memory.
    explicit VisitStore(std::filesystem::path file);
    ~VisitStore();
    VisitStore(const VisitStore&) = delete;
    VisitStore& operator=(const VisitStore&) = delete;

    // $XDG_DATA_HOME/larkspan/visits.sqlite
    static std::filesystem::path defaultFile();

    // Writes every change in one transaction: all or none. A title for an address never
    // visited is dropped. False when nothing was written.
    bool apply(const std::vector<VisitChange>& changes);

    // Up to `limit` addresses matching `text` (suggestionMatches), best rank first, the typed
    // ones first among equals. Words shorter than three letters look at the best-ranked
    // `kWalkCap` addresses only.
    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit,
                                           TimePoint now) const;
    static constexpr std::size_t kWalkCap = 5000;

    // Up to `limit` visits, newest first, to addresses matching `text` (every visit when it
    // holds no word), starting after `after`.
    std::vector<VisitRow> visits(std::string_view text, std::size_t limit,
                                 std::optional<VisitCursor> after = std::nullopt) const;

    // Removes the visits with these ids; an address whose last visit goes is removed too.
    bool removeVisits(const std::vector<std::int64_t>& ids);
    // Removes `address` and all its visits; false when the store did not hold it.
    bool forgetAddress(const std::string& address);
    // Removes every address of `host` (as addressHost gives it) and their visits.
    bool forgetHost(const std::string& host);
    // Removes every visit made at or after `since`; a time at or before 0 removes everything.
    bool clearSince(TimePoint since);
    // The addresses with a typed visit at or after `since`.
    std::vector<std::string> typedSince(TimePoint since) const;

    // What the store holds (for the bench and tests).
    std::size_t addressCount() const;
    std::size_t visitCount() const;

    bool usable() const { return db_ != nullptr; }
    // Where an unreadable database was moved to when the store opened; empty otherwise.
    const std::filesystem::path& movedAside() const { return movedAside_; }

  private:
    bool open();
    void close();
    bool exec(const char* sql) const;
    // Recounts an address's visits and rank from its visit rows; removes it when none is left.
    bool recount(std::int64_t place);
    bool removePlace(std::int64_t place, const std::string& address, const std::string& title);

    // After a commit: once the journal holds enough pages, it is copied back into the
    // file on a worker thread with a connection of its own, so that no write of the main
    // loop waits for the disk.
    static int onCommitted(void* store, sqlite3* db, const char* name, int pages);
    void checkpointAside();

    std::filesystem::path file_;
    std::filesystem::path movedAside_;
    sqlite3* db_ = nullptr;
    // Set while a worker copies the journal back; shared with that worker.
    std::shared_ptr<std::atomic<bool>> checkpointing_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace larkspan::visits
