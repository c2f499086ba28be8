#include "features/privacy/frmClearData.hpp"

#include <algorithm>
#include <chrono>

#include "common/BuiltWindow.hpp"
#include "shell/ClearData.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmClearData.ui";

}  // namespace

frmClearData::frmClearData(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                           ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    builder_->get_widget("cboRange", cboRange);
    builder_->get_widget("boxClearItems", boxClearItems);
    builder_->get_widget("cmdClear", cmdClear);
    builder_->get_widget("cmdCancel", cmdCancel);
    cboRange->set_active(static_cast<int>(ClearRange::LastHour));
    cmdClear->signal_clicked().connect(sigc::mem_fun(*this, &frmClearData::cmdClear_Click));
    cmdCancel->signal_clicked().connect(sigc::mem_fun(*this, &frmClearData::cmdCancel_Click));
    showItems();
}

void frmClearData::showItems() {
    for (auto& [name, tick] : ticks_) boxClearItems->remove(*tick);
    ticks_.clear();
    for (const ClearableItem& item : ctx_.clearableData().items()) {
        auto* tick = Gtk::make_managed<Gtk::CheckButton>(item.label, true);
        tick->set_name(item.widgetName);
        if (!item.note.empty()) tick->set_tooltip_text(item.note);
        tick->set_active(!unticked_.count(item.widgetName));
        const std::string name = item.widgetName;
        tick->signal_toggled().connect([this, tick, name] {
            if (tick->get_active()) {
                unticked_.erase(name);
            } else {
                unticked_.insert(name);
            }
            cmdClear->set_sensitive(std::any_of(ticks_.begin(), ticks_.end(), [](const auto& t) {
                return t.second->get_active();
            }));
        });
        tick->show();
        boxClearItems->pack_start(*tick, Gtk::PACK_SHRINK);
        ticks_[item.widgetName] = tick;
    }
}

void frmClearData::on_show() {
    // Features may have offered more since the window was made.
    if (ticks_.size() != ctx_.clearableData().items().size()) showItems();
    cmdClear->set_sensitive(true);
    Gtk::Window::on_show();
}

void frmClearData::cmdClear_Click() {
    std::set<std::string> chosen;
    for (const auto& [name, tick] : ticks_) {
        if (tick->get_active()) chosen.insert(name);
    }
    int active = cboRange->get_active_row_number();
    auto range = active < 0 ? ClearRange::LastHour : static_cast<ClearRange>(active);
    ClearSince since = clearSince(range, std::chrono::system_clock::now());
    cmdClear->set_sensitive(false);
    std::weak_ptr<bool> alive = alive_;
    ctx_.clearableData().clear(chosen, since, [this, alive] {
        if (alive.expired()) return;
        cmdClear->set_sensitive(true);
        hide();
    });
}

void frmClearData::cmdCancel_Click() {
    hide();
}

bool frmClearData::on_delete_event(GdkEventAny*) {
    hide();
    return true;
}

std::unique_ptr<Gtk::Window> makeClearDataWindow(ShellContext& context) {
    return buildWindow<frmClearData>(kResource, "frmClearData", context);
}

}  // namespace larkspan
