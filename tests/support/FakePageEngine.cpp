#include "support/FakePageEngine.hpp"

#include <glib.h>

#include <algorithm>

namespace larkspan::testing {

std::vector<FakePageEngine*>& FakePageEngine::all() {
    static std::vector<FakePageEngine*> engines;
    return engines;
}

FakePageEngine::FakePageEngine() : view_("(page)") {
    view_.set_name("WebBrowser1");
    view_.set_can_focus(true);
    // A selectable label takes the keyboard focus as a page does.
    view_.set_selectable(true);
    all().push_back(this);
}

FakePageEngine::~FakePageEngine() {
    auto& v = all();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

std::unique_ptr<PageEngine> FakePageEngine::createRelated() {
    return std::make_unique<FakePageEngine>();
}

void FakePageEngine::navigate(const std::string& address) {
    navigations.push_back(address);
    calls.push_back("navigate " + address);
}

namespace {

// The fake's history: the entries behind (nearest first), the current one, those ahead.
constexpr const char* kHistoryType = "(a(ss)(ss)a(ss))";

GVariant* entriesVariant(const std::vector<HistoryEntry>& entries) {
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("a(ss)"));
    for (const auto& e : entries) {
        g_variant_builder_add(&builder, "(ss)", e.title.c_str(), e.address.c_str());
    }
    return g_variant_builder_end(&builder);
}

std::vector<HistoryEntry> entriesFrom(GVariant* array) {
    std::vector<HistoryEntry> entries;
    GVariantIter iter;
    g_variant_iter_init(&iter, array);
    const char* title = nullptr;
    const char* address = nullptr;
    while (g_variant_iter_next(&iter, "(&s&s)", &title, &address)) {
        entries.push_back({title, address});
    }
    return entries;
}

}  // namespace

std::string FakePageEngine::historyState() const {
    if (location.empty()) return {};
    GVariant* state =
        g_variant_ref_sink(g_variant_new("(@a(ss)(ss)@a(ss))", entriesVariant(back), title.c_str(),
                                         location.c_str(), entriesVariant(forward)));
    std::string bytes(static_cast<const char*>(g_variant_get_data(state)),
                      g_variant_get_size(state));
    g_variant_unref(state);
    return bytes;
}

bool FakePageEngine::restoreHistoryState(const std::string& state) {
    GBytes* bytes = g_bytes_new(state.data(), state.size());
    GVariant* variant =
        g_variant_ref_sink(g_variant_new_from_bytes(G_VARIANT_TYPE(kHistoryType), bytes, FALSE));
    g_bytes_unref(bytes);
    const bool readable = !state.empty() && g_variant_is_normal_form(variant);
    if (readable) {
        GVariant* behind = nullptr;
        GVariant* ahead = nullptr;
        const char* currentTitle = nullptr;
        const char* currentAddress = nullptr;
        g_variant_get(variant, "(@a(ss)(&s&s)@a(ss))", &behind, &currentTitle, &currentAddress,
                      &ahead);
        back = entriesFrom(behind);
        forward = entriesFrom(ahead);
        title = currentTitle;
        location = currentAddress;
        g_variant_unref(behind);
        g_variant_unref(ahead);
        calls.push_back("restore " + location);
    }
    g_variant_unref(variant);
    return readable;
}

bool FakePageEngine::properties(std::function<void(const PageProperties&)> done) {
    calls.push_back("properties");
    done(PageProperties{title, location, "text/html", std::nullopt, 0});
    return true;
}

bool FakePageEngine::find(const FindQuery& query, std::function<void(unsigned)> counted) {
    calls.push_back("find " + query.text);
    counted(matches);
    return true;
}

bool FakePageEngine::setZoomLevel(int level) {
    calls.push_back("setZoomLevel " + std::to_string(level));
    if (level < 0 || level > 4) return false;
    zoom = level;
    return true;
}

void FakePageEngine::grabFocus() {
    focused_ = true;
    view_.grab_focus();
    signalGotFocus.emit();
}

void FakePageEngine::completeNavigation(const std::string& url, const std::string& pageTitle) {
    location = url;
    title = pageTitle;
    signalNavigateComplete2.emit(url);
    signalTitleChange.emit(pageTitle);
    signalProgressChange.emit(100, 100);
    signalProgressChange.emit(-1, 100);
    signalDownloadComplete.emit();
}

void FakePageEngine::leaveFullScreen() {
    calls.push_back("leaveFullScreen");
    signalLeaveFullScreen.emit();
}

}  // namespace larkspan::testing
