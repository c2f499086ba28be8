#pragma once

// Keeps the session file up to date without writing it at every change: the first change
// after a write arms a wait of a few seconds, and when the wait is over the session is
// gathered as it then is and written once, however often it changed meanwhile. A write that
// fails is tried again after another wait. At exit flush() writes at once.

#include <sigc++/sigc++.h>

#include <filesystem>
#include <functional>

#include "features/session/Session.hpp"

namespace larkspan {

class SessionWriter {
  public:
    // The session as it is now (without private windows).
    using Gather = std::function<Session()>;
    // Writes a session somewhere; false when it could not.
    using Write = std::function<bool(const Session&)>;
    // Arranges for `fire` to run once after the wait; disconnecting the connection
    // cancels it.
    using Schedule = std::function<sigc::connection(const sigc::slot<void()>& fire)>;

    static constexpr unsigned kWaitMs = 3000;

    // The program's writer: to the given session file, waiting on the main loop.
    SessionWriter(Gather gather, const std::filesystem::path& file);
    SessionWriter(Gather gather, Write write, Schedule schedule);
    // A pending write is dropped: flush() first to keep it.
    ~SessionWriter();
    SessionWriter(const SessionWriter&) = delete;
    SessionWriter& operator=(const SessionWriter&) = delete;

    // Something the session holds changed.
    void changed();
    // Writes the session now, changed or not, and drops the pending write; false when the
    // write failed.
    bool flush();
    // Drops the pending write, if any: the next change arms a new one.
    void drop() { wait_.disconnect(); }
    // Whether a write is waiting.
    bool pending() const { return wait_.connected(); }

  private:
    void arm();
    void waited();
    bool write();

    Gather gather_;
    Write write_;
    Schedule schedule_;
    sigc::connection wait_;
};

}  // namespace larkspan
