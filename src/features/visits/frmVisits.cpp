#include "features/visits/frmVisits.hpp"

#include <glib.h>

#include <set>

#include "common/AddressHost.hpp"
#include "common/BuiltWindow.hpp"
#include "features/visits/VisitHistory.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmVisits.ui";

// The list's columns (see frmVisits.ui).
enum Column { kWhen = 0, kTitle = 1, kAddress = 2, kVisitId = 3 };

// A row that is a day has no visit.
constexpr std::int64_t kNoVisit = 0;

std::string localFormat(visits::TimePoint time, const char* format) {
    GDateTime* utc = g_date_time_new_from_unix_utc(time / 1000000);
    if (utc == nullptr) return {};
    GDateTime* local = g_date_time_to_local(utc);
    gchar* text = local != nullptr ? g_date_time_format(local, format) : nullptr;
    std::string result = text != nullptr ? text : "";
    g_free(text);
    if (local != nullptr) g_date_time_unref(local);
    g_date_time_unref(utc);
    return result;
}

// The caption of the day a visit belongs to, in local time.
std::string dayCaption(visits::TimePoint time, visits::TimePoint now) {
    const std::string day = localFormat(time, "%Y-%m-%d");
    if (day == localFormat(now, "%Y-%m-%d")) return "Today";
    if (day == localFormat(now - 86400LL * 1000000LL, "%Y-%m-%d")) return "Yesterday";
    return localFormat(time, "%A %e %B %Y");
}

}  // namespace

frmVisits::frmVisits(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                     ShellContext& context, visits::VisitHistory& history)
    : Gtk::Window(cobject), ctx_(context), history_(history) {
    builder->get_widget("txtSearch", txtSearch);
    builder->get_widget("tvwVisits", tvwVisits);
    builder->get_widget("cmdDelete", cmdDelete);
    builder->get_widget("cmdForgetSite", cmdForgetSite);
    store_ = Glib::RefPtr<Gtk::TreeStore>::cast_dynamic(tvwVisits->get_model());
    tvwVisits->get_selection()->set_mode(Gtk::SELECTION_MULTIPLE);

    txtSearch->signal_search_changed().connect(sigc::mem_fun(*this, &frmVisits::txtSearch_Change));
    tvwVisits->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmVisits::tvwVisits_SelectionChange));
    tvwVisits->signal_row_activated().connect(
        [this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) {
            tvwVisits_DblClick(path);
        });
    cmdDelete->signal_clicked().connect(sigc::mem_fun(*this, &frmVisits::cmdDelete_Click));
    // The Delete key in the list does what the button does.
    tvwVisits->signal_key_press_event().connect(
        [this](GdkEventKey* key) {
            if (key->keyval != GDK_KEY_Delete) return false;
            cmdDelete_Click();
            return true;
        },
        false);
    cmdForgetSite->signal_clicked().connect(sigc::mem_fun(*this, &frmVisits::cmdForgetSite_Click));
    if (auto* scroller = dynamic_cast<Gtk::ScrolledWindow*>(tvwVisits->get_parent())) {
        scroller->signal_edge_reached().connect([this](Gtk::PositionType edge) {
            if (edge == Gtk::POS_BOTTOM) loadMore();
        });
    }
    // New visits and removals elsewhere (the address box, clearing) show at once.
    history_.signalChanged.connect(sigc::mem_fun(*this, &frmVisits::reload));
    reload();
}

void frmVisits::reload() {
    if (reloading_) return;
    reloading_ = true;
    // What waits to be written is written first; the change that brings is this reload.
    history_.store();
    tvwVisits->unset_model();
    store_->clear();
    next_.reset();
    more_ = true;
    lastDay_.clear();
    dayRow_ = {};
    tvwVisits->set_model(store_);
    loadMore();
    tvwVisits->expand_all();
    reloading_ = false;
}

void frmVisits::loadMore() {
    if (!more_) return;
    // Writing what waits may reload the list first: where it ends is read after.
    visits::VisitStore& store = history_.store();
    if (!more_) return;
    const std::vector<visits::VisitRow> rows =
        store.visits(txtSearch->get_text().raw(), kPageRows, next_);
    more_ = rows.size() == kPageRows;
    const visits::TimePoint now = g_get_real_time();
    for (const visits::VisitRow& visit : rows) {
        const std::string day = dayCaption(visit.time, now);
        if (!dayRow_ || day != lastDay_) {
            dayRow_ = store_->append();
            (*dayRow_).set_value(kWhen, Glib::ustring(day));
            (*dayRow_).set_value(kVisitId, kNoVisit);
            lastDay_ = day;
        }
        auto row = *store_->append(dayRow_->children());
        row.set_value(kWhen, Glib::ustring(localFormat(visit.time, "%H:%M")));
        row.set_value(kTitle, Glib::ustring(visit.title));
        row.set_value(kAddress, Glib::ustring(visit.address));
        row.set_value(kVisitId, visit.id);
        next_ = visits::VisitCursor{visit.time, visit.id};
    }
    if (dayRow_) tvwVisits->expand_row(store_->get_path(dayRow_), false);
    tvwVisits_SelectionChange();
}

std::vector<std::int64_t> frmVisits::selectedVisits() const {
    std::set<std::int64_t> ids;
    for (const Gtk::TreeModel::Path& path : tvwVisits->get_selection()->get_selected_rows()) {
        auto it = store_->get_iter(path);
        std::int64_t id = kNoVisit;
        it->get_value(kVisitId, id);
        if (id != kNoVisit) {
            ids.insert(id);
            continue;
        }
        // A day stands for the visits of it that are shown.
        for (const auto& child : it->children()) {
            child.get_value(kVisitId, id);
            ids.insert(id);
        }
    }
    return {ids.begin(), ids.end()};
}

std::optional<std::string> frmVisits::selectedAddress() const {
    for (const Gtk::TreeModel::Path& path : tvwVisits->get_selection()->get_selected_rows()) {
        auto it = store_->get_iter(path);
        std::int64_t id = kNoVisit;
        it->get_value(kVisitId, id);
        if (id == kNoVisit) continue;
        Glib::ustring address;
        it->get_value(kAddress, address);
        return address.raw();
    }
    return std::nullopt;
}

// ---- Events ------------------------------------------------------------------------------

void frmVisits::txtSearch_Change() {
    reload();
}

void frmVisits::tvwVisits_SelectionChange() {
    cmdDelete->set_sensitive(!selectedVisits().empty());
    std::optional<std::string> address = selectedAddress();
    cmdForgetSite->set_sensitive(address && !addressHost(*address).empty());
}

void frmVisits::tvwVisits_DblClick(const Gtk::TreeModel::Path& path) {
    auto it = store_->get_iter(path);
    frmBrowser* window = ctx_.currentWindow();
    if (!it || window == nullptr) return;
    std::int64_t id = kNoVisit;
    it->get_value(kVisitId, id);
    if (id == kNoVisit) return;
    Glib::ustring address;
    it->get_value(kAddress, address);
    window->page().engine().navigate(address);
}

void frmVisits::cmdDelete_Click() {
    std::vector<std::int64_t> ids = selectedVisits();
    // The list follows the history's change (see the constructor).
    if (!ids.empty()) history_.removeVisits(ids);
}

void frmVisits::cmdForgetSite_Click() {
    std::optional<std::string> address = selectedAddress();
    if (!address) return;
    std::string host = addressHost(*address);
    if (!host.empty()) history_.forgetHost(host);
}

bool frmVisits::on_delete_event(GdkEventAny*) {
    ctx_.windows().closeWhenIdle("frmVisits");
    return true;
}

std::unique_ptr<Gtk::Window> makeVisitsWindow(ShellContext& context,
                                              visits::VisitHistory& history) {
    return buildWindow<frmVisits>(kResource, "frmVisits", context, history);
}

}  // namespace larkspan
