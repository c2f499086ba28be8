#pragma once

typedef struct _WebKitSettings WebKitSettings;

namespace larkspan::engine {

// Keeps a view's settings drawing pages the way the desktop can show them. On an X11 desktop
// without a compositing manager every window repaints what a menu, tooltip or dialog
// uncovered; in its compositing mode the engine repaints its view only when the page sends a
// new frame, so the uncovered part stayed grey until the page changed. There the engine draws
// without compositing and repaints from the picture it keeps. The mode follows the desktop
// when a compositing manager starts or stops while the view lives.
void followDesktopCompositing(WebKitSettings* settings);

// Whether the view may draw with the graphics hardware at all (the user's choice); where it
// may not, it never composites, whatever the desktop can show.
void allowHardwareAcceleration(WebKitSettings* settings, bool allowed);

}  // namespace larkspan::engine
