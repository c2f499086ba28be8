// "Bookmarks" files of the Chromium family, read with the JSON parser of the web engine's
// script runtime.
#include <jsc/jsc.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "features/favorites/Bookmarks.hpp"

namespace larkspan::favorites {

namespace {

struct Unref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
using Value = std::unique_ptr<JSCValue, Unref>;

Value property(JSCValue* object, const char* name) {
    if (!object || !jsc_value_is_object(object)) return nullptr;
    return Value(jsc_value_object_get_property(object, name));
}

std::string text(JSCValue* value) {
    if (!value || !jsc_value_is_string(value)) return {};
    gchar* s = jsc_value_to_string(value);
    std::string out = s ? s : "";
    g_free(s);
    return out;
}

// A bookmark node: a link, or a folder whose children are walked in order.
void walk(JSCValue* node, std::vector<Bookmark>& out, int depth) {
    // Files nest folders a few levels deep; a made-up file cannot run the stack out.
    constexpr int kDeepest = 200;
    if (!node || !jsc_value_is_object(node) || depth > kDeepest) return;
    Value type = property(node, "type");
    if (text(type.get()) == "url") {
        Value name = property(node, "name");
        Value url = property(node, "url");
        out.push_back({text(name.get()), text(url.get())});
        return;
    }
    Value children = property(node, "children");
    if (!children || !jsc_value_is_array(children.get())) return;
    Value length = property(children.get(), "length");
    const int count = length ? jsc_value_to_int32(length.get()) : 0;
    for (int i = 0; i < count; ++i) {
        Value child(jsc_value_object_get_property_at_index(children.get(), static_cast<guint>(i)));
        walk(child.get(), out, depth + 1);
    }
}

}  // namespace

std::vector<Bookmark> parseChromiumBookmarks(const std::string& json) {
    std::vector<Bookmark> out;
    std::unique_ptr<JSCContext, Unref> context(jsc_context_new());
    Value document(jsc_value_new_from_json(context.get(), json.c_str()));
    if (jsc_context_get_exception(context.get())) return out;
    Value roots = property(document.get(), "roots");
    if (!roots || !jsc_value_is_object(roots.get())) return out;
    gchar** names = jsc_value_object_enumerate_properties(roots.get());
    for (gchar** n = names; n && *n; ++n) {
        Value root = property(roots.get(), *n);
        walk(root.get(), out, 0);
    }
    g_strfreev(names);
    return out;
}

std::vector<Bookmark> readChromiumBookmarks(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseChromiumBookmarks(bytes);
}

}  // namespace larkspan::favorites
