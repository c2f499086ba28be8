#include "features/permissions/PermissionBar.hpp"

#include <gtkmm/box.h>

namespace larkspan::permissions {

namespace {
constexpr int kAllow = 1;
constexpr int kBlock = 2;
}  // namespace

std::string wantedText(PermissionKind kind) {
    switch (kind) {
        case PermissionKind::Notifications:
            return "show notifications";
        case PermissionKind::Location:
            return "know your location";
        case PermissionKind::Camera:
            return "use your camera";
        case PermissionKind::Microphone:
            return "use your microphone";
        case PermissionKind::CameraAndMicrophone:
            return "use your camera and microphone";
        case PermissionKind::Clipboard:
            return "read the clipboard";
    }
    return {};
}

PermissionBar::PermissionBar() {
    set_name("PermissionBar");
    set_message_type(Gtk::MESSAGE_QUESTION);
    text_.set_name("lblPermission");
    text_.set_line_wrap(true);
    text_.set_xalign(0);
    chkRemember.set_name("chkRemember");
    auto* content = dynamic_cast<Gtk::Box*>(get_content_area());
    if (content) {
        content->pack_start(text_, Gtk::PACK_EXPAND_WIDGET);
        content->pack_start(chkRemember, Gtk::PACK_SHRINK);
    }
    cmdAllow = add_button("_Allow", kAllow);
    cmdBlock = add_button("_Block", kBlock);
    cmdAllow->set_name("cmdAllow");
    cmdBlock->set_name("cmdBlock");
    signal_response().connect([this](int response) {
        if (response == kAllow || response == kBlock) {
            signalAnswered.emit(response == kAllow,
                                chkRemember.get_visible() && chkRemember.get_active());
        }
    });
    text_.show();
}

void PermissionBar::ask(unsigned serial, const std::string& site, PermissionKind kind,
                        bool mayRemember) {
    if (serial != shown_) chkRemember.set_active(false);
    shown_ = serial;
    text_.set_text(site + " wants to " + wantedText(kind));
    chkRemember.set_visible(mayRemember);
    show();
}

}  // namespace larkspan::permissions
