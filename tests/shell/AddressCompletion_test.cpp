#include "shell/AddressCompletion.hpp"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan {
namespace {

using List = std::vector<std::string>;
using Enter = AddressBoxLogic::EnterAction;
constexpr int kEnter = AddressBoxLogic::kKeyEnter;

TEST(AddressCompletionTest, CompletesTypedTextAndSelectsTheRest) {
    auto r = completeAddress("ab", {"xyz", "abcdef", "abzzz"});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "abcdef");
    EXPECT_EQ(r->selectionStart, 2);
    EXPECT_EQ(r->selectionLength, 4);  // "cdef"
}

TEST(AddressCompletionTest, CompletionHonoursLetterCase) {
    EXPECT_FALSE(completeAddress("AB", {"abcdef"}));
    EXPECT_FALSE(completeAddress("abd", {"abcdef"}));
    auto exact = completeAddress("abcdef", {"abcdef"});
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->selectionStart, 6);
    EXPECT_EQ(exact->selectionLength, 0);
}

TEST(AddressCompletionTest, EmptyBoxTakesTheFirstEntryWhollySelected) {
    auto r = completeAddress("", {"first.example", "second.example"});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "first.example");
    EXPECT_EQ(r->selectionStart, 0);
    EXPECT_EQ(r->selectionLength, 13);
    // With no entries, the place past the end is the empty text.
    auto none = completeAddress("", {});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->text, "");
    EXPECT_EQ(none->selectionLength, 0);
}

TEST(AddressCompletionTest, SelectionCountsCharactersNotBytes) {
    auto r =
        completeAddress("r\xC3\xA9", {"r\xC3\xA9sum\xC3\xA9.example"});  // "ré", "résumé.example"
    ASSERT_TRUE(r);
    EXPECT_EQ(r->selectionStart, 2);
    EXPECT_EQ(r->selectionLength, 12);
}

TEST(AddressCompletionTest, PrefixSearchIgnoresLetterCase) {
    const AddressList list{"http://one.example/",
                           "\xC3\xA9"
                           "cole.example",
                           "ABC.example"};
    EXPECT_EQ(findAddressPrefix(list, "HTTP://ONE"), 0u);
    EXPECT_EQ(findAddressPrefix(list,
                                "\xC3\x89"
                                "COLE"),
              1u);  // "ÉCOLE"
    EXPECT_EQ(findAddressPrefix(list, "abc.EXAMPLE"), 2u);
    EXPECT_FALSE(findAddressPrefix(list, "abc.example/more"));
    EXPECT_FALSE(findAddressPrefix({}, "a"));
}

TEST(AddressBoxLogicTest, EnterOnAPrefixOfAListedAddressNavigatesWithoutAdding) {
    AddressList boxList{"abcdef"};
    AddressBoxLogic box(boxList);
    bool asked = false;
    EXPECT_EQ(box.keyDown(kEnter, "abc", false), Enter::Navigate);
    auto out = box.keyPress(kEnter, "abc", [&] { return asked = true; });
    EXPECT_FALSE(out.addedToList);
    EXPECT_FALSE(out.appendToHistory);
    EXPECT_FALSE(asked) << "the history setting is read only for a new address";
    EXPECT_EQ(box.list().entries(), List{"abcdef"});
    EXPECT_FALSE(box.timerEnabled());
}

TEST(AddressBoxLogicTest, CaseDifferingAddressIsNotAddedYetNotCompleted) {
    AddressList boxList{"example.com"};
    AddressBoxLogic box(boxList);
    auto out = box.keyPress(kEnter, "EXAMPLE.COM", [] { return true; });
    EXPECT_FALSE(out.addedToList);
    EXPECT_EQ(box.list().size(), 1u);
    EXPECT_FALSE(box.timerTick("EXAM"));
}

TEST(AddressBoxLogicTest, NewAddressIsAppendedAndGoesToHistoryWhenOn) {
    AddressList boxList{"abcdef"};
    AddressBoxLogic box(boxList);
    auto out = box.keyPress(kEnter, "abcdefg", [] { return true; });  // extends a listed one
    EXPECT_TRUE(out.addedToList);
    EXPECT_TRUE(out.appendToHistory);
    out = box.keyPress(kEnter, "zzz", [] { return false; });
    EXPECT_TRUE(out.addedToList);
    EXPECT_FALSE(out.appendToHistory);
    EXPECT_EQ(box.list().entries(), (List{"abcdef", "abcdefg", "zzz"}));
}

TEST(AddressBoxLogicTest, EnterOnAnEmptyBoxOnlySwitchesTheTimerOn) {
    AddressList boxList;
    AddressBoxLogic box(boxList);
    box.timerTick("x");
    ASSERT_FALSE(box.timerEnabled());
    EXPECT_EQ(box.keyDown(kEnter, "", false), Enter::None);
    EXPECT_EQ(box.keyDown(kEnter, "", true), Enter::None);
    auto out = box.keyPress(kEnter, "", [] { return true; });
    EXPECT_FALSE(out.addedToList);
    EXPECT_TRUE(box.list().empty());
    EXPECT_TRUE(box.timerEnabled());
}

TEST(AddressBoxLogicTest, KeysSwitchTheTimerAndEachPassRunsOnce) {
    AddressList boxList{"abcdef"};
    AddressBoxLogic box(boxList);
    EXPECT_TRUE(box.timerEnabled()) << "one pass is due after the window's creation";
    box.keyPress('a', "a", nullptr);
    EXPECT_TRUE(box.timerEnabled());
    auto r = box.timerTick("a");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "abcdef");
    EXPECT_FALSE(box.timerEnabled());
    box.keyPress('q', "q", nullptr);
    EXPECT_FALSE(box.timerTick("q"));
    EXPECT_FALSE(box.timerEnabled()) << "off after a pass that found nothing";
    box.keyPress('a', "a", nullptr);
    box.keyPress(AddressBoxLogic::kKeyBackspace, "", nullptr);
    EXPECT_FALSE(box.timerEnabled());
}

TEST(AddressBoxLogicTest, OnlyKeysThatTypeOrDeleteTextReachTheCompletion) {
    EXPECT_EQ(addressKeyPressCode(GDK_KEY_a, false), 'a');
    EXPECT_EQ(addressKeyPressCode(GDK_KEY_slash, false), '/');
    EXPECT_EQ(addressKeyPressCode(GDK_KEY_udiaeresis, false), 0xFC);
    // Delete takes the proposed rest away like Backspace does: the timer goes off, so the
    // proposal is not made again.
    AddressList list;
    list.append("abcdef");
    AddressBoxLogic logic(list);
    for (unsigned key : {GDK_KEY_Delete, GDK_KEY_KP_Delete, GDK_KEY_BackSpace}) {
        auto code = addressKeyPressCode(key, false);
        ASSERT_TRUE(code) << key;
        logic.keyPress('a', "a", {});
        logic.keyPress(*code, "ab", {});
        EXPECT_FALSE(logic.timerEnabled()) << key;
    }
    for (unsigned key : {GDK_KEY_Tab, GDK_KEY_ISO_Left_Tab, GDK_KEY_Escape, GDK_KEY_Left,
                         GDK_KEY_Home, GDK_KEY_F5, GDK_KEY_Shift_L}) {
        EXPECT_FALSE(addressKeyPressCode(key, false)) << key;
    }
    // Shortcuts type nothing either (Ctrl+A selects, Alt+D moves the focus), yet
    // Ctrl+Backspace still deletes.
    EXPECT_FALSE(addressKeyPressCode(GDK_KEY_a, true));
    EXPECT_EQ(addressKeyPressCode(GDK_KEY_BackSpace, true), AddressBoxLogic::kKeyBackspace);
}

TEST(AddressBoxLogicTest, WebLockGuardsEnterInsteadOfNavigating) {
    AddressList boxList;
    AddressBoxLogic box(boxList);
    EXPECT_EQ(box.keyDown(kEnter, "http://x.example/", true), Enter::Guard);
    EXPECT_EQ(box.keyDown(kEnter, "http://x.example/", false), Enter::Navigate);
    EXPECT_EQ(box.keyDown('A', "http://x.example/", false), Enter::None);
}

// The window's Enter: key-down, key press, then the history file when asked to.
void pressEnter(AddressBoxLogic& box, const std::string& text, bool history,
                const std::filesystem::path& file) {
    box.keyDown(kEnter, text, false);
    auto out = box.keyPress(kEnter, text, [&] { return history; });
    if (out.appendToHistory) AppendAddressToHistory(file, text);
}

TEST(AddressBoxLogicTest, HistoryOffKeepsTheListButNotTheFile) {
    const auto file = paths::dataDir() / "HistoryOffKeepsTheListButNotTheFile.txt";
    std::filesystem::remove(file);
    AddressList firstList;
    AddressBoxLogic first(firstList);
    pressEnter(first, "http://kept.example/", true, file);
    pressEnter(first, "http://private.example/", false, file);
    pressEnter(first, "http://kept.example/", true, file);  // listed already: not again
    EXPECT_EQ(first.list().entries(), (List{"http://kept.example/", "http://private.example/"}));

    AddressList nextStartList;
    AddressBoxLogic nextStart(nextStartList);
    ASSERT_TRUE(nextStart.list().load(file));
    EXPECT_EQ(nextStart.list().entries(), List{"http://kept.example/"});
}

}  // namespace
}  // namespace larkspan
