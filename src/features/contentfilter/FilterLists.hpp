#pragma once

// Where the ad and tracker lists are, what tells whether they changed, and what the last
// compile of them left behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "features/contentfilter/FilterListConverter.hpp"

namespace larkspan::contentfilter {

// The lists Debian ships and keeps up to date.
inline constexpr const char* kSystemListFolder =
    "/usr/share/chromium/extensions/ublock-origin/assets/thirdparties/easylist";
// The name under which the engine stores the compiled filter.
inline constexpr const char* kFilterName = "ads-and-trackers";
// A list larger than this is left out rather than read whole.
inline constexpr std::uintmax_t kMaxListSize = 64u << 20;

struct FilterListFile {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // seconds since 1970
};

// "easylist.txt" and "easyprivacy.txt" of `systemFolder` where present, then every file of
// `userFolder` by name (the user's own lists, "filters" in the data folder).
std::vector<FilterListFile> findFilterLists(const std::filesystem::path& systemFolder,
                                            const std::filesystem::path& userFolder);

// Changes whenever a list is added, removed or changed, or the converter changes.
std::string filterKey(const std::vector<FilterListFile>& lists);

// What a compile left: the key it was made for and each list's counts.
struct FilterState {
    std::string key;
    struct List {
        std::filesystem::path path;
        RuleCounts counts;
    };
    std::vector<List> lists;
};

// Nothing when the file is missing or not such a state.
std::optional<FilterState> readFilterState(const std::filesystem::path& file);
bool writeFilterState(const std::filesystem::path& file, const FilterState& state);

// The converted lists, read and converted in one go (no main loop needed).
struct ConvertedLists {
    std::string rules;
    std::vector<FilterState::List> lists;
};
ConvertedLists convertLists(const std::vector<FilterListFile>& lists);

}  // namespace larkspan::contentfilter
