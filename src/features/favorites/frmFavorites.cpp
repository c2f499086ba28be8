#include "features/favorites/frmFavorites.hpp"

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "common/UserInput.hpp"
#include "controls/StyledButton.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/ModifiedDate.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmFavorites.ui";
constexpr const char* kName = "frmFavorites";
// The columns of the list's model: the title shown and the name of the row's own file.
constexpr int kTitleColumn = 0;
constexpr int kFileColumn = 1;

}  // namespace

frmFavorites::frmFavorites(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                           ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder), folder_(favorites::folderPath()) {
    builder_->get_widget("lstFav", lstFav);
    builder_->get_widget("lblOfFavorites", lblOfFavorites);
    builder_->get_widget("lblTitle", lblTitle);
    builder_->get_widget("lblURL", lblURL);
    builder_->get_widget("lblMod", lblMod);
    builder_->get_widget_derived("cmdRename", cmdRename);
    builder_->get_widget_derived("cmdDelete", cmdDelete);
    builder_->get_widget_derived("cmdClose", cmdClose);
    store_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(lstFav->get_model());
    cmdRename->setCaption("Rename");
    cmdDelete->setCaption("Delete");
    cmdClose->setCaption("Close");

    // The load: the buttons take the sample's looks, the lists the folder's favorites.
    for (StyledButton* b : {cmdClose, cmdDelete, cmdRename})
        scheme::followButtonLook(ctx_, *b, true);
    cmdDelete->setEnabled(false);
    load();

    // A click shows the entry, also one on the entry already selected; so does a move of
    // the selection by the keyboard. The list's own first selection is no click.
    lstFav->signal_button_release_event().connect([this](GdkEventButton* event) {
        if (event->button == 1) lstFav_Click();
        return false;
    });
    lstFav->get_selection()->signal_changed().connect([this] {
        if (handlingUserInput()) lstFav_Click();
    });
    lstFav->signal_row_activated().connect(
        [this](const Gtk::TreeModel::Path&, Gtk::TreeViewColumn*) { lstFav_DblClick(); });
    cmdRename->signal_click().connect(sigc::mem_fun(*this, &frmFavorites::cmdRename_Click));
    cmdDelete->signal_click().connect(sigc::mem_fun(*this, &frmFavorites::cmdDelete_Click));
    cmdClose->signal_click().connect(sigc::mem_fun(*this, &frmFavorites::cmdClose_Click));
}

void frmFavorites::load() {
    store_->clear();
    // A file without a title line lists an empty title.
    for (const std::string& name : favorites::listFiles(folder_)) {
        const std::string title = favorites::readFirstTitle(folder_ / name).value_or("");
        auto row = *store_->append();
        row.set_value(kTitleColumn, Glib::ustring(title));
        row.set_value(kFileColumn, Glib::ustring(name));
    }
    showCount();
}

void frmFavorites::showCount() {
    lblOfFavorites->set_text(std::to_string(store_->children().size()));
}

std::vector<std::string> frmFavorites::shownTitles() const {
    std::vector<std::string> out;
    for (const auto& row : store_->children()) {
        Glib::ustring v;
        row.get_value(kTitleColumn, v);
        out.push_back(v);
    }
    return out;
}

Gtk::TreeModel::iterator frmFavorites::selectedRow() const {
    return lstFav->get_selection()->get_selected();
}

std::filesystem::path frmFavorites::fileOf(const Gtk::TreeModel::iterator& row) const {
    if (!row) return {};
    Glib::ustring name;
    row->get_value(kFileColumn, name);
    return name.empty() ? std::filesystem::path() : folder_ / std::string(name);
}

void frmFavorites::showDetails(const Gtk::TreeModel::iterator& row) {
    const std::filesystem::path file = fileOf(row);
    if (file.empty()) {
        for (Gtk::Label* l : {lblTitle, lblURL, lblMod}) l->set_text("");
        return;
    }
    const favorites::Favorite f = favorites::readFavorite(file);
    lblTitle->set_text(f.title);
    lblURL->set_text(f.url);
    lblMod->set_text(favorites::modifiedLongDate(file).value_or(""));
}

void frmFavorites::unselect() {
    lstFav->get_selection()->unselect_all();
    showDetails({});
    cmdDelete->setEnabled(false);
}

// ---- Events ------------------------------------------------------------------------------

void frmFavorites::lstFav_Click() {
    auto row = selectedRow();
    if (!row) return;
    showDetails(row);
    cmdDelete->setEnabled(true);
}

void frmFavorites::lstFav_DblClick() {
    if (frmBrowser* first = ctx_.firstWindow()) first->page().engine().navigate(lblURL->get_text());
}

void frmFavorites::cmdDelete_Click() {
    auto row = selectedRow();
    ctx_.dialogs().message(this, "Remove item from Favorites?", "Remove Favorite?",
                           Dialogs::Buttons::OkCancel, Dialogs::Icon::None,
                           whileAlive<Dialogs::Answer>(*this, [this, row](Dialogs::Answer answer) {
                               if (answer == Dialogs::Answer::Ok && row) {
                                   std::error_code ec;
                                   const std::filesystem::path file = fileOf(row);
                                   if (!file.empty()) std::filesystem::remove(file, ec);
                                   store_->erase(row);
                               }
                               showCount();
                               // Delete is disabled after every Delete, so no row stays selected
                               // for it.
                               unselect();
                           }));
}

void frmFavorites::cmdRename_Click() {
    auto row = selectedRow();
    if (!row) return;
    Glib::ustring current;
    row->get_value(kTitleColumn, current);
    ctx_.dialogs().input(this, "What would you like to rename it?", "Rename Favorite", current,
                         whileAlive<std::optional<std::string>>(
                             *this, [this, row](std::optional<std::string> title) {
                                 if (!title || title->empty()) return;
                                 const std::filesystem::path file = fileOf(row);
                                 // The list and the details show what the file now holds; a file
                                 // that could not be rewritten keeps its old title in both.
                                 if (file.empty() || !favorites::renameFavorite(file, *title))
                                     return;
                                 row->set_value(kTitleColumn, Glib::ustring(*title));
                                 showDetails(row);
                             }));
}

void frmFavorites::cmdClose_Click() {
    // The first main window's menu is built again from the folder, titles uncut.
    if (frmBrowser* first = ctx_.firstWindow()) {
        std::vector<favorites::Favorite> favs;
        for (const std::string& name : favorites::listFiles(folder_))
            favs.push_back(favorites::readFavorite(folder_ / name));
        favorites::FavoritesMenu::of(*first).rebuild(favs);
    }
    closeLater();
}

bool frmFavorites::on_delete_event(GdkEventAny*) {
    closeLater();
    return true;
}

void frmFavorites::closeLater() {
    ctx_.windows().closeWhenIdle(kName);
}

std::unique_ptr<Gtk::Window> makeFavoritesOrganizer(ShellContext& context) {
    return buildWindow<frmFavorites>(kResource, kName, context);
}

}  // namespace larkspan
