#include "shell/PagePropertiesWindow.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/PagePropertiesWindow.ui";

std::string withThousands(std::size_t value) {
    std::string digits = std::to_string(value);
    std::string result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += ',';
        }
        result += digits[i];
    }
    return result;
}

}  // namespace

PagePropertiesText describePageProperties(const PageProperties& properties) {
    PagePropertiesText text;
    text.title = properties.title.empty() ? "(untitled page)" : properties.title;
    text.address = properties.address;
    text.type = properties.type.empty() ? "unknown" : properties.type;
    text.size = properties.size ? withThousands(*properties.size) + " bytes" : "unknown";
    switch (properties.secureState) {
        case engine::kSecureVerified:
            text.security = "Secure";
            break;
        case engine::kSecureMixed:
            text.security = "Secure, with some insecure content";
            break;
        case engine::kSecureNotOffered:
            text.security = "Not secure: the site offers no secure connection";
            break;
        default:
            text.security = "Not secure";
            break;
    }
    return text;
}

PagePropertiesWindow::PagePropertiesWindow(BaseObjectType* cobject,
                                           const Glib::RefPtr<Gtk::Builder>& builder)
    : Gtk::Window(cobject), builder_(builder) {
    builder_->get_widget("lblTitle", title_);
    builder_->get_widget("lblAddress", address_);
    builder_->get_widget("lblType", type_);
    builder_->get_widget("lblSize", size_);
    builder_->get_widget("lblSecurity", security_);
    Gtk::Button* close = nullptr;
    builder_->get_widget("btnClose", close);
    close->signal_clicked().connect([this] { hide(); });
}

std::unique_ptr<PagePropertiesWindow> PagePropertiesWindow::create(Gtk::Window* parent) {
    auto builder = Gtk::Builder::create_from_resource(kResource);
    PagePropertiesWindow* raw = nullptr;
    builder->get_widget_derived("PagePropertiesWindow", raw);
    std::unique_ptr<PagePropertiesWindow> window(raw);
    if (parent != nullptr) {
        window->set_transient_for(*parent);
    }
    return window;
}

void PagePropertiesWindow::showProperties(const PageProperties& properties) {
    shown_ = describePageProperties(properties);
    title_->set_text(shown_.title);
    address_->set_text(shown_.address);
    type_->set_text(shown_.type);
    size_->set_text(shown_.size);
    security_->set_text(shown_.security);
    present();
}

}  // namespace larkspan
