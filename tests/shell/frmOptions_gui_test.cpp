// The options dialog as a view of the live options model: activation and "Apply", the
// pages, the buttons that act at once, "Cancel", and what "Apply" writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "common/Color.hpp"
#include "common/ListFile.hpp"
#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmFont.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/OptionsDialogFixture.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/ShellGuiTest.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;

// The colours the theme machinery computes for a widget now (what it is drawn with).
ColorValue fromRgba(const GdkRGBA& c) {
    auto channel = [](double v) { return static_cast<int>(v * 255.0 + 0.5); };
    return packRgb(channel(c.red), channel(c.green), channel(c.blue));
}
ColorValue shownBack(Gtk::Widget& w) {
    GdkRGBA* bg = nullptr;
    GtkStyleContext* ctx = gtk_widget_get_style_context(w.gobj());
    gtk_style_context_get(ctx, gtk_style_context_get_state(ctx), "background-color", &bg, nullptr);
    ColorValue out = bg ? fromRgba(*bg) : -1;
    if (bg) gdk_rgba_free(bg);
    return out;
}
ColorValue shownText(Gtk::Widget& w) {
    GdkRGBA c;
    GtkStyleContext* ctx = gtk_widget_get_style_context(w.gobj());
    gtk_style_context_get_color(ctx, gtk_style_context_get_state(ctx), &c);
    return fromRgba(c);
}

using OptionsDialogTest = testing::OptionsDialogFixture<testing::ShellGuiTest>;

TEST_F(OptionsDialogTest, ActivationDisablesApplyAndEveryCheckBoxEnablesIt) {
    frmOptions& d = open();
    // The load's own selection of the design style counts as a change; the activation
    // that shows the dialog clears it.
    if (!d.property_is_active().get_value()) {
        EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
    }
    d.present();  // without a window manager only a mapped window takes the focus
    ASSERT_TRUE(testing::runUntil([&] { return d.property_is_active().get_value(); }, 5000));
    EXPECT_FALSE(d.control<StyledButton>("BApply")->enabled());

    Gtk::CheckButton* boxes[] = {
        d.control<Gtk::CheckButton>("History"),        d.control<Gtk::CheckButton>("CheckUpdate"),
        d.control<Gtk::CheckButton>("Check1"),         d.control<Gtk::CheckButton>("Minimize"),
        d.control<Gtk::CheckButton>("SuppressErrors"), d.control<Gtk::CheckButton>("BlockedLog"),
        d.control<Gtk::CheckButton>("Check2"),         d.control<Gtk::CheckButton>("LockFavorites"),
        d.control<Gtk::CheckButton>("LockBrowser"),    d.control<Gtk::CheckButton>("LockEmail"),
        d.control<Gtk::CheckButton>("LockHistory"),    d.control<Gtk::CheckButton>("LockOptions")};
    for (Gtk::CheckButton* box : boxes) {
        d.Form_Activate();
        ASSERT_FALSE(d.control<StyledButton>("BApply")->enabled());
        box->set_active(!box->get_active());
        EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled()) << box->get_name();
    }
    d.Form_Activate();
    d.control<Gtk::RadioButton>("Option30")->set_active(true);
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
    EXPECT_EQ(model().popupMode, OptionsModel::PopupMode::BlockAndAlert);
}

TEST_F(OptionsDialogTest, EachEntryShowsOnlyItsOwnPage) {
    frmOptions& d = open();
    EXPECT_EQ(d.visiblePage(), "WebAddress");
    for (const auto& page : OptionsModel::pages()) {
        selectEntry(d, std::string(page.entry));
        for (const auto& other : OptionsModel::pages()) {
            Gtk::Widget* frame = d.control(std::string(other.frame));
            ASSERT_NE(frame, nullptr) << other.frame;
            EXPECT_EQ(frame->get_visible(), other.frame == page.frame)
                << "entry " << page.entry << ", frame " << other.frame;
        }
    }
    // Text that names no page leaves the shown page as it is.
    d.showPage("Layout");
    d.showPage("Misc");
    d.showPage("");
    EXPECT_EQ(d.visiblePage(), "Layout");
}

TEST_F(OptionsDialogTest, TheDialogShowsTheDesignValuesAndCaptions) {
    frmOptions& d = open();
    EXPECT_EQ(d.get_title(), "Options - Larkspan");
    EXPECT_EQ(d.control<Gtk::Entry>("Text1")->get_text(), site::kHome);
    EXPECT_FALSE(d.control<StyledButton>("SetHP")->enabled());
    EXPECT_EQ(d.control<StyledButton>("BApply")->caption(), "Apply");
    EXPECT_EQ(d.control<StyledButton>("CloseB")->caption(), "Cancel");
    EXPECT_EQ(d.control<StyledButton>("DefualtHP")->caption(), "Default");
    EXPECT_EQ(d.control<StyledButton>("Enable")->caption(), "Unlock");
    EXPECT_EQ(d.control<StyledButton>("ShowFont")->caption(), "No");
    EXPECT_FALSE(d.control<Gtk::Frame>("Frame13")->get_sensitive());
    EXPECT_TRUE(d.control<Gtk::RadioButton>("Option1")->get_active());
    EXPECT_TRUE(d.control<Gtk::RadioButton>("Button3")->get_active());
    EXPECT_EQ(d.control<StyledButton>("Example")->style(), 3);
    EXPECT_EQ(d.control<StyledButton>("CloseB")->style(), 3);
    EXPECT_TRUE(d.control<StyledButton>("PBo2")->value());
    EXPECT_FALSE(d.control<StyledButton>("PBo1")->value());
    EXPECT_EQ(d.control<StyledProgressBar>("PB")->value(), 100);
    EXPECT_EQ(d.control<Gtk::ComboBoxText>("Combo2")->get_active_text(), "Larkspan");
    EXPECT_EQ(d.control<Gtk::Label>("Label25")->get_text(), "0");
    EXPECT_EQ(d.control<Gtk::Label>("lblFontName")->get_text(), "Arial");
    EXPECT_EQ(d.control<Gtk::Label>("Larkspanlbl")->get_text().substr(0, 14), "Larkspan [Ver ");
    auto* info = dynamic_cast<Gtk::Label*>(d.control("lblHomepageInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->get_text(),
              "Set a Homepage or use Default. This will not interfere with any other browsers. "
              "Choose a website you would like to use when searching.");
    // The dialog's buttons wear the sample's look.
    for (StyledButton* b :
         {d.control<StyledButton>("CloseB"), d.control<StyledButton>("BApply"),
          d.control<StyledButton>("DefualtHP"), d.control<StyledButton>("SetHP"),
          d.control<StyledButton>("RestoreB"), d.control<StyledButton>("Command3"),
          d.control<StyledButton>("Command4"), d.control<StyledButton>("Command6"),
          d.control<StyledButton>("Command7"), d.control<StyledButton>("command8"),
          d.control<StyledButton>("PBo1"), d.control<StyledButton>("PBo2"),
          d.control<StyledButton>("ChgPass"), d.control<StyledButton>("ApplyChgs"),
          d.control<StyledButton>("Enable"), d.control<StyledButton>("CP"),
          d.control<StyledButton>("ShowFont"), d.control<StyledButton>("ViewLog")}) {
        EXPECT_EQ(lookOf(*b), model().sampleLook()) << b->get_name();
    }
}

TEST_F(OptionsDialogTest, SetIsEnabledByTheLoadsFillAndDisabledByUse) {
    store().write("Settings", "Homepage", "http://127.0.0.1/start");
    frmOptions& d = open();
    EXPECT_EQ(d.control<Gtk::Entry>("Text1")->get_text(), "http://127.0.0.1/start");
    EXPECT_TRUE(d.control<StyledButton>("SetHP")->enabled());

    d.control<Gtk::Entry>("Text1")->set_text("http://127.0.0.1/other");
    click(*d.control<StyledButton>("SetHP"));
    EXPECT_FALSE(d.control<StyledButton>("SetHP")->enabled());
    EXPECT_EQ(setting("Homepage"), "http://127.0.0.1/other");

    d.control<Gtk::Entry>("Text1")->set_text("http://127.0.0.1/typed");
    EXPECT_TRUE(d.control<StyledButton>("SetHP")->enabled());
    EXPECT_EQ(setting("Homepage"), "http://127.0.0.1/other") << "typing alone stores nothing";

    click(*d.control<StyledButton>("DefualtHP"));
    EXPECT_EQ(d.control<Gtk::Entry>("Text1")->get_text(), site::kHome);
    EXPECT_EQ(setting("Homepage"), site::kHome);

    static_cast<testing::FakePageEngine&>(main_->page().engine()).location =
        "http://127.0.0.1/current";
    click(*d.control<StyledButton>("CP"));
    EXPECT_EQ(d.control<Gtk::Entry>("Text1")->get_text(), "http://127.0.0.1/current");
    EXPECT_EQ(setting("Homepage"), site::kHome) << "Current Page is stored only by Set";
}

TEST_F(OptionsDialogTest, EngineSelectionIsStoredAtOnce) {
    frmOptions& d = open();
    d.control<Gtk::ComboBoxText>("cboSite")->set_active_text("Yahoo!");
    testing::drainEvents();
    EXPECT_EQ(store().read("WebSearch", "LastEngine", "<none>"), "Yahoo!");
    EXPECT_EQ(model().searchEngine, "Yahoo!");
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
}

TEST_F(OptionsDialogTest, CancelReturnsEveryWindowToTheStoredOptions) {
    store().write("Settings", "PopupBlocker1", "False");
    store().write("Settings", "PopupBlocker30", "True");
    frmOptions& d = open();
    EXPECT_TRUE(d.control<Gtk::RadioButton>("Option30")->get_active());
    d.control<Gtk::RadioButton>("Option2")->set_active(true);
    // The features see the change before "Apply".
    EXPECT_EQ(model().popupMode, OptionsModel::PopupMode::Allow);
    // So do the main windows: a tried colour shows at once.
    Gtk::Entry* address = testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry();
    const auto storedBack = style::background(*address);
    const ColorValue storedBar = testing::probe(*main_).widget<StyledProgressBar>("PB")->color();
    testing::ScriptedDialogs dialogs;
    dialogs.color(0x123456);
    click(*d.control<StyledButton>("command8"));
    dialogs.color(0x654321);
    d.control<Gtk::Button>("PBForeColor")->clicked();
    ASSERT_EQ(style::background(*address), std::optional<ColorValue>(0x123456));
    ASSERT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->color(), 0x654321);

    click(*d.control<StyledButton>("CloseB"));
    EXPECT_EQ(findOptionsDialog(context()), nullptr);
    // The model reads the store again, and the window shows what it holds.
    EXPECT_EQ(style::background(*address), storedBack);
    EXPECT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->color(), storedBar);
    EXPECT_EQ(model().popupMode, OptionsModel::PopupMode::BlockAndAlert);
    EXPECT_EQ(setting("PopupBlocker2"), "<none>");
}

TEST_F(OptionsDialogTest, ApplyWithStatusbarClearedHidesItAndStoresFalseAndZero) {
    frmOptions& d = open();
    ASSERT_TRUE(testing::probe(*main_).widget<Gtk::Box>("StatusBar1")->get_visible());
    d.control<Gtk::CheckButton>("Check1")->set_active(false);
    click(*d.control<StyledButton>("BApply"));
    EXPECT_FALSE(testing::probe(*main_).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_FALSE(
        testing::probe(*main_).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    EXPECT_EQ(setting("StatusbarVisible"), "False");
    EXPECT_EQ(setting("StatusbarVisible1"), "0");
    EXPECT_FALSE(d.control<StyledButton>("BApply")->enabled());
}

TEST_F(OptionsDialogTest, ApplyWritesEveryKeyInItsForm) {
    frmOptions& d = open();
    d.control<Gtk::RadioButton>("Button1")->set_active(true);  // "Bevel"
    d.control<Gtk::RadioButton>("Option3")->set_active(true);  // "Block Popups"
    d.control<Gtk::CheckButton>("Check2")->set_active(false);
    d.control<Gtk::CheckButton>("Minimize")->set_active(true);
    d.control<Gtk::CheckButton>("SuppressErrors")->set_active(true);
    d.control<Gtk::CheckButton>("History")->set_active(false);
    d.control<Gtk::CheckButton>("CheckUpdate")->set_active(false);
    d.control<Gtk::CheckButton>("BlockedLog")->set_active(false);
    click(*d.control<StyledButton>("PBo1"));
    model().setText(OptionId::BlockedCount, "12");
    click(*d.control<StyledButton>("BApply"));

    EXPECT_EQ(setting("Button1"), "True");
    for (const char* key : {"Button2", "Button3", "Button4", "Button5"}) {
        EXPECT_EQ(setting(key), "False") << key;
    }
    EXPECT_EQ(setting("PopupBlocker1"), "False");
    EXPECT_EQ(setting("PopupBlocker2"), "False");
    EXPECT_EQ(setting("PopupBlocker3"), "True");
    EXPECT_EQ(setting("PopupBlocker30"), "False");
    EXPECT_EQ(setting("Blocked#"), "12");
    EXPECT_EQ(setting("ShowBlock"), "0");
    EXPECT_EQ(setting("ProgressBarForeColor"), "12763842");
    EXPECT_EQ(setting("toolbarFont"), "Arial");
    EXPECT_EQ(setting("AddressFC"), stored::color(kSysWindowText));
    EXPECT_EQ(setting("AddressBG"), stored::color(kSysWindow));
    EXPECT_EQ(setting("Systray"), "1");
    EXPECT_EQ(setting("SuppressScriptErrors"), "True");
    EXPECT_EQ(setting("SuppressScriptErrors1"), "1");
    EXPECT_TRUE(testing::probe(*main_)
                    .widget<Gtk::CheckMenuItem>("mnuToolsSuppressScriptErrors")
                    ->get_active());
    EXPECT_EQ(setting("ProgressBar"), "1");
    EXPECT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->scrolling(), 1);
    EXPECT_EQ(setting("History"), "0");
    EXPECT_EQ(setting("CheckUpdatesAtStart"), "0");
    EXPECT_EQ(setting("StatusbarVisible"), "True");
    EXPECT_EQ(setting("StatusbarVisible1"), "1");
    EXPECT_EQ(setting("BlockedLog"), "0");
    EXPECT_EQ(schemeKey("FontColor"), stored::color(kSysButtonText));
    EXPECT_EQ(schemeKey("FontHighlightColor"), stored::color(kSysHotText));
    EXPECT_EQ(schemeKey("BackColor"), stored::color(kSysButtonFace));
    EXPECT_EQ(schemeKey("BackHighlightColor"), stored::color(kSysButtonHover));
    EXPECT_EQ(schemeKey("ProgramBackColor"), "-2147483633");
    EXPECT_EQ(schemeKey("ProgramFontColor"), "-2147483630");
    // Not Apply's business: the locks, the home page, the engine.
    EXPECT_EQ(setting("PassLockHis"), "<none>");
    EXPECT_EQ(setting("Homepage"), "<none>");
    EXPECT_EQ(store().read("WebSearch", "LastEngine", "<none>"), "<none>");
    // The sample's style reached the dialog's buttons and the search button.
    EXPECT_EQ(d.control<StyledButton>("ViewLog")->style(), 8);
    EXPECT_EQ(d.control<StyledButton>("ShowFont")->style(), 8);
    EXPECT_EQ(testing::probe(*main_).widget<StyledButton>("Command1")->style(), 8);

    // The next load reads back what was written.
    click(*d.control<StyledButton>("CloseB"));
    EXPECT_EQ(model().styleChoice, 0);
    EXPECT_EQ(model().popupMode, OptionsModel::PopupMode::Block);
    EXPECT_EQ(model().scrollStyle, 1);
    EXPECT_FALSE(model().saveHistory);
}

TEST_F(OptionsDialogTest, WindowsThemeDisablesTheTwoBackColorSwatches) {
    frmOptions& d = open();
    d.control<Gtk::RadioButton>("Button2")->set_active(true);
    EXPECT_EQ(d.control<StyledButton>("Example")->style(), 6);
    EXPECT_FALSE(d.control<Gtk::Button>("lblBackColor")->get_sensitive());
    EXPECT_FALSE(d.control<Gtk::Button>("lblHBackcolor")->get_sensitive());
    EXPECT_TRUE(d.control<Gtk::Button>("lblFontColor")->get_sensitive());
    EXPECT_TRUE(d.control<Gtk::Button>("lblProgramBG")->get_sensitive());
    d.control<Gtk::RadioButton>("Button4")->set_active(true);
    EXPECT_EQ(d.control<StyledButton>("Example")->style(), 1);
    EXPECT_TRUE(d.control<Gtk::Button>("lblBackColor")->get_sensitive());
    EXPECT_TRUE(d.control<Gtk::Button>("lblHBackcolor")->get_sensitive());
    // Only "Apply" reaches the other buttons.
    EXPECT_EQ(d.control<StyledButton>("CloseB")->style(), 3);
}

TEST_F(OptionsDialogTest, RestoreIsEnabledOnlyWhileThereIsSomethingToRestore) {
    frmOptions& d = open();
    // First start: every swatch holds its default, the program colours the theme's.
    EXPECT_FALSE(d.control<StyledButton>("RestoreB")->enabled());
    d.Form_Activate();
    d.control<Gtk::RadioButton>("Button5")->set_active(true);
    EXPECT_TRUE(d.control<StyledButton>("RestoreB")->enabled());
    click(*d.control<StyledButton>("RestoreB"));
    EXPECT_FALSE(d.control<StyledButton>("RestoreB")->enabled());
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
    EXPECT_EQ(model().programFontColor, kSysButtonText);
    EXPECT_TRUE(d.control<Gtk::RadioButton>("Button3")->get_active());
    click(*d.control<StyledButton>("BApply"));
    EXPECT_EQ(schemeKey("ProgramFontColor"), "-2147483630");
    EXPECT_EQ(schemeKey("ProgramBackColor"), "-2147483633");

    // Reloaded with exactly the Restore values, it starts disabled...
    click(*d.control<StyledButton>("CloseB"));
    frmOptions* again = showOptionsDialog(context());
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->control<StyledButton>("RestoreB")->enabled());
    // ...a style change enables it, and using it disables it again.
    again->control<Gtk::RadioButton>("Button5")->set_active(true);
    EXPECT_TRUE(again->control<StyledButton>("RestoreB")->enabled());
    click(*again->control<StyledButton>("RestoreB"));
    EXPECT_FALSE(again->control<StyledButton>("RestoreB")->enabled());
    EXPECT_EQ(again->control<StyledButton>("Example")->style(), 3);
    // So does a colour picked for a swatch.
    testing::ScriptedDialogs dialogs;
    dialogs.color(255);
    again->control<Gtk::Button>("lblProgramBG")->clicked();
    EXPECT_TRUE(again->control<StyledButton>("RestoreB")->enabled());
}

TEST_F(OptionsDialogTest, EmptyStoredFontColorResetsTheButtonSwatches) {
    store().write("ButtonColors", "FontColor", "");
    store().write("ButtonColors", "BackColor", "255");
    store().write("ButtonColors", "ProgramBackColor", "123");
    frmOptions& d = open();
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblBackColor")),
              std::optional<ColorValue>(kSysButtonFace));
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblFontColor")),
              std::optional<ColorValue>(kSysButtonText));
    EXPECT_EQ(d.control<StyledButton>("Example")->backColor(), kSysButtonFace);
    // The program swatches are not reset: they take the stored colour.
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblProgramBG")),
              std::optional<ColorValue>(123));
}

TEST_F(OptionsDialogTest, CancelledPickersChangeNothing) {
    frmOptions& d = open();
    testing::ScriptedDialogs dialogs;
    d.Form_Activate();
    ButtonLook before = lookOf(*d.control<StyledButton>("Example"));
    for (Gtk::Button* swatch :
         {d.control<Gtk::Button>("lblFontColor"), d.control<Gtk::Button>("lblHFontColor"),
          d.control<Gtk::Button>("lblBackColor"), d.control<Gtk::Button>("lblHBackcolor"),
          d.control<Gtk::Button>("lblProgramBG"), d.control<Gtk::Button>("lblProgramFC")}) {
        dialogs.color(std::nullopt);
        swatch->clicked();
    }
    EXPECT_EQ(lookOf(*d.control<StyledButton>("Example")), before);
    EXPECT_FALSE(d.control<StyledButton>("BApply")->enabled());
    EXPECT_EQ(model().buttonFontColor, kSysButtonText);
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblHFontColor")),
              std::optional<ColorValue>(kSysHotText));

    Gtk::Entry* address = testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry();
    auto addressFg = style::foreground(*address);
    dialogs.color(std::nullopt);
    click(*d.control<StyledButton>("Command7"));
    dialogs.color(std::nullopt);
    click(*d.control<StyledButton>("command8"));
    dialogs.color(std::nullopt);
    d.control<Gtk::Button>("PBForeColor")->clicked();
    EXPECT_EQ(style::foreground(*address), addressFg);
    EXPECT_EQ(model().addressTextColor, kSysWindowText);
    EXPECT_EQ(model().addressBackColor, kSysWindow);
    EXPECT_EQ(model().progressColor, 12763842);
    EXPECT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->color(), 12763842);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(OptionsDialogTest, LayoutPickersFollowTheirTable) {
    frmOptions& d = open();
    testing::ScriptedDialogs dialogs;
    // Distinct sample colours, so each offered colour tells where it came from.
    dialogs.color(0x000011);
    d.control<Gtk::Button>("lblFontColor")
        ->clicked();  // offered the sample's FontColor (the theme's text)
    dialogs.color(0x000022);
    d.control<Gtk::Button>("lblHFontColor")
        ->clicked();  // offered HighlightColor (the theme's hover face)
    dialogs.color(0x000033);
    d.control<Gtk::Button>("lblBackColor")->clicked();  // offered FontColor, now 0x11
    dialogs.color(0x000044);
    d.control<Gtk::Button>("lblHBackcolor")
        ->clicked();  // offered HighlightColor, still the hover face
    dialogs.color(0x000055);
    d.control<Gtk::Button>("lblProgramBG")->clicked();  // offered HighlightColor, now 0x44
    dialogs.color(0x000066);
    d.control<Gtk::Button>("lblProgramFC")->clicked();
    EXPECT_EQ(dialogs.colorsOffered(),
              (std::vector<ColorValue>{kSysButtonText, kSysButtonHover, 0x11, kSysButtonHover, 0x44,
                                       0x44}));
    ButtonLook look = lookOf(*d.control<StyledButton>("Example"));
    EXPECT_EQ(look.fontColor, 0x11);
    EXPECT_EQ(look.fontHighlightColor, 0x22);
    EXPECT_EQ(look.backColor, 0x33);
    EXPECT_EQ(look.highlightColor, 0x44);
    EXPECT_EQ(model().programBackColor, 0x55);
    EXPECT_EQ(model().programFontColor, 0x66);
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblProgramFC")),
              std::optional<ColorValue>(0x66));
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
    EXPECT_TRUE(d.control<StyledButton>("RestoreB")->enabled());
    // Nothing outside the dialog changes before "Apply"...
    EXPECT_NE(testing::probe(*main_).widget<StyledButton>("Command1")->backColor(), 0x33);
    EXPECT_NE(shownBack(*main_), 0x55);
    // ...and "Apply" carries the scheme to every window and control it names.
    click(*d.control<StyledButton>("BApply"));
    EXPECT_EQ(testing::probe(*main_).widget<StyledButton>("Command1")->fontColor(), 0x11);
    EXPECT_EQ(testing::probe(*main_).widget<StyledButton>("Command1")->fontHighlightColor(), 0x22);
    EXPECT_EQ(testing::probe(*main_).widget<StyledButton>("Command1")->backColor(), 0x33);
    EXPECT_EQ(testing::probe(*main_).widget<StyledButton>("Command1")->highlightColor(), 0x44);
    EXPECT_EQ(d.control<StyledButton>("CloseB")->backColor(), 0x33);
    EXPECT_EQ(d.control<StyledButton>("ShowFont")->highlightColor(), 0x44);
    EXPECT_EQ(shownBack(*main_), 0x55);
    EXPECT_EQ(shownBack(d), 0x55);
    EXPECT_EQ(shownBack(*d.control<Gtk::CheckButton>("Check2")), 0x55);
    EXPECT_EQ(shownText(*d.control<Gtk::CheckButton>("Check2")), 0x66);
    EXPECT_EQ(shownText(*d.control<Gtk::Label>("Larkspanlbl")), 0x66);
    EXPECT_EQ(shownText(*d.control<Gtk::Label>("Label25")), 0x66);
    // The swatches are never recoloured by the passes.
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("lblFontColor")),
              std::optional<ColorValue>(0x11));
    EXPECT_EQ(style::foreground(*d.control<Gtk::Button>("lblFontColor")), std::nullopt);
    // No window is made just to be coloured; one made later wears the scheme.
    EXPECT_EQ(context().windows().find("frmFont"), nullptr);
    auto* chooser = dynamic_cast<frmFont*>(context().windows().touch("frmFont"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(shownBack(*chooser), 0x55);
    EXPECT_EQ(shownText(*chooser->Label1), 0x66);
    EXPECT_EQ(chooser->Command1->backColor(), 0x33);
}

// How light a colour reads.
int lightness(ColorValue c) {
    Rgb rgb = unpackRgb(c);
    return (299 * rgb.r + 587 * rgb.g + 114 * rgb.b) / 1000;
}

TEST_F(OptionsDialogTest, ColoursNeverChosenFollowTheDesktopThemeAndAChosenOneStays) {
    frmOptions& d = open();
    testing::probe(*main_).Form_Activate();
    Gtk::Entry* address = testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry();
    auto readable = [&](bool dark) {
        int text = lightness(shownText(*d.control<Gtk::Label>("Larkspanlbl")));
        int back = lightness(shownBack(d));
        int boxText = lightness(shownText(*address));
        int boxBack = lightness(shownBack(*address));
        return dark ? (text > back + 60 && boxText > boxBack + 60)
                    : (text + 60 < back && boxText + 60 < boxBack);
    };
    EXPECT_TRUE(readable(false)) << "dark text on a light window";

    auto settings = Gtk::Settings::get_default();
    settings->property_gtk_application_prefer_dark_theme() = true;
    EXPECT_TRUE(testing::runUntil([&] { return readable(true); }, 5000))
        << "light text on a dark window, also in the address box";
    EXPECT_LT(lightness(shownBack(*main_)), 128);

    // A colour the user chose is kept whatever the theme.
    const ColorValue chosen = packRgb(200, 30, 30);
    testing::ScriptedDialogs dialogs;
    dialogs.color(chosen);
    d.control<Gtk::Button>("lblProgramFC")->clicked();
    click(*d.control<StyledButton>("BApply"));
    settings->property_gtk_application_prefer_dark_theme() = false;
    EXPECT_TRUE(testing::runUntil([&] { return lightness(shownBack(d)) > 128; }, 5000));
    EXPECT_EQ(shownText(*d.control<Gtk::Label>("Larkspanlbl")), chosen);
    EXPECT_EQ(schemeKey("ProgramFontColor"), std::to_string(chosen));
}

TEST_F(OptionsDialogTest, AButtonLookNeverChosenFollowsTheDesktopTheme) {
    frmOptions& d = open();
    using S = ButtonVisualState;
    const ButtonModel& button = d.control<StyledButton>("CloseB")->model();
    auto shade = [](Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; };
    auto face = [&](S s) { return shade(button.faceColor(s)); };
    // The caption stands out from the face in every state, the disabled one included.
    auto readable = [&] {
        for (S s : {S::Normal, S::Hot, S::Disabled}) {
            if (std::abs(shade(button.captionColor(s)) - face(s)) < 40) return false;
        }
        return true;
    };
    EXPECT_GT(face(S::Normal), 128);
    EXPECT_TRUE(readable());

    auto settings = Gtk::Settings::get_default();
    settings->property_gtk_application_prefer_dark_theme() = true;
    EXPECT_TRUE(
        testing::runUntil([&] { return face(S::Normal) < 128 && face(S::Hot) < 128; }, 5000))
        << "a dark face, also under the pointer";
    EXPECT_TRUE(readable());
    EXPECT_NE(button.captionColor(S::Disabled), button.captionColor(S::Normal));
}

TEST_F(OptionsDialogTest, ColourSwatchesAreNamedForAssistiveTechnology) {
    frmOptions& d = open();
    std::set<std::string> names;
    for (Gtk::Button* swatch :
         {d.control<Gtk::Button>("lblFontColor"), d.control<Gtk::Button>("lblHFontColor"),
          d.control<Gtk::Button>("lblBackColor"), d.control<Gtk::Button>("lblHBackcolor"),
          d.control<Gtk::Button>("lblProgramBG"), d.control<Gtk::Button>("lblProgramFC"),
          d.control<Gtk::Button>("Label1"), d.control<Gtk::Button>("Label2"),
          d.control<Gtk::Button>("PBForeColor")}) {
        const char* name =
            atk_object_get_name(gtk_widget_get_accessible(GTK_WIDGET(swatch->gobj())));
        ASSERT_NE(name, nullptr) << swatch->get_name();
        EXPECT_NE(std::string(name), "") << swatch->get_name();
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 9u) << "each swatch says which colour it holds";
}

TEST_F(OptionsDialogTest, AddressBoxPickersRecolourAtOnceAndApplyStoresThem) {
    frmOptions& d = open();
    testing::ScriptedDialogs dialogs;
    d.Form_Activate();
    dialogs.color(255);
    click(*d.control<StyledButton>("Command7"));
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());
    EXPECT_EQ(
        style::foreground(*testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry()),
        std::optional<ColorValue>(255));
    EXPECT_EQ(style::foreground(*testing::probe(*main_).widget<Gtk::Entry>("txtSearch")),
              std::optional<ColorValue>(255));
    EXPECT_EQ(style::foreground(*d.control<Gtk::ComboBoxText>("cboSite")),
              std::optional<ColorValue>(255));
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("Label1")), std::optional<ColorValue>(255));

    dialogs.color(65280);
    click(*d.control<StyledButton>("command8"));
    EXPECT_EQ(
        style::background(*testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry()),
        std::optional<ColorValue>(65280));
    EXPECT_EQ(style::background(*testing::probe(*main_).widget<Gtk::Entry>("txtSearch")),
              std::optional<ColorValue>(65280));
    EXPECT_EQ(style::background(*d.control<Gtk::Button>("Label2")),
              std::optional<ColorValue>(65280));

    // The progress picker starts from the address box's back colour.
    dialogs.color(128);
    d.control<Gtk::Button>("PBForeColor")->clicked();
    EXPECT_EQ(dialogs.colorsOffered(),
              (std::vector<ColorValue>{kSysWindowText, kSysWindow, 65280}));
    EXPECT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->color(), 128);
    EXPECT_EQ(d.control<StyledProgressBar>("PB")->color(), 128);
    EXPECT_EQ(setting("AddressFC"), "<none>") << "stored only by Apply";

    click(*d.control<StyledButton>("BApply"));
    EXPECT_EQ(setting("AddressFC"), "255");
    EXPECT_EQ(setting("AddressBG"), "65280");
    EXPECT_EQ(setting("ProgressBarForeColor"), "128");
}

TEST_F(OptionsDialogTest, ShowPercentToggleActsAndStoresAtOnce) {
    frmOptions& d = open();
    click(*d.control<StyledButton>("ShowFont"));
    EXPECT_TRUE(d.control<StyledButton>("ShowFont")->value());
    EXPECT_EQ(d.control<StyledButton>("ShowFont")->caption(), "Yes") << "the percentage shows";
    EXPECT_TRUE(d.control<StyledProgressBar>("PB")->showText());
    EXPECT_TRUE(testing::probe(*main_).widget<StyledProgressBar>("PB")->showText());
    EXPECT_EQ(setting("ShowText"), "True");
    EXPECT_EQ(setting("ShowTextCap"), "Yes");
    click(*d.control<StyledButton>("ShowFont"));
    EXPECT_EQ(d.control<StyledButton>("ShowFont")->caption(), "No");
    EXPECT_FALSE(testing::probe(*main_).widget<StyledProgressBar>("PB")->showText());
    EXPECT_EQ(setting("ShowText"), "False");
    EXPECT_EQ(setting("ShowTextCap"), "No");
}

TEST_F(OptionsDialogTest, SmoothAndStandardActAsAPair) {
    frmOptions& d = open();
    click(*d.control<StyledButton>("PBo1"));
    EXPECT_TRUE(d.control<StyledButton>("PBo1")->value());
    EXPECT_FALSE(d.control<StyledButton>("PBo2")->value());
    EXPECT_EQ(d.control<StyledButton>("PBo2")->backColor(), kSysButtonFace);
    EXPECT_EQ(d.control<StyledProgressBar>("PB")->scrolling(), 1);
    // Clicking the pressed one again keeps it pressed.
    click(*d.control<StyledButton>("PBo1"));
    EXPECT_TRUE(d.control<StyledButton>("PBo1")->value());
    click(*d.control<StyledButton>("PBo2"));
    EXPECT_TRUE(d.control<StyledButton>("PBo2")->value());
    EXPECT_FALSE(d.control<StyledButton>("PBo1")->value());
    EXPECT_EQ(d.control<StyledProgressBar>("PB")->scrolling(), 0);
    EXPECT_EQ(testing::probe(*main_).widget<StyledProgressBar>("PB")->scrolling(), 0)
        << "the main bar changes only at Apply";
}

TEST_F(OptionsDialogTest, LockApplyWritesTheLockBoxesAndTellsSo) {
    frmOptions& d = open();
    testing::ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Ok);
    // The lockables can only be ticked while unlocked (the lock dialog unlocks them).
    d.control<Gtk::Frame>("Frame13")->set_sensitive(true);
    d.control<Gtk::CheckButton>("LockHistory")->set_active(true);
    d.control<Gtk::CheckButton>("LockBrowser")->set_active(true);
    EXPECT_TRUE(model().lockHistory) << "the locks act before any Apply";
    click(*d.control<StyledButton>("ApplyChgs"));
    EXPECT_EQ(setting("PassLockHis"), "1");
    EXPECT_EQ(setting("PassLockFav"), "0");
    EXPECT_EQ(setting("PassLockOpt"), "0");
    EXPECT_EQ(setting("PassLockEmail"), "0");
    EXPECT_EQ(setting("PassLockbrowser"), "1");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text,
              "Locked the Selected boxes, Unlocks may require Restart of Larkspan!");
}

TEST_F(OptionsDialogTest, ClearHistoryAnsweredNoThenYes) {
    fs::path file = listfile::historyFilePath();
    fs::create_directories(file.parent_path());
    {
        std::ofstream out(file, std::ios::binary);
        out << "http://127.0.0.1/a\r\nhttp://127.0.0.1/b\r\n";
    }
    frmOptions& d = open();
    auto listSize = [this] {
        return testing::probe(*main_)
            .widget<AddressBox>("cboAddress")
            ->get_model()
            ->children()
            .size();
    };
    ASSERT_EQ(listSize(), 2u);
    testing::ScriptedDialogs dialogs;

    dialogs.answer(Dialogs::Answer::No);
    click(*d.control<StyledButton>("Command3"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "Delete History?  ");
    EXPECT_EQ(dialogs.shown()[0].title, "History");
    EXPECT_EQ(fs::file_size(file), 40u);
    EXPECT_EQ(listSize(), 2u);

    dialogs.answer(Dialogs::Answer::Yes);
    click(*d.control<StyledButton>("Command3"));
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(listSize(), 0u);
}

TEST_F(OptionsDialogTest, HistoryLockTurnsClearAndViewIntoTheLockDialog) {
    store().write("Settings", "PassLockHis", "1");
    fs::path file = listfile::historyFilePath();
    fs::create_directories(file.parent_path());
    { std::ofstream(file, std::ios::binary) << "http://127.0.0.1/a\r\n"; }
    frmOptions& d = open();
    testing::ScriptedDialogs dialogs;  // any question would fail the test
    click(*d.control<StyledButton>("Command3"));
    click(*d.control<StyledButton>("Command4"));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(fs::file_size(file), 20u);
    EXPECT_NE(findOptionsDialog(context()), nullptr);
}

TEST_F(OptionsDialogTest, CloseBoxDestroysTheDialogAndDropsUnappliedChanges) {
    frmOptions& d = open();
    d.control<Gtk::CheckButton>("Minimize")->set_active(true);
    GdkEvent* ev = gdk_event_new(GDK_DELETE);
    ev->any.window = GDK_WINDOW(g_object_ref(d.get_window()->gobj()));
    gtk_main_do_event(ev);
    gdk_event_free(ev);
    testing::drainEvents();
    EXPECT_EQ(findOptionsDialog(context()), nullptr);
    EXPECT_FALSE(model().minimizeToTray);
}

TEST_F(OptionsDialogTest, ProgramColoursReachWindowsThatExist) {
    frmOptions& d = open();
    model().pickSwatch(OptionsModel::Swatch::ProgramBG, 0x123456);
    model().pickSwatch(OptionsModel::Swatch::ProgramFC, 0x654321);
    scheme::applyProgramColors(context());
    EXPECT_EQ(shownBack(*main_), 0x123456);
    EXPECT_EQ(shownBack(*d.control<Gtk::Frame>("Layout")), 0x123456);
    // The swatches keep their own colours.
    Rgb text = resolveColor(kSysButtonText);
    EXPECT_EQ(shownBack(*d.control<Gtk::Button>("lblFontColor")), packRgb(text.r, text.g, text.b));
    auto* caption = dynamic_cast<Gtk::Label*>(d.control("lblFontColorCaption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(shownText(*caption), 0x654321);
    // The update window is never made just to be coloured.
    EXPECT_EQ(context().windows().find("frmPop"), nullptr);
}

}  // namespace
}  // namespace larkspan

namespace larkspan {
namespace {

TEST_F(OptionsDialogTest, AChangedOptionReachesEveryMainWindowAndALaterOne) {
    frmBrowser& first = startBrowser();
    frmBrowser& second = context().createBrowserWindow();
    OptionsModel& m = model();
    m.setText(OptionId::FontName, "Serif");
    m.setFlag(OptionId::ShowInBrowser, false);
    m.setNumber(OptionId::AddressTextColor, 255);
    m.setNumber(OptionId::ProgressColor, 128);
    // Options that wait for "Apply" do not show before it in the windows that are open; a
    // window made now takes up every option as the options hold it.
    m.setFlag(OptionId::StatusBar, false);
    frmBrowser& later = context().createBrowserWindow();
    EXPECT_FALSE(
        testing::probe(later).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    for (frmBrowser* w : {&first, &second}) {
        EXPECT_TRUE(
            testing::probe(*w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    }
    for (frmBrowser* w : {&first, &second, &later}) {
        EXPECT_EQ(style::fontFamily(*testing::probe(*w).widget<Gtk::Box>("StatusBar1")), "Serif");
        Gtk::Entry& address = *testing::probe(*w).widget<AddressBox>("cboAddress")->get_entry();
        EXPECT_EQ(style::fontFamily(address), "Serif");
        EXPECT_EQ(style::foreground(address), std::optional<ColorValue>(255));
        EXPECT_FALSE(testing::probe(*w).widget<Gtk::Frame>("Frame1")->get_visible());
        EXPECT_EQ(testing::probe(*w).widget<StyledProgressBar>("PB")->color(), 128);
    }
    m.applied();
    for (frmBrowser* w : {&first, &second, &later}) {
        EXPECT_FALSE(
            testing::probe(*w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
        EXPECT_FALSE(testing::probe(*w).widget<Gtk::Box>("StatusBar1")->get_visible());
    }
}

}  // namespace
}  // namespace larkspan
