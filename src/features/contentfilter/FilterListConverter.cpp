#include "features/contentfilter/FilterListConverter.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace larkspan::contentfilter {

namespace {

enum class LineKind { Rule, Skipped, Nothing };

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Printable ASCII only: the engine takes nothing else in its patterns, and a rule with other
// bytes is a rule it cannot be given as written.
bool plainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 127; });
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string jsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (const auto& value : values) {
        if (out.size() > 1) out += ',';
        out += jsonString(value);
    }
    return out + "]";
}

// A site as the engine names it: lower-case letters, digits, dots and hyphens; "*" in front
// takes its subdomains along, as the lists mean it.
std::optional<std::string> siteName(std::string_view domain) {
    if (domain.empty() || domain.front() == '.' || domain.back() == '.') return std::nullopt;
    std::string name;
    for (char c : domain) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        bool allowed = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        if (!allowed) return std::nullopt;
        name += c;
    }
    return name;
}

// Sites to include and to exclude, from "a.com|~b.a.com" or "a.com,~b.a.com". False when a
// name is not a plain site.
bool readSites(std::string_view list, char separator, std::set<std::string>& included,
               std::set<std::string>& excluded) {
    for (std::string_view entry : split(list, separator)) {
        bool negated = startsWith(entry, "~");
        auto name = siteName(negated ? entry.substr(1) : entry);
        if (!name) return false;
        (negated ? excluded : included).insert(*name);
    }
    return true;
}

std::vector<std::string> withSubdomains(const std::set<std::string>& sites) {
    std::vector<std::string> names;
    for (const auto& site : sites) names.push_back("*" + site);
    return names;
}

// The characters the lists' "^" stands for: any but a letter, digit, "_", "-", "." or "%".
constexpr const char* kSeparator = "[^a-zA-Z0-9_.%-]";

// The engine's pattern for a rule's address part; nothing when the part holds what no
// pattern of the engine can say.
std::optional<std::string> urlPattern(std::string_view pattern) {
    std::string regex;
    bool host = false;
    if (startsWith(pattern, "||")) {
        // Any scheme, the host itself or any of its subdomains.
        regex = "^[a-z][a-z0-9.+-]*://([^/]+\\.)?";
        pattern.remove_prefix(2);
        host = true;
    } else if (startsWith(pattern, "|")) {
        regex = "^";
        pattern.remove_prefix(1);
    } else {
        while (startsWith(pattern, "*")) pattern.remove_prefix(1);
    }
    bool atEnd = false;
    if (!pattern.empty() && pattern.back() == '|') {
        atEnd = true;
        pattern.remove_suffix(1);
    } else {
        while (!pattern.empty() && pattern.back() == '*') pattern.remove_suffix(1);
    }
    if (!plainAscii(pattern)) return std::nullopt;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        bool last = i + 1 == pattern.size();
        if (c == '*') {
            regex += ".*";
            host = false;
        } else if (c == '^' && last && host) {
            // Right after a host: the engine's addresses always go on after the host, with
            // a "/" at least, so the separator is certain (and far cheaper to compile).
            regex += kSeparator;
        } else if (c == '^' && last) {
            // A separator or the end of the address.
            regex +=
                atEnd ? std::string(kSeparator) + "?" : "(" + std::string(kSeparator) + ".*)?$";
            if (!atEnd) return regex;
        } else if (c == '^') {
            regex += kSeparator;
            host = false;
        } else {
            host = host && std::string_view("/:?").find(c) == std::string_view::npos;
            if (std::string_view(".+?(){}[]\\$|").find(c) != std::string_view::npos) regex += '\\';
            regex += c;
        }
    }
    if (atEnd) regex += '$';
    if (regex.empty()) regex = ".*";
    return regex;
}

using Trigger = ContentRule::Trigger;
using Action = ContentRule::Action;

ContentRule makeRule(Trigger trigger, Action action) {
    ContentRule made;
    made.trigger = std::move(trigger);
    made.action = action;
    return made;
}

std::string ruleJson(const ContentRule& rule) {
    const Trigger& trigger = rule.trigger;
    std::string out = "{\"trigger\":{\"url-filter\":" + jsonString(trigger.urlFilter);
    if (trigger.caseSensitive) out += ",\"url-filter-is-case-sensitive\":true";
    if (!trigger.resourceTypes.empty()) {
        out += ",\"resource-type\":" + jsonArray(trigger.resourceTypes);
    }
    if (!trigger.loadType.empty()) out += ",\"load-type\":[" + jsonString(trigger.loadType) + "]";
    if (!trigger.loadContext.empty()) {
        out += ",\"load-context\":[" + jsonString(trigger.loadContext) + "]";
    }
    if (!trigger.ifDomains.empty()) {
        out += ",\"if-domain\":" + jsonArray(withSubdomains(trigger.ifDomains));
    }
    if (!trigger.unlessDomains.empty()) {
        out += ",\"unless-domain\":" + jsonArray(withSubdomains(trigger.unlessDomains));
    }
    out += "},\"action\":{\"type\":";
    switch (rule.action) {
        case Action::Block:
            out += "\"block\"";
            break;
        case Action::IgnorePreviousRules:
            out += "\"ignore-previous-rules\"";
            break;
        case Action::CssDisplayNone:
            out += "\"css-display-none\",\"selector\":" + jsonString(rule.selector);
            break;
    }
    return out + "}}";
}

// The engine's types for the kinds of request a list names; frames and popups are triggers
// of their own.
struct TypeName {
    std::string_view list;
    std::string_view engine;
};
constexpr std::array<TypeName, 13> kTypes{{{"script", "script"},
                                           {"image", "image"},
                                           {"stylesheet", "style-sheet"},
                                           {"css", "style-sheet"},
                                           {"font", "font"},
                                           {"media", "media"},
                                           {"xmlhttprequest", "fetch"},
                                           {"xhr", "fetch"},
                                           {"websocket", "websocket"},
                                           {"ping", "ping"},
                                           {"other", "other"},
                                           {"subdocument", ""},
                                           {"frame", ""}}};

// The types a rule without any names: every request a page makes for its own parts.
constexpr std::array<std::string_view, 9> kPartTypes{
    "script", "image", "style-sheet", "font", "media", "fetch", "websocket", "ping", "other"};

// Selectors the engine's style sheets take: standard CSS only, none of the lists' own
// extensions (":has-text", ":-abp-contains" and the like), nothing that could leave the rule.
bool plainSelector(std::string_view selector) {
    if (selector.empty() || !std::all_of(selector.begin(), selector.end(),
                                         [](char c) { return c >= ' ' && c < 127; })) {
        return false;
    }
    if (selector.find_first_of("{}") != std::string_view::npos || startsWith(selector, "+js(") ||
        startsWith(selector, "^")) {
        return false;
    }
    static constexpr std::array<std::string_view, 18> kPseudo{"not",
                                                              "is",
                                                              "where",
                                                              "nth-child",
                                                              "nth-last-child",
                                                              "nth-of-type",
                                                              "nth-last-of-type",
                                                              "first-child",
                                                              "last-child",
                                                              "only-child",
                                                              "first-of-type",
                                                              "last-of-type",
                                                              "only-of-type",
                                                              "empty",
                                                              "root",
                                                              "link",
                                                              "before",
                                                              "after"};
    char quote = 0;
    int brackets = 0;
    for (std::size_t i = 0; i < selector.size(); ++i) {
        char c = selector[i];
        if (quote != 0) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'')
            quote = c;
        else if (c == '[')
            ++brackets;
        else if (c == ']')
            --brackets;
        else if (c == '\\')
            ++i;
        else if (c == ':' && brackets == 0) {
            std::size_t start = i + 1;
            if (start < selector.size() && selector[start] == ':') ++start;
            std::size_t end = start;
            while (
                end < selector.size() &&
                (std::isalnum(static_cast<unsigned char>(selector[end])) || selector[end] == '-')) {
                ++end;
            }
            std::string_view name = selector.substr(start, end - start);
            if (std::find(kPseudo.begin(), kPseudo.end(), name) == kPseudo.end()) return false;
            i = end - 1;
        }
    }
    return quote == 0 && brackets == 0;
}

}  // namespace

RuleCounts FilterListConverter::addList(std::string_view text) {
    RuleCounts counts;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '!' || line.front() == '[') continue;
        if (addLine(line)) {
            ++counts.used;
        } else {
            ++counts.skipped;
        }
    }
    return counts;
}

bool FilterListConverter::addLine(std::string_view line) {
    // Element hiding: "sites##selector", "sites#@#selector"; the sites part never holds the
    // characters of an address pattern.
    std::size_t hash = line.find('#');
    if (hash != std::string_view::npos &&
        line.substr(0, hash).find_first_of("/*|@\"!^$") == std::string_view::npos) {
        std::string_view rest = line.substr(hash + 1);
        if (startsWith(rest, "#"))
            return addHidingRule(line.substr(0, hash), rest.substr(1), false);
        if (startsWith(rest, "@#"))
            return addHidingRule(line.substr(0, hash), rest.substr(2), true);
        // Scripts, procedural and style rules ("#$#", "#?#", "#%#", "#@?#" ...).
        if (rest.find('#') != std::string_view::npos && rest.find('#') <= 2) return false;
    }
    return addNetworkRule(line);
}

bool FilterListConverter::addHidingRule(std::string_view domains, std::string_view selector,
                                        bool exception) {
    if (!plainSelector(selector)) return false;
    std::set<std::string> included;
    std::set<std::string> excluded;
    if (!domains.empty() && !readSites(domains, ',', included, excluded)) return false;
    std::string key(selector);
    if (exception) {
        if (!excluded.empty()) return false;
        if (included.empty()) included.insert("");
        unhidden_[key].insert(included.begin(), included.end());
        return true;
    }
    if (!included.empty() && !excluded.empty()) return false;
    Hiding hiding;
    hiding.everywhere = included.empty();
    hiding.ifDomains = std::move(included);
    hiding.unlessDomains = std::move(excluded);
    hiding_[key].push_back(std::move(hiding));
    return true;
}

bool FilterListConverter::addNetworkRule(std::string_view rule) {
    bool exception = startsWith(rule, "@@");
    if (exception) rule.remove_prefix(2);
    // Regular expressions of the lists' own dialect are not the engine's.
    if (startsWith(rule, "/") && rule.size() > 1) {
        std::size_t close = rule.rfind('/');
        if (close > 0 && (close + 1 == rule.size() || rule[close + 1] == '$')) return false;
    }
    std::string_view pattern = rule;
    std::string_view options;
    if (std::size_t dollar = rule.rfind('$'); dollar != std::string_view::npos) {
        pattern = rule.substr(0, dollar);
        options = rule.substr(dollar + 1);
        if (options.empty()) return false;
    }
    if (pattern.find_first_of(" \t") != std::string_view::npos) return false;

    Trigger trigger;
    std::set<std::string> types;
    std::set<std::string> notTypes;
    bool frames = false;
    bool popups = false;
    bool document = false;
    bool anyNegatedType = false;
    bool noFrames = false;
    if (!options.empty()) {
        for (std::string_view option : split(options, ',')) {
            bool negated = startsWith(option, "~");
            std::string_view name = negated ? option.substr(1) : option;
            if (name == "third-party" || name == "3p") {
                std::string wanted = negated ? "first-party" : "third-party";
                if (!trigger.loadType.empty() && trigger.loadType != wanted) return false;
                trigger.loadType = wanted;
            } else if ((name == "first-party" || name == "1p") && !negated) {
                if (!trigger.loadType.empty() && trigger.loadType != "first-party") return false;
                trigger.loadType = "first-party";
            } else if (name == "match-case" && !negated) {
                trigger.caseSensitive = true;
            } else if (startsWith(name, "domain=") && !negated) {
                if (!readSites(name.substr(7), '|', trigger.ifDomains, trigger.unlessDomains)) {
                    return false;
                }
            } else if ((name == "popup" || name == "document" || name == "doc") && !negated) {
                (name == "popup" ? popups : document) = true;
            } else {
                auto type = std::find_if(kTypes.begin(), kTypes.end(),
                                         [&](const TypeName& t) { return t.list == name; });
                if (type == kTypes.end()) return false;  // an option the engine has no match for
                if (negated) {
                    anyNegatedType = true;
                    if (type->engine.empty())
                        noFrames = true;
                    else
                        notTypes.insert(std::string(type->engine));
                } else if (type->engine.empty()) {
                    frames = true;
                } else {
                    types.insert(std::string(type->engine));
                }
            }
        }
    }
    // Sites both named and excepted in one rule: the engine takes one or the other.
    if (!trigger.ifDomains.empty() && !trigger.unlessDomains.empty()) return false;
    if (anyNegatedType) {
        if (!types.empty() || popups || document) return false;
        for (std::string_view type : kPartTypes) {
            if (!notTypes.count(std::string(type))) types.insert(std::string(type));
        }
        // Frames too, unless "~subdocument" left them out.
        frames = !noFrames;
    }

    Action action = exception ? Action::IgnorePreviousRules : Action::Block;
    auto& rules = exception ? exceptions_ : blocking_;

    if (document) {
        if (!types.empty() || frames || popups) return false;
        if (exception) {
            // A site's whole pages allowed: only for a plain "||host^" pattern, whose host
            // the engine can name.
            std::string_view host = pattern;
            if (!startsWith(host, "||") || host.size() < 4 || host.back() != '^') return false;
            auto site = siteName(host.substr(2, host.size() - 3));
            if (!site || !trigger.ifDomains.empty() || !trigger.unlessDomains.empty() ||
                !trigger.loadType.empty()) {
                return false;
            }
            Trigger whole;
            whole.urlFilter = ".*";
            whole.ifDomains.insert(*site);
            rules.push_back(makeRule(whole, action));
            return true;
        }
        auto filter = urlPattern(pattern);
        if (!filter) return false;
        trigger.urlFilter = *filter;
        trigger.resourceTypes = {"document"};
        trigger.loadContext = "top-frame";
        rules.push_back(makeRule(trigger, action));
        return true;
    }

    auto filter = urlPattern(pattern);
    if (!filter) return false;
    trigger.urlFilter = *filter;
    bool named = !types.empty() || frames || popups;
    if (!named && !exception) {
        // No type named: one trigger for every load, which also stops the address when it is
        // opened directly as a page (half the rules of a trigger for the parts and another
        // for the frames, which the engine's limit on rules needs).
        rules.push_back(makeRule(trigger, action));
        return true;
    }
    if (!named) {
        types.insert(kPartTypes.begin(), kPartTypes.end());
        frames = true;
    }
    if (!types.empty()) {
        Trigger parts = trigger;
        parts.resourceTypes.assign(types.begin(), types.end());
        rules.push_back(makeRule(parts, action));
    }
    if (frames) {
        Trigger frame = trigger;
        frame.resourceTypes = {"document"};
        frame.loadContext = "child-frame";
        rules.push_back(makeRule(frame, action));
    }
    if (popups) {
        Trigger popup = trigger;
        popup.resourceTypes = {"popup"};
        rules.push_back(makeRule(popup, action));
    }
    return true;
}

std::vector<ContentRule> FilterListConverter::rules() const {
    std::vector<ContentRule> out(blocking_.begin(), blocking_.end());
    for (const auto& [selector, rules] : hiding_) {
        auto found = unhidden_.find(selector);
        const std::set<std::string> none;
        const std::set<std::string>& unhidden = found != unhidden_.end() ? found->second : none;
        if (unhidden.count("")) continue;  // undone everywhere
        auto covered = [&unhidden](const std::string& site) {
            return std::any_of(unhidden.begin(), unhidden.end(), [&site](const std::string& u) {
                return site == u || (site.size() > u.size() &&
                                     site.compare(site.size() - u.size(), u.size(), u) == 0 &&
                                     site[site.size() - u.size() - 1] == '.');
            });
        };
        for (const auto& hiding : rules) {
            ContentRule hide;
            hide.trigger.urlFilter = ".*";
            hide.action = Action::CssDisplayNone;
            hide.selector = selector;
            if (hiding.everywhere) {
                hide.trigger.unlessDomains = hiding.unlessDomains;
                hide.trigger.unlessDomains.insert(unhidden.begin(), unhidden.end());
            } else {
                for (const auto& site : hiding.ifDomains) {
                    if (!covered(site)) hide.trigger.ifDomains.insert(site);
                }
                if (hide.trigger.ifDomains.empty()) continue;
            }
            out.push_back(std::move(hide));
        }
    }
    out.insert(out.end(), exceptions_.begin(), exceptions_.end());
    return out;
}

std::string FilterListConverter::json() const {
    return toJson(rules());
}

std::string toJson(const std::vector<ContentRule>& rules) {
    std::string out = "[";
    for (const auto& rule : rules) {
        if (out.size() > 1) out += ",\n";
        out += ruleJson(rule);
    }
    return out + "]";
}

}  // namespace larkspan::contentfilter
