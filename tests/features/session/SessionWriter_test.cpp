// The session writer coalesces changes into one write per wait, tries a failed write again
// and writes at once when flushed.
#include "features/session/SessionWriter.hpp"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace larkspan {
namespace {

// Waits that the test ends by hand, and what was written.
struct Harness {
    std::list<sigc::slot<void()>> waits;
    std::vector<std::string> written;
    std::string current = "one";
    bool writeWorks = true;
    SessionWriter writer{[this] {
                             Session s;
                             s.windows.push_back(SessionWindow{{}, {{current, "", ""}}, 0});
                             return s;
                         },
                         [this](const Session& s) {
                             if (writeWorks) written.push_back(s.windows[0].tabs[0].address);
                             return writeWorks;
                         },
                         [this](const sigc::slot<void()>& fire) {
                             waits.push_back(fire);
                             return sigc::connection(waits.back());
                         }};

    // Ends every wait still armed, as the main loop would.
    void endWaits() {
        std::list<sigc::slot<void()>> ending;
        ending.swap(waits);
        for (auto& fire : ending) fire();
    }
};

TEST(SessionWriter, ChangesWithinOneWaitAreWrittenOnceAsTheyStandAtItsEnd) {
    Harness h;
    h.writer.changed();
    h.current = "two";
    h.writer.changed();
    h.writer.changed();
    EXPECT_EQ(h.waits.size(), 1u);
    EXPECT_TRUE(h.written.empty());
    h.endWaits();
    EXPECT_EQ(h.written, std::vector<std::string>{"two"});
    EXPECT_FALSE(h.writer.pending());
}

TEST(SessionWriter, FailedWriteIsTriedAgainAfterAnotherWait) {
    Harness h;
    h.writeWorks = false;
    h.writer.changed();
    h.endWaits();
    EXPECT_TRUE(h.writer.pending());
    h.writeWorks = true;
    h.endWaits();
    EXPECT_EQ(h.written, std::vector<std::string>{"one"});
}

TEST(SessionWriter, FlushWritesAtOnceAndDropsTheWait) {
    Harness h;
    EXPECT_TRUE(h.writer.flush());
    h.writer.changed();
    EXPECT_TRUE(h.writer.flush());
    EXPECT_FALSE(h.writer.pending());
    h.endWaits();
    EXPECT_EQ(h.written.size(), 2u);
}

}  // namespace
}  // namespace larkspan
