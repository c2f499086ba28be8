#include "common/MoveAside.hpp"

#include <string>
#include <system_error>

namespace larkspan {

namespace fs = std::filesystem;

fs::path moveDatabaseAside(const fs::path& file) {
    std::error_code ec;
    for (int n = 0; n < 100; ++n) {
        fs::path target = file.string() + ".unreadable" + (n == 0 ? "" : "-" + std::to_string(n));
        if (fs::exists(target, ec)) continue;
        fs::rename(file, target, ec);
        if (ec) return {};
        for (const char* suffix : {"-wal", "-shm", "-journal"}) {
            fs::rename(file.string() + suffix, target.string() + suffix, ec);
        }
        return target;
    }
    return {};
}

}  // namespace larkspan
