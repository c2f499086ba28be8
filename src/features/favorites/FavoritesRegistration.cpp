#include "features/favorites/FavoritesRegistration.hpp"

#include <gtkmm/application.h>

#include "common/Dialogs.hpp"
#include "features/favorites/AddFavorite.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoriteSuggestions.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/frmFavorites.hpp"
#include "features/favorites/frmIE2LarkspanConverter.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// The organizer closes right after the lock dialog; the importer after the update notice
// and before the blocked-popup log.

// Shows a shared window modeless, owned by the first main window.
void present(ShellContext& context, const char* name) {
    Gtk::Window* w = context.windows().touch(name);
    if (!w) return;
    if (Gtk::Window* owner = context.ownerWindow()) w->set_transient_for(*owner);
    w->present();
}

void addCurrentPage(ShellContext& context, frmBrowser& window) {
    PageEngine& engine = window.page().engine();
    const std::string address = engine.locationURL();
    favorites::addFavorite(context.dialogs(), &window, favorites::folderPath(),
                           engine.documentTitle(), address,
                           favorites::FavoritesMenu::of(window).model().captions(),
                           whileAlive<const favorites::Added&>(
                               window, [&window, address](const favorites::Added& added) {
                                   // The entry is added even when the file could not be written:
                                   // the favorite then works until the program ends.
                                   favorites::FavoritesMenu::of(window).append(
                                       {favorites::cutTitle(added.title), address});
                               }));
}

}  // namespace

void registerFavorites(ShellContext& context, Gtk::Application& app) {
    auto* suggestions = new FavoriteSuggestions(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-favorite-suggestions", suggestions,
                           [](gpointer p) { delete static_cast<FavoriteSuggestions*>(p); });
    context.addSuggestionSource(*suggestions);
    WindowRegistry& windows = context.windows();
    windows.define("frmFavorites", [&context] { return makeFavoritesOrganizer(context); });
    windows.define("frmIE2LarkspanConverter", [&context] {
        return makeFavoritesImporter(context, favorites::ImportPlaces::ofThisSession());
    });

    // Each main window has its favorites menu; the window's own entry 0 opens its favorite
    // through the window's action.
    context.signalBrowserMade().connect([&context](frmBrowser& window) {
        favorites::FavoritesMenu::attach(window, context);
        window.add_action_with_parameter(
            "open-favorite", Glib::VARIANT_TYPE_INT32, [&window](const Glib::VariantBase& index) {
                favorites::FavoritesMenu::of(window).mnuFavoriteT_Click(
                    Glib::VariantBase::cast_dynamic<Glib::Variant<gint32>>(index).get());
            });
    });
    context.signalMainWindowLoading().connect([](frmBrowser& window) {
        favorites::FavoritesMenu::of(window).LoadFavoritesMenu(favorites::folderPath());
    });

    WindowCommands& commands = context.commands();
    commands.define("add-favorite",
                    [&context](frmBrowser& window) { addCurrentPage(context, window); });
    // The Tools menu's and the Favorites menu's ways to the organizer, each behind its own
    // guard of the favorites lock.
    commands.define("favorites", [&context](frmBrowser&) { present(context, "frmFavorites"); });
    commands.define("organize-favorites",
                    [&context](frmBrowser&) { present(context, "frmFavorites"); });

    app.add_action("import-favorites", [&context] { present(context, "frmIE2LarkspanConverter"); });
    app.set_accels_for_action("win.add-favorite", {"<Control>a", "<Control>d"});
    app.set_accels_for_action("win.favorites", {"<Control>r", "<Control><Shift>o"});
}

}  // namespace larkspan
