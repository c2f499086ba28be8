#include "features/privacy/frmSiteData.hpp"

#include <glib.h>

#include <algorithm>

#include "common/BuiltWindow.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmSiteData.ui";

enum Column { kSiteColumn = 0, kHoldsColumn = 1, kSizeColumn = 2 };

std::string sizeText(const SiteRecord& site) {
    if (!site.size) return {};
    gchar* text = g_format_size(*site.size);
    std::string result = text;
    g_free(text);
    return result;
}

std::string casefolded(const std::string& text) {
    gchar* folded = g_utf8_casefold(text.c_str(), -1);
    std::string result = folded != nullptr ? folded : "";
    g_free(folded);
    return result;
}

}  // namespace

frmSiteData::frmSiteData(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                         ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    builder_->get_widget("txtSiteSearch", txtSiteSearch);
    builder_->get_widget("lstSites", lstSites);
    builder_->get_widget("cmdRemove", cmdRemove);
    builder_->get_widget("cmdRemoveAll", cmdRemoveAll);
    builder_->get_widget("cmdClose", cmdClose);
    filter_ = Glib::RefPtr<Gtk::TreeModelFilter>::cast_dynamic(lstSites->get_model());
    store_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(filter_->get_model());
    filter_->set_visible_func([this](const Gtk::TreeModel::const_iterator& row) {
        std::string search = casefolded(txtSiteSearch->get_text());
        if (search.empty()) return true;
        Glib::ustring site;
        row->get_value(kSiteColumn, site);
        return casefolded(site).find(search) != std::string::npos;
    });
    txtSiteSearch->signal_search_changed().connect(
        sigc::mem_fun(*this, &frmSiteData::txtSiteSearch_Change));
    lstSites->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmSiteData::updateButtons));
    cmdRemove->signal_clicked().connect(sigc::mem_fun(*this, &frmSiteData::cmdRemove_Click));
    cmdRemoveAll->signal_clicked().connect(sigc::mem_fun(*this, &frmSiteData::cmdRemoveAll_Click));
    cmdClose->signal_clicked().connect(sigc::mem_fun(*this, &frmSiteData::cmdClose_Click));
    updateButtons();
}

void frmSiteData::on_show() {
    Gtk::Window::on_show();
    refresh();
}

void frmSiteData::refresh() {
    SiteData* data = ctx_.siteData();
    if (data == nullptr) {
        show({});
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    data->fetch([this, alive](std::vector<SiteRecord> sites) {
        if (!alive.expired()) show(std::move(sites));
    });
}

void frmSiteData::show(std::vector<SiteRecord> sites) {
    std::sort(sites.begin(), sites.end(),
              [](const SiteRecord& a, const SiteRecord& b) { return a.name < b.name; });
    store_->clear();
    for (const SiteRecord& site : sites) {
        Gtk::TreeRow row = *store_->append();
        row.set_value(kSiteColumn, Glib::ustring(site.name));
        row.set_value(kHoldsColumn, Glib::ustring(sitedata::describeKinds(site.kinds)));
        row.set_value(kSizeColumn, Glib::ustring(sizeText(site)));
    }
    updateButtons();
}

std::vector<std::string> frmSiteData::shownSites() const {
    std::vector<std::string> out;
    for (const auto& row : filter_->children()) {
        Glib::ustring site;
        row.get_value(kSiteColumn, site);
        out.push_back(site);
    }
    return out;
}

void frmSiteData::txtSiteSearch_Change() {
    filter_->refilter();
    updateButtons();
}

void frmSiteData::cmdRemove_Click() {
    std::vector<std::string> names;
    for (const Gtk::TreeModel::Path& path : lstSites->get_selection()->get_selected_rows()) {
        Glib::ustring site;
        filter_->get_iter(path)->get_value(kSiteColumn, site);
        names.push_back(site);
    }
    removeSites(names);
}

// Every site the list shows: with a search, the ones it found.
void frmSiteData::cmdRemoveAll_Click() {
    removeSites(shownSites());
}

void frmSiteData::removeSites(const std::vector<std::string>& names) {
    SiteData* data = ctx_.siteData();
    if (data == nullptr || names.empty()) return;
    cmdRemove->set_sensitive(false);
    cmdRemoveAll->set_sensitive(false);
    std::weak_ptr<bool> alive = alive_;
    data->remove(names, [this, alive](bool) {
        if (!alive.expired()) refresh();
    });
}

void frmSiteData::updateButtons() {
    cmdRemove->set_sensitive(lstSites->get_selection()->count_selected_rows() > 0);
    cmdRemoveAll->set_sensitive(!filter_->children().empty());
}

void frmSiteData::cmdClose_Click() {
    hide();
}

bool frmSiteData::on_delete_event(GdkEventAny*) {
    hide();
    return true;
}

std::unique_ptr<Gtk::Window> makeSiteDataWindow(ShellContext& context) {
    return buildWindow<frmSiteData>(kResource, "frmSiteData", context);
}

}  // namespace larkspan
