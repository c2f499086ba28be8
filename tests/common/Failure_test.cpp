#include "common/Failure.hpp"

#include <glib.h>
#include <glibmm/fileutils.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace larkspan {
namespace {

// Catches the warnings written while it lives.
class WarningLog {
  public:
    WarningLog() {
        id_ = g_log_set_handler(nullptr, G_LOG_LEVEL_WARNING, &WarningLog::keep, &lines_);
    }
    ~WarningLog() { g_log_remove_handler(nullptr, id_); }
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    static void keep(const gchar*, GLogLevelFlags, const gchar* message, gpointer data) {
        static_cast<std::vector<std::string>*>(data)->push_back(message);
    }
    std::vector<std::string> lines_;
    guint id_ = 0;
};

template <typename Thrown>
void failWith(const char* what, Thrown thrown) {
    try {
        throw thrown;
    } catch (...) {
        reportFailure(what);
    }
}

TEST(FailureTest, NamesTheFailedStepAndTheExceptionsMessage) {
    WarningLog log;
    failWith("reading the list", std::runtime_error("no such file"));
    failWith("opening the file",
             Glib::FileError(Glib::FileError::ACCESS_DENIED, "permission denied"));
    failWith("drawing the button", 42);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "reading the list failed: no such file",
                               "opening the file failed: permission denied",
                               "drawing the button failed: unknown error",
                           }));
}

}  // namespace
}  // namespace larkspan
