// Feeds arbitrary bytes to the session file's and the run record's readers: as a whole file,
// and sealed as a session's own bytes so that the reader gets past the file's digest. Besides
// crashes and sanitizer reports, it checks that whatever is read is a session the program
// can use and that writing it gives it back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "features/session/RunRecord.hpp"
#include "features/session/SessionFile.hpp"

using namespace larkspan;

namespace {

void check(const std::optional<Session>& session) {
    if (!session) return;
    for (const SessionWindow& w : session->windows) {
        if (w.tabs.empty() || w.current >= w.tabs.size()) std::abort();
    }
    if (session::decode(session::encode(*session)) != session) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(session::decode(bytes));
    check(session::decode(session::seal(bytes)));
    if (auto record = runrecord::decode(bytes)) {
        if (runrecord::decode(runrecord::encode(*record)) != record) std::abort();
    }
    return 0;
}
