#pragma once

// Whether the engine's accelerated (compositing) drawing can show pages on a screen.

typedef struct _GdkScreen GdkScreen;

namespace larkspan::engine {

// An X11 desktop without a compositing manager keeps no copy of a covered window: a menu,
// tooltip or dialog that closes over the page has the page drawn again in that place. In
// its accelerated mode the engine draws only the frames its page process renders, so until
// the page renders anew the place stays grey. False there: the engine is to draw the page
// without acceleration, which redraws any part at any time. True on every other screen.
bool acceleratedDrawingRedraws(GdkScreen* screen);

}  // namespace larkspan::engine
