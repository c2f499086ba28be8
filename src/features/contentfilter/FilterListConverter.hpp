#pragma once

// Turns ad and tracker lists, written in the lists' own filter syntax, into the web engine's
// content rules (a JSON array of trigger and action pairs). Only what the engine can express
// exactly is converted; every other rule is skipped and counted, never approximated.
//
// Understood: network rules ("||host^", "|" anchors, "*" and "^"), their options
// "third-party" (and its negation), "domain=", "match-case" and the resource types;
// "@@" exceptions (a "$document" exception of a host allows everything on that site);
// element hiding "##", limited to sites by "domain##" and undone by "#@#".

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan::contentfilter {

// Raised whenever the conversion of the same text may give different rules: a filter
// compiled by an older converter is compiled again.
inline constexpr int kConverterVersion = 1;

// One rule of the engine: what a load must be to trigger it, and what then happens.
struct ContentRule {
    struct Trigger {
        std::string urlFilter;  // the engine's regular expression over the address
        bool caseSensitive = false;
        std::vector<std::string> resourceTypes;  // empty: every kind of load
        std::string loadType;                    // "first-party", "third-party" or empty
        std::string loadContext;                 // "top-frame", "child-frame" or empty
        std::set<std::string> ifDomains;         // only on these sites (with subdomains)
        std::set<std::string> unlessDomains;     // not on these sites (with subdomains)
    } trigger;
    enum class Action { Block, IgnorePreviousRules, CssDisplayNone } action = Action::Block;
    std::string selector;  // for CssDisplayNone
};

struct RuleCounts {
    std::size_t used = 0;
    std::size_t skipped = 0;
};

class FilterListConverter {
  public:
    // Converts one list's text; the rules join those of the lists added before.
    RuleCounts addList(std::string_view text);
    // The engine's rules of every list added: blocking and hiding rules first, the
    // exceptions after them (an exception undoes only the rules before it).
    std::vector<ContentRule> rules() const;
    // The same in the engine's JSON form.
    std::string json() const;

  private:
    struct Hiding {
        std::set<std::string> ifDomains;
        std::set<std::string> unlessDomains;
        bool everywhere = false;
    };
    bool addLine(std::string_view line);
    bool addNetworkRule(std::string_view rule);
    bool addHidingRule(std::string_view domains, std::string_view selector, bool exception);

    std::vector<ContentRule> blocking_;
    std::vector<ContentRule> exceptions_;
    // Element hiding by selector, and the sites where "#@#" undoes it ("" for everywhere).
    std::map<std::string, std::vector<Hiding>> hiding_;
    std::map<std::string, std::set<std::string>> unhidden_;
};

// The engine's JSON form of `rules`.
std::string toJson(const std::vector<ContentRule>& rules);

}  // namespace larkspan::contentfilter
