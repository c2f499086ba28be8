#pragma once

#include <sigc++/connection.h>
#include <sigc++/signal.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Color.hpp"
#include "controls/ButtonLook.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {

// The options, one id each; the change signal names the option that changed.
enum class OptionId {
    HomePage,
    SearchEngine,
    SaveHistory,
    CheckUpdates,
    StatusBar,
    MinimizeToTray,
    SuppressScriptErrors,
    LockBrowser,
    LockFavorites,
    LockEmail,
    LockHistory,
    LockOptions,
    PopupMode,
    ShowInBrowser,
    LogBlocked,
    PopupTarget,
    BlockedCount,
    AddressTextColor,
    AddressBackColor,
    FontName,
    StyleChoice,
    ButtonFontColor,
    ButtonFontHighlightColor,
    ButtonBackColor,
    ButtonHighlightColor,
    ProgramBackColor,
    ProgramFontColor,
    ProgressColor,
    ScrollStyle,
    ShowPercent,
    ShowPercentCaption,
    StatusBarFont,
    NewWindowsInTabs,
    RestoreSession,
    SpellChecking,
    HardwareAcceleration,
    BlockAds,
    AdsAllowedSites,
    SecureOnly,
};

// The live model of the options. It starts at the design values, the first touch loads it
// from the store, and it lives for the whole run: the options dialog is one view of it and
// every window that shows an option observes it. Every change goes through a setter, which
// signals the option that changed. "Cancel" in the options dialog marks it stale; the next
// touch reloads it from the store and signals each option whose value the reload changed.
class OptionsModel {
  public:
    OptionsModel();
    OptionsModel(const OptionsModel&) = delete;
    OptionsModel& operator=(const OptionsModel&) = delete;

    // `None`: the stored mode keys select no mode.
    enum class PopupMode { AskMe, Allow, BlockAndAlert, Block, None };

    // ---- Values (read them directly; change them through the setters).
    std::string homePage;
    std::string searchEngine;  // one of siteEntries(), or empty for none chosen
    bool saveHistory = false;
    bool checkUpdates = false;
    bool statusBar = false;
    bool minimizeToTray = false;
    bool suppressScriptErrors = false;
    bool lockBrowser = false;
    bool lockFavorites = false;
    bool lockEmail = false;
    bool lockHistory = false;
    bool lockOptions = false;
    PopupMode popupMode = PopupMode::AskMe;
    bool showInBrowser = false;
    bool logBlocked = false;
    // Pages asking for a new window get a tab of the window they came from.
    bool newWindowsInTabs = false;
    // A start after a clean end brings back the last session ("When Larkspan starts").
    bool restoreSession = false;
    // The pages' text fields are checked for spelling.
    bool spellChecking = false;
    // Pages may draw with the graphics hardware.
    bool hardwareAcceleration = false;
    // Pages are filtered by the ad and tracker lists (where any are present).
    bool blockAds = false;
    // The sites where they are not, separated by blanks.
    std::string adsAllowedSites;
    // Plain http pages of other machines are not loaded unless the user lets them through.
    bool secureOnly = false;
    std::string popupTarget;   // where allowed popups open; never stored
    std::string blockedCount;  // the blocked-popup counter, as text
    ColorValue addressTextColor = 0;
    ColorValue addressBackColor = 0;
    std::string fontName;
    int styleChoice = 0;  // index into kStyleCodes
    ColorValue buttonFontColor = 0;
    ColorValue buttonFontHighlightColor = 0;
    ColorValue buttonBackColor = 0;
    ColorValue buttonHighlightColor = 0;
    ColorValue programBackColor = 0;
    ColorValue programFontColor = 0;
    ColorValue progressColor = 0;
    int scrollStyle = 0;  // 0 standard, 1 smooth
    bool showPercent = false;
    std::string showPercentCaption;  // the "Show %" toggle's stored caption
    std::string statusBarFont;       // a font kept for the status bar; empty: fontName

    // The font of the status bar and the address box.
    const std::string& barFont() const { return statusBarFont.empty() ? fontName : statusBarFont; }

    // ---- Changes.
    enum class Cause {
        Edited,    // a window changed it
        Reloaded,  // a reload after "Cancel" brought the stored value back
        Loaded,    // a window that starts following the options takes it up
    };
    sigc::signal<void(OptionId, Cause)>& signalChanged() { return changed_; }
    // Hands every declared option to `apply` (as loaded), then each change as it comes: a
    // window takes up the options through the same handler as their later changes.
    sigc::connection follow(const sigc::slot<void(OptionId, Cause)>& apply);
    // "Apply": the options that take effect only then are to be taken up now.
    sigc::signal<void()>& signalApplied() { return applied_; }

    void setFlag(OptionId id, bool value);
    void setNumber(OptionId id, int value);  // also colours
    void setText(OptionId id, const std::string& value);
    void setPopupMode(PopupMode mode);

    // ---- Loading.
    // Reads every option from the store, signalling each that changed (as reloaded).
    void load(const SettingsStore& store);
    void markStale() { stale_ = true; }
    bool stale() const { return stale_; }
    // The next touch after "Cancel": loads again when stale.
    void reloadIfStale(const SettingsStore& store);

    // ---- Storing.
    // The writes "Apply" makes, in one transaction; false when nothing was stored.
    bool writeApplied(SettingsStore& store) const;
    // The lock page's "Apply Changes".
    bool writeLocks(SettingsStore& store) const;
    // An option that is stored as soon as it changes (a control of the options dialog, a
    // menu tick, a counter): every key it is kept under, in one transaction.
    bool writeNow(SettingsStore& store, OptionId id) const;
    // Tells the observers that the options were applied.
    void applied() { applied_.emit(); }

    // ---- The scheme.
    // The five style choices and their button style codes.
    static constexpr std::array<int, 5> kStyleCodes{8, 6, 3, 1, 2};
    static constexpr int kThemeStyleChoice = 1;  // "Windows Theme"
    // The sample button's look: the chosen style and the four button colours.
    ButtonLook sampleLook() const;
    // True when the six swatches hold exactly what "Restore" sets.
    bool swatchesAtDefaults() const;
    // "Backcolor:" and "Highlight Backcolor:" can be picked for every style but the theme's.
    bool backSwatchesEnabled() const { return styleChoice != kThemeStyleChoice; }
    enum class Swatch { FontColor, HFontColor, BackColor, HBackcolor, ProgramBG, ProgramFC };
    ColorValue swatch(Swatch s) const;
    // The colour a swatch's picker starts from.
    ColorValue pickerInitial(Swatch s) const;
    void pickSwatch(Swatch s, ColorValue chosen);
    // A style choice; out-of-range indexes change nothing.
    void selectStyleChoice(int index);
    // The default style and colours. Nothing is stored.
    void restoreScheme();

    // ---- Fixed lists of the options dialog.
    // The nine engine names the engine box offers, in list order.
    static const std::array<std::string_view, 9>& siteEntries();
    // The pages: list entry and the frame it shows, in list order.
    struct Page {
        std::string_view entry;
        std::string_view frame;
    };
    static const std::array<Page, 8>& pages();
    // The frame an entry shows; none for text that names no page.
    static std::optional<std::string_view> pageFrame(std::string_view entry);

  private:
    // Whether the button font colour is stored as empty text; the four button colours back
    // at their defaults.
    bool buttonFontColorStoredEmpty(const SettingsStore& store) const;
    void resetButtonSwatches();

    template <typename T>
    void assign(T& member, const T& value, OptionId id);
    template <typename Pred>
    std::vector<SettingsStore::Entry> entriesWhere(Pred pred) const;

    sigc::signal<void(OptionId, Cause)> changed_;
    sigc::signal<void()> applied_;
    bool stale_ = false;
    Cause cause_ = Cause::Edited;
};

}  // namespace larkspan
