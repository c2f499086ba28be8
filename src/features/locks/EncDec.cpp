#include "features/locks/EncDec.hpp"

#include <array>
#include <cstdint>
#include <numeric>
#include <utility>

namespace larkspan::locks {

std::string EncDec(std::string_view data, std::string_view key) {
    if (data.find_first_not_of(' ') == std::string_view::npos) return {};

    std::array<std::uint8_t, 256> k{};
    if (!key.empty()) {
        for (std::size_t i = 0; i < k.size(); ++i) {
            k[i] = static_cast<std::uint8_t>(key[i % key.size()]);
        }
    }
    std::array<std::uint8_t, 256> s{};
    std::iota(s.begin(), s.end(), 0);
    // The partner of each swap depends on this step only.
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::uint8_t j = static_cast<std::uint8_t>(s[i] + k[i]);
        std::swap(s[i], s[j]);
    }

    std::string out;
    out.reserve(data.size());
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (char c : data) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + s[a]);
        std::swap(s[a], s[b]);
        std::uint8_t stream = s[static_cast<std::uint8_t>(s[a] + s[b])];
        out.push_back(static_cast<char>(static_cast<std::uint8_t>(c) ^ stream));
    }
    return out;
}

}  // namespace larkspan::locks
