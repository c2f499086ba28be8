#include "features/favorites/frmIE2LarkspanConverter.hpp"

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "features/favorites/Bookmarks.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/ShortcutImport.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmIE2LarkspanConverter.ui";
constexpr const char* kName = "frmIE2LarkspanConverter";

using favorites::ImportSource;

// The question for an import of `what`.
std::string question(const std::string& what) {
    return "This will convert " + what +
           " to Larkspan favorites!\nAre you sure you want to continue?";
}

}  // namespace

frmIE2LarkspanConverter::frmIE2LarkspanConverter(BaseObjectType* cobject,
                                                 const Glib::RefPtr<Gtk::Builder>& builder,
                                                 ShellContext& context,
                                                 std::vector<ImportSource> sources)
    : Gtk::Window(cobject), ctx_(context), builder_(builder), sources_(std::move(sources)) {
    builder_->get_widget("Label1", Label1);
    builder_->get_widget("cboSource", cboSource);
    builder_->get_widget_derived("Yes", Yes);
    builder_->get_widget_derived("No", No);
    Yes->setCaption("Yes");
    No->setCaption("No");
    for (StyledButton* b : {Yes, No}) scheme::followButtonLook(ctx_, *b, true);

    // The sources found, then the two the user points at; the first found is offered, or
    // a folder to choose when none was found.
    for (const ImportSource& s : sources_) cboSource->append(s.label);
    cboSource->append("Another folder of internet shortcuts...");
    cboSource->append("An exported bookmarks page (HTML)...");
    // The question names what the chosen entry will read.
    cboSource->signal_changed().connect([this] { Label1->set_text(question(chosenWhat())); });
    cboSource->set_active(0);

    Yes->signal_click().connect(sigc::mem_fun(*this, &frmIE2LarkspanConverter::Yes_Click));
    No->signal_click().connect(sigc::mem_fun(*this, &frmIE2LarkspanConverter::No_Click));
}

std::string frmIE2LarkspanConverter::chosenWhat() const {
    const int chosen = cboSource->get_active_row_number();
    const auto found = static_cast<int>(sources_.size());
    if (chosen >= 0 && chosen < found) return sources_[static_cast<std::size_t>(chosen)].what;
    return chosen == found ? "a folder of internet shortcuts" : "a bookmarks page";
}

void frmIE2LarkspanConverter::importChosen(std::function<void()> imported) {
    const int chosen = cboSource->get_active_row_number();
    const auto found = static_cast<int>(sources_.size());
    const std::filesystem::path target = favorites::folderPath();
    if (chosen >= 0 && chosen < found) {
        const ImportSource& s = sources_[static_cast<std::size_t>(chosen)];
        switch (s.kind) {
            case ImportSource::Kind::Shortcuts:
                favorites::importShortcuts(s.path, target);
                break;
            case ImportSource::Kind::Firefox:
                favorites::writeBookmarks(favorites::readFirefoxBookmarks(s.path), target);
                break;
            case ImportSource::Kind::Chromium:
                favorites::writeBookmarks(favorites::readChromiumBookmarks(s.path), target);
                break;
        }
        imported();
        return;
    }
    if (chosen == found) {
        ctx_.dialogs().chooseFolder(
            this, "Choose your favorites folder",
            [target, imported = std::move(imported)](std::optional<std::string> folder) {
                if (!folder) return;
                favorites::importShortcuts(*folder, target);
                imported();
            });
        return;
    }
    ctx_.dialogs().openFile(
        this, "Choose a bookmarks page", {{"Bookmarks pages (*.html;*.htm)", {"*.html", "*.htm"}}},
        [target, imported = std::move(imported)](std::optional<std::string> file) {
            if (!file) return;
            favorites::writeBookmarks(favorites::readBookmarksHtml(*file), target);
            imported();
        });
}

void frmIE2LarkspanConverter::Yes_Click() {
    importChosen(whileAlive<>(*this, [this] {
        // The window goes first, and every main window's menu shows the imported favorites
        // at once, so no restart is needed.
        closeLater();
        favorites::FavoritesMenu::reloadAll(ctx_);
        frmBrowser* first = ctx_.firstWindow();
        ctx_.dialogs().message(ctx_.ownerWindow(), "Converted Successfully.",
                               first ? first->applicationTitle() : std::string("Larkspan"),
                               Dialogs::Buttons::Ok, Dialogs::Icon::None, [](Dialogs::Answer) {});
    }));
}

void frmIE2LarkspanConverter::No_Click() {
    closeLater();
}

bool frmIE2LarkspanConverter::on_delete_event(GdkEventAny*) {
    closeLater();
    return true;
}

void frmIE2LarkspanConverter::closeLater() {
    ctx_.windows().closeWhenIdle(kName);
}

std::unique_ptr<Gtk::Window> makeFavoritesImporter(ShellContext& context,
                                                   const favorites::ImportPlaces& places) {
    return buildWindow<frmIE2LarkspanConverter>(kResource, kName, context,
                                                favorites::findImportSources(places));
}

}  // namespace larkspan
