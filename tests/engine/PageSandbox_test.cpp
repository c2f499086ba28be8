// The trial run that tells whether the page processes' sandbox can be made: each way the
// tool can fail gives a reason that says what went wrong.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/webkit/PageSandbox.hpp"

namespace larkspan::engine {
namespace {

namespace fs = std::filesystem;

TEST(PageSandboxTrialTest, EachFailureOfTheToolIsAReasonNamingIt) {
    // Missing.
    std::string missing = sandboxTrialProblem("/nonexistent/bwrap");
    EXPECT_NE(missing.find("/nonexistent/bwrap"), std::string::npos) << missing;
    // Ends badly without a word.
    std::string silent = sandboxTrialProblem("/bin/false");
    EXPECT_NE(silent.find("/bin/false"), std::string::npos) << silent;

    // Ends badly with its own explanation, which is the reason as it stands.
    const char* base = std::getenv("LARKSPAN_TEST_ROOT");
    const fs::path tool = fs::path(base != nullptr ? base : "/tmp") / "refusing-tool";
    std::ofstream(tool) << "#!/bin/sh\necho '  no namespaces here  ' >&2\nexit 1\n";
    ASSERT_EQ(::chmod(tool.c_str(), 0700), 0);
    EXPECT_EQ(sandboxTrialProblem(tool.c_str()), "no namespaces here");
}

}  // namespace
}  // namespace larkspan::engine
