// Exported bookmarks pages.
#include <glib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/TextEncoding.hpp"
#include "features/favorites/Bookmarks.hpp"

namespace larkspan::favorites {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = g_ascii_tolower(c);
    return out;
}

void appendCodePoint(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return;
    char buf[6];
    const int n = g_unichar_to_utf8(static_cast<gunichar>(cp), buf);
    out.append(buf, static_cast<std::size_t>(n));
}

// Decodes the character references of HTML text: the five named ones and numeric ones.
std::string decodeEntities(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const auto semi = s.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += s[i];
            continue;
        }
        const std::string name = lower(s.substr(i + 1, semi - i - 1));
        if (name == "amp") {
            out += '&';
        } else if (name == "lt") {
            out += '<';
        } else if (name == "gt") {
            out += '>';
        } else if (name == "quot") {
            out += '"';
        } else if (name == "apos") {
            out += '\'';
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string digits = name.substr(hex ? 2 : 1);
            char* end = nullptr;
            const unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (digits.empty() || *end != '\0') {
                out += s[i];
                continue;
            }
            appendCodePoint(out, cp);
        } else {
            out += s[i];
            continue;
        }
        i = semi;
    }
    return out;
}

// The value of attribute `name` inside the tag text `tag` (quoted or not).
std::string attribute(std::string_view tag, std::string_view name) {
    const std::string low = lower(tag);
    std::size_t at = 0;
    while ((at = low.find(name, at)) != std::string::npos) {
        const bool starts = at > 0 && g_ascii_isspace(low[at - 1]);
        std::size_t p = at + name.size();
        while (p < low.size() && g_ascii_isspace(low[p])) ++p;
        if (!starts || p >= low.size() || low[p] != '=') {
            at += name.size();
            continue;
        }
        ++p;
        while (p < low.size() && g_ascii_isspace(low[p])) ++p;
        if (p < tag.size() && (tag[p] == '"' || tag[p] == '\'')) {
            const auto close = tag.find(tag[p], p + 1);
            return std::string(tag.substr(
                p + 1, close == std::string_view::npos ? std::string_view::npos : close - p - 1));
        }
        std::size_t e = p;
        while (e < tag.size() && !g_ascii_isspace(tag[e]) && tag[e] != '>') ++e;
        return std::string(tag.substr(p, e - p));
    }
    return {};
}

// Text with its tags dropped and its spaces gathered, as a title shows.
std::string plainText(std::string_view html) {
    std::string out;
    bool inTag = false;
    bool space = false;
    for (char c : html) {
        if (inTag) {
            inTag = c != '>';
            continue;
        }
        if (c == '<') {
            inTag = true;
        } else if (g_ascii_isspace(c)) {
            space = !out.empty();
        } else {
            if (space) out += ' ';
            space = false;
            out += c;
        }
    }
    return decodeEntities(out);
}

}  // namespace

std::vector<Bookmark> parseBookmarksHtml(std::string_view html) {
    std::vector<Bookmark> out;
    const std::string low = lower(html);
    std::size_t at = 0;
    while ((at = low.find("<a", at)) != std::string::npos) {
        const std::size_t after = at + 2;
        if (after >= low.size() || !(g_ascii_isspace(low[after]) || low[after] == '>')) {
            at = after;
            continue;
        }
        const auto tagEnd = low.find('>', after);
        if (tagEnd == std::string::npos) break;
        const auto close = low.find("</a", tagEnd);
        const std::size_t textEnd = close == std::string::npos ? low.size() : close;
        const std::string href = attribute(html.substr(at, tagEnd - at), "href");
        if (!href.empty()) {
            out.push_back(
                {plainText(html.substr(tagEnd + 1, textEnd - tagEnd - 1)), decodeEntities(href)});
        }
        at = textEnd;
    }
    return out;
}

std::vector<Bookmark> readBookmarksHtml(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseBookmarksHtml(text::decodeFileText(bytes));
}

}  // namespace larkspan::favorites
