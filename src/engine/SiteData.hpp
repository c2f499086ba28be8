#pragma once

// What the sites keep in the engine's ordinary session (cookies, storage, cached files), as
// the program shows and clears it. Private sessions keep nothing and have none.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace larkspan {

// Kinds of data a site keeps; a site's record holds several at once.
namespace sitedata {
inline constexpr unsigned kCookies = 1u << 0;
inline constexpr unsigned kLocalStorage = 1u << 1;
inline constexpr unsigned kIndexedDb = 1u << 2;
inline constexpr unsigned kCache = 1u << 3;
// Databases, service workers, session storage and what else the engine keeps.
inline constexpr unsigned kOther = 1u << 4;
// Cookies and every kind of storage: everything but the cached files.
inline constexpr unsigned kCookiesAndStorage = kCookies | kLocalStorage | kIndexedDb | kOther;

// "cookies, local storage, cache" for the kinds named in `kinds`.
std::string describeKinds(unsigned kinds);
}  // namespace sitedata

struct SiteRecord {
    std::string name;  // the site, as the engine names it ("example.com")
    unsigned kinds = 0;
    std::optional<std::uint64_t> size;  // in bytes, where the engine knows it
};

// A point in time from which on data is cleared; nothing for all of it.
using ClearSince = std::optional<std::chrono::system_clock::time_point>;

class SiteData {
  public:
    virtual ~SiteData() = default;

    // Every site holding data, handed over once known.
    virtual void fetch(std::function<void(std::vector<SiteRecord>)> done) = 0;
    // Removes everything the named sites (as the last fetch named them) hold; `done` tells
    // whether it worked.
    virtual void remove(const std::vector<std::string>& names, std::function<void(bool)> done) = 0;
    // Removes the data of the given kinds kept since `since`, of every site. Cookies carry
    // no time: any range removes all of them.
    virtual void clear(unsigned kinds, ClearSince since, std::function<void(bool)> done) = 0;
};

}  // namespace larkspan
