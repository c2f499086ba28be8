#include "features/favorites/FavoritesMenu.hpp"

#include <string>

#include "shell/frmBrowser.hpp"

namespace larkspan::favorites {

namespace {

constexpr const char* kDataKey = "larkspan-favorites-menu";
constexpr const char* kAction = "win.open-favorite";

void label(Gtk::MenuItem& item, const std::string& caption) {
    // A title is shown as written: an underscore in it is no access key.
    item.set_use_underline(false);
    item.set_label(caption);
}

}  // namespace

FavoritesMenu::FavoritesMenu(frmBrowser& window) : window_(window) {
    window.builder()->get_widget("mnuFavorites_menu", menu_);
    Gtk::MenuItem* first = window.widget<Gtk::MenuItem>("mnuFavoriteT_0");
    if (first) items_.push_back(first);
    // A menu is shown each time it pops up.
    if (menu_) {
        menu_->signal_show().connect([this] {
            opened_ = true;
            if (pending_) sync();
        });
    }
}

FavoritesMenu& FavoritesMenu::of(frmBrowser& window) {
    GObject* object = G_OBJECT(window.gobj());
    auto* menu = static_cast<FavoritesMenu*>(g_object_get_data(object, kDataKey));
    if (!menu) {
        menu = new FavoritesMenu(window);
        g_object_set_data_full(object, kDataKey, menu,
                               [](gpointer p) { delete static_cast<FavoritesMenu*>(p); });
    }
    return *menu;
}

Gtk::MenuItem* FavoritesMenu::item(std::size_t index) {
    if (pending_) sync();
    return index < items_.size() ? items_[index] : nullptr;
}

void FavoritesMenu::LoadFavoritesMenu(const std::filesystem::path& folder) {
    model_.load(folder);
    show();
}

void FavoritesMenu::append(MenuEntry entry) {
    model_.append(std::move(entry));
    show();
}

void FavoritesMenu::rebuild(const std::vector<Favorite>& favorites) {
    model_.rebuild(favorites);
    show();
}

void FavoritesMenu::mnuFavoriteT_Click(int Index) {
    const auto& entries = model_.entries();
    if (Index < 0 || static_cast<std::size_t>(Index) >= entries.size()) return;
    const std::string& address = entries[static_cast<std::size_t>(Index)].address;
    if (!address.empty()) window_.WebBrowser1().navigate(address);
}

void FavoritesMenu::show() {
    pending_ = true;
    if (opened_) sync();
}

void FavoritesMenu::sync() {
    pending_ = false;
    if (!menu_ || items_.empty()) return;
    const auto& entries = model_.entries();
    // Items past the last entry go; entry 0, the window's own item, always stays.
    while (items_.size() > std::max<std::size_t>(entries.size(), 1)) {
        Gtk::MenuItem* last = items_.back();
        items_.pop_back();
        gtk_widget_destroy(GTK_WIDGET(last->gobj()));
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i == items_.size()) {
            auto* item = Gtk::make_managed<Gtk::MenuItem>();
            const std::string name = "mnuFavoriteT_" + std::to_string(i);
            item->set_name(name);
            gtk_actionable_set_action_name(GTK_ACTIONABLE(item->gobj()), kAction);
            gtk_actionable_set_action_target_value(GTK_ACTIONABLE(item->gobj()),
                                                   g_variant_new_int32(static_cast<gint32>(i)));
            menu_->append(*item);
            item->show();
            items_.push_back(item);
        }
        label(*items_[i], entries[i].caption);
    }
}

}  // namespace larkspan::favorites
