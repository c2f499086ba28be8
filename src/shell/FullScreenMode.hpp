#pragma once

namespace larkspan {

// Whether a main window is full screen, and why: the user's own command (View > Full
// Screen, F11) or its page showing an element over the whole screen (a video). Either way
// the window hides its menu bar, toolbar, address row and status bar. A page's full
// screen ends only when the page leaves it; the window asks it to.
class FullScreenMode {
  public:
    bool shown() const { return user_ || page_; }
    bool pageShown() const { return page_; }

    // F11: leaves when shown, enters otherwise. True when the page must be asked to leave.
    bool toggle();
    // Escape, or F11 while shown: nothing is full screen once the page has left. True when
    // the page must be asked to leave.
    bool leave();
    void pageEntered() { page_ = true; }
    void pageLeft() { page_ = false; }

  private:
    bool user_ = false;
    bool page_ = false;
};

}  // namespace larkspan
