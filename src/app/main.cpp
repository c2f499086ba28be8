// Larkspan: a desktop web browser around the system's web engine.
#include <glib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/Application.hpp"
#include "app/CommandLine.hpp"

int main(int argc, char** argv) {
    g_set_prgname("larkspan");
    g_set_application_name("Larkspan");
    // Addresses typed without "http://" are web addresses, not files of the current folder.
    std::vector<std::string> args(argv, argv + argc);
    for (std::size_t i = 1; i < args.size(); ++i) {
        args[i] = larkspan::commandLineAddress(args[i], [](const std::string& name) {
            std::error_code ec;
            return std::filesystem::exists(name, ec);
        });
    }
    std::vector<char*> argp;
    for (auto& a : args) argp.push_back(a.data());
    argp.push_back(nullptr);
    int rc = larkspan::Application::instance().run(argc, argp.data());
    larkspan::Application::shutdown();
    return rc;
}
