#include "features/contentfilter/FilterLists.hpp"

#include <glib.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace larkspan::contentfilter {

namespace fs = std::filesystem;

namespace {

std::optional<FilterListFile> listFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kMaxListSize) return std::nullopt;
    GStatBuf info;
    if (g_stat(path.c_str(), &info) != 0) return std::nullopt;
    return FilterListFile{path, size, static_cast<std::int64_t>(info.st_mtime)};
}

}  // namespace

std::vector<FilterListFile> findFilterLists(const fs::path& systemFolder,
                                            const fs::path& userFolder) {
    std::vector<FilterListFile> lists;
    for (const char* name : {"easylist.txt", "easyprivacy.txt"}) {
        if (auto list = listFile(systemFolder / name)) lists.push_back(*list);
    }
    std::vector<fs::path> own;
    std::error_code error;
    for (fs::directory_iterator it(userFolder, error), end; !error && it != end;
         it.increment(error)) {
        own.push_back(it->path());
    }
    std::sort(own.begin(), own.end());
    for (const auto& path : own) {
        if (auto list = listFile(path)) lists.push_back(*list);
    }
    return lists;
}

std::string filterKey(const std::vector<FilterListFile>& lists) {
    std::string text = "converter " + std::to_string(kConverterVersion) + "\n";
    for (const auto& list : lists) {
        text += list.path.string() + '\0' + std::to_string(list.size) + ' ' +
                std::to_string(list.modified) + '\n';
    }
    gchar* sum = g_compute_checksum_for_data(
        G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(text.data()), text.size());
    std::string key = sum;
    g_free(sum);
    return key;
}

// The file: the key on the first line, then a line per list: rules, skipped, path.
std::optional<FilterState> readFilterState(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    FilterState state;
    if (!in || !std::getline(in, state.key) || state.key.empty()) return std::nullopt;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        FilterState::List list;
        std::string path;
        if (!(fields >> list.counts.used >> list.counts.skipped) || fields.get() != '\t' ||
            !std::getline(fields, path) || path.empty()) {
            return std::nullopt;
        }
        list.path = path;
        state.lists.push_back(std::move(list));
    }
    return state;
}

bool writeFilterState(const fs::path& file, const FilterState& state) {
    std::string text = state.key + "\n";
    for (const auto& list : state.lists) {
        std::string path = list.path.string();
        if (path.find('\n') != std::string::npos) return false;
        text += std::to_string(list.counts.used) + " " + std::to_string(list.counts.skipped) +
                "\t" + path + "\n";
    }
    // Written beside and renamed into place.
    return g_file_set_contents(file.c_str(), text.data(), static_cast<gssize>(text.size()),
                               nullptr) != FALSE;
}

ConvertedLists convertLists(const std::vector<FilterListFile>& lists) {
    FilterListConverter converter;
    ConvertedLists result;
    for (const auto& list : lists) {
        std::ifstream in(list.path, std::ios::binary);
        std::string text;
        if (in) {
            text.resize(list.size);
            in.read(text.data(), static_cast<std::streamsize>(text.size()));
            text.resize(static_cast<std::size_t>(in.gcount()));
        }
        result.lists.push_back({list.path, converter.addList(text)});
    }
    result.rules = converter.json();
    return result;
}

}  // namespace larkspan::contentfilter
