#include "app/Registrations.hpp"

#include "features/downloads/DownloadsRegistration.hpp"
#include "features/favorites/FavoritesRegistration.hpp"
#include "features/history/HistoryRegistration.hpp"
#include "features/locks/LocksRegistration.hpp"
#include "features/popups/PopupsRegistration.hpp"
#include "features/search/SearchRegistration.hpp"
#include "features/source/SourceRegistration.hpp"
#include "features/update/UpdateRegistration.hpp"
#include "shell/ShellRegistration.hpp"

namespace larkspan {

void registerAll(ShellContext& context, Gtk::Application& app) {
    registerShell(context, app);
    registerUpdate(context, app);
    registerPopups(context, app);
    registerLocks(context, app);
    registerHistory(context, app);
    registerSearch(context, app);
    registerSource(context, app);
    registerDownloads(context, app);
    registerFavorites(context, app);
}

}  // namespace larkspan
