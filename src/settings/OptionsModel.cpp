#include "settings/OptionsModel.hpp"

#include "BuildConfig.hpp"
#include "common/StoredValue.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {

namespace {

// A read with the target's own value as default; a value that does not convert leaves
// the target as it was.
struct Reader {
    const SettingsStore& store;
    std::string section = "Settings";

    std::string text(std::string_view key, const std::string& current) const {
        return store.read(section, key, current);
    }
    void tick(std::string_view key, bool& target) const {
        // A check box reads back the decimal number it was written as.
        std::string t = store.read(section, key, stored::tick(target));
        if (auto v = stored::toInt16(t)) target = (*v != 0);
    }
    void truth(std::string_view key, bool& target) const {
        if (auto v = stored::toBool(store.read(section, key, stored::truth(target)))) target = *v;
    }
    void color(std::string_view key, ColorValue& target) const {
        if (auto v = stored::toColor(store.read(section, key, stored::color(target)))) target = *v;
    }
    void int32(std::string_view key, int& target) const {
        if (auto v = stored::toInt32(store.read(section, key, std::to_string(target)))) target = *v;
    }
};

}  // namespace

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

bool OptionsModel::swatchesAtDefaults(const OptionsModel& m) {
    return m.lblFontColor == kDefaultFontColor && m.lblHFontColor == kDefaultHFontColor &&
           m.lblBackColor == kDefaultBackColor && m.lblHBackcolor == kDefaultHBackcolor &&
           m.lblProgramFC == kSysButtonText && m.lblProgramBG == kSysButtonFace;
}

ColorValue OptionsModel::swatch(Swatch s) const {
    switch (s) {
        case Swatch::FontColor:
            return lblFontColor;
        case Swatch::HFontColor:
            return lblHFontColor;
        case Swatch::BackColor:
            return lblBackColor;
        case Swatch::HBackcolor:
            return lblHBackcolor;
        case Swatch::ProgramBG:
            return lblProgramBG;
        case Swatch::ProgramFC:
            return lblProgramFC;
    }
    return 0;
}

void OptionsModel::selectStyleChoice(int index) {
    if (index < 0 || index >= static_cast<int>(kStyleCodes.size())) return;
    selectedStyleChoice = index;
    Example.style = kStyleCodes[static_cast<std::size_t>(index)];
    BApply_Enabled = true;
    RestoreB_Enabled = true;
}

ColorValue OptionsModel::pickerInitial(Swatch s) const {
    // Each picker offers the sample's colour it has always offered; the back-colour
    // pickers start from the sample's font and highlight colours.
    switch (s) {
        case Swatch::FontColor:
        case Swatch::BackColor:
            return Example.fontColor;
        case Swatch::HFontColor:
        case Swatch::HBackcolor:
        case Swatch::ProgramBG:
        case Swatch::ProgramFC:
            return Example.highlightColor;
    }
    return 0;
}

void OptionsModel::pickSwatch(Swatch s, ColorValue chosen) {
    switch (s) {
        case Swatch::FontColor:
            lblFontColor = chosen;
            Example.fontColor = chosen;
            break;
        case Swatch::HFontColor:
            lblHFontColor = chosen;
            Example.fontHighlightColor = chosen;
            break;
        case Swatch::BackColor:
            lblBackColor = chosen;
            Example.backColor = chosen;
            break;
        case Swatch::HBackcolor:
            lblHBackcolor = chosen;
            Example.highlightColor = chosen;
            break;
        case Swatch::ProgramBG:
            lblProgramBG = chosen;
            break;
        case Swatch::ProgramFC:
            lblProgramFC = chosen;
            break;
    }
    BApply_Enabled = true;
    RestoreB_Enabled = true;
}

bool OptionsModel::buttonFontColorStoredEmpty(const SettingsStore& store) const {
    return store.read("ButtonColors", "FontColor", stored::color(lblFontColor)).empty();
}

void OptionsModel::resetButtonSwatches() {
    lblFontColor = kDefaultFontColor;
    lblHFontColor = kDefaultHFontColor;
    lblBackColor = kDefaultBackColor;
    lblHBackcolor = kDefaultHBackcolor;
}

void OptionsModel::readSchemeSwatches(const SettingsStore& store) {
    Reader colors{store, "ButtonColors"};
    colors.color("FontColor", lblFontColor);
    colors.color("FontHighlightColor", lblHFontColor);
    colors.color("BackColor", lblBackColor);
    colors.color("BackHighlightColor", lblHBackcolor);
    colors.color("ProgramBackColor", lblProgramBG);
    colors.color("ProgramFontColor", lblProgramFC);
}

void OptionsModel::restoreScheme() {
    selectStyleChoice(kDefaultStyleChoice);
    resetButtonSwatches();
    lblProgramFC = kSysButtonText;
    lblProgramBG = kSysButtonFace;
    Example.style = kStyleCodes[kDefaultStyleChoice];
    Example.fontColor = kDefaultFontColor;
    Example.backColor = kDefaultBackColor;
    Example.highlightColor = kDefaultHBackcolor;
    Example.fontHighlightColor = kDefaultHFontColor;
    BApply_Enabled = true;
    RestoreB_Enabled = false;
}

void OptionsModel::clickSmooth() {
    samplePBScrolling = 1;
    PBo1 = true;
    PBo2 = false;
    BApply_Enabled = true;
}

void OptionsModel::clickStandard() {
    samplePBScrolling = 0;
    PBo2 = true;
    PBo1 = false;
    BApply_Enabled = true;
}

void OptionsModel::setShowPercent(bool pressed) {
    ShowFont = pressed;
    ShowFontCaption = pressed ? "No" : "yes";
    samplePBShowText = pressed;
    BApply_Enabled = true;
}

void OptionsModel::load(const SettingsStore& store) {
    Reader s{store};
    Reader web{store, "WebSearch"};

    // 1. Update check, home page (its change enables "Set"), search engine.
    s.tick("CheckUpdatesAtStart", CheckUpdate);
    std::string home = s.text("Homepage", Text1);
    if (home != Text1) {
        Text1 = home;
        SetHP_Enabled = true;
    }
    // The engine box is a list: a stored name that is not an entry selects nothing.
    cboSite = web.text("LastEngine", cboSite);
    bool listed = false;
    for (auto e : siteEntries()) listed = listed || (e == cboSite);
    if (!listed) cboSite.clear();

    // 2. Colour scheme: an empty stored font colour resets the four button swatches.
    if (buttonFontColorStoredEmpty(store)) {
        resetButtonSwatches();
    } else {
        readSchemeSwatches(store);
        Example.fontColor = lblFontColor;
        Example.fontHighlightColor = lblHFontColor;
        Example.backColor = lblBackColor;
        Example.highlightColor = lblHBackcolor;
    }

    // 3. Style choices: one read as True is selected, as if clicked.
    for (int i = 0; i < static_cast<int>(kStyleCodes.size()); ++i) {
        bool selected = (selectedStyleChoice == i);
        s.truth("Button" + std::to_string(i + 1), selected);
        if (selected) selectStyleChoice(i);
    }

    // 5. Locks (the last is read in the letter case it has always been read in).
    s.tick("PassLockHis", LockHistory);
    s.tick("PassLockOpt", LockOptions);
    s.tick("PassLockFav", LockFavorites);
    s.tick("PassLockEmail", LockEmail);
    s.tick("PassLockbrowser", LockBrowser);

    // 6, 7. Version label, popup target.
    Larkspanlbl = "Larkspan [Ver " + std::to_string(build::kVersionMajor) + "." +
                  std::to_string(build::kVersionMinor) + "." +
                  std::to_string(build::kVersionRevision) + "]";
    Combo2 = "Larkspan";

    // 8, 9. Address box colours, the Misc. page, font name, history, progress colour.
    s.color("AddressFC", Label1);
    s.color("AddressBG", Label2);
    s.tick("StatusbarVisible1", Check1);
    s.tick("SuppressScriptErrors1", SuppressErrors);
    s.tick("Systray", Minimize);
    s.tick("ShowBlock", Check2);
    lblFontName = s.text("toolbarFont", lblFontName);
    s.tick("History", History);
    s.color("ProgressBarForeColor", PBForeColor);

    // 10. The sample progress bar and the "Show %" caption.
    samplePBValue = 100;
    s.int32("ProgressBar", samplePBScrolling);
    s.truth("ShowText", samplePBShowText);
    samplePBColor = PBForeColor;
    ShowFontCaption = s.text("ShowTextCap", ShowFontCaption);

    // 11. Popup mode, counter, log switch.
    constexpr std::array<std::pair<std::string_view, PopupMode>, 4> modes{
        {{"PopupBlocker1", PopupMode::AskMe},
         {"PopupBlocker2", PopupMode::Allow},
         {"PopupBlocker3", PopupMode::Block},
         {"PopupBlocker30", PopupMode::BlockAndAlert}}};
    for (const auto& [key, mode] : modes) {
        bool selected = (popupMode == mode);
        s.truth(key, selected);
        if (selected) popupMode = mode;
    }
    Label25 = s.text("Blocked#", Label25);
    s.tick("BlockedLog", BlockedLog);

    // 12. The scroll-style pair.
    if (samplePBScrolling == 1) {
        PBo1 = true;
    } else if (samplePBScrolling == 0) {
        PBo2 = true;
    }

    // 13. "Restore" has nothing to do when the scheme is already the default one.
    if (swatchesAtDefaults(*this)) RestoreB_Enabled = false;
}

}  // namespace larkspan
