#include "features/session/SessionWriter.hpp"

#include <glibmm/main.h>

#include <utility>

#include "common/Failure.hpp"
#include "features/session/SessionFile.hpp"

namespace larkspan {

SessionWriter::SessionWriter(Gather gather, const std::filesystem::path& file)
    : SessionWriter(
          std::move(gather),
          [file](const Session& session) { return session::writeSessionFile(session, file); },
          [](const sigc::slot<void()>& fire) {
              return Glib::signal_timeout().connect(
                  [fire] {
                      fire();
                      return false;
                  },
                  kWaitMs);
          }) {}

SessionWriter::SessionWriter(Gather gather, Write write, Schedule schedule)
    : gather_(std::move(gather)), write_(std::move(write)), schedule_(std::move(schedule)) {}

SessionWriter::~SessionWriter() {
    wait_.disconnect();
}

void SessionWriter::changed() {
    if (!pending()) arm();
}

bool SessionWriter::flush() {
    wait_.disconnect();
    return write();
}

void SessionWriter::arm() {
    wait_ = schedule_(sigc::mem_fun(*this, &SessionWriter::waited));
}

void SessionWriter::waited() {
    wait_.disconnect();
    if (!write()) arm();
}

bool SessionWriter::write() {
    try {
        return write_(gather_());
    } catch (...) {
        reportFailure("writing the session");
        return false;
    }
}

}  // namespace larkspan
