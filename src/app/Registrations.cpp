#include "app/Registrations.hpp"

#include "features/contentfilter/ContentFilterRegistration.hpp"
#include "features/downloads/DownloadsRegistration.hpp"
#include "features/dragdrop/DragDropRegistration.hpp"
#include "features/favorites/FavoritesRegistration.hpp"
#include "features/history/HistoryRegistration.hpp"
#include "features/locks/LocksRegistration.hpp"
#include "features/permissions/PermissionsRegistration.hpp"
#include "features/popups/PopupsRegistration.hpp"
#include "features/privacy/PrivacyRegistration.hpp"
#include "features/search/SearchRegistration.hpp"
#include "features/session/SessionRegistration.hpp"
#include "features/sitezoom/SiteZoomRegistration.hpp"
#include "features/source/SourceRegistration.hpp"
#include "features/update/UpdateCheck.hpp"
#include "features/update/UpdateRegistration.hpp"
#include "features/visits/VisitsRegistration.hpp"
#include "shell/ShellContext.hpp"
#include "shell/ShellRegistration.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

void registerAll(ShellContext& context, Gtk::Application& app) {
    // How the shared windows close at shut-down: the lock dialog first, the options dialog,
    // which the others may still consult, last.
    context.windows().setClosingOrder(
        {"frmPassword", "frmFavorites", "frmHistory", "frmVisits", "frmSource", "frmAbout",
         "frmFont", "Form2", update::kUpdateWindow, "frmIE2LarkspanConverter", "frmBlockedLog",
         "frmDownloads", "frmSitePermissions", "frmClearData", "frmSiteData", "frmOptions"});
    registerShell(context, app);
    registerUpdate(context, app);
    registerPopups(context, app);
    registerLocks(context, app);
    registerHistory(context, app);
    registerSearch(context, app);
    registerSource(context, app);
    // Before the downloads and the session: Clear Browsing Data lists the site data first.
    registerPrivacy(context, app);
    registerDownloads(context, app);
    registerFavorites(context, app);
    registerSession(context, app);
    registerSiteZoom(context, app);
    registerDragDrop(context, app);
    registerContentFilter(context, app);
    registerVisits(context, app);
    registerPermissions(context, app);
}

}  // namespace larkspan
