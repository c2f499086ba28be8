#include "common/ListFile.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "common/FolderLock.hpp"
#include "common/Paths.hpp"
#include "common/TextEncoding.hpp"

namespace larkspan {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

// Cuts a byte stream into lines: a line ends at LF, and one CR right before the LF (or
// before the end of the file) belongs to the line end. Each line is decoded on its own, so
// a file that was appended to in two encodings reads right in both parts.
template <typename OnLine>
class LineAssembler {
  public:
    explicit LineAssembler(OnLine onLine) : onLine_(std::move(onLine)) {}

    void feed(std::string_view block) {
        while (!block.empty()) {
            const auto lf = block.find('\n');
            if (lf == std::string_view::npos) {
                pending_.append(block);
                return;
            }
            pending_.append(block.substr(0, lf));
            emit();
            block.remove_prefix(lf + 1);
        }
    }

    // The end of the input: a last line without its line end still counts.
    void finish() {
        if (!pending_.empty()) emit();
    }

  private:
    void emit() {
        if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
        onLine_(text::decodeFileText(pending_));
        pending_.clear();
    }

    OnLine onLine_;
    std::string pending_;
};

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        close();
        fd_ = fd;
    }
    // Closes now and reports whether the close succeeded (it can report a failed write).
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

enum class OpenResult { Opened, Missing, Failed };

// Opens `path` for reading into `fd`; a missing file is told apart from other failures.
OpenResult openForReading(const fs::path& path, Fd& fd) {
    fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0) return OpenResult::Opened;
    return errno == ENOENT ? OpenResult::Missing : OpenResult::Failed;
}

// Reads the whole file through `onLine`. False on a read error (lines before it were
// delivered).
template <typename OnLine>
bool readLines(int fd, OnLine onLine) {
    LineAssembler<OnLine> lines(std::move(onLine));
    std::string block(kReadBlock, '\0');
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        lines.feed(std::string_view(block.data(), static_cast<std::size_t>(got)));
    }
    lines.finish();
    return true;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (put == 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string entryForFile(std::string_view entry) {
    std::string s = text::isValidUtf8(entry) ? std::string(entry) : text::fromWindows1252(entry);
    for (char& c : s) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return s;
}

// What tells a rewrite's temporary file: "." + the file's name + this + six random characters.
constexpr std::string_view kRewriteMark = ".new-";

bool isLeftoverRewriteName(std::string_view name) {
    constexpr std::size_t kRandom = 6;
    if (name.size() < 2 + kRewriteMark.size() + kRandom || name.front() != '.') return false;
    const std::string_view mark = name.substr(name.size() - kRandom - kRewriteMark.size());
    if (mark.substr(0, kRewriteMark.size()) != kRewriteMark) return false;
    for (char c : mark.substr(kRewriteMark.size())) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) return false;
    }
    return true;
}

}  // namespace

bool replaceFileAtomically(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) target = resolved;
    }
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";

    std::string name = ".";
    name += target.filename().string();
    name += kRewriteMark;
    name += "XXXXXX";
    std::string tmpl = (dir / name).string();
    Fd fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;

    // The new file keeps the old one's permissions; a new file is private to the user.
    struct stat st {};
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
    const bool ok = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) &&
                    ::fsync(fd.get()) == 0 && fd.close() &&
                    ::rename(tmpl.c_str(), target.c_str()) == 0;
    if (!ok) {
        fd.close();
        ::unlink(tmpl.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here does not undo the new content.
    Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) ::fsync(dirFd.get());
    return true;
}

bool LoadListFromFile(std::vector<std::string>& list, const fs::path& path, bool clearFirst) {
    Fd fd;
    const OpenResult opened = openForReading(path, fd);
    if (opened == OpenResult::Failed) return false;
    if (clearFirst) list.clear();
    if (opened == OpenResult::Missing) return true;
    return readLines(fd.get(),
                     [&list](const std::string& line) { listfile::splitFields(line, list); });
}

bool SaveListToFile(const std::vector<std::string>& list, const fs::path& path) {
    if (list.empty()) return true;
    return replaceFileAtomically(path, listfile::formatListFile(list));
}

bool RewriteListFile(const std::vector<std::string>& list, const fs::path& path) {
    return replaceFileAtomically(path, listfile::formatListFile(list));
}

bool LoadAddressList(const fs::path& path, std::vector<std::string>& list) {
    list.clear();
    Fd fd;
    const OpenResult opened = openForReading(path, fd);
    if (opened != OpenResult::Opened) return opened == OpenResult::Missing;
    return readLines(fd.get(), [&list](std::string line) { list.push_back(std::move(line)); });
}

int RemoveLeftoverRewrites(const fs::path& folder, fs::file_time_type::duration minAge) {
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    const fs::file_time_type cutoff = fs::file_time_type::clock::now() - minAge;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code entryEc;
        // symlink_status: a link of that name is not the program's and is not followed.
        if (!fs::is_regular_file(entry.symlink_status(entryEc)) ||
            !isLeftoverRewriteName(entry.path().filename().string())) {
            continue;
        }
        const fs::file_time_type written = entry.last_write_time(entryEc);
        if (entryEc || written > cutoff) continue;
        if (fs::remove(entry.path(), entryEc)) ++removed;
    }
    return removed;
}

bool AppendAddressToHistory(const fs::path& path, std::string_view address) {
    Fd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
    if (fd.get() < 0) return false;

    // Other instances append under the same lock, so the look at the file's end below never
    // sees another's line half written. Without the lock (a file system that has none) the
    // single write() still keeps every line whole.
    while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }

    std::string line;
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && st.st_size > 0) {
        char last = '\n';
        if (::pread(fd.get(), &last, 1, st.st_size - 1) == 1 && last != '\n') {
            line = last == '\r' ? "\n" : "\r\n";
        }
    }
    line += entryForFile(address);
    line += "\r\n";
    // One write() of the whole line; only a short write (a full disk) writes the rest.
    const bool ok = writeAll(fd.get(), line);
    return fd.close() && ok;
}

bool AppendTypedAddress(const fs::path& path, std::string_view address) {
    FolderLock lock(path.parent_path());
    return AppendAddressToHistory(path, address);
}

namespace listfile {

std::optional<std::size_t> sameEntryIn(const std::vector<std::string>& before, std::size_t index,
                                       const std::vector<std::string>& after) {
    if (index >= before.size()) return std::nullopt;
    const std::string& text = before[index];
    std::size_t equalBefore = 0;
    for (std::size_t i = 0; i < index; ++i) {
        if (before[i] == text) ++equalBefore;
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] != text) continue;
        if (equalBefore == 0) return i;
        --equalBefore;
    }
    return std::nullopt;
}

fs::path historyFilePath() {
    return paths::dataDir() / "history.txt";
}

void splitFields(std::string_view line, std::vector<std::string>& out) {
    std::size_t pos = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (pos < n && line[pos] == ' ') ++pos;
        std::string field;
        if (pos < n && line[pos] == '"') {
            const auto close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                out.emplace_back(line.substr(pos + 1));
                return;
            }
            field.assign(line.substr(pos + 1, close - pos - 1));
            pos = close + 1;
        }
        const auto comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            field.append(line.substr(pos));
            out.push_back(std::move(field));
            return;
        }
        field.append(line.substr(pos, comma - pos));
        out.push_back(std::move(field));
        pos = comma + 1;
    }
}

std::vector<std::string> parseListFile(std::string_view bytes) {
    std::vector<std::string> out;
    LineAssembler lines([&out](const std::string& line) { splitFields(line, out); });
    lines.feed(bytes);
    lines.finish();
    return out;
}

std::vector<std::string> parseAddressLines(std::string_view bytes) {
    std::vector<std::string> out;
    LineAssembler lines([&out](std::string line) { out.push_back(std::move(line)); });
    lines.feed(bytes);
    lines.finish();
    return out;
}

std::string formatListFile(const std::vector<std::string>& entries) {
    std::string out;
    for (const auto& e : entries) {
        out += entryForFile(e);
        out += "\r\n";
    }
    return out;
}

}  // namespace listfile
}  // namespace larkspan
