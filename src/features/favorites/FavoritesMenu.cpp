#include "features/favorites/FavoritesMenu.hpp"

#include <gtkmm/label.h>

#include <algorithm>
#include <string>

#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::favorites {

namespace {

constexpr const char* kDataKey = "larkspan-favorites-menu";

// A menu item with a plain label, not the accelerator label a menu item makes for itself:
// a favorite has no shortcut to show. A title is shown as written: an underscore in it is
// no access key.
Gtk::MenuItem& plainItem() {
    auto* item = Gtk::make_managed<Gtk::MenuItem>();
    auto* text = Gtk::make_managed<Gtk::Label>();
    text->set_xalign(0);
    text->show();
    item->add(*text);
    item->set_use_underline(false);
    return *item;
}

}  // namespace

FavoritesMenu::FavoritesMenu(frmBrowser& window, OptionsModel* options)
    : window_(window), options_(options) {
    menu_ = dynamic_cast<Gtk::Menu*>(window.place("mnuFavorites_menu"));
    // The menu's own last item shows the first favorite.
    if (menu_) {
        for (Gtk::Widget* child : menu_->get_children()) {
            if (child->get_name() == "mnuFavoriteT_0") first_ = dynamic_cast<Gtk::MenuItem*>(child);
        }
    }
    if (first_) {
        // Kept while it moves between the menu and a group.
        g_object_ref(first_->gobj());
        first_->set_use_underline(false);
    }
    // A menu is shown each time it pops up.
    if (menu_) menu_->signal_show().connect([this] { make(root_); });
    if (options_)
        options_->signalChanged().connect(sigc::mem_fun(*this, &FavoritesMenu::optionChanged));
    changed();
}

FavoritesMenu::~FavoritesMenu() {
    if (first_) g_object_unref(first_->gobj());
}

void FavoritesMenu::attach(frmBrowser& window, ShellContext& context) {
    GObject* object = G_OBJECT(window.gobj());
    if (g_object_get_data(object, kDataKey)) return;
    auto* menu = new FavoritesMenu(window, &context.options());
    g_object_set_data_full(object, kDataKey, menu,
                           [](gpointer p) { delete static_cast<FavoritesMenu*>(p); });
}

FavoritesMenu& FavoritesMenu::of(frmBrowser& window) {
    GObject* object = G_OBJECT(window.gobj());
    auto* menu = static_cast<FavoritesMenu*>(g_object_get_data(object, kDataKey));
    if (!menu) {
        menu = new FavoritesMenu(window, nullptr);
        g_object_set_data_full(object, kDataKey, menu,
                               [](gpointer p) { delete static_cast<FavoritesMenu*>(p); });
    }
    return *menu;
}

void FavoritesMenu::reloadAll(ShellContext& context) {
    // One read of the folder serves every window.
    FavoritesMenuModel fresh;
    fresh.load(folderPath());
    for (frmBrowser* window : context.browsers()) {
        if (window) of(*window).replace(fresh);
    }
}

Gtk::MenuItem* FavoritesMenu::item(std::size_t index) {
    if (index >= items_.size() || !menu_) return nullptr;
    Node* node = &root_;
    for (;;) {
        make(*node);
        auto group = std::find_if(node->groups.begin(), node->groups.end(),
                                  [index](const auto& g) { return index < g->end; });
        if (group == node->groups.end()) break;
        node = group->get();
    }
    return items_[index];
}

void FavoritesMenu::LoadFavoritesMenu(const std::filesystem::path& folder) {
    model_.load(folder);
    changed();
}

void FavoritesMenu::append(MenuEntry entry) {
    model_.append(std::move(entry));
    changed();
}

void FavoritesMenu::rebuild(const std::vector<Favorite>& favorites) {
    model_.rebuild(favorites);
    changed();
}

void FavoritesMenu::replace(const FavoritesMenuModel& model) {
    model_ = model;
    changed();
}

void FavoritesMenu::mnuFavoriteT_Click(int Index) {
    const auto& entries = model_.entries();
    if (Index < 0 || static_cast<std::size_t>(Index) >= entries.size()) return;
    const std::string& address = entries[static_cast<std::size_t>(Index)].address;
    if (!address.empty()) window_.page().engine().navigate(address);
}

void FavoritesMenu::changed() {
    if (!menu_) return;
    // Entry 0 goes back below the separator; every item made for the entries goes, those
    // inside groups with their group.
    if (first_ && first_->get_parent() != menu_) placeFirst(*menu_);
    for (Gtk::MenuItem* item : made_) gtk_widget_destroy(GTK_WIDGET(item->gobj()));
    made_.clear();
    items_.assign(model_.entries().size(), nullptr);
    root_ = Node{};
    root_.end = model_.entries().size();
    root_.menu = menu_;
    plan(root_);
    // An open menu shows the new entries at once; a closed one when it next opens.
    if (menu_->get_visible()) make(root_);
}

void FavoritesMenu::plan(Node& node) {
    const std::size_t count = node.end - node.first;
    while ((count + node.span - 1) / node.span > kScreenful) node.span *= kScreenful;
    if (node.span == 1) return;
    // Groups of nearly equal size, each no larger than the span.
    const std::size_t groups = (count + node.span - 1) / node.span;
    for (std::size_t i = 0; i < groups; ++i) {
        auto group = std::make_unique<Node>();
        group->first = node.first + i * count / groups;
        group->end = node.first + (i + 1) * count / groups;
        plan(*group);
        node.groups.push_back(std::move(group));
    }
}

void FavoritesMenu::make(Node& node) {
    if (node.made || !node.menu) return;
    node.made = true;
    if (node.groups.empty()) {
        for (std::size_t i = node.first; i < node.end; ++i) makeEntry(node, i);
        return;
    }
    // Entry 0 moves into the first group when that group's menu is made.
    if (&node == &root_ && first_ && first_->get_parent() == menu_) menu_->remove(*first_);
    for (const auto& group : node.groups) makeGroup(node, *group);
}

Gtk::MenuItem& FavoritesMenu::makeEntry(Node& node, std::size_t index) {
    Gtk::MenuItem* item = nullptr;
    if (index == 0 && first_) {
        if (first_->get_parent() != node.menu) placeFirst(*node.menu);
        item = first_;
    } else {
        item = &plainItem();
        item->set_name("mnuFavoriteT_" + std::to_string(index));
        item->signal_activate().connect(sigc::bind(
            sigc::mem_fun(*this, &FavoritesMenu::mnuFavoriteT_Click), static_cast<int>(index)));
        node.menu->append(*item);
        if (node.menu == menu_) made_.push_back(item);
    }
    items_[index] = item;
    showEntry(index);
    return *item;
}

void FavoritesMenu::makeGroup(Node& node, Node& group) {
    Gtk::MenuItem& item = plainItem();
    item.set_label(groupCaption(group));
    auto* submenu = Gtk::make_managed<Gtk::Menu>();
    item.set_submenu(*submenu);
    group.menu = submenu;
    submenu->signal_show().connect([this, &group] { make(group); });
    node.menu->append(item);
    item.show();
    if (node.menu == menu_) made_.push_back(&item);
}

std::string FavoritesMenu::groupCaption(const Node& group) const {
    const auto& entries = model_.entries();
    auto text = [&entries](std::size_t i) -> const std::string& {
        return entries[i].caption.empty() ? entries[i].address : entries[i].caption;
    };
    std::size_t first = group.first;
    while (first + 1 < group.end && text(first).empty()) ++first;
    std::size_t last = group.end - 1;
    while (last > first && text(last).empty()) --last;
    if (last == first) return cutTitle(text(first));
    return cutTitle(text(first)) + " \u2013 " + cutTitle(text(last));
}

void FavoritesMenu::showEntry(std::size_t index) {
    Gtk::MenuItem* item = items_[index];
    if (!item) return;
    const MenuEntry& entry = model_.entries()[index];
    // A favorite without a title shows its address; an entry with neither (the one kept
    // while there is no favorite) is not shown at all, nor is entry 0 under the favorites
    // lock.
    const std::string& text = entry.caption.empty() ? entry.address : entry.caption;
    if (item->get_label() != text) item->set_label(text);
    const bool locked = index == 0 && options_ && options_->lockFavorites;
    item->set_visible(!text.empty() && !locked);
}

void FavoritesMenu::placeFirst(Gtk::Menu& menu) {
    if (auto* parent = first_->get_parent()) static_cast<Gtk::Container*>(parent)->remove(*first_);
    menu.append(*first_);
}

void FavoritesMenu::optionChanged(OptionId id, OptionsModel::Cause) {
    if (id == OptionId::LockFavorites && !items_.empty()) showEntry(0);
}

}  // namespace larkspan::favorites
