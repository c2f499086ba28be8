#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/Color.hpp"
#include "common/MakerSite.hpp"
#include "controls/ButtonLook.hpp"

namespace larkspan {

class SettingsStore;

// The live model of the options: one member per control of the options dialog that holds
// an option, named after that control and starting at its design value. Other windows
// consult it; the dialog (when shown) is a view of it. The first touch loads it from the
// store; discarding it ("Cancel") makes the next touch load it again.
struct OptionsModel {
    // Home page and search (Homepage page).
    std::string Text1 = site::kHome;  // home-page box
    bool SetHP_Enabled = false;       // "Set": enabled by any change of Text1
    std::string cboSite;              // chosen search engine; design: none chosen

    // History page.
    bool History = true;  // "Save History"

    // Misc. page.
    bool CheckUpdate = true;      // "&Check for Updates at startup"
    bool Check1 = true;           // "Show &Statusbar"
    bool Minimize = false;        // "Minimize To Systray"
    bool SuppressErrors = false;  // "Suppress &Script Errors"

    // Password Lock page.
    bool LockBrowser = false;
    bool LockFavorites = false;
    bool LockFavorites1 = false;
    bool LockEmail = false;
    bool LockHistory = false;
    bool LockOptions = false;
    std::string EnableCaption = "Unlock";  // `Enable` button
    bool LockablesEnabled = false;         // frame "&Lockables": only while unlocked

    // Privacy page: the popup mode is the one selected of the four option buttons.
    enum class PopupMode { AskMe, Allow, BlockAndAlert, Block };
    PopupMode popupMode = PopupMode::AskMe;  // Option1, Option2, Option30, Option3
    bool Check2 = true;                      // "Show In Browser"
    bool BlockedLog = true;                  // "Log Blocked Popups"
    std::string Combo2 = "Larkspan";         // popup target
    std::string Label25 = "0";               // blocked counter

    // Address Bar page.
    ColorValue Label1 = 0;         // address text colour swatch
    ColorValue Label2 = 16777215;  // address back colour swatch
    std::string lblFontName = "Arial";

    // Layout page: the five style choices Button1..Button5 and their style codes.
    static constexpr std::array<int, 5> kStyleCodes{8, 6, 3, 1, 2};
    // The scheme "Restore" brings back.
    static constexpr int kDefaultStyleChoice = 2;  // "Flat w/ Border"
    static constexpr int kThemeStyleChoice = 1;    // "Windows Theme"
    static constexpr ColorValue kDefaultFontColor = 0;
    static constexpr ColorValue kDefaultHFontColor = 9654050;   // RGB 34,79,147
    static constexpr ColorValue kDefaultBackColor = 14215660;   // RGB 236,233,216
    static constexpr ColorValue kDefaultHBackcolor = 14737632;  // RGB 224,224,224
    int selectedStyleChoice = kDefaultStyleChoice;              // index into kStyleCodes
    ColorValue lblFontColor = kDefaultFontColor;
    ColorValue lblHFontColor = kDefaultHFontColor;
    ColorValue lblBackColor = kDefaultBackColor;
    ColorValue lblHBackcolor = kDefaultHBackcolor;
    ColorValue lblProgramBG = kSysButtonFace;
    ColorValue lblProgramFC = 0;  // design 0; Restore sets the button-text colour
    ButtonLook Example;           // the sample button's look
    bool RestoreB_Enabled = true;

    // Progressbar page.
    ColorValue PBForeColor = 12763842;
    int samplePBValue = 0;
    int samplePBScrolling = 0;
    bool samplePBShowText = false;
    ColorValue samplePBColor = 12763842;
    bool ShowFont = false;                // "Show %" toggle pressed
    std::string ShowFontCaption = "Yes";  // its caption
    bool PBo1 = false;                    // "Smooth" pressed
    bool PBo2 = false;                    // "Standard" pressed

    // Common.
    bool BApply_Enabled = false;  // "Apply": the only record of unsaved changes
    std::string Larkspanlbl;      // version label

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

    // Runs the dialog's load from the store, in its order.
    void load(const SettingsStore& store);

    // True when the six swatches hold exactly what Restore sets.
    static bool swatchesAtDefaults(const OptionsModel& m);

    // The scheme's swatches as the dialog's load and the main window's start-up read them:
    // the six keyed reads, each defaulting to the swatch's colour; whether the button font
    // colour is stored as empty text; and the four button swatches back at their defaults.
    void readSchemeSwatches(const SettingsStore& store);
    bool buttonFontColorStoredEmpty(const SettingsStore& store) const;
    void resetButtonSwatches();

    // ---- The Layout page's rules.
    enum class Swatch { FontColor, HFontColor, BackColor, HBackcolor, ProgramBG, ProgramFC };
    ColorValue swatch(Swatch s) const;
    // A style choice clicked (index into kStyleCodes): the sample takes its style; "Apply"
    // and "Restore" are enabled. Out-of-range indexes change nothing.
    void selectStyleChoice(int index);
    // "Backcolor:" and "Highlight Backcolor:" can be picked for every style but the theme's.
    bool backSwatchesEnabled() const { return selectedStyleChoice != kThemeStyleChoice; }
    // The colour a swatch's picker starts from.
    ColorValue pickerInitial(Swatch s) const;
    // A colour chosen for a swatch: the swatch and its sample property take it; "Apply"
    // and "Restore" are enabled.
    void pickSwatch(Swatch s, ColorValue chosen);
    // "Restore": the default style and colours, in swatches and sample; "Apply" enabled,
    // "Restore" disabled. Nothing is stored.
    void restoreScheme();

    // ---- The Progressbar page's rules.
    // "Smooth" (scroll style 1) and "Standard" (0) act as a pair of option buttons.
    void clickSmooth();
    void clickStandard();
    // The "Show %" toggle now pressed or released: its caption ("No"/"yes") and the
    // sample's percentage display follow; "Apply" is enabled.
    void setShowPercent(bool pressed);
};

}  // namespace larkspan
