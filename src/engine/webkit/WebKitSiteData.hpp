#pragma once

// The site data of a session, through the engine's website data manager.

#include <map>
#include <memory>

#include "engine/SiteData.hpp"

typedef struct _WebKitWebsiteDataManager WebKitWebsiteDataManager;
typedef struct _WebKitWebsiteData WebKitWebsiteData;

namespace larkspan {

class WebKitSiteData : public SiteData {
  public:
    explicit WebKitSiteData(WebKitWebsiteDataManager* manager);
    ~WebKitSiteData() override;
    WebKitSiteData(const WebKitSiteData&) = delete;
    WebKitSiteData& operator=(const WebKitSiteData&) = delete;

    void fetch(std::function<void(std::vector<SiteRecord>)> done) override;
    void remove(const std::vector<std::string>& names, std::function<void(bool)> done) override;
    void clear(unsigned kinds, ClearSince since, std::function<void(bool)> done) override;

  private:
    struct Call;
    void keep(std::map<std::string, WebKitWebsiteData*> fetched);

    WebKitWebsiteDataManager* manager_;
    // The records of the last fetch, by name: what remove() hands back to the engine.
    std::map<std::string, WebKitWebsiteData*> fetched_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan
