// "Bookmarks" files of the Chromium family: JSON, read with a small reader of its own that
// keeps only what the walk needs (objects, arrays and strings).
#include <glib.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "features/favorites/Bookmarks.hpp"

namespace larkspan::favorites {

namespace {

// Files nest folders a few levels deep; a made-up file cannot run the stack out.
constexpr int kDeepest = 200;

struct Json {
    enum class Kind { Other, String, Array, Object };
    Kind kind = Kind::Other;
    std::string text;
    std::vector<Json> items;
    // An object's members, as two lists paired by position.
    std::vector<std::string> names;
    std::vector<Json> values;

    const Json* get(std::string_view key) const {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == key) return &values[i];
        }
        return nullptr;
    }
    std::string string(std::string_view key) const {
        const Json* v = get(key);
        return v && v->kind == Kind::String ? v->text : std::string();
    }
};

class Reader {
  public:
    explicit Reader(std::string_view text) : s_(text) {}

    std::optional<Json> document() {
        Json v;
        if (!value(v, 0)) return std::nullopt;
        space();
        if (at_ != s_.size()) return std::nullopt;
        return v;
    }

  private:
    void space() {
        while (at_ < s_.size() &&
               (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r'))
            ++at_;
    }
    bool take(char c) {
        space();
        if (at_ < s_.size() && s_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool value(Json& out, int depth) {
        if (depth > kDeepest) return false;
        space();
        if (at_ >= s_.size()) return false;
        const char c = s_[at_];
        if (c == '{') return object(out, depth);
        if (c == '[') return array(out, depth);
        if (c == '"') {
            out.kind = Json::Kind::String;
            return string(out.text);
        }
        return literal();
    }
    bool object(Json& out, int depth) {
        out.kind = Json::Kind::Object;
        ++at_;
        if (take('}')) return true;
        do {
            std::string name;
            space();
            if (at_ >= s_.size() || s_[at_] != '"' || !string(name) || !take(':')) return false;
            Json member;
            if (!value(member, depth + 1)) return false;
            out.names.push_back(std::move(name));
            out.values.push_back(std::move(member));
        } while (take(','));
        return take('}');
    }
    bool array(Json& out, int depth) {
        out.kind = Json::Kind::Array;
        ++at_;
        if (take(']')) return true;
        do {
            Json item;
            if (!value(item, depth + 1)) return false;
            out.items.push_back(std::move(item));
        } while (take(','));
        return take(']');
    }
    // Numbers, true, false and null: their characters are passed over.
    bool literal() {
        const std::size_t start = at_;
        while (at_ < s_.size() &&
               (g_ascii_isalnum(s_[at_]) || s_[at_] == '-' || s_[at_] == '+' || s_[at_] == '.'))
            ++at_;
        return at_ > start;
    }
    bool hex4(unsigned& out) {
        if (at_ + 4 > s_.size()) return false;
        out = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = g_ascii_xdigit_value(s_[at_++]);
            if (d < 0) return false;
            out = out * 16 + static_cast<unsigned>(d);
        }
        return true;
    }
    bool string(std::string& out) {
        ++at_;  // the opening quote
        while (at_ < s_.size()) {
            const char c = s_[at_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= s_.size()) return false;
            const char e = s_[at_++];
            switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'u': {
                    unsigned cp = 0;
                    if (!hex4(cp)) return false;
                    // A pair of surrogates makes one character; a lone one is dropped.
                    if (cp >= 0xD800 && cp <= 0xDBFF && at_ + 1 < s_.size() && s_[at_] == '\\' &&
                        s_[at_ + 1] == 'u') {
                        at_ += 2;
                        unsigned low = 0;
                        if (!hex4(low)) return false;
                        if (low < 0xDC00 || low > 0xDFFF) break;
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    if (cp >= 0xD800 && cp <= 0xDFFF) break;
                    char buf[6];
                    out.append(buf, static_cast<std::size_t>(g_unichar_to_utf8(cp, buf)));
                    break;
                }
                default:  // \" \\ \/
                    out += e;
                    break;
            }
        }
        return false;
    }

    std::string_view s_;
    std::size_t at_ = 0;
};

// A bookmark node: a link, or a folder whose children are walked in order.
void walk(const Json& node, std::vector<Bookmark>& out) {
    if (node.kind != Json::Kind::Object) return;
    if (node.string("type") == "url") {
        out.push_back({node.string("name"), node.string("url")});
        return;
    }
    const Json* children = node.get("children");
    if (!children || children->kind != Json::Kind::Array) return;
    for (const Json& child : children->items) walk(child, out);
}

}  // namespace

std::vector<Bookmark> parseChromiumBookmarks(const std::string& json) {
    std::vector<Bookmark> out;
    std::optional<Json> document = Reader(json).document();
    if (!document) return out;
    const Json* roots = document->get("roots");
    if (!roots || roots->kind != Json::Kind::Object) return out;
    for (const Json& root : roots->values) walk(root, out);
    return out;
}

std::vector<Bookmark> readChromiumBookmarks(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseChromiumBookmarks(bytes);
}

}  // namespace larkspan::favorites
