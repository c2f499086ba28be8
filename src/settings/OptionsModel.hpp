#pragma once

#include <array>
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
    bool SetHP_Enabled = false;    // "Set": enabled by any change of Text1
    std::string cboSite;           // chosen search engine; design: none chosen

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
    int selectedStyleChoice = 2;  // index into kStyleCodes: "Flat w/ Border"
    ColorValue lblFontColor = 0;
    ColorValue lblHFontColor = 9654050;
    ColorValue lblBackColor = 14215660;
    ColorValue lblHBackcolor = 14737632;
    ColorValue lblProgramBG = kSysButtonFace;
    ColorValue lblProgramFC = 0;
    ButtonLook Example;  // the sample button's look
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

    // Runs the dialog's load from the store, in its order.
    void load(const SettingsStore& store);

    // Button colours of the scheme as Restore sets them.
    static bool swatchesAtDefaults(const OptionsModel& m);
};

}  // namespace larkspan
