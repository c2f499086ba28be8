#pragma once

// The names under which the program keeps its values in the settings store. Every read or
// write of the store names its section and key through these constants; the options among
// them are declared with their forms and defaults in OptionDecls.
//
// The store compares names without regard to letter case, so each key has one spelling
// here whatever case older versions wrote it in.

#include <string_view>

namespace larkspan::keys {

// Sections.
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kButtonColors = "ButtonColors";
inline constexpr std::string_view kWebSearch = "WebSearch";

// Options ("Settings").
inline constexpr std::string_view kHomepage = "Homepage";
inline constexpr std::string_view kBlockedCount = "Blocked#";
inline constexpr std::string_view kPopupAskMe = "PopupBlocker1";
inline constexpr std::string_view kPopupAllow = "PopupBlocker2";
inline constexpr std::string_view kPopupBlock = "PopupBlocker3";
inline constexpr std::string_view kPopupBlockAndAlert = "PopupBlocker30";
inline constexpr std::string_view kBlockedLog = "BlockedLog";
// Pages that ask for a new window open as a tab of the window they came from.
inline constexpr std::string_view kNewWindowsInTabs = "NewWindowsInTabs";
// "1": a start after a clean end restores the last session rather than the home page.
inline constexpr std::string_view kRestoreSession = "RestoreSession";
// "1": the pages' text fields are checked for spelling.
inline constexpr std::string_view kSpellChecking = "SpellChecking";
// "1": pages may draw with the graphics hardware when there is one.
inline constexpr std::string_view kHardwareAcceleration = "HardwareAcceleration";
// "1": pages are filtered by the ad and tracker lists.
inline constexpr std::string_view kBlockAds = "BlockAds";
// The sites where they are not, separated by blanks.
inline constexpr std::string_view kAdsAllowedSites = "AdsAllowedSites";
// "1": only secure connections are used; plain http pages of other machines are stopped.
inline constexpr std::string_view kSecureOnly = "SecureOnly";
inline constexpr std::string_view kShowBlock = "ShowBlock";
inline constexpr std::string_view kAddressFC = "AddressFC";
inline constexpr std::string_view kAddressBG = "AddressBG";
inline constexpr std::string_view kToolbarFont = "toolbarFont";
inline constexpr std::string_view kProgressBar = "ProgressBar";
inline constexpr std::string_view kProgressBarForeColor = "ProgressBarForeColor";
inline constexpr std::string_view kShowText = "ShowText";
inline constexpr std::string_view kShowTextCap = "ShowTextCap";
inline constexpr std::string_view kButton1 = "Button1";
inline constexpr std::string_view kButton2 = "Button2";
inline constexpr std::string_view kButton3 = "Button3";
inline constexpr std::string_view kButton4 = "Button4";
inline constexpr std::string_view kButton5 = "Button5";
inline constexpr std::string_view kHistory = "History";
inline constexpr std::string_view kCheckUpdatesAtStart = "CheckUpdatesAtStart";
inline constexpr std::string_view kSystray = "Systray";
inline constexpr std::string_view kStatusbarVisible1 = "StatusbarVisible1";
inline constexpr std::string_view kSuppressScriptErrors1 = "SuppressScriptErrors1";
inline constexpr std::string_view kPassLockHis = "PassLockHis";
inline constexpr std::string_view kPassLockFav = "PassLockFav";
inline constexpr std::string_view kPassLockOpt = "PassLockOpt";
inline constexpr std::string_view kPassLockEmail = "PassLockEmail";
inline constexpr std::string_view kPassLockBrowser = "PassLockBrowser";

// The lock password's value name; it and its section name ("Settings") are stored
// scrambled, so the password lives apart from the plain "Settings" section.
inline constexpr std::string_view kPass = "Pass";

// The main window's menu ticks, which "Apply" also writes.
inline constexpr std::string_view kStatusBarVisible = "StatusBarVisible";
inline constexpr std::string_view kSuppressScriptErrors = "SuppressScriptErrors";

// The font of the status bar and address box: read with the chosen font as its default.
inline constexpr std::string_view kStatusbarFont = "StatusbarFont";

// The main window's place and size (twips) and state.
inline constexpr std::string_view kMainLeft = "MainLeft";
inline constexpr std::string_view kMainTop = "MainTop";
inline constexpr std::string_view kMainWidth = "MainWidth";
inline constexpr std::string_view kMainHeight = "MainHeight";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kWindowState = "WindowState";

// The update server's address, when set.
inline constexpr std::string_view kUpdateServer = "UpdateServer";

// The colour scheme ("ButtonColors").
inline constexpr std::string_view kFontColor = "FontColor";
inline constexpr std::string_view kFontHighlightColor = "FontHighlightColor";
inline constexpr std::string_view kBackColor = "BackColor";
inline constexpr std::string_view kBackHighlightColor = "BackHighlightColor";
inline constexpr std::string_view kProgramBackColor = "ProgramBackColor";
inline constexpr std::string_view kProgramFontColor = "ProgramFontColor";

// The last search engine ("WebSearch").
inline constexpr std::string_view kLastEngine = "LastEngine";

}  // namespace larkspan::keys
