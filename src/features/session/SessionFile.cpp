#include "features/session/SessionFile.hpp"

#include <glib.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <system_error>
#include <utility>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan::session {

namespace fs = std::filesystem;

namespace {

// The file is one serialised GVariant: a mark that says whose file it is, the format's
// version, and the session's own serialised bytes with their SHA-256 digest, so that a file
// cut short or changed anywhere is refused whole. Stored little-endian whatever the host.
constexpr const char* kMark = "Larkspan session";
constexpr guint32 kVersion = 1;
constexpr const char* kFileType = "(suayay)";
// Windows: place (state, left, top, width, height), current tab, tabs (address, title,
// history), each text as bytes so that nothing needs to be valid UTF-8.
constexpr const char* kSessionType = "a((idddd)ua(ayayay))";
// A place beyond this (in twips) is no place a screen has.
constexpr double kMaxTwips = 1e7;

struct VariantUnref {
    void operator()(GVariant* v) const { g_variant_unref(v); }
};
using VariantPtr = std::unique_ptr<GVariant, VariantUnref>;

VariantPtr owned(GVariant* v) {
    return VariantPtr(g_variant_ref_sink(v));
}

// The variant in the file's byte order.
VariantPtr inFileOrder(VariantPtr v) {
    if constexpr (G_BYTE_ORDER == G_BIG_ENDIAN) return owned(g_variant_byteswap(v.get()));
    return v;
}

GVariant* bytesVariant(std::string_view bytes) {
    return g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.data(), bytes.size(), 1);
}

std::string bytesOf(GVariant* v) {
    gsize size = 0;
    const void* data = g_variant_get_fixed_array(v, &size, 1);
    return size == 0 ? std::string() : std::string(static_cast<const char*>(data), size);
}

std::string digestOf(std::string_view bytes) {
    GChecksum* checksum = g_checksum_new(G_CHECKSUM_SHA256);
    g_checksum_update(checksum, reinterpret_cast<const guchar*>(bytes.data()),
                      static_cast<gssize>(bytes.size()));
    guint8 digest[32];
    gsize length = sizeof digest;
    g_checksum_get_digest(checksum, digest, &length);
    g_checksum_free(checksum);
    return std::string(reinterpret_cast<const char*>(digest), length);
}

// The bytes as a variant of `type` in the file's byte order, when they are one in normal
// form (the form encode() writes); nothing otherwise.
VariantPtr readVariant(std::string_view bytes, const char* type) {
    GBytes* data = g_bytes_new(bytes.data(), bytes.size());
    VariantPtr v = owned(g_variant_new_from_bytes(G_VARIANT_TYPE(type), data, FALSE));
    g_bytes_unref(data);
    if (!g_variant_is_normal_form(v.get())) return nullptr;
    return inFileOrder(std::move(v));
}

std::string serialized(VariantPtr v) {
    VariantPtr stored = inFileOrder(std::move(v));
    return std::string(static_cast<const char*>(g_variant_get_data(stored.get())),
                       g_variant_get_size(stored.get()));
}

double placeValue(double stored, double fallback) {
    return std::isfinite(stored) && std::fabs(stored) <= kMaxTwips ? stored : fallback;
}

WindowPlaces placeFrom(GVariant* v) {
    WindowPlaces place;
    const WindowPlaces defaults;
    gint32 state = 0;
    double left = 0, top = 0, width = 0, height = 0;
    g_variant_get(v, "(idddd)", &state, &left, &top, &width, &height);
    place.state = state >= WindowPlaces::Normal && state <= WindowPlaces::Maximized
                      ? state
                      : static_cast<int>(WindowPlaces::Maximized);
    place.left = placeValue(left, defaults.left);
    place.top = placeValue(top, defaults.top);
    place.width = placeValue(width, defaults.width);
    place.height = placeValue(height, defaults.height);
    return place;
}

SessionTab tabFrom(GVariant* v) {
    VariantPtr address = VariantPtr(g_variant_get_child_value(v, 0));
    VariantPtr title = VariantPtr(g_variant_get_child_value(v, 1));
    VariantPtr history = VariantPtr(g_variant_get_child_value(v, 2));
    return SessionTab{bytesOf(address.get()), bytesOf(title.get()), bytesOf(history.get())};
}

std::optional<SessionWindow> windowFrom(GVariant* v) {
    SessionWindow window;
    window.place = placeFrom(VariantPtr(g_variant_get_child_value(v, 0)).get());
    const guint32 current = g_variant_get_uint32(VariantPtr(g_variant_get_child_value(v, 1)).get());
    VariantPtr tabs(g_variant_get_child_value(v, 2));
    const gsize count = g_variant_n_children(tabs.get());
    if (count == 0) return std::nullopt;
    window.tabs.reserve(count);
    for (gsize i = 0; i < count; ++i) {
        window.tabs.push_back(tabFrom(VariantPtr(g_variant_get_child_value(tabs.get(), i)).get()));
    }
    window.current = current < count ? current : count - 1;
    return window;
}

std::optional<std::string> readBounded(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char block[64 * 1024];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes) return std::string();  // no session is this big
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

fs::path sessionFilePath() {
    return paths::dataDir() / "session.dat";
}

std::string encode(const Session& session) {
    GVariantBuilder windows;
    g_variant_builder_init(&windows, G_VARIANT_TYPE(kSessionType));
    for (const SessionWindow& window : session.windows) {
        GVariantBuilder tabs;
        g_variant_builder_init(&tabs, G_VARIANT_TYPE("a(ayayay)"));
        for (const SessionTab& tab : window.tabs) {
            g_variant_builder_add(&tabs, "(@ay@ay@ay)", bytesVariant(tab.address),
                                  bytesVariant(tab.title), bytesVariant(tab.history));
        }
        const WindowPlaces& p = window.place;
        g_variant_builder_add(&windows, "((idddd)ua(ayayay))", static_cast<gint32>(p.state), p.left,
                              p.top, p.width, p.height, static_cast<guint32>(window.current),
                              &tabs);
    }
    return seal(serialized(owned(g_variant_builder_end(&windows))));
}

std::string seal(std::string_view payload) {
    return serialized(owned(g_variant_new("(su@ay@ay)", kMark, kVersion,
                                          bytesVariant(digestOf(payload)), bytesVariant(payload))));
}

std::optional<Session> decode(std::string_view bytes) {
    VariantPtr file = readVariant(bytes, kFileType);
    if (!file) return std::nullopt;
    const char* mark = nullptr;
    guint32 version = 0;
    GVariant* digest = nullptr;
    GVariant* payloadVariant = nullptr;
    g_variant_get(file.get(), "(&su@ay@ay)", &mark, &version, &digest, &payloadVariant);
    VariantPtr digestHeld(digest);
    VariantPtr payloadHeld(payloadVariant);
    if (g_strcmp0(mark, kMark) != 0 || version != kVersion) return std::nullopt;
    const std::string payload = bytesOf(payloadVariant);
    if (bytesOf(digest) != digestOf(payload)) return std::nullopt;

    VariantPtr windows = readVariant(payload, kSessionType);
    if (!windows) return std::nullopt;
    Session session;
    const gsize count = g_variant_n_children(windows.get());
    for (gsize i = 0; i < count; ++i) {
        VariantPtr window(g_variant_get_child_value(windows.get(), i));
        if (auto read = windowFrom(window.get())) session.windows.push_back(std::move(*read));
    }
    return session;
}

bool writeSessionFile(const Session& session, const fs::path& path) {
    if (!paths::ensureDir(path.parent_path())) return false;
    return replaceFileAtomically(path, encode(session));
}

std::optional<Session> readSessionFile(const fs::path& path) {
    std::optional<std::string> bytes = readBounded(path);
    if (!bytes) return std::nullopt;
    std::optional<Session> session = decode(*bytes);
    if (!session) {
        std::error_code ec;
        fs::rename(path, fs::path(path.string() + ".unreadable"), ec);
    }
    return session;
}

}  // namespace larkspan::session
