#pragma once

// What the crash writer (CrashWriter.cpp) writes, shared with the test that checks it.
// Every generation's content is its own: a file can be told to hold exactly one whole
// generation, or not.

#include <cstdint>
#include <string>
#include <vector>

#include "features/favorites/FavoriteFile.hpp"
#include "features/visits/VisitStore.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan::crashwriter {

inline constexpr const char* kHistory = "history.txt";
inline constexpr const char* kBlockedLog = "Blocked Log.txt";
inline constexpr const char* kFavorite = "Crash.fav";
inline constexpr const char* kStore = "settings.db";
inline constexpr const char* kVisits = "visits.sqlite";
// Visits are written in batches of this many, each batch one transaction.
inline constexpr std::size_t kVisitBatch = 12;
inline constexpr const char* kSection = "Crash";
inline constexpr int kBatchKeys = 20;
// The blocked log is trimmed from the front beyond this many entries (a rewrite).
inline constexpr std::size_t kBlockedKeep = 40;

// The list of generation `g`: its size changes from one generation to the next, so a
// file cut short or mixed from two generations never matches either.
inline std::vector<std::string> historyGeneration(std::uint64_t g) {
    const std::size_t n = 20 + (g % 5) * 400;
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        lines.push_back("https://e.example/" + std::to_string(g) + "/" + std::to_string(k) + "/" +
                        std::to_string(n));
    }
    return lines;
}

inline favorites::Favorite favoriteGeneration(std::uint64_t g) {
    return {"", "t" + std::to_string(g),
            "https://f.example/" + std::to_string(g) + "/" + std::string((g % 3) * 20000, 'a')};
}

inline std::string blockedEntry(std::uint64_t n) {
    return "https://b.example/" + std::to_string(n);
}

// Visits to addresses old and new, with their titles.
inline std::vector<visits::VisitChange> visitBatch(std::uint64_t g) {
    std::vector<visits::VisitChange> batch;
    for (std::size_t k = 0; k < kVisitBatch; ++k) {
        const std::string address = "https://v.example/" + std::to_string((g + k) % 50);
        batch.push_back({visits::VisitChange::Kind::Visit, address, "",
                         static_cast<visits::TimePoint>(g * 1000 + k), k % 3 == 0});
        batch.push_back(
            {visits::VisitChange::Kind::Title, address, "t" + std::to_string(g), 0, false});
    }
    return batch;
}

inline std::vector<SettingsStore::Entry> batchGeneration(std::uint64_t g) {
    std::vector<SettingsStore::Entry> entries;
    for (int k = 0; k < kBatchKeys; ++k) {
        entries.push_back({kSection, "k" + std::to_string(k), std::to_string(g)});
    }
    return entries;
}

}  // namespace larkspan::crashwriter
