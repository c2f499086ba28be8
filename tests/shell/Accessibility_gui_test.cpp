// What a screen reader finds in the main window: every field and drop-down arrow has a name
// of its own.
#include <atk/atk.h>
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <set>
#include <string>

#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

std::string accessibleName(Gtk::Widget& w) {
    const char* name = atk_object_get_name(gtk_widget_get_accessible(w.gobj()));
    return name != nullptr ? name : "";
}

// The accessible objects below `object`, depth first, as the desktop's tree walks them.
void collect(AtkObject* object, std::vector<AtkObject*>& out) {
    out.push_back(object);
    const int n = atk_object_get_n_accessible_children(object);
    for (int i = 0; i < n; ++i) {
        AtkObject* child = atk_object_ref_accessible_child(object, i);
        if (child == nullptr) continue;
        collect(child, out);
        g_object_unref(child);  // the parent keeps its children alive
    }
}

class AccessibilityTest : public testing::ShellGuiTest {};

TEST_F(AccessibilityTest, FieldsAndArrowsOfTheMainWindowHaveNamesOfTheirOwn) {
    frmBrowser& w = startBrowser();
    EXPECT_EQ(accessibleName(*testing::probe(w).widget<Gtk::Entry>("cboAddress_Entry")), "Address");
    EXPECT_EQ(accessibleName(*testing::probe(w).widget<Gtk::Entry>("txtSearch")), "Search");
    EXPECT_EQ(accessibleName(*testing::probe(w).widget<Gtk::Entry>("txtFind")), "Find");

    std::vector<AtkObject*> all;
    collect(gtk_widget_get_accessible(GTK_WIDGET(w.gobj())), all);
    std::multiset<std::string> arrows;
    for (AtkObject* o : all) {
        const char* name = atk_object_get_name(o);
        if (name == nullptr) continue;
        const std::string text = name;
        EXPECT_NE(text, "Menu") << "an arrow without a name of its own";
        if (text.size() > 5 && text.ends_with(" list")) arrows.insert(text);
    }
    EXPECT_EQ(arrows, (std::multiset<std::string>{"Back list", "Forward list", "Favorites list",
                                                  "Email list"}));
}

}  // namespace
}  // namespace larkspan
