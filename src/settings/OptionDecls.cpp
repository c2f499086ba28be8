#include "settings/OptionDecls.hpp"

#include <vector>

#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "settings/SettingsKeys.hpp"

namespace larkspan {

namespace {

using M = OptionsModel;
using Mode = OptionsModel::PopupMode;

std::string colorText(ColorValue c) {
    return stored::color(c);
}

// The scheme's defaults, which "Restore" brings back: the desktop theme's colours, so that
// a button look the user never chose follows the theme (a dark one included).
constexpr ColorValue kDefaultFontColor = kSysButtonText;
constexpr ColorValue kDefaultHFontColor = kSysHotText;
constexpr ColorValue kDefaultBackColor = kSysButtonFace;
constexpr ColorValue kDefaultHBackcolor = kSysButtonHover;
constexpr int kDefaultStyleChoice = 2;  // "Flat w/ Border"

std::vector<OptionDecl> makeDecls() {
    using enum StoredForm;
    using W = Writer;
    const std::string yes = stored::truth(true);
    const std::string no = stored::truth(false);
    auto style = [&](OptionId id, std::string_view key, int index) {
        bool design = index == kDefaultStyleChoice;
        return OptionDecl{id,    keys::kSettings,   key,
                          Truth, W::Apply,          &M::styleChoice,
                          index, design ? yes : no, design ? yes : no};
    };
    auto mode = [&](std::string_view key, Mode m) {
        return OptionDecl{OptionId::PopupMode,
                          keys::kSettings,
                          key,
                          Truth,
                          W::Apply,
                          &M::popupMode,
                          static_cast<int>(m),
                          m == Mode::AskMe ? yes : no,
                          std::nullopt};
    };
    auto plain = [](OptionId id, std::string_view section, std::string_view key, StoredForm form,
                    Writer writer, auto member, std::string design,
                    std::optional<std::string> restore = std::nullopt) {
        return OptionDecl{id, section, key, form, writer, member, std::nullopt, design, restore};
    };
    // The options dialog's control that shows the option.
    auto on = [](std::string_view control, OptionDecl d) {
        d.control = control;
        return d;
    };
    const auto S = keys::kSettings;
    const auto C = keys::kButtonColors;
    return {
        // "Apply", in the order it has always written.
        on("Button1", style(OptionId::StyleChoice, keys::kButton1, 0)),
        on("Button2", style(OptionId::StyleChoice, keys::kButton2, 1)),
        on("Button3", style(OptionId::StyleChoice, keys::kButton3, 2)),
        on("Button4", style(OptionId::StyleChoice, keys::kButton4, 3)),
        on("Button5", style(OptionId::StyleChoice, keys::kButton5, 4)),
        on("Option1", mode(keys::kPopupAskMe, Mode::AskMe)),
        on("Option2", mode(keys::kPopupAllow, Mode::Allow)),
        on("Option3", mode(keys::kPopupBlock, Mode::Block)),
        on("Option30", mode(keys::kPopupBlockAndAlert, Mode::BlockAndAlert)),
        on("Label25", plain(OptionId::BlockedCount, S, keys::kBlockedCount, Text, W::Apply,
                            &M::blockedCount, "0")),
        on("Check2", plain(OptionId::ShowInBrowser, S, keys::kShowBlock, Tick, W::Apply,
                           &M::showInBrowser, "1")),
        on("PBForeColor", plain(OptionId::ProgressColor, S, keys::kProgressBarForeColor, Color,
                                W::Apply, &M::progressColor, colorText(12763842))),
        on("lblFontName",
           plain(OptionId::FontName, S, keys::kToolbarFont, Text, W::Apply, &M::fontName, "Arial")),
        // Colours the user has not chosen are the theme's: they are stored as system
        // colours and so follow the desktop (a dark theme gets light text on dark boxes).
        on("Label1", plain(OptionId::AddressTextColor, S, keys::kAddressFC, Color, W::Apply,
                           &M::addressTextColor, colorText(kSysWindowText))),
        on("Label2", plain(OptionId::AddressBackColor, S, keys::kAddressBG, Color, W::Apply,
                           &M::addressBackColor, colorText(kSysWindow))),
        on("Minimize", plain(OptionId::MinimizeToTray, S, keys::kSystray, Tick, W::Apply,
                             &M::minimizeToTray, "0")),
        // The check box and the main window's menu tick are one option kept under two keys,
        // both written together; the tick's key is read last, as the window wrote it last.
        on("SuppressErrors", plain(OptionId::SuppressScriptErrors, S, keys::kSuppressScriptErrors1,
                                   Tick, W::Apply, &M::suppressScriptErrors, "0")),
        plain(OptionId::SuppressScriptErrors, S, keys::kSuppressScriptErrors, Truth, W::Apply,
              &M::suppressScriptErrors, no),
        on("lblFontColor",
           plain(OptionId::ButtonFontColor, C, keys::kFontColor, Color, W::Apply,
                 &M::buttonFontColor, colorText(kDefaultFontColor), colorText(kDefaultFontColor))),
        on("lblHFontColor", plain(OptionId::ButtonFontHighlightColor, C, keys::kFontHighlightColor,
                                  Color, W::Apply, &M::buttonFontHighlightColor,
                                  colorText(kDefaultHFontColor), colorText(kDefaultHFontColor))),
        on("lblBackColor",
           plain(OptionId::ButtonBackColor, C, keys::kBackColor, Color, W::Apply,
                 &M::buttonBackColor, colorText(kDefaultBackColor), colorText(kDefaultBackColor))),
        on("lblHBackcolor", plain(OptionId::ButtonHighlightColor, C, keys::kBackHighlightColor,
                                  Color, W::Apply, &M::buttonHighlightColor,
                                  colorText(kDefaultHBackcolor), colorText(kDefaultHBackcolor))),
        on("lblProgramBG",
           plain(OptionId::ProgramBackColor, C, keys::kProgramBackColor, Color, W::Apply,
                 &M::programBackColor, colorText(kSysButtonFace), colorText(kSysButtonFace))),
        // The theme's button text colour, to be read on the theme's button face.
        on("lblProgramFC",
           plain(OptionId::ProgramFontColor, C, keys::kProgramFontColor, Color, W::Apply,
                 &M::programFontColor, colorText(kSysButtonText), colorText(kSysButtonText))),
        plain(OptionId::ScrollStyle, S, keys::kProgressBar, Integer, W::Apply, &M::scrollStyle,
              "0"),
        on("History",
           plain(OptionId::SaveHistory, S, keys::kHistory, Tick, W::Apply, &M::saveHistory, "1")),
        on("CheckUpdate", plain(OptionId::CheckUpdates, S, keys::kCheckUpdatesAtStart, Tick,
                                W::Apply, &M::checkUpdates, "1")),
        on("Check1", plain(OptionId::StatusBar, S, keys::kStatusbarVisible1, Tick, W::Apply,
                           &M::statusBar, "1")),
        plain(OptionId::StatusBar, S, keys::kStatusBarVisible, Truth, W::Apply, &M::statusBar, yes),
        on("BlockedLog",
           plain(OptionId::LogBlocked, S, keys::kBlockedLog, Tick, W::Apply, &M::logBlocked, "1")),
        on("optRestoreSession", plain(OptionId::RestoreSession, S, keys::kRestoreSession, Tick,
                                      W::Apply, &M::restoreSession, "0")),
        on("NewWindowsInTabs", plain(OptionId::NewWindowsInTabs, S, keys::kNewWindowsInTabs, Tick,
                                     W::Apply, &M::newWindowsInTabs, "0")),
        on("chkSpellChecking", plain(OptionId::SpellChecking, S, keys::kSpellChecking, Tick,
                                     W::Apply, &M::spellChecking, "1")),
        on("chkHardwareAcceleration",
           plain(OptionId::HardwareAcceleration, S, keys::kHardwareAcceleration, Tick, W::Apply,
                 &M::hardwareAcceleration, "1")),
        on("BlockAds",
           plain(OptionId::BlockAds, S, keys::kBlockAds, Tick, W::Apply, &M::blockAds, "1")),
        on("chkSecureOnly",
           plain(OptionId::SecureOnly, S, keys::kSecureOnly, Tick, W::Apply, &M::secureOnly, "0")),

        // "Apply Changes" of the lock page.
        on("LockHistory", plain(OptionId::LockHistory, S, keys::kPassLockHis, Tick, W::LockApply,
                                &M::lockHistory, "0")),
        on("LockFavorites", plain(OptionId::LockFavorites, S, keys::kPassLockFav, Tick,
                                  W::LockApply, &M::lockFavorites, "0")),
        on("LockOptions", plain(OptionId::LockOptions, S, keys::kPassLockOpt, Tick, W::LockApply,
                                &M::lockOptions, "0")),
        on("LockEmail", plain(OptionId::LockEmail, S, keys::kPassLockEmail, Tick, W::LockApply,
                              &M::lockEmail, "0")),
        on("LockBrowser", plain(OptionId::LockBrowser, S, keys::kPassLockBrowser, Tick,
                                W::LockApply, &M::lockBrowser, "0")),

        // Stored by their own controls as soon as they change.
        on("Text1", plain(OptionId::HomePage, S, keys::kHomepage, Text, W::AtOnce, &M::homePage,
                          std::string(site::kHome))),
        on("cboSite", plain(OptionId::SearchEngine, keys::kWebSearch, keys::kLastEngine, Text,
                            W::AtOnce, &M::searchEngine, "")),
        plain(OptionId::ShowPercent, S, keys::kShowText, Truth, W::AtOnce, &M::showPercent, no),
        // Stored as soon as a site is allowed or taken off.
        plain(OptionId::AdsAllowedSites, S, keys::kAdsAllowedSites, Text, W::AtOnce,
              &M::adsAllowedSites, ""),
        plain(OptionId::ShowPercentCaption, S, keys::kShowTextCap, Text, W::AtOnce,
              &M::showPercentCaption, "No"),

        // A status-bar font of earlier versions; without it the bar takes the chosen font.
        plain(OptionId::StatusBarFont, S, keys::kStatusbarFont, Text, W::Never, &M::statusBarFont,
              ""),
    };
}

template <typename... F>
struct Overload : F... {
    using F::operator()...;
};
template <typename... F>
Overload(F...) -> Overload<F...>;

}  // namespace

std::span<const OptionDecl> optionDecls() {
    static const std::vector<OptionDecl> decls = makeDecls();
    return decls;
}

const OptionDecl* findDecl(OptionId id) {
    for (const OptionDecl& d : optionDecls()) {
        if (d.id == id) return &d;
    }
    return nullptr;
}

std::string OptionDecl::storedText(const OptionsModel& m) const {
    return std::visit(
        Overload{[&](bool M::*p) {
                     return form == StoredForm::Tick ? stored::tick(m.*p) : stored::truth(m.*p);
                 },
                 [&](int M::*p) {
                     if (choice) return stored::truth(m.*p == *choice);
                     return std::to_string(m.*p);
                 },
                 [&](std::string M::*p) { return m.*p; },
                 [&](Mode M::*p) { return stored::truth(static_cast<int>(m.*p) == choice); }},
        member);
}

bool OptionDecl::take(OptionsModel& m, std::string_view text) const {
    // A choice read as selected becomes the option's value; read as clear, it changes nothing.
    auto chosen = [&]() -> bool {
        auto v = stored::toBool(text);
        return v && *v;
    };
    return std::visit(Overload{[&](bool M::*) {
                                   // A check box reads back the number it was written as,
                                   // or a truth word where one was stored.
                                   std::optional<bool> v;
                                   if (form == StoredForm::Tick) {
                                       // The blocked-popup log is on only at exactly 1.
                                       if (auto n = stored::toInt16(text)) {
                                           v = id == OptionId::LogBlocked ? *n == 1 : *n != 0;
                                       } else {
                                           v = stored::toBool(text);
                                       }
                                   } else {
                                       v = stored::toBool(text);
                                   }
                                   if (v) m.setFlag(id, *v);
                                   return v.has_value();
                               },
                               [&](int M::*) {
                                   if (choice) {
                                       if (!chosen()) return false;
                                       if (id == OptionId::StyleChoice) {
                                           m.selectStyleChoice(*choice);
                                       } else {
                                           m.setNumber(id, *choice);
                                       }
                                       return true;
                                   }
                                   auto v = form == StoredForm::Color ? stored::toColor(text)
                                                                      : stored::toInt32(text);
                                   if (v) m.setNumber(id, *v);
                                   return v.has_value();
                               },
                               [&](std::string M::*) {
                                   m.setText(id, std::string(text));
                                   return true;
                               },
                               [&](Mode M::*) {
                                   if (!choice) return false;
                                   auto mode = static_cast<Mode>(*choice);
                                   if (chosen()) {
                                       m.setPopupMode(mode);
                                       return true;
                                   }
                                   // Clearing the button that holds the mode leaves no
                                   // mode selected.
                                   auto v = stored::toBool(text);
                                   if (!v) return false;
                                   if (m.popupMode == mode) m.setPopupMode(Mode::None);
                                   return true;
                               }},
                      member);
}

}  // namespace larkspan
