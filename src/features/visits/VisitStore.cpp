#include "features/visits/VisitStore.hpp"

#include <gio/gio.h>
#include <glib.h>
#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <unordered_map>
#include <utility>

#include "common/AddressHost.hpp"
#include "common/MoveAside.hpp"
#include "common/Paths.hpp"

namespace larkspan::visits {

namespace fs = std::filesystem;

namespace {

constexpr int kBusyTimeoutMs = 2000;
constexpr int kSchemaVersion = 1;
// 2000-01-01 UTC, the moment ranks are measured against.
constexpr double kRankEpochSeconds = 946684800.0;
constexpr double kHalfLifeSeconds = 30.0 * 86400.0;
// A typed visit weighs twice an ordinary one: one more in the base-2 logarithm.
constexpr double kTypedBonus = 1.0;
// When the trigram index names more addresses than this, the words are common enough that
// walking the addresses in rank order finds the best ones sooner.
constexpr std::size_t kCandidateCap = 500;
// At most this many trigrams narrow a query; the rule checks the rest.
constexpr std::size_t kMaxTrigrams = 12;
// The history window's search looks at this many visits per page at most, so that a rare
// short word never holds the window for long; the next page goes on from there.
constexpr std::size_t kVisitScanCap = 100000;

constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS places ("
    " id INTEGER PRIMARY KEY,"
    " url TEXT NOT NULL UNIQUE,"
    " title TEXT NOT NULL DEFAULT '',"
    " host TEXT NOT NULL DEFAULT '',"
    " visit_count INTEGER NOT NULL DEFAULT 0,"
    " typed_count INTEGER NOT NULL DEFAULT 0,"
    " last_visit INTEGER NOT NULL DEFAULT 0,"
    " frecency REAL NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS places_rank"
    " ON places (frecency DESC, (typed_count > 0) DESC, last_visit DESC)",
    "CREATE INDEX IF NOT EXISTS places_host ON places (host)",
    "CREATE TABLE IF NOT EXISTS visits ("
    " id INTEGER PRIMARY KEY,"
    " place INTEGER NOT NULL,"
    " time INTEGER NOT NULL,"
    " typed INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS visits_time ON visits (time)",
    "CREATE INDEX IF NOT EXISTS visits_place ON visits (place)",
    // The case-folded title and address of each place, as trigrams and nothing else: the
    // text itself is not kept twice, and every candidate is checked against the rule.
    "CREATE VIRTUAL TABLE IF NOT EXISTS places_words USING fts5"
    " (words, content='', detail=none, tokenize='trigram case_sensitive 1')",
};

constexpr const char* kPlaceColumns =
    "SELECT id, url, title, host, visit_count, typed_count, last_visit, frecency FROM places "
    "LIMIT 0";
constexpr const char* kVisitColumns = "SELECT id, place, time, typed FROM visits LIMIT 0";

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (db != nullptr) sqlite3_prepare_v2(db, sql, -1, &st_, nullptr);
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return st_ != nullptr; }
    void reset() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    void bind(int index, std::string_view text) {
        sqlite3_bind_text(st_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, std::int64_t value) { sqlite3_bind_int64(st_, index, value); }
    void bind(int index, double value) { sqlite3_bind_double(st_, index, value); }
    int step() { return st_ != nullptr ? sqlite3_step(st_) : SQLITE_MISUSE; }
    bool run() { return step() == SQLITE_DONE; }
    std::int64_t integer(int column) const { return sqlite3_column_int64(st_, column); }
    double real(int column) const { return sqlite3_column_double(st_, column); }
    std::string text(int column) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(st_, column));
        int size = sqlite3_column_bytes(st_, column);
        return bytes != nullptr ? std::string(bytes, static_cast<std::size_t>(size))
                                : std::string();
    }

  private:
    sqlite3_stmt* st_ = nullptr;
};

// Case-folded as suggestionMatches folds: text that is not valid UTF-8 stays as it is.
std::string fold(std::string_view text) {
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return std::string(text);
    }
    gchar* folded = g_utf8_casefold(text.data(), static_cast<gssize>(text.size()));
    std::string result = folded != nullptr ? folded : "";
    g_free(folded);
    return result;
}

// The same folding, quicker for text of plain ASCII letters (most titles and addresses),
// whose case folding is their lower case.
std::string quickFold(std::string_view text) {
    bool plain = true;
    for (char c : text) {
        if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    }
    if (!plain) return fold(text);
    std::string lower(text);
    for (char& c : lower) c = g_ascii_tolower(c);
    return lower;
}

// suggestionMatches with the words of the text split and folded once, for many rows.
class Matcher {
  public:
    explicit Matcher(std::string_view text) : words_(suggestionWords(text)) {}
    bool operator()(std::string_view title, std::string_view address) const {
        if (words_.empty()) return false;
        const std::string foldedTitle = quickFold(title);
        const std::string foldedAddress = quickFold(address);
        return std::all_of(words_.begin(), words_.end(), [&](const std::string& word) {
            return foldedTitle.find(word) != std::string::npos ||
                   foldedAddress.find(word) != std::string::npos;
        });
    }

  private:
    std::vector<std::string> words_;
};

// What the trigram index holds for a place. A word never holds white space, so it never
// matches across the line break between the two.
std::string wordsOf(std::string_view title, std::string_view address) {
    return fold(title) + "\n" + fold(address);
}

// Titles and addresses are kept as valid UTF-8 without NUL bytes, so that the index sees the
// same characters the rule does.
std::string clean(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char c : text) {
        if (c != '\0') bytes += c;
    }
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr)) return bytes;
    gchar* valid = g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size()));
    std::string result = valid != nullptr ? valid : "";
    g_free(valid);
    return result;
}

// The index query for the words: every trigram of every word of three letters or more, each
// a quoted string (its quotes doubled), all required. Empty when no word is long enough, or
// when the text is not valid UTF-8 (then the index and the rule may disagree).
std::string trigramQuery(std::string_view text, const std::vector<std::string>& words) {
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return {};
    std::set<std::string> seen;
    std::string query;
    for (const std::string& word : words) {
        const char* end = word.data() + word.size();
        for (const char* at = word.data(); at < end && seen.size() < kMaxTrigrams;
             at = g_utf8_next_char(at)) {
            const char* stop = at;
            int letters = 0;
            while (stop < end && letters < 3) {
                stop = g_utf8_next_char(stop);
                ++letters;
            }
            if (letters < 3 || stop > end) break;
            std::string trigram(at, stop);
            if (!seen.insert(trigram).second) continue;
            if (!query.empty()) query += " AND ";
            query += '"';
            for (char c : trigram) {
                query += c;
                if (c == '"') query += '"';
            }
            query += '"';
        }
    }
    return query;
}

double rankUnits(TimePoint time) {
    return (static_cast<double>(time) / 1e6 - kRankEpochSeconds) / kHalfLifeSeconds;
}

struct Place {
    std::int64_t id = 0;
    std::string url;
    std::string title;
    double rank = 0.0;
    std::int64_t typed = 0;
    std::int64_t last = 0;
};

// Best first: rank, then typed, then the later visit, then the older row.
bool better(const Place& a, const Place& b) {
    if (a.rank != b.rank) return a.rank > b.rank;
    if ((a.typed > 0) != (b.typed > 0)) return a.typed > 0;
    if (a.last != b.last) return a.last > b.last;
    return a.id < b.id;
}

Place placeFrom(const Statement& st) {
    return {st.integer(0), st.text(1), st.text(2), st.real(3), st.integer(4), st.integer(5)};
}

// One transaction: rolled back unless committed.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) {
        ok_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~Transaction() {
        if (ok_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool ok() const { return ok_; }
    bool commit() {
        if (!ok_) return false;
        ok_ = false;
        return sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    }

  private:
    sqlite3* db_;
    bool ok_ = false;
};

}  // namespace

double rankAfterVisit(std::optional<double> rank, TimePoint time, bool typed) {
    double added = rankUnits(time) + (typed ? kTypedBonus : 0.0);
    if (!rank) return added;
    double high = std::max(*rank, added);
    double low = std::min(*rank, added);
    return high + std::log2(1.0 + std::exp2(low - high));
}

double scoreAt(double rank, TimePoint now) {
    return std::exp2(rank - rankUnits(now));
}

VisitStore::VisitStore(fs::path file) : file_(std::move(file)) {
    if (open()) return;
    bool memory = file_ == ":memory:";
    close();
    // Not a database of ours, or a damaged one: keep it whole beside a fresh one.
    if (!memory) {
        movedAside_ = moveDatabaseAside(file_);
        if (!movedAside_.empty() && open()) return;
    }
    close();
}

VisitStore::~VisitStore() {
    close();
}

fs::path VisitStore::defaultFile() {
    return paths::dataDir() / "visits.sqlite";
}

bool VisitStore::exec(const char* sql) const {
    return db_ != nullptr && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool VisitStore::open() {
    if (file_ != ":memory:") paths::ensureDir(file_.parent_path());
    if (sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Reading the schema is where a file that is no database shows it; no full check, which
    // would read a large file whole.
    if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=NORMAL")) return false;
    // Suggestions read rows all over the file: mapped, they are read without copying.
    exec("PRAGMA mmap_size=268435456");
    // The journal is copied back by checkpointAside, not by the committing write.
    if (file_ != ":memory:") sqlite3_wal_hook(db_, &VisitStore::onCommitted, this);
    Statement version(db_, "PRAGMA user_version");
    if (!version.ok() || version.step() != SQLITE_ROW) return false;
    std::int64_t found = version.integer(0);
    if (found != 0 && found != kSchemaVersion) return false;
    if (found == 0) {
        Transaction create(db_);
        if (!create.ok()) return false;
        for (const char* sql : kSchema) {
            if (!exec(sql)) return false;
        }
        if (!exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str())) return false;
        if (!create.commit()) return false;
    }
    // Tables of the same names with other columns are not ours.
    return Statement(db_, kPlaceColumns).ok() && Statement(db_, kVisitColumns).ok() &&
           Statement(db_, "SELECT rowid FROM places_words LIMIT 0").ok();
}

int VisitStore::onCommitted(void* store, sqlite3*, const char*, int pages) {
    // About 4 MB of pages, SQLite's own threshold.
    constexpr int kCheckpointPages = 1000;
    if (pages >= kCheckpointPages) static_cast<VisitStore*>(store)->checkpointAside();
    return SQLITE_OK;
}

void VisitStore::checkpointAside() {
    if (checkpointing_->exchange(true)) return;
    struct Job {
        std::string file;
        std::shared_ptr<std::atomic<bool>> running;
    };
    GTask* task = g_task_new(nullptr, nullptr, nullptr, nullptr);
    g_task_set_task_data(task, new Job{file_.string(), checkpointing_},
                         [](gpointer job) { delete static_cast<Job*>(job); });
    g_task_run_in_thread(task, [](GTask*, gpointer, gpointer data, GCancellable*) {
        auto* job = static_cast<Job*>(data);
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(job->file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db, kBusyTimeoutMs);
            // Passive: it copies what no reader still needs and never holds up a writer.
            sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        }
        sqlite3_close_v2(db);
        job->running->store(false);
    });
    g_object_unref(task);
}

void VisitStore::close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool VisitStore::apply(const std::vector<VisitChange>& changes) {
    if (db_ == nullptr) return false;
    if (changes.empty()) return true;
    Transaction tx(db_);
    if (!tx.ok()) return false;
    Statement find(db_, "SELECT id, title, frecency FROM places WHERE url = ?1");
    Statement addPlace(db_,
                       "INSERT INTO places (url, title, host, visit_count, typed_count, "
                       "last_visit, frecency) VALUES (?1, '', ?2, 1, ?3, ?4, ?5)");
    Statement visitPlace(db_,
                         "UPDATE places SET visit_count = visit_count + 1, typed_count = "
                         "typed_count + ?2, last_visit = max(last_visit, ?3), frecency = ?4 "
                         "WHERE id = ?1");
    Statement addVisit(db_, "INSERT INTO visits (place, time, typed) VALUES (?1, ?2, ?3)");
    Statement retitle(db_, "UPDATE places SET title = ?2 WHERE id = ?1");
    Statement addWords(db_, "INSERT INTO places_words (rowid, words) VALUES (?1, ?2)");
    Statement dropWords(db_,
                        "INSERT INTO places_words (places_words, rowid, words) "
                        "VALUES ('delete', ?1, ?2)");
    for (Statement* st :
         {&find, &addPlace, &visitPlace, &addVisit, &retitle, &addWords, &dropWords}) {
        if (!st->ok()) return false;
    }
    for (const VisitChange& change : changes) {
        const std::string address = clean(change.address);
        if (address.empty()) continue;
        find.reset();
        find.bind(1, address);
        int found = find.step();
        if (found != SQLITE_ROW && found != SQLITE_DONE) return false;
        const bool known = found == SQLITE_ROW;
        const std::int64_t id = known ? find.integer(0) : 0;
        const std::string oldTitle = known ? find.text(1) : std::string();
        const double oldRank = known ? find.real(2) : 0.0;

        if (change.kind == VisitChange::Kind::Title) {
            const std::string title = clean(change.title);
            if (!known || title == oldTitle) continue;
            dropWords.reset();
            dropWords.bind(1, id);
            dropWords.bind(2, wordsOf(oldTitle, address));
            addWords.reset();
            addWords.bind(1, id);
            addWords.bind(2, wordsOf(title, address));
            retitle.reset();
            retitle.bind(1, id);
            retitle.bind(2, title);
            if (!dropWords.run() || !addWords.run() || !retitle.run()) return false;
            continue;
        }

        const std::int64_t typed = change.typed ? 1 : 0;
        std::int64_t place = id;
        if (known) {
            visitPlace.reset();
            visitPlace.bind(1, id);
            visitPlace.bind(2, typed);
            visitPlace.bind(3, change.time);
            visitPlace.bind(4, rankAfterVisit(oldRank, change.time, change.typed));
            if (!visitPlace.run()) return false;
        } else {
            addPlace.reset();
            addPlace.bind(1, address);
            addPlace.bind(2, addressHost(address));
            addPlace.bind(3, typed);
            addPlace.bind(4, change.time);
            addPlace.bind(5, rankAfterVisit(std::nullopt, change.time, change.typed));
            if (!addPlace.run()) return false;
            place = sqlite3_last_insert_rowid(db_);
            addWords.reset();
            addWords.bind(1, place);
            addWords.bind(2, wordsOf("", address));
            if (!addWords.run()) return false;
        }
        addVisit.reset();
        addVisit.bind(1, place);
        addVisit.bind(2, change.time);
        addVisit.bind(3, typed);
        if (!addVisit.run()) return false;
    }
    return tx.commit();
}

std::vector<AddressSuggestion> VisitStore::suggest(std::string_view text, std::size_t limit,
                                                   TimePoint now) const {
    std::vector<AddressSuggestion> out;
    const std::vector<std::string> words = suggestionWords(text);
    if (db_ == nullptr || words.empty() || limit == 0) return out;

    const Matcher matches(text);
    std::vector<Place> found;
    bool walk = true;
    if (std::string query = trigramQuery(text, words); !query.empty()) {
        Statement candidates(db_,
                             "SELECT rowid FROM places_words WHERE places_words MATCH ?1 LIMIT ?2");
        candidates.bind(1, query);
        candidates.bind(2, static_cast<std::int64_t>(kCandidateCap + 1));
        std::vector<std::int64_t> ids;
        while (candidates.step() == SQLITE_ROW) ids.push_back(candidates.integer(0));
        if (ids.size() <= kCandidateCap) {
            walk = false;
            Statement place(db_,
                            "SELECT id, url, title, frecency, typed_count, last_visit "
                            "FROM places WHERE id = ?1");
            for (std::int64_t id : ids) {
                place.reset();
                place.bind(1, id);
                if (place.step() != SQLITE_ROW) continue;
                Place p = placeFrom(place);
                if (matches(p.title, p.url)) found.push_back(std::move(p));
            }
            std::sort(found.begin(), found.end(), better);
            if (found.size() > limit) found.resize(limit);
        }
    }
    if (walk) {
        Statement ranked(db_,
                         "SELECT id, url, title, frecency, typed_count, last_visit FROM places "
                         "ORDER BY frecency DESC, (typed_count > 0) DESC, last_visit DESC "
                         "LIMIT ?1");
        ranked.bind(1, static_cast<std::int64_t>(kWalkCap));
        while (found.size() < limit && ranked.step() == SQLITE_ROW) {
            Place p = placeFrom(ranked);
            if (matches(p.title, p.url)) found.push_back(std::move(p));
        }
    }
    for (Place& p : found) {
        out.push_back({std::move(p.title), std::move(p.url), scoreAt(p.rank, now), p.typed > 0});
    }
    return out;
}

std::vector<VisitRow> VisitStore::visits(std::string_view text, std::size_t limit,
                                         std::optional<VisitCursor> after) const {
    std::vector<VisitRow> rows;
    if (db_ == nullptr || limit == 0) return rows;
    const std::vector<std::string> words = suggestionWords(text);
    const std::string query = words.empty() ? std::string() : trigramQuery(text, words);
    std::string sql =
        "SELECT v.id, v.time, v.typed, p.url, p.title, p.id FROM visits v "
        "JOIN places p ON p.id = v.place "
        "WHERE (v.time < ?1 OR (v.time = ?1 AND v.id < ?2))";
    if (!query.empty()) {
        sql += " AND v.place IN (SELECT rowid FROM places_words WHERE places_words MATCH ?3)";
    }
    sql += " ORDER BY v.time DESC, v.id DESC";
    Statement st(db_, sql.c_str());
    VisitCursor from = after.value_or(VisitCursor{LLONG_MAX, LLONG_MAX});
    st.bind(1, static_cast<std::int64_t>(from.time));
    st.bind(2, from.id);
    if (!query.empty()) st.bind(3, query);
    const Matcher matcher(text);
    std::unordered_map<std::int64_t, bool> verdicts;
    std::size_t scanned = 0;
    while (rows.size() < limit && st.step() == SQLITE_ROW) {
        VisitRow row{st.integer(0), st.integer(1), st.integer(2) != 0, st.text(3), st.text(4)};
        const std::int64_t place = st.integer(5);
        bool matches = words.empty();
        if (!matches) {
            auto [it, added] = verdicts.try_emplace(place, false);
            if (added) it->second = matcher(row.title, row.address);
            matches = it->second;
        }
        if (matches) {
            rows.push_back(std::move(row));
        } else if (++scanned >= kVisitScanCap) {
            break;
        }
    }
    return rows;
}

bool VisitStore::removePlace(std::int64_t place, const std::string& address,
                             const std::string& title) {
    Statement visits(db_, "DELETE FROM visits WHERE place = ?1");
    Statement places(db_, "DELETE FROM places WHERE id = ?1");
    Statement words(db_,
                    "INSERT INTO places_words (places_words, rowid, words) "
                    "VALUES ('delete', ?1, ?2)");
    visits.bind(1, place);
    places.bind(1, place);
    words.bind(1, place);
    words.bind(2, wordsOf(title, address));
    return visits.run() && places.run() && words.run();
}

bool VisitStore::recount(std::int64_t place) {
    Statement times(db_, "SELECT time, typed FROM visits WHERE place = ?1 ORDER BY time");
    times.bind(1, place);
    std::int64_t count = 0;
    std::int64_t typed = 0;
    TimePoint last = 0;
    std::optional<double> rank;
    while (times.step() == SQLITE_ROW) {
        const TimePoint time = times.integer(0);
        const bool wasTyped = times.integer(1) != 0;
        ++count;
        typed += wasTyped ? 1 : 0;
        last = std::max(last, time);
        rank = rankAfterVisit(rank, time, wasTyped);
    }
    if (count == 0) {
        Statement which(db_, "SELECT url, title FROM places WHERE id = ?1");
        which.bind(1, place);
        if (which.step() != SQLITE_ROW) return true;
        return removePlace(place, which.text(0), which.text(1));
    }
    Statement update(db_,
                     "UPDATE places SET visit_count = ?2, typed_count = ?3, last_visit = ?4, "
                     "frecency = ?5 WHERE id = ?1");
    update.bind(1, place);
    update.bind(2, count);
    update.bind(3, typed);
    update.bind(4, static_cast<std::int64_t>(last));
    update.bind(5, *rank);
    return update.run();
}

bool VisitStore::removeVisits(const std::vector<std::int64_t>& ids) {
    if (db_ == nullptr) return false;
    Transaction tx(db_);
    if (!tx.ok()) return false;
    Statement remove(db_, "DELETE FROM visits WHERE id = ?1 RETURNING place");
    std::set<std::int64_t> places;
    for (std::int64_t id : ids) {
        remove.reset();
        remove.bind(1, id);
        if (remove.step() == SQLITE_ROW) places.insert(remove.integer(0));
        while (remove.step() == SQLITE_ROW) {
        }
    }
    for (std::int64_t place : places) {
        if (!recount(place)) return false;
    }
    return tx.commit();
}

bool VisitStore::forgetAddress(const std::string& address) {
    if (db_ == nullptr) return false;
    Transaction tx(db_);
    Statement find(db_, "SELECT id, url, title FROM places WHERE url = ?1");
    find.bind(1, clean(address));
    if (!tx.ok() || find.step() != SQLITE_ROW) return false;
    return removePlace(find.integer(0), find.text(1), find.text(2)) && tx.commit();
}

bool VisitStore::forgetHost(const std::string& host) {
    if (db_ == nullptr || host.empty()) return false;
    Transaction tx(db_);
    if (!tx.ok()) return false;
    Statement find(db_, "SELECT id, url, title FROM places WHERE host = ?1");
    find.bind(1, host);
    std::vector<Place> places;
    while (find.step() == SQLITE_ROW) {
        places.push_back({find.integer(0), find.text(1), find.text(2)});
    }
    for (const Place& p : places) {
        if (!removePlace(p.id, p.url, p.title)) return false;
    }
    return tx.commit();
}

bool VisitStore::clearSince(TimePoint since) {
    if (db_ == nullptr) return false;
    Transaction tx(db_);
    if (!tx.ok()) return false;
    if (since <= 0) {
        if (!exec("DELETE FROM visits") || !exec("DELETE FROM places") ||
            !exec("INSERT INTO places_words (places_words) VALUES ('delete-all')")) {
            return false;
        }
        return tx.commit();
    }
    Statement touched(db_, "DELETE FROM visits WHERE time >= ?1 RETURNING place");
    touched.bind(1, static_cast<std::int64_t>(since));
    std::set<std::int64_t> places;
    int rc;
    while ((rc = touched.step()) == SQLITE_ROW) places.insert(touched.integer(0));
    if (rc != SQLITE_DONE) return false;
    for (std::int64_t place : places) {
        if (!recount(place)) return false;
    }
    return tx.commit();
}

std::vector<std::string> VisitStore::typedSince(TimePoint since) const {
    std::vector<std::string> out;
    Statement st(db_,
                 "SELECT DISTINCT p.url FROM visits v JOIN places p ON p.id = v.place "
                 "WHERE v.typed = 1 AND v.time >= ?1");
    st.bind(1, static_cast<std::int64_t>(since));
    while (st.step() == SQLITE_ROW) out.push_back(st.text(0));
    return out;
}

std::size_t VisitStore::addressCount() const {
    Statement st(db_, "SELECT count(*) FROM places");
    return st.step() == SQLITE_ROW ? static_cast<std::size_t>(st.integer(0)) : 0;
}

std::size_t VisitStore::visitCount() const {
    Statement st(db_, "SELECT count(*) FROM visits");
    return st.step() == SQLITE_ROW ? static_cast<std::size_t>(st.integer(0)) : 0;
}

}  // namespace larkspan::visits
