#include "features/contentfilter/ContentFilterRegistration.hpp"

#include <glibmm/main.h>
#include <gtkmm/application.h>

#include <sigc++/adaptors/track_obj.h>

#include <memory>
#include <set>

#include "engine/ContentFilters.hpp"
#include "features/contentfilter/FilterLoader.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kAllowAds = "allow-ads";

// The tick of "Allow Ads on This Site" for the page the window shows; no site, no command.
void showAllowed(ShellContext& context, frmBrowser& window) {
    auto action = Glib::RefPtr<Gio::SimpleAction>::cast_dynamic(window.lookup_action(kAllowAds));
    if (!action) return;
    const std::string address = window.page().engine().locationURL();
    action->set_enabled(!engine::siteOf(address).empty());
    bool allowed =
        engine::onAllowedSite(address, engine::parseSites(context.options().adsAllowedSites));
    action->change_state(Glib::Variant<bool>::create(allowed));
}

// Allows the page's site, or takes off whatever allowed it, and loads the page again so that
// the change shows.
void toggleAllowed(ShellContext& context, frmBrowser& window) {
    const std::string address = window.page().engine().locationURL();
    const std::string site = engine::siteOf(address);
    if (site.empty()) return;
    OptionsModel& o = context.options();
    std::set<std::string> sites = engine::parseSites(o.adsAllowedSites);
    if (engine::onAllowedSite(address, sites)) {
        std::erase_if(sites, [&](const std::string& s) {
            return engine::onAllowedSite(address, std::set<std::string>{s});
        });
    } else {
        sites.insert(site);
    }
    o.setText(OptionId::AdsAllowedSites, engine::formatSites(sites));
    o.writeNow(context.settings(), OptionId::AdsAllowedSites);
    window.page().engine().refresh();
}

}  // namespace

void registerContentFilter(ShellContext& context, Gtk::Application&) {
    auto loader = std::make_shared<contentfilter::FilterLoader>(
        context, contentfilter::FilterLoader::Folders::program());
    // Once a page has loaded, so that neither the first window nor its page waits or shares
    // the machine with it; a first page that takes long holds it back ten seconds at most.
    context.signalMainWindowLoading().connect([loader](frmBrowser&) {
        Glib::signal_timeout().connect_seconds_once([loader] { loader->start(); }, 10);
    });

    // The window has no page yet; the tick follows its pages from their opening on.
    context.signalBrowserMade().connect([&context](frmBrowser& window) {
        window.add_action_bool(
            kAllowAds, [&context, &window] { toggleAllowed(context, window); }, false);
        context.options().signalChanged().connect(sigc::track_obj(
            [&context, &window](OptionId id, OptionsModel::Cause) {
                if (id == OptionId::AdsAllowedSites) showAllowed(context, window);
            },
            window));
    });
    // The tick follows the shown page: a new address, another tab.
    context.signalPageOpened().connect([&context, loader](frmBrowser&, Page& page) {
        auto follow = [&context, &page] {
            frmBrowser* window = context.windowHolding(page);
            if (window != nullptr && &window->page() == &page) showAllowed(context, *window);
        };
        page.signalAddressChanged.connect(follow);
        page.engine().signalDownloadComplete.connect([loader] { loader->start(); });
        page.engine().widget().signal_map().connect(follow);
        follow();
    });
}

}  // namespace larkspan
