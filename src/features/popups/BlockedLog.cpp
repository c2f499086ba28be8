#include "features/popups/BlockedLog.hpp"

#include <fstream>
#include <iterator>

#include "common/FolderLock.hpp"
#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan::popups {

namespace fs = std::filesystem;

fs::path blockedLogPath() {
    return paths::dataDir() / "Blocked Log.txt";
}

BlockedLog::BlockedLog(fs::path path) : path_(std::move(path)) {}

void BlockedLog::load() {
    knownSize_.reset();
    std::vector<std::string> read;
    if (!LoadListFromFile(read, path_, true)) return;
    entries_ = std::move(read);
    ++reads_;
    // The file holds the list when writing the list back gives its very bytes (not so for
    // an address with a comma, or a line in the older code page).
    std::string expected = listfile::formatListFile(entries_);
    std::error_code ec;
    std::uintmax_t size = fs::exists(path_, ec) ? fs::file_size(path_, ec) : 0;
    if (ec || size != expected.size()) return;
    if (size > 0) {
        std::ifstream in(path_, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) return;
        if (bytes != expected) return;
    }
    knownSize_ = size;
}

std::optional<std::uintmax_t> BlockedLog::sizeInStep() const {
    if (!knownSize_) return std::nullopt;
    std::error_code ec;
    bool exists = fs::exists(path_, ec);
    std::uintmax_t size = exists ? fs::file_size(path_, ec) : 0;
    if (ec || size != *knownSize_ || (!exists && !entries_.empty())) return std::nullopt;
    return size;
}

bool BlockedLog::append(const std::string& address) {
    paths::ensureDir(path_.parent_path());
    // Other instances wait here, so the file cannot change between reading and writing it.
    FolderLock lock(path_.parent_path());
    auto inStep = sizeInStep();
    if (!inStep) {
        load();
        inStep = sizeInStep();
    }
    entries_.push_back(address);
    if (inStep && AppendAddressToHistory(path_, address)) {
        knownSize_ = *inStep + listfile::formatListFile({address}).size();
        return true;
    }
    return rewrite();
}

bool BlockedLog::removeAt(std::size_t index) {
    if (index >= entries_.size()) return false;
    // The list is read again under the lock, so what another instance logged since stays.
    const std::vector<std::string> shown = entries_;
    FolderLock lock(path_.parent_path());
    const std::size_t reads = reads_;
    load();
    if (reads_ == reads) return false;
    const auto at = listfile::sameEntryIn(shown, index, entries_);
    // Gone from the file already: nothing to rewrite.
    if (!at) return true;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*at));
    return rewrite();
}

bool BlockedLog::clear() {
    paths::ensureDir(path_.parent_path());
    // Not between another instance's reading of the file and its writing.
    FolderLock lock(path_.parent_path());
    std::error_code ec;
    fs::remove(path_, ec);
    entries_.clear();
    return rewrite();
}

bool BlockedLog::rewrite() {
    paths::ensureDir(path_.parent_path());
    if (!RewriteListFile(entries_, path_)) {
        knownSize_.reset();
        return false;
    }
    knownSize_ = listfile::formatListFile(entries_).size();
    return true;
}

}  // namespace larkspan::popups
