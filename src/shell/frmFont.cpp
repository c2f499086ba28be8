#include "shell/frmFont.hpp"

#include <strings.h>
#include <algorithm>
#include <cmath>

#include "common/BuiltWindow.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmFont.ui";
constexpr int kMinSize = 5;
constexpr int kMaxSize = 72;

bool sameName(const std::string& a, const std::string& b) {
    return ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

Glib::RefPtr<Gtk::ListStore> storeOf(Gtk::TreeView& list) {
    return Glib::RefPtr<Gtk::ListStore>::cast_dynamic(list.get_model());
}

void appendRow(Gtk::TreeView& list, const std::string& text) {
    auto store = storeOf(list);
    if (!store) return;
    Gtk::TreeModel::Row row = *store->append();
    row.set_value(0, Glib::ustring(text));
}

}  // namespace

frmFont::frmFont(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                 ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    builder_->get_widget("List1", List1);
    builder_->get_widget("List2", List2);
    builder_->get_widget("Label1", Label1);
    builder_->get_widget("Text1", Text1);
    builder_->get_widget_derived("Command1", Command1);
    builder_->get_widget_derived("Command2", Command2);
    Command1->setCaption("Change");
    Command2->setCaption("Cancel");

    // 1. The buttons take the sample's looks; the preview starts at its click size.
    scheme::followButtonLook(ctx_, *Command1, false);
    scheme::followButtonLook(ctx_, *Command2, false);
    previewSize_ = kPreviewSize;

    // The installed families and the sizes.
    std::vector<std::string> families = installedFamilies(get_pango_context());
    for (const auto& f : families) appendRow(*List1, f);
    for (int size = kMinSize; size <= kMaxSize; ++size) appendRow(*List2, std::to_string(size));

    List1->get_selection()->signal_changed().connect(sigc::mem_fun(*this, &frmFont::List1_Click));
    List2->get_selection()->signal_changed().connect(sigc::mem_fun(*this, &frmFont::List2_Click));
    Command1->signal_click().connect(sigc::mem_fun(*this, &frmFont::Command1_Click));
    Command2->signal_click().connect(sigc::mem_fun(*this, &frmFont::Command2_Click));

    // The reference font picks the first entries: its family (or the installed family that
    // stands in for it) and the whole part of its size.
    Text1->set_text(kReferenceFamily);
    std::string family = nearestFamily(get_pango_context(), families, kReferenceFamily);
    if (!selectRow(*List1, family)) {
        previewFamily_ = family;
        showPreview();
    }
    std::string size = std::to_string(static_cast<int>(std::trunc(kReferenceSize)));
    selectRow(*List2, size);
    Text1->set_text(size);
}

std::vector<std::string> frmFont::installedFamilies(const Glib::RefPtr<Pango::Context>& ctx) {
    std::vector<std::string> names;
    if (!ctx) return names;
    for (const auto& family : ctx->list_families()) {
        if (family) names.push_back(family->get_name());
    }
    // The font system hands its families over in no useful order; the list is alphabetical.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int c = ::strcasecmp(a.c_str(), b.c_str());
        return c != 0 ? c < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string frmFont::nearestFamily(const Glib::RefPtr<Pango::Context>& ctx,
                                   const std::vector<std::string>& installed,
                                   const std::string& family) {
    for (const auto& name : installed) {
        if (sameName(name, family)) return name;
    }
    if (!ctx) return family;
    Pango::FontDescription wanted;
    wanted.set_family(family);
    wanted.set_size(static_cast<int>(kReferenceSize * PANGO_SCALE));
    auto font = ctx->load_font(wanted);
    if (!font) return family;
    std::string substitute = font->describe().get_family();
    for (const auto& name : installed) {
        if (sameName(name, substitute)) return name;
    }
    return substitute.empty() ? family : substitute;
}

std::string frmFont::selectedText(const Gtk::TreeView& list) {
    auto it = const_cast<Gtk::TreeView&>(list).get_selection()->get_selected();
    if (!it) return {};
    Glib::ustring text;
    it->get_value(0, text);
    return text;
}

std::string frmFont::selectedFamily() const {
    return selectedText(*List1);
}
std::string frmFont::selectedSize() const {
    return selectedText(*List2);
}

bool frmFont::selectRow(Gtk::TreeView& list, const std::string& text) {
    auto store = storeOf(list);
    if (!store) return false;
    for (const auto& row : store->children()) {
        Glib::ustring value;
        row.get_value(0, value);
        if (value == text) {
            list.get_selection()->select(row);
            list.scroll_to_row(store->get_path(row));
            return true;
        }
    }
    return false;
}

void frmFont::showPreview() {
    Pango::AttrList attrs;
    if (!previewFamily_.empty()) {
        auto family = Pango::Attribute::create_attr_family(previewFamily_);
        attrs.insert(family);
    }
    auto size = Pango::Attribute::create_attr_size(previewSize_ * PANGO_SCALE);
    attrs.insert(size);
    Label1->set_attributes(attrs);
}

void frmFont::List1_Click() {
    std::string family = selectedFamily();
    if (family.empty()) return;
    previewFamily_ = family;
    previewSize_ = kPreviewSize;
    showPreview();
}

void frmFont::List2_Click() {
    std::string size = selectedSize();
    if (size.empty()) return;
    try {
        previewSize_ = std::clamp(std::stoi(size), kMinSize, kMaxSize);
    } catch (const std::exception&) {
        return;
    }
    showPreview();
}

void frmFont::Command1_Click() {
    std::string family = selectedFamily();
    // The family becomes the option; the main windows and the options dialog follow it.
    if (!family.empty()) ctx_.options().setText(OptionId::FontName, family);
    closeByUser(!family.empty());
}

void frmFont::Command2_Click() {
    closeByUser(false);
}

bool frmFont::on_delete_event(GdkEventAny*) {
    closeByUser(false);
    return true;
}

void frmFont::closeByUser(bool changed) {
    // The options dialog gets the focus back from here: with a font handed over, that
    // return must not count as a fresh activation (which would forget the change).
    if (changed) {
        if (frmOptions* options = findOptionsDialog(ctx_)) options->returningFromDialog();
    }
    ctx_.windows().closeWhenIdle("frmFont", WindowRegistry::ShownAgain::Close,
                                 [ctx = &ctx_] { showOptionsDialog(*ctx); });
}

std::unique_ptr<Gtk::Window> makeFontChooser(ShellContext& context) {
    return buildWindow<frmFont>(kResource, "frmFont", context);
}

}  // namespace larkspan
