#include "engine/webkit/WebKitContentFilters.hpp"

#include <webkit2/webkit2.h>

#include "common/Failure.hpp"
#include "common/Paths.hpp"

namespace larkspan {

// What an asynchronous call of the store needs when it ends: the filters may have gone.
struct WebKitContentFilters::Pending {
    std::weak_ptr<bool> alive;
    WebKitContentFilters* self;
    std::function<void(bool)> done;
    bool loading;
};

// The store's answers, with errors contained.
struct WebKitContentFiltersCallbacks {
    static void finished(GObject* source, GAsyncResult* result, gpointer data);
};

namespace {
constexpr auto finished = &WebKitContentFiltersCallbacks::finished;
}  // namespace

WebKitContentFilters::WebKitContentFilters(const std::filesystem::path& storeFolder) {
    paths::ensureDir(storeFolder);
    store_ = webkit_user_content_filter_store_new(storeFolder.c_str());
}

WebKitContentFilters::~WebKitContentFilters() {
    alive_.reset();
    if (filter_ != nullptr) webkit_user_content_filter_unref(filter_);
    g_object_unref(store_);
}

void WebKitContentFilters::load(const std::string& name, std::function<void(bool)> done) {
    auto* pending = new Pending{alive_, this, std::move(done), true};
    webkit_user_content_filter_store_load(store_, name.c_str(), nullptr, finished, pending);
}

void WebKitContentFilters::compile(const std::string& name, std::string rules,
                                   std::function<void(bool)> done) {
    auto* pending = new Pending{alive_, this, std::move(done), false};
    auto* text = new std::string(std::move(rules));
    GBytes* bytes = g_bytes_new_with_free_func(
        text->data(), text->size(), [](gpointer p) { delete static_cast<std::string*>(p); }, text);
    webkit_user_content_filter_store_save(store_, name.c_str(), bytes, nullptr, finished, pending);
    g_bytes_unref(bytes);
}

void WebKitContentFiltersCallbacks::finished(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<WebKitContentFilters::Pending> pending(
        static_cast<WebKitContentFilters::Pending*>(data));
    auto* store = WEBKIT_USER_CONTENT_FILTER_STORE(source);
    GError* error = nullptr;
    WebKitUserContentFilter* filter =
        pending->loading ? webkit_user_content_filter_store_load_finish(store, result, &error)
                         : webkit_user_content_filter_store_save_finish(store, result, &error);
    if (error != nullptr) {
        // A filter not stored yet is the usual case on a first run; only a failed compile
        // is worth telling.
        if (!pending->loading) {
            reportFailure((std::string("compiling the content filter: ") + error->message).c_str());
        }
        g_error_free(error);
    }
    try {
        if (filter != nullptr && !pending->alive.expired()) pending->self->use(filter);
        if (!pending->alive.expired() && pending->done) pending->done(filter != nullptr);
    } catch (...) {
        reportFailure("taking up the content filter");
    }
    if (filter != nullptr) webkit_user_content_filter_unref(filter);
}

void WebKitContentFilters::use(WebKitUserContentFilter* filter) {
    if (filter_ != nullptr) webkit_user_content_filter_unref(filter_);
    filter_ = webkit_user_content_filter_ref(filter);
    changed_.emit();
}

void WebKitContentFilters::setBlocking(bool on, std::set<std::string> allowedSites) {
    if (on == on_ && allowedSites == allowed_) return;
    on_ = on;
    allowed_ = std::move(allowedSites);
    changed_.emit();
}

void WebKitContentFilters::applyTo(WebKitUserContentManager* manager,
                                   const std::string& address) const {
    if (filter_ == nullptr) return;
    if (on_ && !engine::onAllowedSite(address, allowed_)) {
        // A filter of the same name is replaced.
        webkit_user_content_manager_add_filter(manager, filter_);
    } else {
        webkit_user_content_manager_remove_filter_by_id(
            manager, webkit_user_content_filter_get_identifier(filter_));
    }
}

}  // namespace larkspan
