#pragma once

// The content filter of one web session: WebKit's filter store in the session's cache
// folder, the filter in use, and whether a page's content manager gets it.

#include <sigc++/signal.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "engine/ContentFilters.hpp"

typedef struct _WebKitUserContentFilter WebKitUserContentFilter;
typedef struct _WebKitUserContentFilterStore WebKitUserContentFilterStore;
typedef struct _WebKitUserContentManager WebKitUserContentManager;

namespace larkspan {

struct WebKitContentFiltersCallbacks;

class WebKitContentFilters : public ContentFilters {
  public:
    explicit WebKitContentFilters(const std::filesystem::path& storeFolder);
    ~WebKitContentFilters() override;
    WebKitContentFilters(const WebKitContentFilters&) = delete;
    WebKitContentFilters& operator=(const WebKitContentFilters&) = delete;

    void load(const std::string& name, std::function<void(bool)> done) override;
    void compile(const std::string& name, std::string rules,
                 std::function<void(bool)> done) override;
    void setBlocking(bool on, std::set<std::string> allowedSites) override;

    // Gives the filter to `manager` or takes it away, for a page at `address`.
    void applyTo(WebKitUserContentManager* manager, const std::string& address) const;
    // Emitted when the filter or the blocking changed: pages apply it again.
    sigc::signal<void()>& signalChanged() { return changed_; }

  private:
    friend struct WebKitContentFiltersCallbacks;
    struct Pending;
    void use(WebKitUserContentFilter* filter);

    WebKitUserContentFilterStore* store_ = nullptr;
    WebKitUserContentFilter* filter_ = nullptr;
    bool on_ = true;
    std::set<std::string> allowed_;
    sigc::signal<void()> changed_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan
