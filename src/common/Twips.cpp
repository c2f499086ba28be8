#include "common/Twips.hpp"

#include <gdkmm/screen.h>

namespace larkspan {

double screenDpi() {
    auto screen = Gdk::Screen::get_default();
    if (!screen) return 96.0;
    double dpi = screen->get_resolution();
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace larkspan
