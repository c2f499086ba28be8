// The binder between declared options and the controls that show them, on controls of its
// own (no options dialog around them).
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <memory>
#include <vector>

#include "common/Dialogs.hpp"
#include "common/WidgetStyle.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/OptionBinder.hpp"
#include "support/Display.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

// Controls named as the declarations name them: a check box, two option buttons of one
// choice, an entry, a drop-down list, a label and a colour swatch; and one control that
// no declaration names.
constexpr const char* kControls = R"(<interface>
  <object class="GtkBox" id="box">
    <child><object class="GtkCheckButton" id="History"/></child>
    <child><object class="GtkRadioButton" id="Option1"/></child>
    <child><object class="GtkRadioButton" id="Option2"><property name="group">Option1</property></object></child>
    <child><object class="GtkEntry" id="Text1"/></child>
    <child><object class="GtkComboBoxText" id="cboSite">
      <items><item>Google</item><item>Yahoo!</item></items>
    </object></child>
    <child><object class="GtkLabel" id="Label25"/></child>
    <child><object class="GtkButton" id="Label1"/></child>
    <child><object class="GtkCheckButton" id="Unnamed"/></child>
  </object>
</interface>)";

class OptionBinderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::initGtk();
        window_ = std::make_unique<Gtk::Window>();
        binder_ = std::make_unique<OptionBinder>(
            model_, [this]() -> Dialogs& { return dialogs_; }, *window_);
        builder_ = Gtk::Builder::create_from_string(kControls);
        binder_->signalEdited().connect([this](OptionId id) { edited_.push_back(id); });
        binder_->signalPicked().connect(
            [this](OptionId, bool chosen) { picked_.push_back(chosen); });
        binder_->bind(builder_);
    }
    template <class W>
    W& the(const char* name) {
        W* w = nullptr;
        builder_->get_widget(name, w);
        return *w;
    }

    OptionsModel model_;
    std::unique_ptr<Gtk::Window> window_;  // the pickers' parent, never shown
    testing::ScriptedDialogs dialogs_;
    std::unique_ptr<OptionBinder> binder_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::vector<OptionId> edited_;
    std::vector<bool> picked_;
};

TEST_F(OptionBinderTest, ControlsShowTheModelAndFollowItWithoutEchoingIt) {
    model_.setFlag(OptionId::SaveHistory, true);
    model_.setPopupMode(OptionsModel::PopupMode::Allow);
    model_.setText(OptionId::HomePage, "http://127.0.0.1/home");
    model_.setText(OptionId::SearchEngine, "Yahoo!");
    model_.setText(OptionId::BlockedCount, "7");
    model_.setNumber(OptionId::AddressTextColor, 0x123456);

    EXPECT_TRUE(the<Gtk::CheckButton>("History").get_active());
    EXPECT_TRUE(the<Gtk::RadioButton>("Option2").get_active());
    EXPECT_FALSE(the<Gtk::RadioButton>("Option1").get_active());
    EXPECT_EQ(the<Gtk::Entry>("Text1").get_text(), "http://127.0.0.1/home");
    EXPECT_EQ(the<Gtk::ComboBoxText>("cboSite").get_active_text(), "Yahoo!");
    EXPECT_EQ(the<Gtk::Label>("Label25").get_text(), "7");
    EXPECT_EQ(style::background(the<Gtk::Button>("Label1")), std::optional<ColorValue>(0x123456));
    EXPECT_TRUE(edited_.empty()) << "showing a value is no edit";

    // No engine chosen: the list shows none.
    model_.setText(OptionId::SearchEngine, "");
    EXPECT_EQ(the<Gtk::ComboBoxText>("cboSite").get_active_row_number(), -1);
}

TEST_F(OptionBinderTest, AControlChangesItsOptionAtOnce) {
    the<Gtk::CheckButton>("History").set_active(!model_.saveHistory);
    bool history = the<Gtk::CheckButton>("History").get_active();
    EXPECT_EQ(model_.saveHistory, history);
    the<Gtk::RadioButton>("Option2").set_active(true);
    EXPECT_EQ(model_.popupMode, OptionsModel::PopupMode::Allow);
    the<Gtk::Entry>("Text1").set_text("http://127.0.0.1/typed");
    EXPECT_EQ(model_.homePage, "http://127.0.0.1/typed");
    the<Gtk::ComboBoxText>("cboSite").set_active_text("Google");
    EXPECT_EQ(model_.searchEngine, "Google");
    the<Gtk::CheckButton>("Unnamed").set_active(true);
    EXPECT_EQ(edited_, (std::vector<OptionId>{OptionId::SaveHistory, OptionId::PopupMode,
                                              OptionId::HomePage, OptionId::SearchEngine}));
}

TEST_F(OptionBinderTest, ASwatchPicksItsColourFromWhereItIsToldAndACancelKeepsIt) {
    model_.setNumber(OptionId::AddressTextColor, 0x111111);
    dialogs_.color(std::nullopt);
    dialogs_.color(0x333333);
    the<Gtk::Button>("Label1").clicked();
    EXPECT_EQ(model_.addressTextColor, 0x111111);
    EXPECT_TRUE(edited_.empty());

    binder_->setPickerStart(OptionId::AddressTextColor, [] { return ColorValue{0x222222}; });
    the<Gtk::Button>("Label1").clicked();
    EXPECT_EQ(model_.addressTextColor, 0x333333);
    EXPECT_EQ(style::background(the<Gtk::Button>("Label1")), std::optional<ColorValue>(0x333333));
    EXPECT_EQ(edited_, std::vector<OptionId>{OptionId::AddressTextColor});
    EXPECT_EQ(picked_, (std::vector<bool>{false, true}));

    EXPECT_EQ(dialogs_.colorsOffered(), (std::vector<ColorValue>{0x111111, 0x222222}));
}

}  // namespace
}  // namespace larkspan
