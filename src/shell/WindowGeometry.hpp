#pragma once

#include <optional>

namespace larkspan {

// A main window's state and its normal (restored) geometry in twips. Positions reported
// by the desktop in pixels only replace a twips value when they differ from it after
// conversion, so a stored "1000" comes back as "1000" and not as the nearest pixel.
class WindowGeometry {
  public:
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };

    explicit WindowGeometry(double dpi = 96.0) : dpi_(dpi) {}

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    int state() const { return state_; }

    void setLeft(double twips) { left_ = twips; }
    void setTop(double twips) { top_ = twips; }
    void setWidth(double twips) { width_ = twips; }
    void setHeight(double twips) { height_ = twips; }
    // States other than 0, 1 and 2 are refused.
    bool setState(int state);

    int leftPx() const;
    int topPx() const;
    int widthPx() const;
    int heightPx() const;

    // The desktop moved or sized the normal window (pixels).
    void reportPosition(int xPx, int yPx);
    void reportSize(int wPx, int hPx);

    double dpi() const { return dpi_; }

  private:
    double dpi_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int state_ = Normal;
};

}  // namespace larkspan
