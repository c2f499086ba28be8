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
    refreshFiles();
    store_->clear();
    // A file without a title line lists an empty title, so titles and files stay paired.
    for (const std::string& name : files_) {
        const std::string title = favorites::readFirstTitle(folder_ / name).value_or("");
        (*store_->append()).set_value(0, Glib::ustring(title));
    }
    showCount();
}

void frmFavorites::refreshFiles() {
    files_ = favorites::listFiles(folder_);
}

void frmFavorites::showCount() {
    lblOfFavorites->set_text(std::to_string(store_->children().size()));
}

std::vector<std::string> frmFavorites::shownTitles() const {
    std::vector<std::string> out;
    for (const auto& row : store_->children()) {
        Glib::ustring v;
        row.get_value(0, v);
        out.push_back(v);
    }
    return out;
}

std::optional<std::size_t> frmFavorites::selectedIndex() const {
    auto it = lstFav->get_selection()->get_selected();
    if (!it) return std::nullopt;
    return static_cast<std::size_t>(store_->get_path(it)[0]);
}

std::filesystem::path frmFavorites::fileAt(std::size_t index) const {
    return index < files_.size() ? folder_ / files_[index] : std::filesystem::path();
}

// ---- Events ------------------------------------------------------------------------------

void frmFavorites::lstFav_Click() {
    std::optional<std::size_t> index = selectedIndex();
    if (!index) return;
    const std::filesystem::path file = fileAt(*index);
    if (!file.empty()) {
        const favorites::Favorite f = favorites::readFavorite(file);
        lblTitle->set_text(f.title);
        lblURL->set_text(f.url);
        lblMod->set_text(favorites::modifiedLongDate(file).value_or(""));
    }
    cmdDelete->setEnabled(true);
}

void frmFavorites::lstFav_DblClick() {
    if (frmBrowser* first = ctx_.firstWindow()) first->WebBrowser1().navigate(lblURL->get_text());
}

void frmFavorites::cmdDelete_Click() {
    std::optional<std::size_t> index = selectedIndex();
    auto answer = ctx_.dialogs().message(this, "Remove item from Favorites?", "Remove Favorite?",
                                         Dialogs::Buttons::OkCancel, Dialogs::Icon::None);
    if (answer == Dialogs::Answer::Ok && index) {
        std::error_code ec;
        const std::filesystem::path file = fileAt(*index);
        if (!file.empty()) std::filesystem::remove(file, ec);
        store_->erase(store_->children()[static_cast<unsigned>(*index)]);
        refreshFiles();
    }
    showCount();
    cmdDelete->setEnabled(false);
}

void frmFavorites::cmdRename_Click() {
    std::optional<std::size_t> index = selectedIndex();
    if (!index) return;
    auto row = store_->children()[static_cast<unsigned>(*index)];
    Glib::ustring current;
    row.get_value(0, current);
    std::string title =
        ctx_.dialogs()
            .input(this, "What would you like to rename it?", "Rename Favorite", current)
            .value_or("");
    if (title.empty()) return;
    const std::filesystem::path file = fileAt(*index);
    if (!file.empty()) favorites::renameFavorite(file, title);
    row.set_value(0, Glib::ustring(title));
    refreshFiles();
}

void frmFavorites::cmdClose_Click() {
    // The first main window's menu is built again from the organizer's pairs, titles uncut.
    if (frmBrowser* first = ctx_.firstWindow()) {
        refreshFiles();
        std::vector<favorites::Favorite> favs;
        const std::size_t count = store_->children().size();
        for (std::size_t i = 0; i < count && i < files_.size(); ++i)
            favs.push_back(favorites::readFavorite(fileAt(i)));
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
