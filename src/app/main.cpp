// Larkspan: a desktop web browser around the system's web engine.
#include <gtk/gtk.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "BuildConfig.hpp"
#include "app/Application.hpp"
#include "app/CommandLine.hpp"

int main(int argc, char** argv) {
    g_set_prgname("larkspan");
    g_set_application_name("Larkspan");
    // What needs no display is answered before the toolkit looks for one.
    std::string error;
    std::optional<larkspan::CommandLineRequest> request =
        larkspan::parseCommandLine(std::vector<std::string>(argv, argv + argc), error);
    if (!request) {
        std::fprintf(stderr, "larkspan: %s (larkspan --help lists the options)\n", error.c_str());
        return 2;
    }
    if (request->help) {
        std::fputs(larkspan::commandLineHelp().c_str(), stdout);
        return 0;
    }
    if (request->version) {
        std::printf("Larkspan %s\n", larkspan::build::kVersionText);
        return 0;
    }
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fputs("larkspan: cannot open a display; run it in a graphical session\n", stderr);
        return 1;
    }
    // The arguments go to the running instance, or to this one when it is the first.
    int rc = larkspan::Application::instance().run(argc, argv);
    larkspan::Application::shutdown();
    return rc;
}
