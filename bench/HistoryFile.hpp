#pragma once

// A typed-address history of a given size for the benchmarks: addresses of the shapes people
// type (scheme or not, "www." or not, paths of various depths), all different, spread over a
// few thousand sites so that prefixes are shared the way real histories share them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace larkspan::bench {

inline std::vector<std::string> historyLines(std::size_t count) {
    static const char* const kSchemes[] = {"http://", "https://", "https://www.", ""};
    static const char* const kWords[] = {"news", "mail", "shop",  "docs",  "wiki",
                                         "blog", "maps", "video", "forum", "search"};
    std::vector<std::string> lines;
    lines.reserve(count);
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (std::size_t i = 0; i < count; ++i) {
        std::string line = kSchemes[next() % 4];
        line += kWords[next() % 10];
        line += std::to_string(next() % 3000);
        line += ".example.com/";
        line += kWords[next() % 10];
        line += "/page";
        line += std::to_string(i);
        lines.push_back(std::move(line));
    }
    return lines;
}

// Writes `count` lines, each ending in CR LF, to `file`.
inline void writeHistoryFile(const std::filesystem::path& file, std::size_t count) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const auto& line : historyLines(count)) out << line << "\r\n";
}

}  // namespace larkspan::bench
