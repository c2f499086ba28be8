// The test programs' main: each test process gets fresh, empty XDG folders so that the
// settings store and the data files of one test never leak into another.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "larkspan-test-XXXXXX").string();
    char* root = ::mkdtemp(pattern.data());
    if (root != nullptr) {
        std::filesystem::path base(root);
        std::filesystem::create_directories(base / "config");
        std::filesystem::create_directories(base / "data");
        std::filesystem::create_directories(base / "cache");
        std::filesystem::create_directories(base / "home");
        // Whatever a test saves into the user's folders (downloads) stays in its own.
        ::setenv("HOME", (base / "home").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (base / "cache").c_str(), 1);
        ::setenv("LARKSPAN_TEST_ROOT", root, 1);
    }
    // The web engine has no GPU here. Its page processes run in their sandbox as in the
    // program: the engine makes it inside containers too, wherever bubblewrap works.
    ::setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
    ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    ::setenv("NO_AT_BRIDGE", "1", 0);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    if (root != nullptr) {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    return rc;
}
