// The tray icons of the main windows on a desktop whose notification area is a
// StatusNotifier watcher on the session bus: the test plays that watcher.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/TrayIcon.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

constexpr const char* kWatcherXml = R"(<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
</node>)";

// A notification area as far as the program can see one: it records every item that
// registers, by the item's bus name and object path.
class FakeWatcher {
  public:
    FakeWatcher() {
        connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        if (!connection_) return;
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kWatcherXml, nullptr);
        static const GDBusInterfaceVTable vtable{
            &FakeWatcher::onCall, &FakeWatcher::onGet, nullptr, {}};
        objectId_ =
            g_dbus_connection_register_object(connection_, "/StatusNotifierWatcher",
                                              node->interfaces[0], &vtable, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
        ownerId_ = g_bus_own_name_on_connection(
            connection_, "org.kde.StatusNotifierWatcher", G_BUS_NAME_OWNER_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, gpointer self) {
                static_cast<FakeWatcher*>(self)->owned_ = true;
            },
            nullptr, this, nullptr);
    }
    ~FakeWatcher() {
        if (ownerId_) g_bus_unown_name(ownerId_);
        if (objectId_) g_dbus_connection_unregister_object(connection_, objectId_);
        if (connection_) g_object_unref(connection_);
    }
    bool owned() const { return owned_; }
    const std::set<std::string>& items() const { return items_; }

  private:
    static void onCall(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                       const gchar* method, GVariant* parameters, GDBusMethodInvocation* call,
                       gpointer self) {
        if (std::string(method) == "RegisterStatusNotifierItem") {
            const gchar* item = nullptr;
            g_variant_get(parameters, "(&s)", &item);
            static_cast<FakeWatcher*>(self)->items_.insert(std::string(sender) + item);
        }
        g_dbus_method_invocation_return_value(call, nullptr);
    }
    static GVariant* onGet(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                           const gchar* property, GError**, gpointer) {
        std::string p = property;
        if (p == "IsStatusNotifierHostRegistered") return g_variant_new_boolean(TRUE);
        if (p == "ProtocolVersion") return g_variant_new_int32(0);
        return g_variant_new_strv(nullptr, 0);
    }

    GDBusConnection* connection_ = nullptr;
    guint objectId_ = 0;
    guint ownerId_ = 0;
    bool owned_ = false;
    std::set<std::string> items_;
};

class TrayIconTest : public testing::ShellGuiTest {};

TEST_F(TrayIconTest, EachMinimisedWindowHasAnIconOfItsOwnAndComesBack) {
    FakeWatcher watcher;
    ASSERT_TRUE(testing::runUntil([&] { return watcher.owned(); }, 5000));
    frmBrowser& first = startBrowser();
    context().options().setFlag(OptionId::MinimizeToTray, true);
    first.runCommand("new-window");
    frmBrowser& second = *context().browsers().at(1);
    ASSERT_TRUE(testing::runUntil(
        [&] {
            return testing::probe(first).trayIcon()->desktopHasTray() &&
                   testing::probe(second).trayIcon()->desktopHasTray();
        },
        5000));
    EXPECT_NE(testing::probe(first).trayIcon()->itemId(),
              testing::probe(second).trayIcon()->itemId());

    for (frmBrowser* w : {&first, &second}) {
        w->setWindowState(1);
        testing::probe(*w).Form_Resize();
        EXPECT_TRUE(w->inTray());
        EXPECT_FALSE(w->get_visible());
    }
    // Two items on the bus, not one item shown twice.
    EXPECT_TRUE(testing::runUntil([&] { return watcher.items().size() == 2; }, 5000))
        << watcher.items().size() << " items registered";

    testing::probe(second).traypic_MouseDown(TrayIcon::kLeftUp);
    EXPECT_TRUE(second.get_visible());
    EXPECT_FALSE(second.trayIconShown());
    EXPECT_FALSE(first.get_visible()) << "the other window stays in the tray";
    EXPECT_TRUE(first.trayIconShown());
}

}  // namespace
}  // namespace larkspan
