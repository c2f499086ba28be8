#include "features/favorites/AddFavorite.hpp"

#include <glib.h>

#include <memory>

#include "common/Dialogs.hpp"
#include "common/Paths.hpp"
#include "features/favorites/FavoriteFile.hpp"

namespace larkspan::favorites {

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";
bool fitsFileName(const std::string& title) {
    return title.size() <= kLongestTitleBytes;
}

std::string addPrompt(const std::string& address) {
    return "Larkspan will add this url to your favorites: '" + address + "'\r\n" +
           "Please designate title.";
}

std::string renamePrompt() {
    return std::string("Favorites cannot contain the following characters: \r\n") +
           "\\ / * ? \" < > | \r\nPlease designate new title.";
}

}  // namespace

bool acceptableTitle(std::string_view title) {
    if (title.empty()) return true;
    for (char c : title) {
        if (kForbidden.find(c) != std::string_view::npos) return false;
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    }
    if (title.find_first_not_of('.') == std::string_view::npos) return false;
    return fitsFileName(cutTitle(std::string(title)));
}

std::string afterMenuCheck(std::string title, const std::vector<std::string>& captions) {
    for (std::size_t i = 0; i + 1 < captions.size(); ++i) {
        if (captions[i] == title) title += " (2)";
    }
    return title;
}

std::optional<std::string> afterFileCheck(std::string title, const std::filesystem::path& folder) {
    while (exists(folder, title)) {
        title += "(2)";
        if (!fitsFileName(title)) return std::nullopt;
    }
    return title;
}

namespace {

struct Adding {
    Dialogs& dialogs;
    Gtk::Window* parent;
    std::filesystem::path folder;
    std::string address;
    std::vector<std::string> captions;
    std::function<void(const Added&)> done;
};

void titleGiven(const std::shared_ptr<Adding>& adding, std::string title) {
    // 1-4. The title, asked for until it can name a file, then cut.
    if (!acceptableTitle(title)) {
        adding->dialogs.input(adding->parent, renamePrompt(), "Please rename", title,
                              [adding](std::optional<std::string> renamed) {
                                  titleGiven(adding, renamed.value_or(""));
                              });
        return;
    }
    title = cutTitle(title);

    // 5, 6. An empty title (the prompt cancelled) stops here; then the menu check.
    if (title.empty()) return;
    title = afterMenuCheck(std::move(title), adding->captions);

    // 7, 8. The file check and the file. The folder is the program's own, made on first use.
    Added added{title, false};
    if (auto unique = afterFileCheck(title, adding->folder)) {
        added.title = *unique;
        paths::ensureDir(adding->folder);
        added.written = writeFavorite(adding->folder / (added.title + ".fav"),
                                      {"", added.title, adding->address});
    }
    adding->done(added);
}

}  // namespace

void addFavorite(Dialogs& dialogs, Gtk::Window* parent, const std::filesystem::path& folder,
                 const std::string& documentTitle, const std::string& address,
                 const std::vector<std::string>& captions, std::function<void(const Added&)> done) {
    auto adding = std::make_shared<Adding>(
        Adding{dialogs, parent, folder, address, captions, std::move(done)});
    dialogs.input(
        parent, addPrompt(address), "Add To Favorites?", cutTitle(documentTitle),
        [adding](std::optional<std::string> title) { titleGiven(adding, title.value_or("")); });
}

}  // namespace larkspan::favorites
