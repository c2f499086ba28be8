#include "engine/AcceleratedDrawing.hpp"

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace larkspan::engine {

bool acceleratedDrawingRedraws(GdkScreen* screen) {
#ifdef GDK_WINDOWING_X11
    if (screen != nullptr && GDK_IS_X11_SCREEN(screen)) {
        return gdk_screen_is_composited(screen) != FALSE;
    }
#endif
    (void)screen;
    return true;
}

}  // namespace larkspan::engine
