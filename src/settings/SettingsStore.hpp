#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

// The per-user settings store: text values addressed by (application, section, key).
// Section and key names match without regard to letter case; names and values may hold
// any bytes (NUL and codes 128 to 255 included) and come back exactly as written.
// Nothing is ever deleted; values are only overwritten.
//
// Backed by one SQLite database. Every write is its own transaction (a batch of writes is
// one transaction too), so two running
// instances writing different keys lose nothing and a crash leaves the old value or the
// new. An unreadable or corrupt database is moved aside (never overwritten) and the
// program goes on with an empty store. When the store cannot be written, writes fail
// quietly and reads go on.
class SettingsStore {
  public:
    // The application name every read and write of the program uses.
    static constexpr std::string_view kAppName = "Larkspan\\Larkspan";

    // Opens (creating when needed) the database at `file`.
    explicit SettingsStore(std::filesystem::path file);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // $XDG_CONFIG_HOME/larkspan/settings.db
    static std::filesystem::path defaultFile();

    // The stored text, or `def` when the key does not exist (or the store is unusable).
    std::string read(std::string_view section, std::string_view key, std::string_view def) const;
    // Creates or overwrites the value; false when it could not be written.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // One value of a batch.
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    // Creates or overwrites every value of `entries` in one transaction: all are stored or,
    // when any write fails, none is. False when nothing was stored.
    bool writeAll(const std::vector<Entry>& entries);

    // Same under another application name (the tests and the password store use it).
    std::string readApp(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view def) const;
    bool writeApp(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view value);

    // Where a corrupt database was moved to, when that happened at open; empty otherwise.
    const std::filesystem::path& movedAside() const;
    const std::filesystem::path& file() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace larkspan
