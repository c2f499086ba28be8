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
        "AllTheWeb", "AltaVista",  "Ask Jeeves",      "Excite", "Google",
        "MSN Search", "Netscape", "duckduckgo.com", "Yahoo!"};
    return entries;
}

bool OptionsModel::swatchesAtDefaults(const OptionsModel& m) {
    return m.lblFontColor == 0 && m.lblHFontColor == 9654050 && m.lblBackColor == 14215660 &&
           m.lblHBackcolor == 14737632 && m.lblProgramFC == kSysButtonText &&
           m.lblProgramBG == kSysButtonFace;
}

void OptionsModel::load(const SettingsStore& store) {
    Reader s{store};
    Reader colors{store, "ButtonColors"};
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
    if (colors.text("FontColor", stored::color(lblFontColor)).empty()) {
        lblFontColor = 0;
        lblHFontColor = 9654050;
        lblBackColor = 14215660;
        lblHBackcolor = 14737632;
    } else {
        colors.color("FontColor", lblFontColor);
        colors.color("FontHighlightColor", lblHFontColor);
        colors.color("BackColor", lblBackColor);
        colors.color("BackHighlightColor", lblHBackcolor);
        colors.color("ProgramBackColor", lblProgramBG);
        colors.color("ProgramFontColor", lblProgramFC);
        Example.fontColor = lblFontColor;
        Example.fontHighlightColor = lblHFontColor;
        Example.backColor = lblBackColor;
        Example.highlightColor = lblHBackcolor;
    }

    // 3. Style choices: one read as True is selected, as if clicked.
    for (int i = 0; i < 5; ++i) {
        bool selected = (selectedStyleChoice == i);
        s.truth("Button" + std::to_string(i + 1), selected);
        if (selected) {
            selectedStyleChoice = i;
            Example.style = kStyleCodes[static_cast<std::size_t>(i)];
            BApply_Enabled = true;
            RestoreB_Enabled = true;
        }
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
