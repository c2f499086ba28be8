#include "features/sitezoom/SiteZoomRegistration.hpp"

#include <gtkmm/application.h>
#include <sigc++/adaptors/track_obj.h>

#include <memory>

#include "features/sitezoom/SiteZoomStore.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

namespace {

using sitezoom::SiteZoomStore;

class SiteZoom : public sigc::trackable {
  public:
    explicit SiteZoom(ShellContext& context) {
        context.signalPageOpened().connect(
            sigc::track_obj([this](frmBrowser&, Page& page) { follow(page); }, *this));
    }

  private:
    SiteZoomStore& store() {
        // Opened when a page first needs it, not while the program starts.
        if (!store_) store_ = std::make_unique<SiteZoomStore>(SiteZoomStore::defaultFile());
        return *store_;
    }

    void follow(Page& page) {
        // The page owns its signals, so these go with it.
        page.signalAddressChanged.connect(sigc::track_obj([this, &page] { apply(page); }, *this));
        page.signalTextSizeChosen.connect(sigc::track_obj(
            [this, &page](int level, bool reset) { keep(page, level, reset); }, *this));
        apply(page);
    }

    // A page arriving at a host shows the size kept for it, or the ordinary size.
    void apply(Page& page) {
        std::string host = sitezoom::hostOf(page.address());
        if (host.empty()) return;
        int level = store().level(host).value_or(SiteZoomStore::kOrdinary);
        if (page.engine().zoomLevel() != level) page.engine().setZoomLevel(level);
    }

    void keep(Page& page, int level, bool reset) {
        if (page.isPrivate()) return;
        std::string host = sitezoom::hostOf(page.address());
        if (host.empty()) return;
        if (reset) {
            store().forget(host);
        } else {
            store().remember(host, level);
        }
    }

    std::unique_ptr<SiteZoomStore> store_;
};

}  // namespace

void registerSiteZoom(ShellContext& context, Gtk::Application& app) {
    auto* zoom = new SiteZoom(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-site-zoom", zoom,
                           [](gpointer p) { delete static_cast<SiteZoom*>(p); });
}

}  // namespace larkspan
