// What every page of the options dialog shares: its window description and its buttons.
#include "controls/StyledButton.hpp"
#include "shell/OptionBinder.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

OptionsPage::OptionsPage(frmOptions& dialog, std::string_view frame)
    : dialog_(dialog), ctx_(dialog.context()), name_(frame) {
    std::string name(frame);
    builder_ =
        Gtk::Builder::create_from_resource("/org/larkspan/Larkspan/ui/frmOptions_" + name + ".ui");
    builder_->get_widget(name, frame_);
}

OptionsPage::~OptionsPage() = default;

OptionsModel& OptionsPage::model() {
    return dialog_.model();
}

Gtk::Widget* OptionsPage::control(const Glib::ustring& name) const {
    return dynamic_cast<Gtk::Widget*>(builder_->get_object(name).get());
}

StyledButton* OptionsPage::button(const char* name, const char* caption) {
    StyledButton* b = nullptr;
    builder_->get_widget_derived(name, b);
    b->setCaption(caption);
    buttons_.push_back(b);
    return b;
}

void OptionsPage::connectEdited(const sigc::slot<void(OptionId)>& slot) {
    dialog_.binder().signalEdited().connect(slot);
}

std::vector<std::unique_ptr<OptionsPage>> makeOptionsPages(frmOptions& dialog) {
    std::vector<std::unique_ptr<OptionsPage>> pages;
    pages.push_back(std::make_unique<WebAddressPage>(dialog));
    pages.push_back(std::make_unique<HistoryLstPage>(dialog));
    pages.push_back(std::make_unique<HomepagePage>(dialog));
    pages.push_back(std::make_unique<LayoutPage>(dialog));
    pages.push_back(std::make_unique<MiscPage>(dialog));
    pages.push_back(std::make_unique<PassLockPage>(dialog));
    pages.push_back(std::make_unique<PrivacyPage>(dialog));
    pages.push_back(std::make_unique<ProgressbarPage>(dialog));
    return pages;
}

}  // namespace larkspan
