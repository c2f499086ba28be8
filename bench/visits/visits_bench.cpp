// The visit history at full size: seeds 1,000,000 visits over 200,000 addresses (fixed seed)
// into a fresh database, then measures what the user waits on.
//
//   visits_bench [--db FILE] [--reuse]
//
// --db FILE   where the database goes (default: a fresh temporary folder, removed after)
// --reuse     measure FILE as it is, without seeding it again
//
// Prints: the seeding time, the file size, the store's open (the first use in a run), one
// suggestion query per letter typed (p50/p90/p99/max over many texts, split by the length of
// the shortest word), the write of a batch of visits as the recorder makes it, and the cost
// of making the run's visit history (which must not open the database).
#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "features/visits/VisitHistory.hpp"
#include "features/visits/VisitStore.hpp"

namespace fs = std::filesystem;
using namespace larkspan;
using namespace larkspan::visits;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kAddresses = 200000;
constexpr std::size_t kVisits = 1000000;
constexpr std::size_t kSites = 8000;
constexpr std::uint64_t kSeed = 20261209;
constexpr TimePoint kDay = 86400LL * 1000000LL;

const char* const kSyllables[] = {"ka", "lo", "mi", "ne", "ru", "sa", "te", "vi", "zo", "ba",
                                  "de", "fi", "go", "hu", "ja", "ke", "li", "mo", "nu", "pa",
                                  "qu", "ri", "so", "tu", "ve", "wa", "xi", "yo", "ze", "an",
                                  "el", "in", "on", "ur", "ar", "er", "is", "os", "ul", "en"};

std::string word(std::mt19937_64& random) {
    std::uniform_int_distribution<int> count(2, 4);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kSyllables) - 1);
    std::string w;
    for (int n = count(random); n > 0; --n) w += kSyllables[pick(random)];
    return w;
}

struct Seeded {
    std::vector<std::string> addresses;
    std::vector<std::string> titles;
};

Seeded makeAddresses(std::mt19937_64& random) {
    std::vector<std::string> vocabulary(3000);
    for (std::string& w : vocabulary) w = word(random);
    std::vector<std::string> sites(kSites);
    const char* tlds[] = {".com", ".org", ".net", ".de", ".io"};
    for (std::string& s : sites)
        s = (random() % 3 == 0 ? "www." : "") + word(random) + tlds[random() % 5];
    std::uniform_int_distribution<std::size_t> pickWord(0, vocabulary.size() - 1);
    Seeded out;
    for (std::size_t i = 0; i < kAddresses; ++i) {
        std::string address =
            (random() % 10 == 0 ? "http://" : "https://") + sites[random() % kSites] + "/";
        for (int seg = static_cast<int>(random() % 3); seg >= 0; --seg) {
            address += vocabulary[pickWord(random)] + (seg > 0 ? "/" : "");
        }
        address += "-" + std::to_string(i);
        if (random() % 4 == 0) address += "?id=" + std::to_string(random() % 100000);
        std::string title;
        for (int n = 2 + static_cast<int>(random() % 5); n > 0; --n) {
            std::string w = vocabulary[pickWord(random)];
            if (random() % 3 == 0) w[0] = static_cast<char>(g_ascii_toupper(w[0]));
            title += (title.empty() ? "" : " ") + w;
        }
        out.addresses.push_back(std::move(address));
        out.titles.push_back(std::move(title));
    }
    return out;
}

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const char* what, std::vector<double> times) {
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    auto at = [&](double q) {
        return times[std::min(times.size() - 1, static_cast<std::size_t>(q * times.size()))];
    };
    std::printf("%-44s n=%-6zu p50 %7.3f ms  p90 %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", what,
                times.size(), at(0.5), at(0.9), at(0.99), times.back());
}

std::uintmax_t sizeOf(const fs::path& file) {
    std::error_code ec;
    std::uintmax_t total = 0;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        auto size = fs::file_size(file.string() + suffix, ec);
        if (!ec) total += size;
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path file;
    bool reuse = false;
    bool temporary = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc) {
            file = argv[++i];
        } else if (std::strcmp(argv[i], "--reuse") == 0) {
            reuse = true;
        } else {
            std::fprintf(stderr, "usage: visits_bench [--db FILE] [--reuse]\n");
            return 2;
        }
    }
    if (file.empty()) {
        gchar* dir = g_dir_make_tmp("visits-bench-XXXXXX", nullptr);
        if (dir == nullptr) return 1;
        file = fs::path(dir) / "visits.sqlite";
        g_free(dir);
        temporary = true;
    }

    std::mt19937_64 random(kSeed);
    const Seeded seeded = makeAddresses(random);
    const TimePoint now = g_get_real_time();

    if (!reuse) {
        for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(file.string() + suffix);
        // Popular addresses are visited far more often than most (a Zipf-like spread), over
        // the last year, one visit in ten typed.
        std::vector<double> weights(kAddresses);
        for (std::size_t i = 0; i < kAddresses; ++i) weights[i] = 1.0 / std::pow(i + 1.0, 0.8);
        std::discrete_distribution<std::size_t> pickAddress(weights.begin(), weights.end());
        std::uniform_int_distribution<TimePoint> when(now - 365 * kDay, now);
        auto start = Clock::now();
        VisitStore store(file);
        std::vector<VisitChange> batch;
        // Every address once, then the rest by popularity.
        for (std::size_t v = 0; v < kVisits; ++v) {
            std::size_t a = v < kAddresses ? v : pickAddress(random);
            batch.push_back({VisitChange::Kind::Visit, seeded.addresses[a], "", when(random),
                             random() % 10 == 0});
            if (v < kAddresses) {
                batch.push_back(
                    {VisitChange::Kind::Title, seeded.addresses[a], seeded.titles[a], 0, false});
            }
            if (batch.size() >= 20000) {
                if (!store.apply(batch)) {
                    std::fprintf(stderr, "seeding failed\n");
                    return 1;
                }
                batch.clear();
            }
        }
        store.apply(batch);
        std::printf("seeded %zu visits over %zu addresses in %.1f s\n", store.visitCount(),
                    store.addressCount(), ms(Clock::now() - start) / 1000.0);
    }
    std::printf("database file: %.1f MB (%s)\n", static_cast<double>(sizeOf(file)) / 1e6,
                file.c_str());

    // Start-up: the run's history is made without touching the file.
    {
        auto start = Clock::now();
        VisitHistory history(file);
        double made = ms(Clock::now() - start);
        std::printf("making the run's visit history: %.3f ms (store opened: %s)\n", made,
                    history.storeOpened() ? "yes" : "no");
        start = Clock::now();
        history.suggest("ka", 8);
        std::printf("first use (open + first suggestion): %.3f ms\n", ms(Clock::now() - start));
    }

    VisitStore store(file);
    // Texts as users type them: the start of a host, of a path word, of title words, two
    // words, and letters that match little or nothing; each measured letter by letter.
    std::vector<std::string> texts;
    std::mt19937_64 pick(kSeed + 1);
    for (int n = 0; n < 150; ++n) {
        std::size_t a = pick() % kAddresses;
        std::string host = seeded.addresses[a].substr(seeded.addresses[a].find("//") + 2);
        if (host.rfind("www.", 0) == 0) host = host.substr(4);
        texts.push_back(host.substr(0, 10));
        std::string title = seeded.titles[a];
        texts.push_back(title.substr(0, std::min<std::size_t>(title.size(), 14)));
    }
    for (int n = 0; n < 30; ++n) {
        std::string rare;
        for (int k = 0; k < 6; ++k) rare += static_cast<char>('a' + pick() % 26);
        texts.push_back(rare);
    }
    std::vector<double> shortWords, longWords, all;
    std::size_t found = 0;
    for (const std::string& text : texts) {
        for (std::size_t n = 1; n <= text.size(); ++n) {
            const std::string typed = text.substr(0, n);
            if (typed.back() == ' ') continue;
            auto start = Clock::now();
            found += store.suggest(typed, 8, now).size();
            double t = ms(Clock::now() - start);
            all.push_back(t);
            std::size_t shortest = SIZE_MAX;
            for (const std::string& w : suggestionWords(typed))
                shortest = std::min(shortest, w.size());
            (shortest < 3 ? shortWords : longWords).push_back(t);
        }
    }
    report("suggestion per letter, every text", all);
    report("  a word of 1-2 letters", shortWords);
    report("  every word 3 letters or more", longWords);
    std::printf("  (%zu suggestions offered in all)\n", found);

    // The recorder's write: a batch of visits to known and new addresses, one transaction.
    std::vector<double> batches, singles;
    for (int n = 0; n < 100; ++n) {
        std::vector<VisitChange> batch;
        for (int k = 0; k < 10; ++k) {
            std::string address = k % 2 == 0 ? seeded.addresses[pick() % kAddresses]
                                             : "https://new.example/" + std::to_string(n * 10 + k);
            batch.push_back({VisitChange::Kind::Visit, address, "", now, k == 0});
            batch.push_back(
                {VisitChange::Kind::Title, address, "Page " + std::to_string(k), 0, false});
        }
        auto start = Clock::now();
        store.apply(batch);
        batches.push_back(ms(Clock::now() - start));
        start = Clock::now();
        store.apply(
            {{VisitChange::Kind::Visit, seeded.addresses[pick() % kAddresses], "", now, false}});
        singles.push_back(ms(Clock::now() - start));
    }
    report("write a batch of 10 visits and 10 titles", batches);
    report("write a single visit", singles);

    // The history window's first page and a search in it.
    std::vector<double> pages, searches;
    for (int n = 0; n < 20; ++n) {
        auto start = Clock::now();
        store.visits("", 400);
        pages.push_back(ms(Clock::now() - start));
        start = Clock::now();
        store.visits(texts[static_cast<std::size_t>(n)], 400);
        searches.push_back(ms(Clock::now() - start));
    }
    report("history window: first page of 400 visits", pages);
    report("history window: a search, first page", searches);

    if (temporary) fs::remove_all(file.parent_path());
    return 0;
}
