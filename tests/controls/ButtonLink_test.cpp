// Opening links with the desktop's default handler: a handler registered for a test scheme
// in the test's own data folder receives the link; unsafe or meaningless links are refused.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "controls/ButtonLink.hpp"

using namespace larkspan;
namespace fs = std::filesystem;

namespace {

fs::path testRoot() {
    const char* root = std::getenv("LARKSPAN_TEST_ROOT");
    return root != nullptr ? fs::path(root) : fs::temp_directory_path();
}

void writeFile(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << text;
}

// Waits (with a time-out) until the handler has written its output file.
std::string waitForFile(const fs::path& p, std::chrono::seconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(p);
        std::string line;
        if (in && std::getline(in, line) && !line.empty()) return line;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(10000);
    }
    return {};
}

}  // namespace

TEST(ButtonOpenLink, RefusesEmptyRelativeAndMissingLinks) {
    EXPECT_FALSE(openLinkWithDefaultHandler(""));
    EXPECT_FALSE(openLinkWithDefaultHandler("   "));
    EXPECT_FALSE(openLinkWithDefaultHandler("just some words"));
    EXPECT_FALSE(openLinkWithDefaultHandler("relative/path.txt"));
    EXPECT_FALSE(openLinkWithDefaultHandler("/no/such/file/anywhere.txt"));
    EXPECT_FALSE(openLinkWithDefaultHandler("https://example.org/\nsecond line"));
    EXPECT_FALSE(openLinkWithDefaultHandler(std::string("https://example.org/\xff")));
    EXPECT_FALSE(openLinkWithDefaultHandler("nohandlerscheme-larkspan:whatever"));
}

TEST(ButtonOpenLink, NeverHandsOverAnExecutableFile) {
    fs::path exe = testRoot() / "tool.sh";
    writeFile(exe, "#!/bin/sh\ntouch \"$0.ran\"\n");
    fs::permissions(exe, fs::perms::owner_all);
    EXPECT_FALSE(openLinkWithDefaultHandler(exe.string()));
    gchar* uri = g_filename_to_uri(exe.c_str(), nullptr, nullptr);
    EXPECT_FALSE(openLinkWithDefaultHandler(uri));
    g_free(uri);
    EXPECT_FALSE(fs::exists(exe.string() + ".ran"));
}

TEST(ButtonOpenLink, HandsTheLinkToTheDefaultHandlerOfItsScheme) {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(data, nullptr);
    ASSERT_NE(config, nullptr);
    fs::path out = testRoot() / "handled.txt";
    fs::path script = testRoot() / "handler.sh";
    writeFile(script, "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + out.string() + "'\n");
    fs::permissions(script, fs::perms::owner_all);
    writeFile(fs::path(data) / "applications" / "larkspan-test-handler.desktop",
              "[Desktop Entry]\nType=Application\nName=Test handler\nExec=" + script.string() +
                  " %u\nMimeType=x-scheme-handler/larkspantest;\nNoDisplay=true\n");
    writeFile(
        fs::path(config) / "mimeapps.list",
        "[Default Applications]\nx-scheme-handler/larkspantest=larkspan-test-handler.desktop\n");

    // The desktop's list of handlers notices new files through a folder monitor.
    auto handlerKnown = [] {
        GAppInfo* info = g_app_info_get_default_for_uri_scheme("larkspantest");
        if (info != nullptr) g_object_unref(info);
        return info != nullptr;
    };
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!handlerKnown() && std::chrono::steady_clock::now() < deadline) {
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(10000);
    }
    ASSERT_TRUE(handlerKnown());

    ASSERT_TRUE(openLinkWithDefaultHandler("  larkspantest://open/this?x=1  "));
    EXPECT_EQ(waitForFile(out, std::chrono::seconds(20)), "larkspantest://open/this?x=1");
}
