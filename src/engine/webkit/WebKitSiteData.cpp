// The site data of a session, through the engine's website data manager.
#include "engine/webkit/WebKitSiteData.hpp"

#include <webkit2/webkit2.h>

#include <algorithm>

#include "common/Failure.hpp"

namespace larkspan {

namespace {

constexpr WebKitWebsiteDataTypes kCacheTypes = static_cast<WebKitWebsiteDataTypes>(
    WEBKIT_WEBSITE_DATA_MEMORY_CACHE | WEBKIT_WEBSITE_DATA_DISK_CACHE);
constexpr WebKitWebsiteDataTypes kOtherTypes = static_cast<WebKitWebsiteDataTypes>(
    WEBKIT_WEBSITE_DATA_OFFLINE_APPLICATION_CACHE | WEBKIT_WEBSITE_DATA_SESSION_STORAGE |
    WEBKIT_WEBSITE_DATA_WEBSQL_DATABASES | WEBKIT_WEBSITE_DATA_HSTS_CACHE |
    WEBKIT_WEBSITE_DATA_DEVICE_ID_HASH_SALT | WEBKIT_WEBSITE_DATA_ITP |
    WEBKIT_WEBSITE_DATA_SERVICE_WORKER_REGISTRATIONS | WEBKIT_WEBSITE_DATA_DOM_CACHE);

WebKitWebsiteDataTypes typesOf(unsigned kinds) {
    unsigned types = 0;
    if (kinds & sitedata::kCookies) types |= WEBKIT_WEBSITE_DATA_COOKIES;
    if (kinds & sitedata::kLocalStorage) types |= WEBKIT_WEBSITE_DATA_LOCAL_STORAGE;
    if (kinds & sitedata::kIndexedDb) types |= WEBKIT_WEBSITE_DATA_INDEXEDDB_DATABASES;
    if (kinds & sitedata::kCache) types |= kCacheTypes;
    if (kinds & sitedata::kOther) types |= kOtherTypes;
    return static_cast<WebKitWebsiteDataTypes>(types);
}

unsigned kindsOf(WebKitWebsiteDataTypes types) {
    unsigned kinds = 0;
    if (types & WEBKIT_WEBSITE_DATA_COOKIES) kinds |= sitedata::kCookies;
    if (types & WEBKIT_WEBSITE_DATA_LOCAL_STORAGE) kinds |= sitedata::kLocalStorage;
    if (types & WEBKIT_WEBSITE_DATA_INDEXEDDB_DATABASES) kinds |= sitedata::kIndexedDb;
    if (types & kCacheTypes) kinds |= sitedata::kCache;
    if (types & kOtherTypes) kinds |= sitedata::kOther;
    return kinds;
}

WebKitWebsiteDataTypes allTypes() {
    return typesOf(sitedata::kCookiesAndStorage | sitedata::kCache);
}

}  // namespace

// One asynchronous call of the manager.
struct WebKitSiteData::Call {
    std::weak_ptr<bool> alive;
    WebKitSiteData* self;
    std::function<void(std::vector<SiteRecord>)> fetched;
    std::function<void(bool)> done;
};

WebKitSiteData::WebKitSiteData(WebKitWebsiteDataManager* manager)
    : manager_(WEBKIT_WEBSITE_DATA_MANAGER(g_object_ref(manager))) {}

WebKitSiteData::~WebKitSiteData() {
    alive_.reset();
    keep({});
    g_object_unref(manager_);
}

void WebKitSiteData::keep(std::map<std::string, WebKitWebsiteData*> fetched) {
    for (auto& [name, data] : fetched_) webkit_website_data_unref(data);
    fetched_ = std::move(fetched);
}

void WebKitSiteData::fetch(std::function<void(std::vector<SiteRecord>)> done) {
    auto* start = new Call{alive_, this, std::move(done), {}};
    webkit_website_data_manager_fetch(
        manager_, allTypes(), nullptr,
        [](GObject* source, GAsyncResult* result, gpointer pending) {
            std::unique_ptr<Call> call(static_cast<Call*>(pending));
            GList* list = webkit_website_data_manager_fetch_finish(
                WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr);
            std::vector<SiteRecord> records;
            std::map<std::string, WebKitWebsiteData*> kept;
            for (GList* l = list; l != nullptr; l = l->next) {
                auto* data = static_cast<WebKitWebsiteData*>(l->data);
                const char* name = webkit_website_data_get_name(data);
                if (name == nullptr) continue;
                WebKitWebsiteDataTypes types = webkit_website_data_get_types(data);
                SiteRecord record{name, kindsOf(types), std::nullopt};
                if (types & WEBKIT_WEBSITE_DATA_DISK_CACHE) {
                    record.size = webkit_website_data_get_size(data, types);
                }
                records.push_back(std::move(record));
                kept[name] = webkit_website_data_ref(data);
            }
            g_list_free_full(list, reinterpret_cast<GDestroyNotify>(webkit_website_data_unref));
            if (call->alive.expired()) {
                for (auto& [name, data] : kept) webkit_website_data_unref(data);
                return;
            }
            call->self->keep(std::move(kept));
            try {
                call->fetched(std::move(records));
            } catch (...) {
                reportFailure("handing over the sites' data");
            }
        },
        start);
}

void WebKitSiteData::remove(const std::vector<std::string>& names, std::function<void(bool)> done) {
    GList* list = nullptr;
    for (const std::string& name : names) {
        auto found = fetched_.find(name);
        if (found != fetched_.end()) list = g_list_prepend(list, found->second);
    }
    if (list == nullptr) {
        if (done) done(names.empty());
        return;
    }
    auto* start = new Call{alive_, this, {}, std::move(done)};
    webkit_website_data_manager_remove(
        manager_, allTypes(), list, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer pending) {
            std::unique_ptr<Call> call(static_cast<Call*>(pending));
            bool worked = webkit_website_data_manager_remove_finish(
                              WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr) != FALSE;
            if (call->alive.expired() || !call->done) return;
            try {
                call->done(worked);
            } catch (...) {
                reportFailure("removing sites' data");
            }
        },
        start);
    g_list_free(list);
}

void WebKitSiteData::clear(unsigned kinds, ClearSince since, std::function<void(bool)> done) {
    // The engine counts back from now, in microseconds; 0 is everything.
    GTimeSpan span = 0;
    if (since) {
        auto back = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::system_clock::now() - *since);
        span = std::max<GTimeSpan>(1, back.count());
    }
    // The engine keeps no time with a cookie, so a range takes every cookie along rather
    // than none: the other kinds go from `since` on.
    if (span != 0 && (kinds & sitedata::kCookies)) {
        webkit_website_data_manager_clear(manager_, WEBKIT_WEBSITE_DATA_COOKIES, 0, nullptr,
                                          nullptr, nullptr);
        kinds &= ~sitedata::kCookies;
    }
    auto* start = new Call{alive_, this, {}, std::move(done)};
    webkit_website_data_manager_clear(
        manager_, typesOf(kinds), span, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer pending) {
            std::unique_ptr<Call> call(static_cast<Call*>(pending));
            bool worked = webkit_website_data_manager_clear_finish(
                              WEBKIT_WEBSITE_DATA_MANAGER(source), result, nullptr) != FALSE;
            if (call->alive.expired() || !call->done) return;
            try {
                call->done(worked);
            } catch (...) {
                reportFailure("clearing sites' data");
            }
        },
        start);
}

}  // namespace larkspan
