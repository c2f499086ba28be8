#pragma once

// List files: plain text files with one entry per line, every line ending in CR LF, no
// header and no escaping ("history.txt", "Blocked Log.txt").
//
// Reading accepts UTF-8 or, line by line, the older single-byte code page (see
// TextEncoding.hpp), CR LF or bare LF line ends, and a last line without a line end. Files
// are read as a stream in 64 KiB blocks with no size limit: the lists hold what the file
// holds, so memory grows with the file but no byte of it is dropped. A missing file reads
// as an empty list and is not an error.
//
// Writing is always UTF-8 with CR LF. A rewrite goes to a temporary file in the same
// folder (".<name>.new-XXXXXX"), is flushed to disk and then renamed over the old file, so
// a crash leaves the old or the new content, and at worst that temporary file. An append writes its
// whole line with one write() to a file opened for appending, so two running instances never
// interleave within a line.
//
// Nothing here throws; each function reports whether it did its work.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

// The history window's and the blocked-popup log's reader. Opens `path`; when `clearFirst`
// is set, clears `list`; then appends every field of the file in order (field rules at
// listfile::splitFields, so a line holding a comma gives two entries). On a read error the
// list keeps what was read so far and the result is false.
bool LoadListFromFile(std::vector<std::string>& list, const std::filesystem::path& path,
                      bool clearFirst);

// Replaces the file's content by `list`, one entry per line. An empty list leaves the file
// as it is (a caller that needs an empty file creates it itself) and counts as success.
bool SaveListToFile(const std::vector<std::string>& list, const std::filesystem::path& path);

// Replaces the file's content by `list` like SaveListToFile, but an empty list leaves an
// empty file.
bool RewriteListFile(const std::vector<std::string>& list, const std::filesystem::path& path);

// Replaces the file's content by `bytes` as every rewrite above does: a temporary file
// beside it, flushed to disk, then renamed over it. A symbolic link is followed, so the
// link stays and its target is replaced. The program's other files are written this way too.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The main window's reader of typed addresses: clears `list`, then appends every line of
// the file, whole, in file order.
bool LoadAddressList(const std::filesystem::path& path, std::vector<std::string>& list);

// Appends `address` and CR LF to the file, creating it (mode 0600) when missing. When the
// file's last line has no line end, one is written first so the address gets its own line.
bool AppendAddressToHistory(const std::filesystem::path& path, std::string_view address);

// A main window's append of a typed address: AppendAddressToHistory under the lock of the
// file's folder (FolderLock), which every rewrite of the history takes too, so an address
// never lands between another instance's reading of the file and its rewrite.
bool AppendTypedAddress(const std::filesystem::path& path, std::string_view address);

// Removes the temporary files that rewrites killed midway left in `folder` (not its
// subfolders), once they are older than `minAge`: a younger one may be another running
// instance's rewrite in progress. Anything else, whatever its name, stays. Gives how many
// were removed.
int RemoveLeftoverRewrites(const std::filesystem::path& folder,
                           std::filesystem::file_time_type::duration minAge);

namespace listfile {

// The typed-address history: "history.txt" in the program's data folder.
std::filesystem::path historyFilePath();

// The field rules of LoadListFromFile for one line (already without its line end):
// leading spaces are skipped; a field that begins with a double quote runs to the closing
// double quote and comes back without the quotes (text between that quote and the next
// comma is kept after it; a quote that is never closed runs to the end of the line, so a
// stray quote never swallows the lines below); any other field ends at a comma or at the
// end of the line. An empty line gives one empty field, a comma at the end one more.
void splitFields(std::string_view line, std::vector<std::string>& out);

// Where the entry at `index` of `before` is in `after`, a later reading of the same file:
// the entry with the same text and as many equal entries before it. None when `after` has
// no such entry (another instance removed it) or `index` is past the end of `before`.
std::optional<std::size_t> sameEntryIn(const std::vector<std::string>& before, std::size_t index,
                                       const std::vector<std::string>& after);

// Whole file contents to entries, as the two readers above see them.
std::vector<std::string> parseListFile(std::string_view bytes);
std::vector<std::string> parseAddressLines(std::string_view bytes);

// The bytes SaveListToFile writes for `entries`. An entry that is not valid UTF-8 is
// converted as the readers would; a CR or LF inside an entry becomes a space, so every
// entry stays on its own line.
std::string formatListFile(const std::vector<std::string>& entries);

}  // namespace listfile
}  // namespace larkspan
