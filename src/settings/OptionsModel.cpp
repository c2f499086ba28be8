#include "settings/OptionsModel.hpp"

#include <set>

#include "common/StoredValue.hpp"
#include "settings/OptionDecls.hpp"
#include "settings/SettingsKeys.hpp"

namespace larkspan {

namespace {

// The popup target every load starts from.
constexpr const char* kDefaultPopupTarget = "Larkspan";

template <typename T>
T OptionsModel::*memberOf(OptionId id) {
    const OptionDecl* d = findDecl(id);
    if (!d) return nullptr;
    auto* p = std::get_if<T OptionsModel::*>(&d->member);
    return p ? *p : nullptr;
}

// The four colours of the sample button.
bool colorsTheSampleButton(OptionId id) {
    return id == OptionId::ButtonFontColor || id == OptionId::ButtonFontHighlightColor ||
           id == OptionId::ButtonBackColor || id == OptionId::ButtonHighlightColor;
}

}  // namespace

OptionsModel::OptionsModel() {
    // The design values, quietly: nobody observes a model that is being made.
    changed_.block();
    for (const OptionDecl& d : optionDecls()) d.take(*this, d.design);
    popupTarget = kDefaultPopupTarget;
    changed_.unblock();
}

template <typename T>
void OptionsModel::assign(T& member, const T& value, OptionId id) {
    if (member == value) return;
    member = value;
    changed_.emit(id, cause_);
}

void OptionsModel::setFlag(OptionId id, bool value) {
    if (auto p = memberOf<bool>(id)) assign(this->*p, value, id);
}

void OptionsModel::setNumber(OptionId id, int value) {
    if (auto p = memberOf<int>(id)) assign(this->*p, value, id);
}

void OptionsModel::setText(OptionId id, const std::string& value) {
    if (id == OptionId::PopupTarget) {
        assign(popupTarget, value, id);
    } else if (auto p = memberOf<std::string>(id)) {
        assign(this->*p, value, id);
    }
}

void OptionsModel::setPopupMode(PopupMode mode) {
    assign(popupMode, mode, OptionId::PopupMode);
}

// ---- Loading ------------------------------------------------------------------------------

void OptionsModel::load(const SettingsStore& store) {
    // The values before, to tell the observers what the load changed.
    std::vector<std::string> before;
    for (const OptionDecl& d : optionDecls()) before.push_back(d.storedText(*this));
    std::string targetBefore = popupTarget;

    changed_.block();
    // A load starts from the design values, as a freshly made dialog did.
    for (const OptionDecl& d : optionDecls()) d.take(*this, d.design);

    // An empty stored button font colour resets the four button colours and skips their
    // reads; the program colours are read all the same.
    bool schemeEmpty = buttonFontColorStoredEmpty(store);
    if (schemeEmpty) resetButtonSwatches();
    for (const OptionDecl& d : optionDecls()) {
        if (schemeEmpty && colorsTheSampleButton(d.id)) continue;
        d.take(*this, store.read(d.section, d.key, d.storedText(*this)));
    }
    // The engine box is a list: a stored name that is not an entry selects nothing.
    bool listed = false;
    for (auto e : siteEntries()) listed = listed || (e == searchEngine);
    if (!listed) searchEngine.clear();
    popupTarget = kDefaultPopupTarget;
    changed_.unblock();
    stale_ = false;

    cause_ = Cause::Reloaded;
    std::set<OptionId> told;
    auto decls = optionDecls();
    for (std::size_t i = 0; i < decls.size(); ++i) {
        if (decls[i].storedText(*this) != before[i] && told.insert(decls[i].id).second) {
            changed_.emit(decls[i].id, cause_);
        }
    }
    if (popupTarget != targetBefore) changed_.emit(OptionId::PopupTarget, cause_);
    cause_ = Cause::Edited;
}

void OptionsModel::reloadIfStale(const SettingsStore& store) {
    if (stale_) load(store);
}

sigc::connection OptionsModel::follow(const sigc::slot<void(OptionId, Cause)>& apply) {
    std::set<OptionId> told;
    for (const OptionDecl& d : optionDecls()) {
        if (told.insert(d.id).second) apply(d.id, Cause::Loaded);
    }
    return changed_.connect(apply);
}

// ---- Storing ------------------------------------------------------------------------------

template <typename Pred>
std::vector<SettingsStore::Entry> OptionsModel::entriesWhere(Pred pred) const {
    std::vector<SettingsStore::Entry> out;
    for (const OptionDecl& d : optionDecls()) {
        if (pred(d))
            out.push_back({std::string(d.section), std::string(d.key), d.storedText(*this)});
    }
    return out;
}

bool OptionsModel::writeApplied(SettingsStore& store) const {
    return store.writeAll(
        entriesWhere([](const OptionDecl& d) { return d.writer == Writer::Apply; }));
}

bool OptionsModel::writeLocks(SettingsStore& store) const {
    return store.writeAll(
        entriesWhere([](const OptionDecl& d) { return d.writer == Writer::LockApply; }));
}

bool OptionsModel::writeNow(SettingsStore& store, OptionId id) const {
    return store.writeAll(entriesWhere(
        [id](const OptionDecl& d) { return d.id == id && d.writer != Writer::Never; }));
}

// ---- The scheme ---------------------------------------------------------------------------

ButtonLook OptionsModel::sampleLook() const {
    ButtonLook look;
    if (styleChoice >= 0 && styleChoice < static_cast<int>(kStyleCodes.size())) {
        look.style = kStyleCodes[static_cast<std::size_t>(styleChoice)];
    }
    look.fontColor = buttonFontColor;
    look.backColor = buttonBackColor;
    look.highlightColor = buttonHighlightColor;
    look.fontHighlightColor = buttonFontHighlightColor;
    return look;
}

bool OptionsModel::swatchesAtDefaults() const {
    for (const OptionDecl& d : optionDecls()) {
        if (d.section == keys::kButtonColors && d.restore && d.storedText(*this) != *d.restore) {
            return false;
        }
    }
    return true;
}

ColorValue OptionsModel::swatch(Swatch s) const {
    switch (s) {
        case Swatch::FontColor:
            return buttonFontColor;
        case Swatch::HFontColor:
            return buttonFontHighlightColor;
        case Swatch::BackColor:
            return buttonBackColor;
        case Swatch::HBackcolor:
            return buttonHighlightColor;
        case Swatch::ProgramBG:
            return programBackColor;
        case Swatch::ProgramFC:
            return programFontColor;
    }
    return 0;
}

ColorValue OptionsModel::pickerInitial(Swatch s) const {
    // Each picker offers the sample's colour it has always offered; the back-colour
    // pickers start from the sample's font and highlight colours.
    switch (s) {
        case Swatch::FontColor:
        case Swatch::BackColor:
            return buttonFontColor;
        case Swatch::HFontColor:
        case Swatch::HBackcolor:
        case Swatch::ProgramBG:
        case Swatch::ProgramFC:
            return buttonHighlightColor;
    }
    return 0;
}

void OptionsModel::pickSwatch(Swatch s, ColorValue chosen) {
    static constexpr std::array<OptionId, 6> ids{
        OptionId::ButtonFontColor,  OptionId::ButtonFontHighlightColor,
        OptionId::ButtonBackColor,  OptionId::ButtonHighlightColor,
        OptionId::ProgramBackColor, OptionId::ProgramFontColor};
    setNumber(ids[static_cast<std::size_t>(s)], chosen);
}

void OptionsModel::selectStyleChoice(int index) {
    if (index < 0 || index >= static_cast<int>(kStyleCodes.size())) return;
    assign(styleChoice, index, OptionId::StyleChoice);
}

void OptionsModel::restoreScheme() {
    for (const OptionDecl& d : optionDecls()) {
        if (d.restore) d.take(*this, *d.restore);
    }
}

bool OptionsModel::buttonFontColorStoredEmpty(const SettingsStore& store) const {
    return store.read(keys::kButtonColors, keys::kFontColor, stored::color(buttonFontColor))
        .empty();
}

void OptionsModel::resetButtonSwatches() {
    for (const OptionDecl& d : optionDecls()) {
        if (colorsTheSampleButton(d.id) && d.restore) d.take(*this, *d.restore);
    }
}

// ---- Fixed lists --------------------------------------------------------------------------

const std::array<std::string_view, 9>& OptionsModel::siteEntries() {
    static const std::array<std::string_view, 9> entries{
        "AllTheWeb",  "AltaVista", "Ask Jeeves",     "Excite", "Google",
        "MSN Search", "Netscape",  "duckduckgo.com", "Yahoo!"};
    return entries;
}

const std::array<OptionsModel::Page, 8>& OptionsModel::pages() {
    static const std::array<Page, 8> table{{{"Address Bar", "WebAddress"},
                                            {"History", "HistoryLst"},
                                            {"Homepage", "Homepage"},
                                            {"Layout", "Layout"},
                                            {"Misc.", "Misc"},
                                            {"Password Lock", "PassLock"},
                                            {"Privacy", "Privacy"},
                                            {"Progressbar", "Progressbar"}}};
    return table;
}

std::optional<std::string_view> OptionsModel::pageFrame(std::string_view entry) {
    for (const Page& p : pages()) {
        if (p.entry == entry) return p.frame;
    }
    return std::nullopt;
}

}  // namespace larkspan
