// The font chooser: its lists, the reference font it starts from, "Change" and closing.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmFont.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/ShellGuiTest.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

class FontChooserTest : public testing::ShellGuiTest {
  protected:
    frmBrowser* main_ = nullptr;
    frmOptions* options_ = nullptr;

    frmFont& open() {
        main_ = &startBrowser();
        options_ = showOptionsDialog(context());
        testing::drainEvents();
        auto* chooser = dynamic_cast<frmFont*>(context().windows().touch("frmFont"));
        EXPECT_NE(chooser, nullptr);
        chooser->present();
        testing::drainEvents();
        return *chooser;
    }
    static std::vector<std::string> rows(Gtk::TreeView& list) {
        std::vector<std::string> out;
        for (const auto& row : list.get_model()->children()) {
            Glib::ustring v;
            row.get_value(0, v);
            out.push_back(v);
        }
        return out;
    }
    static void select(Gtk::TreeView& list, const std::string& text) {
        for (const auto& row : list.get_model()->children()) {
            Glib::ustring v;
            row.get_value(0, v);
            if (v == text) list.get_selection()->select(row);
        }
        testing::drainEvents();
    }
    bool chooserOpen() { return context().windows().find("frmFont") != nullptr; }
};

TEST_F(FontChooserTest, ListsSizesAndTheReferenceFontPreselected) {
    frmFont& f = open();
    EXPECT_EQ(f.get_title(), "Font - Larkspan");
    EXPECT_EQ(f.Label1->get_text(), "AaBbYyZz");
    EXPECT_EQ(f.Command1->caption(), "Change");
    EXPECT_EQ(f.Command2->caption(), "Cancel");

    std::vector<std::string> sizes = rows(*f.List2);
    ASSERT_EQ(sizes.size(), 68u);
    EXPECT_EQ(sizes.front(), "5");
    EXPECT_EQ(sizes.back(), "72");
    EXPECT_EQ(f.selectedSize(), "8");
    EXPECT_EQ(f.previewSize(), 8);

    std::vector<std::string> families = rows(*f.List1);
    ASSERT_FALSE(families.empty());
    std::string selected = f.selectedFamily();
    ASSERT_FALSE(selected.empty());
    EXPECT_NE(std::find(families.begin(), families.end(), selected), families.end());
    bool arialInstalled = std::find(families.begin(), families.end(), "Arial") != families.end();
    if (arialInstalled) {
        EXPECT_EQ(selected, "Arial");
    } else {
        // The installed family the font system draws "Arial" with.
        auto font = f.get_pango_context()->load_font(Pango::FontDescription("Arial 8"));
        ASSERT_TRUE(font);
        EXPECT_EQ(selected, std::string(font->describe().get_family()));
    }
    EXPECT_EQ(f.previewFamily(), selected);
}

TEST_F(FontChooserTest, ClickingAFamilyPreviewsItAtSixteenPoints) {
    frmFont& f = open();
    std::vector<std::string> families = rows(*f.List1);
    const std::string& other =
        families.front() == f.selectedFamily() ? families.back() : families.front();
    select(*f.List1, other);
    EXPECT_EQ(f.previewFamily(), other);
    EXPECT_EQ(f.previewSize(), 16);
    select(*f.List2, "30");
    EXPECT_EQ(f.previewSize(), 30);
    EXPECT_EQ(f.previewFamily(), other);
}

TEST_F(FontChooserTest, ChangeGivesTheFamilyToTheBoxesAndReturnsToTheOptions) {
    frmFont& f = open();
    std::string reference = f.selectedFamily();
    std::vector<std::string> families = rows(*f.List1);
    std::string family = families.front() == reference ? families.back() : families.front();
    ASSERT_NE(family, reference);
    select(*f.List1, family);
    select(*f.List2, "40");  // the size reaches nothing outside the preview
    options_->hide();
    click(*f.Command1);

    EXPECT_FALSE(chooserOpen());
    EXPECT_EQ(style::fontFamily(*testing::probe(*main_).widget<Gtk::Box>("StatusBar1")), family);
    EXPECT_EQ(
        style::fontFamily(*testing::probe(*main_).widget<AddressBox>("cboAddress")->get_entry()),
        family);
    EXPECT_EQ(style::fontFamily(*testing::probe(*main_).widget<Gtk::Entry>("txtSearch")), family);
    EXPECT_EQ(style::fontFamily(*options_->control<Gtk::ComboBoxText>("cboSite")), family);
    EXPECT_EQ(options_->control<Gtk::Label>("lblFontName")->get_text(), family);
    EXPECT_EQ(context().options().fontName, family);
    EXPECT_TRUE(options_->get_visible()) << "the options dialog is shown again";
    EXPECT_EQ(context().settings().read("Settings", "toolbarFont", "<none>"), "<none>")
        << "stored only by Apply";

    // Opened again, it starts from the reference font, not from the last choice.
    auto* again = dynamic_cast<frmFont*>(context().windows().touch("frmFont"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->selectedFamily(), reference);
    EXPECT_EQ(again->selectedSize(), "8");
}

TEST_F(FontChooserTest, CancelAndTheCloseBoxChangeNothingAndReturnToTheOptions) {
    frmFont& f = open();
    auto before = style::fontFamily(*testing::probe(*main_).widget<Gtk::Box>("StatusBar1"));
    select(*f.List1, rows(*f.List1).back());
    options_->hide();
    click(*f.Command2);
    EXPECT_FALSE(chooserOpen());
    EXPECT_EQ(style::fontFamily(*testing::probe(*main_).widget<Gtk::Box>("StatusBar1")), before);
    EXPECT_EQ(options_->control<Gtk::Label>("lblFontName")->get_text(), "Arial");
    EXPECT_TRUE(options_->get_visible());

    auto* again = dynamic_cast<frmFont*>(context().windows().touch("frmFont"));
    ASSERT_NE(again, nullptr);
    again->present();
    testing::drainEvents();
    options_->hide();
    GdkEvent* ev = gdk_event_new(GDK_DELETE);
    ev->any.window = GDK_WINDOW(g_object_ref(again->get_window()->gobj()));
    gtk_main_do_event(ev);
    gdk_event_free(ev);
    testing::drainEvents();
    EXPECT_FALSE(chooserOpen());
    EXPECT_TRUE(options_->get_visible());
}

TEST_F(FontChooserTest, ClosingAtShutDownDoesNotBringTheOptionsBack) {
    open();
    options_->hide();
    context().windows().close("frmFont");
    testing::drainEvents();
    EXPECT_FALSE(options_->get_visible());
}

TEST_F(FontChooserTest, FontButtonOfTheOptionsOpensTheChooser) {
    main_ = &startBrowser();
    frmOptions* d = showOptionsDialog(context());
    ASSERT_NE(d, nullptr);
    // The dialog's own activation disables "Apply"; it must have come before the click, or
    // it could arrive after it and undo what the click did.
    d->present();  // without a window manager only a mapped window takes the focus
    ASSERT_TRUE(testing::runUntil([&] { return d->property_is_active().get_value(); }));
    d->Form_Activate();
    click(*d->control<StyledButton>("Command6"));
    Gtk::Window* chooser = context().windows().find("frmFont");
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->get_visible());
    EXPECT_EQ(chooser->get_transient_for(), main_);
    EXPECT_TRUE(d->control<StyledButton>("BApply")->enabled());
    // The chooser's buttons wear the sample's look.
    auto* change = dynamic_cast<frmFont*>(chooser)->Command1;
    EXPECT_EQ(change->style(), context().options().sampleLook().style);
    EXPECT_EQ(change->backColor(), context().options().sampleLook().backColor);
}

}  // namespace
}  // namespace larkspan
