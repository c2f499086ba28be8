#pragma once

// The engine's content filter: rules in the engine's own format, compiled once and stored,
// then applied to every page of the engine's session except those of the sites the user
// allowed.

#include <functional>
#include <set>
#include <string>

namespace larkspan {

namespace engine {
// The site of a page's address as the allowed sites name it: its host in lower case,
// without a leading "www."; empty for an address without a host.
std::string siteOf(const std::string& address);
// Whether the page at `address` is on one of `sites`, a site taking its subdomains along.
bool onAllowedSite(const std::string& address, const std::set<std::string>& sites);
// The sites of the option's text (names separated by blanks), and back.
std::set<std::string> parseSites(const std::string& text);
std::string formatSites(const std::set<std::string>& sites);
}  // namespace engine

class ContentFilters {
  public:
    virtual ~ContentFilters() = default;

    // Takes up the filter stored as `name` by an earlier compile; `done` tells whether one
    // was there (it is in use from then on). Asynchronous: the pages never wait for it.
    virtual void load(const std::string& name, std::function<void(bool)> done) = 0;
    // Compiles `rules` (the engine's JSON rules) and stores the result as `name`, replacing
    // the one stored before; `done` tells whether it worked (it is in use from then on).
    virtual void compile(const std::string& name, std::string rules,
                         std::function<void(bool)> done) = 0;
    // Whether the pages are filtered, and the sites whose pages (their subdomains' too)
    // are not. Pages take it up from their next navigation on.
    virtual void setBlocking(bool on, std::set<std::string> allowedSites) = 0;
};

}  // namespace larkspan
