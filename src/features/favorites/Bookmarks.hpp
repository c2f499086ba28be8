#pragma once

// Bookmarks of other browsers, read from their own files and written as favorites.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan::favorites {

struct Bookmark {
    std::string title;
    std::string url;
};

// An exported bookmarks page: every link (<A HREF="...">title</A>) in document order, its
// character references decoded and tags inside the title dropped.
std::vector<Bookmark> parseBookmarksHtml(std::string_view html);
std::vector<Bookmark> readBookmarksHtml(const std::filesystem::path& file);

// A "Bookmarks" file of the Chromium family (JSON): the links of every root folder
// ("bookmark_bar", "other", "synced", ...) and their subfolders, depth first in order. A
// file that is not well-formed JSON gives none.
std::vector<Bookmark> parseChromiumBookmarks(const std::string& json);
std::vector<Bookmark> readChromiumBookmarks(const std::filesystem::path& file);

// A profile's "places.sqlite": its bookmarked addresses (saved searches left out), in
// folder order. The database is copied first, with its journal, since the browser keeps
// it locked while it runs; the original is never opened.
std::vector<Bookmark> readFirefoxBookmarks(const std::filesystem::path& places);

// A bookmark title as a favorite's title: each character a favorite's file name cannot
// hold becomes "_", the title is cut to 40 characters, and an empty or dots-only title
// becomes the address made safe the same way.
std::string titleForFile(const Bookmark& bookmark);

// Writes each bookmark with an address as a favorite of `target` (created when missing),
// naming the files as the shortcut importer does. Gives the number written.
int writeBookmarks(const std::vector<Bookmark>& bookmarks, const std::filesystem::path& target);

}  // namespace larkspan::favorites
