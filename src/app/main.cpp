// Larkspan: a desktop web browser around the system's web engine.
#include <glib.h>

#include "app/Application.hpp"

int main(int argc, char** argv) {
    g_set_prgname("larkspan");
    g_set_application_name("Larkspan");
    int rc = larkspan::Application::instance().run(argc, argv);
    larkspan::Application::shutdown();
    return rc;
}
