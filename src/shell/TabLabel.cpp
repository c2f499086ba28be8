#include "shell/TabLabel.hpp"

#include <gtkmm/image.h>

#include "shell/Page.hpp"

namespace larkspan {

namespace {

// Long titles are cut to about this many characters in the strip.
constexpr int kTitleChars = 24;

}  // namespace

TabLabel::TabLabel(Page& page) : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4), page_(page) {
    set_name("TabLabel");
    text_.set_ellipsize(Pango::ELLIPSIZE_END);
    text_.set_width_chars(kTitleChars);
    text_.set_max_width_chars(kTitleChars);
    text_.set_xalign(0);
    close_.set_relief(Gtk::RELIEF_NONE);
    close_.set_focus_on_click(false);
    close_.set_name("TabClose");
    close_.set_tooltip_text("Close Tab");
    close_.set_image_from_icon_name("window-close-symbolic", Gtk::ICON_SIZE_MENU);
    close_.signal_clicked().connect([this] { signalClose.emit(); });
    pack_start(spinner_, Gtk::PACK_SHRINK);
    pack_start(text_, Gtk::PACK_EXPAND_WIDGET);
    pack_start(close_, Gtk::PACK_SHRINK);
    text_.show();
    close_.show();
    page.signalTitleChanged.connect(sigc::mem_fun(*this, &TabLabel::showTitle));
    page.signalAddressChanged.connect(sigc::mem_fun(*this, &TabLabel::showTitle));
    page.signalProgress.connect(
        sigc::hide(sigc::hide(sigc::mem_fun(*this, &TabLabel::showLoading))));
    showTitle();
    showLoading();
}

void TabLabel::showTitle() {
    const std::string& shown = page_.title().empty() ? page_.address() : page_.title();
    text_.set_text(shown);
    set_tooltip_text(shown);
}

void TabLabel::showLoading() {
    spinner_.set_visible(page_.loading());
    if (page_.loading())
        spinner_.start();
    else
        spinner_.stop();
}

}  // namespace larkspan
