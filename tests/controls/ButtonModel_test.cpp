// The styled button's rules without any window: defaults, stored properties, the visual
// state machine with its events, and the colours per state.
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/ButtonModel.hpp"

using namespace larkspan;

namespace {

// Records the control's events in the order they are raised.
struct EventLog {
    std::vector<std::string> events;
    explicit EventLog(ButtonModel& m) {
        m.signalClick().connect([this] { events.push_back("Click"); });
        m.signalMouseEnter().connect([this] { events.push_back("MouseEnter"); });
        m.signalMouseLeave().connect([this] { events.push_back("MouseLeave"); });
        m.signalTooltipShow().connect([this] { events.push_back("tooltip+"); });
        m.signalTooltipHide().connect([this] { events.push_back("tooltip-"); });
    }
    int count(const std::string& e) const {
        return static_cast<int>(std::count(events.begin(), events.end(), e));
    }
};

}  // namespace

// ---- Defaults and stored properties ---------------------------------------------------------

TEST(ButtonModelDefaults, NewButtonStartsWithLookZeroAndItsOwnName) {
    ButtonModel m("cmdDelete");
    EXPECT_EQ(m.version(), "1.0.0");
    EXPECT_EQ(m.style(), 0);
    EXPECT_EQ(m.caption(), "cmdDelete");
    EXPECT_FALSE(m.icon());
    EXPECT_EQ(m.iconAlign(), 1);
    EXPECT_EQ(m.iconSize(), 16);
    EXPECT_EQ(m.captionAlign(), 0);
    EXPECT_EQ(m.nonThemeStyle(), 5);
    EXPECT_TRUE(m.enabled());
    EXPECT_FALSE(m.showFocus());
    EXPECT_FALSE(m.useCustomColors());
    EXPECT_EQ(m.backColor(), kSysButtonFace);
    EXPECT_EQ(m.highlightColor(), kSysHighlight);
    EXPECT_EQ(m.fontColor(), kSysButtonText);
    EXPECT_EQ(m.fontHighlightColor(), kSysButtonText);
    EXPECT_EQ(m.toolTipText(), "");
    EXPECT_EQ(m.toolTipTitle(), "");
    EXPECT_EQ(m.toolTipIcon(), 0);
    EXPECT_EQ(m.toolTipType(), 1);
    EXPECT_TRUE(m.toolTipIsBalloon());
    EXPECT_EQ(m.toolTipBackColor(), 0);
    EXPECT_EQ(m.toolTipForeColor(), 0);
    EXPECT_EQ(m.buttonType(), 0);
    EXPECT_EQ(m.mousePointer(), 0);
    EXPECT_FALSE(m.value());
    EXPECT_EQ(m.maskColor(), packRgb(192, 192, 192));
    EXPECT_FALSE(m.useMaskColor());
    EXPECT_TRUE(m.roundedBordersByTheme());
    EXPECT_FALSE(m.rightToLeft());
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
    EXPECT_FALSE(m.propertiesChanged());
}

TEST(ButtonModelProperties, ReadingAnEmptyBagGivesLookThreeAndTheControlsName) {
    ButtonModel m("cmdX");
    m.setStyle(9);
    m.setUseCustomColors(true);
    m.readProperties(ButtonPropertyBag{});
    EXPECT_EQ(m.style(), 3);
    EXPECT_EQ(m.caption(), "StyledButton");
    EXPECT_FALSE(m.useCustomColors());
    EXPECT_FALSE(m.propertiesChanged());
}

TEST(ButtonModelProperties, WrittenPropertiesReadBackUnderTheirStoredNames) {
    ButtonModel a("a");
    a.setStyle(8);
    a.setCaption("&Unlock");
    a.setIconAlign(3);
    a.setIconSize(24);
    a.setCaptionAlign(2);
    a.setNonThemeStyle(1);
    a.setEnabled(false);
    a.setShowFocus(true);
    a.setUseCustomColors(true);
    a.setBackColor(14215660);
    a.setHighlightColor(14737632);
    a.setFontColor(0);
    a.setFontHighlightColor(9654050);
    a.setToolTipText("Opens the lock");
    a.setToolTipTitle("Lock");
    a.setToolTipIcon(2);
    a.setToolTipType(0);
    a.setToolTipBackColor(packRgb(1, 2, 3));
    a.setToolTipForeColor(packRgb(4, 5, 6));
    a.setFont("Serif Bold 11");
    a.setButtonType(1);
    a.setMousePointer(11);
    a.setValue(true);
    a.setMaskColor(packRgb(255, 0, 255));
    a.setUseMaskColor(true);
    a.setRoundedBordersByTheme(false);
    a.setRightToLeft(true);
    EXPECT_TRUE(a.propertiesChanged());

    ButtonPropertyBag bag;
    a.writeProperties(bag);
    // The names the control has always stored under, including their odd spellings.
    for (const char* name : {"Style",
                             "Caption",
                             "IconAlign",
                             "IconSize",
                             "CaptionAlign",
                             "iNonThemeStyle",
                             "Enabled",
                             "ShowFocus",
                             "USeCustomColors",
                             "BackColor",
                             "HighlightColor",
                             "FontColor",
                             "FontHighlightColor",
                             "ToolTipText",
                             "Tooltiptitle",
                             "ToolTipIcon",
                             "ToolTipType",
                             "ttBackColor",
                             "ttForeColor",
                             "Font",
                             "ButtonType",
                             "MousePointer",
                             "Value",
                             "MaskColor",
                             "UseMaskColor",
                             "RoundedBordersByTheme",
                             "bRTLText"}) {
        EXPECT_TRUE(bag.contains(name)) << name;
    }
    EXPECT_EQ(bag.read("USeCustomColors"), "True");
    EXPECT_EQ(bag.read("FontHighlightColor"), "9654050");

    ButtonModel b("b");
    b.readProperties(bag);
    EXPECT_EQ(b.style(), 8);
    EXPECT_EQ(b.caption(), "&Unlock");
    EXPECT_EQ(b.iconAlign(), 3);
    EXPECT_EQ(b.iconSize(), 24);
    EXPECT_EQ(b.captionAlign(), 2);
    EXPECT_EQ(b.nonThemeStyle(), 1);
    EXPECT_FALSE(b.enabled());
    EXPECT_TRUE(b.showFocus());
    EXPECT_TRUE(b.useCustomColors());
    EXPECT_EQ(b.backColor(), 14215660);
    EXPECT_EQ(b.highlightColor(), 14737632);
    EXPECT_EQ(b.fontColor(), 0);
    EXPECT_EQ(b.fontHighlightColor(), 9654050);
    EXPECT_EQ(b.toolTipText(), "Opens the lock");
    EXPECT_EQ(b.toolTipTitle(), "Lock");
    EXPECT_EQ(b.toolTipIcon(), 2);
    EXPECT_EQ(b.toolTipType(), 0);
    EXPECT_EQ(b.toolTipBackColor(), packRgb(1, 2, 3));
    EXPECT_EQ(b.toolTipForeColor(), packRgb(4, 5, 6));
    EXPECT_EQ(b.font(), "Serif Bold 11");
    EXPECT_EQ(b.buttonType(), 1);
    EXPECT_EQ(b.mousePointer(), 11);
    EXPECT_TRUE(b.value());
    EXPECT_EQ(b.maskColor(), packRgb(255, 0, 255));
    EXPECT_TRUE(b.useMaskColor());
    EXPECT_FALSE(b.roundedBordersByTheme());
    EXPECT_TRUE(b.rightToLeft());
}

TEST(ButtonModelProperties, NamesMatchWithoutRegardToCaseAndSystemColoursSurvive) {
    ButtonPropertyBag bag;
    bag.write("STYLE", "2");
    bag.write("usecustomcolors", "true");
    bag.write("backcolor", std::to_string(kSysButtonFace));
    bag.write("TOOLTIPTITLE", "Title");
    ButtonModel m;
    m.readProperties(bag);
    EXPECT_EQ(m.style(), 2);
    EXPECT_TRUE(m.useCustomColors());
    EXPECT_EQ(m.backColor(), kSysButtonFace);
    EXPECT_EQ(m.toolTipTitle(), "Title");
    bag.write("Style", "7");  // the same entry, whatever its case
    EXPECT_EQ(bag.size(), 4u);
    EXPECT_EQ(bag.read("style"), "7");
}

TEST(ButtonModelProperties, MalformedOrOutOfRangeStoredValuesFallBackToDefaults) {
    ButtonPropertyBag bag;
    bag.write("Style", "11");
    bag.write("IconAlign", "-1");
    bag.write("IconSize", "99999999");
    bag.write("iNonThemeStyle", "five");
    bag.write("Enabled", "maybe");
    bag.write("BackColor", "0x123");
    bag.write("ButtonType", "2");
    bag.write("Icon", "!!! not a picture !!!");
    bag.write("Caption", std::string("Bad \xff\xfe bytes"));
    ButtonModel m;
    m.readProperties(bag);
    EXPECT_EQ(m.style(), 3);
    EXPECT_EQ(m.iconAlign(), 1);
    EXPECT_EQ(m.iconSize(), 16);
    EXPECT_EQ(m.nonThemeStyle(), 5);
    EXPECT_TRUE(m.enabled());
    EXPECT_EQ(m.backColor(), kSysButtonFace);
    EXPECT_EQ(m.buttonType(), 0);
    EXPECT_FALSE(m.icon());
    EXPECT_EQ(m.caption(), std::string("Bad \xff\xfe bytes"));  // kept as stored
}

TEST(ButtonModelProperties, SettersRejectValuesOutOfRangeAndKeepTheOldValue) {
    ButtonModel m;
    EXPECT_FALSE(m.setStyle(11));
    EXPECT_FALSE(m.setStyle(-1));
    EXPECT_EQ(m.style(), 0);
    EXPECT_FALSE(m.setIconAlign(5));
    EXPECT_FALSE(m.setIconSize(-3));
    EXPECT_FALSE(m.setButtonType(2));
    EXPECT_FALSE(m.setNonThemeStyle(42));
    EXPECT_FALSE(m.propertiesChanged());
    EXPECT_TRUE(m.setStyle(10));
    EXPECT_TRUE(m.propertiesChanged());
}

TEST(ButtonModelProperties, DrawingPropertiesAskForARedraw) {
    ButtonModel m;
    int redraws = 0;
    m.signalRedraw().connect([&] { ++redraws; });
    m.setCaption("x");
    m.setStyle(4);
    m.setBackColor(255);
    EXPECT_EQ(redraws, 3);
    m.setToolTipText("tip");  // not drawn on the button
    EXPECT_EQ(redraws, 3);
}

// ---- Captions -----------------------------------------------------------------------------

TEST(ButtonCaption, AmpersandMarksTheAccessKeyAndDoubledAmpersandIsLiteral) {
    CaptionText c = parseCaption("&Save");
    EXPECT_EQ(c.text, "Save");
    EXPECT_EQ(c.accessKey, static_cast<std::uint32_t>('s'));
    EXPECT_EQ(c.underlineStart, 0);
    EXPECT_EQ(c.underlineEnd, 1);

    c = parseCaption("Fish && &Chips");
    EXPECT_EQ(c.text, "Fish & Chips");
    EXPECT_EQ(c.accessKey, static_cast<std::uint32_t>('c'));
    EXPECT_EQ(c.underlineStart, 7);

    c = parseCaption("A && B");
    EXPECT_EQ(c.text, "A & B");
    EXPECT_EQ(c.accessKey, 0u);
    EXPECT_EQ(c.underlineStart, -1);

    c = parseCaption("E&xit &Now");  // only the first marker gives the key
    EXPECT_EQ(c.text, "Exit Now");
    EXPECT_EQ(c.accessKey, static_cast<std::uint32_t>('x'));

    c = parseCaption("Trailing&");
    EXPECT_EQ(c.text, "Trailing");
    EXPECT_EQ(c.accessKey, 0u);
}

TEST(ButtonCaption, MultiByteKeysAndBrokenBytesAreSafe) {
    CaptionText c = parseCaption(
        "&\xC3\x9C"
        "ber");  // "&Über"
    EXPECT_EQ(c.text,
              "\xC3\x9C"
              "ber");
    EXPECT_EQ(c.accessKey, 0xFCu);  // ü
    EXPECT_EQ(c.underlineEnd - c.underlineStart, 2);

    c = parseCaption(std::string("&\xff\xfe&"));
    EXPECT_TRUE(g_utf8_validate(c.text.c_str(), -1, nullptr));
}

// ---- State machine --------------------------------------------------------------------------

TEST(ButtonStateMachine, OnePassOfThePointerRaisesOneEnterAndOneLeave) {
    ButtonModel m;
    EventLog log(m);
    m.mouseMove(true);
    EXPECT_TRUE(m.tracking());
    EXPECT_EQ(m.state(), ButtonVisualState::Hot);
    for (int i = 0; i < 20; ++i) m.mouseMove(true);
    m.mouseLeave();
    m.mouseLeave();  // a stray second leave
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
    EXPECT_FALSE(m.tracking());
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"MouseEnter", "tooltip+", "tooltip-", "MouseLeave"}));

    m.mouseMove(false);  // moves outside the shape start nothing
    EXPECT_EQ(log.count("MouseEnter"), 1);
    m.mouseMove(true);
    m.mouseLeave();
    EXPECT_EQ(log.count("MouseEnter"), 2);
    EXPECT_EQ(log.count("MouseLeave"), 2);
}

TEST(ButtonStateMachine, TabEndsThePassOnceSoEnterAndLeaveStayPaired) {
    ButtonModel m;
    EventLog log(m);
    m.tabKey();  // no pass yet: nothing to end
    EXPECT_EQ(log.count("MouseLeave"), 0);
    m.mouseMove(true);
    m.tabKey();
    EXPECT_EQ(log.count("MouseLeave"), 1);
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
    m.mouseLeave();  // the pointer leaving afterwards raises no second MouseLeave
    EXPECT_EQ(log.count("MouseLeave"), 1);
    EXPECT_EQ(log.count("MouseEnter"), 1);
}

TEST(ButtonStateMachine, PressAndReleaseOverTheButtonClicks) {
    ButtonModel m;
    EventLog log(m);
    m.mouseMove(true);
    m.leftButtonDown();
    EXPECT_EQ(m.state(), ButtonVisualState::Pressed);
    EXPECT_EQ(m.drawState(), ButtonVisualState::Pressed);
    m.leftButtonUp(true);
    EXPECT_EQ(m.state(), ButtonVisualState::Hot);
    EXPECT_EQ(m.lastButtonReleased(), 1);
    EXPECT_EQ(log.count("Click"), 1);

    // A release away from the button is no click.
    m.leftButtonDown();
    m.leftButtonUp(false);
    EXPECT_EQ(log.count("Click"), 1);
    // Nor is a release whose press happened elsewhere.
    m.leftButtonUp(true);
    EXPECT_EQ(log.count("Click"), 1);
    // A press dragged out and back in still clicks.
    m.leftButtonDown();
    m.mouseLeave();
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
    m.mouseMove(true);
    m.leftButtonUp(true);
    EXPECT_EQ(log.count("Click"), 2);
    m.otherButtonUp(3);
    EXPECT_EQ(m.lastButtonReleased(), 3);
}

TEST(ButtonStateMachine, ToggleFlipsValuePerClickAndDrawsPressedWhileTrue) {
    ButtonModel m;
    m.setButtonType(1);
    EventLog log(m);
    m.mouseMove(true);
    EXPECT_EQ(m.drawState(), ButtonVisualState::Hot);  // hot only while Value is False

    m.leftButtonDown();
    m.leftButtonUp(true);
    EXPECT_TRUE(m.value());
    EXPECT_EQ(m.drawState(), ButtonVisualState::Pressed);
    m.mouseLeave();
    EXPECT_EQ(m.drawState(), ButtonVisualState::Pressed);  // stays pressed while True
    m.mouseMove(true);
    EXPECT_EQ(m.drawState(), ButtonVisualState::Pressed);

    m.leftButtonDown();
    m.leftButtonUp(true);
    EXPECT_FALSE(m.value());
    EXPECT_EQ(m.drawState(), ButtonVisualState::Hot);

    m.spaceDown();
    m.spaceUp();
    EXPECT_TRUE(m.value());
    m.accessKey();
    EXPECT_FALSE(m.value());
    EXPECT_EQ(log.count("Click"), 4);
}

TEST(ButtonStateMachine, ToggleWithValueFalseStaysPressedBetweenReleaseAndClick) {
    ButtonModel m;
    m.setButtonType(1);
    std::vector<ButtonVisualState> seen;
    m.signalRedraw().connect([&] { seen.push_back(m.state()); });
    m.leftButtonDown();
    m.leftButtonUp(true);
    // Pressed from the press until the click itself turns it hot (and Value True).
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), ButtonVisualState::Pressed);
    EXPECT_EQ(seen.back(), ButtonVisualState::Hot);
    EXPECT_TRUE(m.value());
}

TEST(ButtonStateMachine, SpaceClicksOnceOnReleaseAndOnlyAfterItsOwnPress) {
    ButtonModel m;
    EventLog log(m);
    m.spaceDown();
    m.spaceDown();  // key repeat
    EXPECT_EQ(m.state(), ButtonVisualState::Pressed);
    m.spaceUp();
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
    m.spaceUp();  // a release whose press went to another control
    EXPECT_EQ(log.count("Click"), 1);
    m.spaceDown();
    m.focusOut();  // the focus moved away while the key was down
    m.spaceUp();
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
}

TEST(ButtonStateMachine, AccessKeyClicksAndRestsTheButton) {
    ButtonModel m;
    EventLog log(m);
    m.mouseMove(true);
    m.accessKey();
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(m.state(), ButtonVisualState::Normal);
}

TEST(ButtonStateMachine, DisabledButtonIgnoresTheMouseAndKeys) {
    ButtonModel m;
    m.setEnabled(false);
    EventLog log(m);
    m.mouseMove(true);
    m.leftButtonDown();
    m.leftButtonUp(true);
    m.spaceDown();
    m.spaceUp();
    m.accessKey();
    EXPECT_TRUE(log.events.empty());
    EXPECT_FALSE(m.tracking());
    EXPECT_EQ(m.drawState(), ButtonVisualState::Disabled);

    m.setEnabled(true);
    EXPECT_EQ(m.drawState(), ButtonVisualState::Normal);
}

TEST(ButtonStateMachine, DisablingDuringAPassEndsItWithItsMouseLeave) {
    ButtonModel m;
    EventLog log(m);
    m.signalClick().connect([&] { m.setEnabled(false); });  // a handler disables its button
    m.mouseMove(true);
    m.leftButtonDown();
    m.leftButtonUp(true);
    EXPECT_EQ(log.count("MouseLeave"), 1);
    EXPECT_EQ(log.count("tooltip-"), 1);
    EXPECT_FALSE(m.tracking());
    m.mouseLeave();
    EXPECT_EQ(log.count("MouseLeave"), 1);
}

TEST(ButtonStateMachine, FocusFlagFollowsFocus) {
    ButtonModel m;
    m.focusIn();
    EXPECT_TRUE(m.hasFocus());
    m.focusOut();
    EXPECT_FALSE(m.hasFocus());
}

TEST(ButtonStateMachine, AHandlerMayDestroyItsButton) {
    auto* m = new ButtonModel;
    bool clicked = false;
    m->signalClick().connect([&] {
        clicked = true;
        delete m;
    });
    m->leftButtonDown();
    m->leftButtonUp(true);  // runs the handler that deletes the model; must not touch it after
    EXPECT_TRUE(clicked);

    auto* n = new ButtonModel;
    n->signalMouseEnter().connect([&] { delete n; });
    n->mouseMove(true);  // the tooltip must not be asked for on a deleted button
    SUCCEED();
}

// ---- Colours ------------------------------------------------------------------------------

TEST(ButtonColours, WithoutCustomColoursTheSystemColoursServe) {
    ButtonModel m;
    m.setBackColor(packRgb(1, 2, 3));
    m.setFontColor(packRgb(4, 5, 6));
    for (auto s : {ButtonVisualState::Normal, ButtonVisualState::Hot, ButtonVisualState::Pressed,
                   ButtonVisualState::Disabled}) {
        EXPECT_EQ(m.faceColor(s), resolveColor(kSysButtonFace));
    }
    EXPECT_EQ(m.captionColor(ButtonVisualState::Normal), resolveColor(kSysButtonText));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Hot), resolveColor(kSysButtonText));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Pressed), resolveColor(kSysButtonText));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Disabled), resolveColor(kSysGrayText));
}

TEST(ButtonColours, CustomColoursPerState) {
    ButtonModel m;
    m.setUseCustomColors(true);
    m.setBackColor(packRgb(10, 20, 30));
    m.setHighlightColor(packRgb(40, 50, 60));
    m.setFontColor(packRgb(70, 80, 90));
    m.setFontHighlightColor(packRgb(100, 110, 120));
    EXPECT_EQ(m.faceColor(ButtonVisualState::Normal), (Rgb{10, 20, 30}));
    EXPECT_EQ(m.faceColor(ButtonVisualState::Disabled), (Rgb{10, 20, 30}));
    EXPECT_EQ(m.faceColor(ButtonVisualState::Hot), (Rgb{40, 50, 60}));
    EXPECT_EQ(m.faceColor(ButtonVisualState::Pressed), (Rgb{40, 50, 60}));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Normal), (Rgb{70, 80, 90}));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Hot), (Rgb{100, 110, 120}));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Pressed), (Rgb{100, 110, 120}));
    EXPECT_EQ(m.captionColor(ButtonVisualState::Disabled), resolveColor(kSysGrayText));
}

TEST(ButtonColours, SystemHighlightCodeResolvesToTheThemesSelectionColour) {
    ButtonModel m;
    m.setUseCustomColors(true);  // HighlightColor keeps its default, the system highlight
    m.setSystemHighlight(Rgb{1, 2, 3});
    EXPECT_EQ(m.faceColor(ButtonVisualState::Hot), (Rgb{1, 2, 3}));
    EXPECT_EQ(m.resolve(kSysButtonFace), resolveColor(kSysButtonFace));
}

// ---- The theme look ------------------------------------------------------------------------

TEST(ButtonTheme, ThemeFailureSwitchesToNonThemeStyleForGood) {
    ButtonModel m;
    m.setStyle(6);
    m.setNonThemeStyle(1);
    m.clearPropertiesChanged();
    m.themeUnavailable();
    EXPECT_EQ(m.style(), 1);
    EXPECT_TRUE(m.themeFellBack());
    EXPECT_TRUE(m.propertiesChanged());
    m.themeUnavailable();
    EXPECT_EQ(m.style(), 1);
}

TEST(ButtonTheme, NonThemeStyleNamingTheThemeLookFallsBackToTheRoundedLook) {
    ButtonModel m;
    m.setStyle(6);
    ASSERT_TRUE(m.setNonThemeStyle(6));
    EXPECT_EQ(m.fallbackStyle(), 5);
    m.themeUnavailable();
    EXPECT_EQ(m.style(), 5);  // never stays on a look that cannot be drawn
}

TEST(ButtonTheme, EdgeMarginsPerLook) {
    EXPECT_EQ(ButtonModel::edgeMargin(0), 3);
    EXPECT_EQ(ButtonModel::edgeMargin(5), 3);
    EXPECT_EQ(ButtonModel::edgeMargin(7), 4);
    EXPECT_EQ(ButtonModel::edgeMargin(8), 4);
    EXPECT_EQ(ButtonModel::edgeMargin(9), 6);
    EXPECT_EQ(ButtonModel::edgeMargin(10), 7);
}
