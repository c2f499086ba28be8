// Synthetic drops onto a main window: a file on the window, a link list and a text address
// on the address box open there; text on the search box searches; the web lock holds an
// address back.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include "app/Application.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/AddressBox.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

// The dropped data as GTK hands it over: offered on a selection of the test's own and
// fetched back, as a drop's data is.
struct Offer {
    std::string target;
    std::string bytes;
};

void giveOffer(GtkClipboard*, GtkSelectionData* data, guint, gpointer offer) {
    const auto* o = static_cast<const Offer*>(offer);
    gtk_selection_data_set(data, gdk_atom_intern(o->target.c_str(), FALSE), 8,
                           reinterpret_cast<const guchar*>(o->bytes.data()),
                           static_cast<int>(o->bytes.size()));
}

// Emits the drop as GTK does once the dropped data has arrived.
void drop(Gtk::Widget& on, const std::string& target, const std::string& bytes) {
    GtkClipboard* selection = gtk_clipboard_get(gdk_atom_intern_static_string("LARKSPAN_DROP"));
    Offer offer{target, bytes};
    GtkTargetEntry entry{const_cast<gchar*>(target.c_str()), 0, 0};
    ASSERT_TRUE(gtk_clipboard_set_with_data(selection, &entry, 1, giveOffer, nullptr, &offer));
    GtkSelectionData* data =
        gtk_clipboard_wait_for_contents(selection, gdk_atom_intern(target.c_str(), FALSE));
    gtk_clipboard_clear(selection);
    ASSERT_NE(data, nullptr);
    g_signal_emit_by_name(on.gobj(), "drag-data-received", nullptr, 5, 5, data, 0, 0u);
    gtk_selection_data_free(data);
}

class DropsTest : public testing::GuiTest {};

TEST_F(DropsTest, DroppedAddressesOpenInTheWindowAndDroppedTextIsSearched) {
    frmBrowser& w = startBrowser();
    auto& engine = dynamic_cast<FakePageEngine&>(w.page().engine());
    testing::BrowserProbe probe(w);
    auto* address = probe.widget<AddressBox>("cboAddress");
    ASSERT_NE(address, nullptr);
    Gtk::Entry* addressEntry = address->get_entry();
    auto* search = probe.widget<Gtk::Entry>("txtSearch");
    engine.navigations.clear();

    drop(w, "text/uri-list", "# from a file manager\r\nfile:///tmp/a%20page.html\r\n");
    drop(*addressEntry, "text/uri-list", "http://linked.test/\r\nhttp://second.test/\r\n");
    EXPECT_EQ(addressEntry->get_text(), "http://linked.test/");
    drop(*addressEntry, "UTF8_STRING", "\n  typed.test/path  \nmore");
    EXPECT_EQ(addressEntry->get_text(), "typed.test/path");
    // Blank text opens nothing.
    drop(w, "UTF8_STRING", " \n ");
    EXPECT_EQ(engine.navigations,
              (std::vector<std::string>{"file:///tmp/a%20page.html", "http://linked.test/",
                                        "typed.test/path"}));

    engine.navigations.clear();
    drop(*search, "UTF8_STRING", "  dropped\n words ");
    EXPECT_EQ(search->get_text(), "dropped words");
    ASSERT_EQ(engine.navigations.size(), 1u);
    EXPECT_NE(engine.navigations[0].find("dropped"), std::string::npos);
    EXPECT_NE(engine.navigations[0].find("words"), std::string::npos);

    // Under the web lock a dropped address waits for the password, as a typed one does.
    engine.navigations.clear();
    Application::instance().options().setFlag(OptionId::LockBrowser, true);
    drop(w, "text/uri-list", "http://locked.test/\r\n");
    EXPECT_TRUE(engine.navigations.empty());
}

}  // namespace
}  // namespace larkspan
