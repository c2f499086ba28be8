#pragma once

#include <sigc++/sigc++.h>

#include <memory>
#include <optional>
#include <string>

namespace Gtk {
class Menu;
}

namespace larkspan {

// The icon in the desktop's notification area that stands for a hidden main window. It
// uses whichever the session offers: a StatusNotifier host (over D-Bus) or an XEmbed
// tray. Where neither exists `show` refuses, so the caller never hides a window that
// could not be brought back.
class TrayIcon {
  public:
    // Mouse messages as the window's handler knows them.
    static constexpr int kLeftUp = 514;
    static constexpr int kLeftDoubleClick = 515;
    static constexpr int kRightUp = 517;

    TrayIcon(std::string tip, std::string iconName, Gtk::Menu* menu);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the session has a notification area right now.
    bool desktopHasTray() const;
    // Adds the icon; false (and nothing shown) when there is nowhere to put it.
    bool show();
    // Removes the icon; harmless when it is not there.
    void hide();
    bool shown() const { return shown_; }
    const std::string& tip() const { return tip_; }
    // The id the desktop knows this icon by, different for every icon of the program.
    const std::string& itemId() const { return itemId_; }

    // Left release, double click and right release on the icon.
    sigc::signal<void(int message)> signalMouse;

    // Tests stand in for the desktop: nullopt asks the session again.
    static void overrideDesktopHasTray(std::optional<bool> value);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string tip_;
    std::string iconName_;
    std::string itemId_;
    Gtk::Menu* menu_;
    bool shown_ = false;
};

}  // namespace larkspan
