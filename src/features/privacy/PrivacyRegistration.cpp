#include "features/privacy/PrivacyRegistration.hpp"

#include <gtkmm/application.h>

#include <chrono>
#include <memory>

#include "common/FolderLock.hpp"
#include "common/ListFile.hpp"
#include "engine/SiteData.hpp"
#include "features/privacy/TypedAddressTimes.hpp"
#include "features/privacy/frmClearData.hpp"
#include "features/privacy/frmSiteData.hpp"
#include "shell/AddressList.hpp"
#include "shell/ClearData.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TypedHistory.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

void present(ShellContext& context, const char* name) {
    Gtk::Window* window = context.windows().touch(name);
    if (!window) return;
    if (Gtk::Window* owner = context.ownerWindow()) window->set_transient_for(*owner);
    window->present();
}

// Clears the engine's data of the given kinds; nothing to clear without an engine session.
ClearableItem siteDataItem(ShellContext& context, const char* label, const char* name,
                           unsigned kinds, std::string note = {}) {
    return {label, name,
            [&context, kinds](ClearSince since, std::function<void()> done) {
                SiteData* data = context.siteData();
                if (data == nullptr) return done();
                data->clear(kinds, since, [done](bool) { done(); });
            },
            std::move(note)};
}

// The typed addresses: everything empties "history.txt" and the lists. A shorter range
// takes out the addresses typed within it: during this run, or at a visit the visit history
// marked typed; others of earlier runs carry no time and stay. It runs before the visits
// are cleared in the same go, since it is added first and answers at once.
void clearTypedAddresses(ShellContext& context, privacy::TypedAddressTimes& times,
                         ClearSince since) {
    if (!since) {
        clearTypedHistory(context);
        times.forget(since);
        return;
    }
    std::set<std::string> gone = times.typedSince(*since);
    gone.merge(context.clearableData().typedSince(*since));
    times.forget(since);
    if (gone.empty()) return;
    const auto file = listfile::historyFilePath();
    {
        FolderLock lock(file.parent_path());
        std::vector<std::string> entries;
        // A file that cannot be read is left as it is rather than rewritten from nothing.
        if (!LoadAddressList(file, entries)) return;
        RewriteListFile(privacy::without(entries, gone), file);
    }
    context.reloadAddressLists();
}

}  // namespace

void registerPrivacy(ShellContext& context, Gtk::Application& app) {
    context.windows().define("frmClearData", [&context] { return makeClearDataWindow(context); });
    context.windows().define("frmSiteData", [&context] { return makeSiteDataWindow(context); });
    context.commands().define("clear-data",
                              [&context](frmBrowser&) { present(context, "frmClearData"); });
    app.set_accels_for_action("win.clear-data", {"<Control><Shift>Delete"});
    app.add_action("manage-site-data", [&context] { present(context, "frmSiteData"); });

    ClearDataRegistry& registry = context.clearableData();
    registry.add(siteDataItem(context, "Coo_kies and site data", "chkClearCookies",
                              sitedata::kCookiesAndStorage,
                              "Cookies carry no time: every cookie goes, whatever the range."));
    registry.add(siteDataItem(context, "C_ached files", "chkClearCache", sitedata::kCache));

    // Lives as long as the program's registrations do: the whole run.
    auto times = std::make_shared<privacy::TypedAddressTimes>();
    AddressList& typed = context.addressList();
    typed.signalAppended.connect([times, &typed](std::size_t at) {
        if (at < typed.size()) times->typed(typed[at], std::chrono::system_clock::now());
    });
    registry.add({"_Typed addresses", "chkClearTyped",
                  [&context, times](ClearSince since, std::function<void()> done) {
                      clearTypedAddresses(context, *times, since);
                      done();
                  }});
}

}  // namespace larkspan
