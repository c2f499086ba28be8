// The scrambling routine, the password check and store, and the lock dialog's states.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/Paths.hpp"
#include "features/locks/EncDec.hpp"
#include "features/locks/LockDialogState.hpp"
#include "features/locks/PasswordStore.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan::locks {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(EncDecTest, EmptyOrSpacesOnlyGiveTheEmptyText) {
    for (const char* key : {"", "k", "a longer key"}) {
        EXPECT_EQ(EncDec("", key), "");
        EXPECT_EQ(EncDec(" ", key), "");
        EXPECT_EQ(EncDec("    ", key), "");
    }
}

TEST(EncDecTest, RoundTripsKeepLengthAndEverySpace) {
    for (const char* key : {"", "k", "secret key"}) {
        for (std::string data : {"x"s, " a b "s, "  Pass word  "s, "\x01\xff\x80\x7f"s,
                                 "Grüße, 密码"s, std::string(600, 'z')}) {
            std::string scrambled = EncDec(data, key);
            EXPECT_EQ(scrambled.size(), data.size()) << data;
            EXPECT_NE(scrambled, data) << data;
            EXPECT_EQ(EncDec(scrambled, key), data) << data;
        }
    }
    // A different key gives a different text that only that key unscrambles.
    EXPECT_NE(EncDec("password", "one"), EncDec("password", "two"));
    EXPECT_NE(EncDec(EncDec("password", "one"), "two"), "password");
}

TEST(EncDecTest, TheEmptyKeyScramblesEveryTextWithOneKeystream) {
    // With every key entry zero, each step of the key schedule swaps S[i] with S[S[i]],
    // itself, so the state stays i at i; the stream then starts 2, 5, 7, 13. A schedule
    // that carried j from step to step would start elsewhere.
    EXPECT_EQ(EncDec("Pass", ""), std::string({'P' ^ 2, 'a' ^ 5, 's' ^ 7, 's' ^ 13}));
    std::string a = "first text, same length";
    std::string b = "Other words of 23 bytes";
    ASSERT_EQ(a.size(), b.size());
    std::string sa = EncDec(a, "");
    std::string sb = EncDec(b, "");
    for (std::size_t n = 0; n < a.size(); ++n) {
        EXPECT_EQ(sa[n] ^ a[n], sb[n] ^ b[n]) << n;
    }
}

class PasswordStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ =
            paths::configDir() /
            (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db");
        fs::remove(file_);
        store_ = std::make_unique<SettingsStore>(file_);
    }
    fs::path file_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_F(PasswordStoreTest, WithoutAPasswordAnyTextButSpacesIsAccepted) {
    EXPECT_FALSE(passwordIsSet(*store_));
    EXPECT_TRUE(CheckPassword(*store_, ""));
    EXPECT_TRUE(CheckPassword(*store_, "anything"));
    EXPECT_TRUE(CheckPassword(*store_, " x "));
    EXPECT_FALSE(CheckPassword(*store_, " "));
    EXPECT_FALSE(CheckPassword(*store_, "   "));
}

TEST_F(PasswordStoreTest, AStoredPasswordIsComparedExactlyAndSurvivesReopening) {
    // Chosen so that its scrambled form holds bytes above 127 and control codes.
    const std::string password = "Ab c\x7f\xc3\xa9!";
    ASSERT_TRUE(storeNewPassword(*store_, password));
    store_ = std::make_unique<SettingsStore>(file_);
    EXPECT_TRUE(passwordIsSet(*store_));
    EXPECT_TRUE(CheckPassword(*store_, password));
    EXPECT_FALSE(CheckPassword(*store_, "ab c\x7f\xc3\xa9!"));
    EXPECT_FALSE(CheckPassword(*store_, password + " "));
    EXPECT_FALSE(CheckPassword(*store_, "anything"));
    EXPECT_FALSE(CheckPassword(*store_, ""));
    // The password is kept apart from the plain settings, under scrambled names.
    EXPECT_EQ(store_->read("Settings", "Pass", "none"), "none");
    EXPECT_EQ(store_->read(EncDec("Settings", ""), EncDec("Pass", ""), ""), EncDec(password, ""));
}

TEST_F(PasswordStoreTest, AnEmptyNewPasswordLeavesNoneSet) {
    ASSERT_TRUE(storeNewPassword(*store_, "old"));
    ASSERT_TRUE(passwordIsSet(*store_));
    for (const char* empty : {"", "   "}) {
        ASSERT_TRUE(storeNewPassword(*store_, empty));
        EXPECT_FALSE(passwordIsSet(*store_)) << '"' << empty << '"';
        // The stored empty text is read back as it is (not the default): it unscrambles
        // to the empty text, which only an empty entry matches.
        EXPECT_TRUE(CheckPassword(*store_, ""));
        EXPECT_FALSE(CheckPassword(*store_, "whatever"));
    }
}

TEST(LockDialogStateTest, LoadsInTheLayoutThePasswordCallsFor) {
    LockDialogState set(true);
    EXPECT_EQ(set.layout(), LockDialogState::Layout::Normal);
    EXPECT_FALSE(set.repeatBoxVisible());
    EXPECT_EQ(set.caption(), "Password Lock");
    EXPECT_EQ(set.enterTarget(), std::nullopt);

    LockDialogState none(false);
    EXPECT_EQ(none.layout(), LockDialogState::Layout::ChangePassword);
    EXPECT_TRUE(none.repeatBoxVisible());
    EXPECT_EQ(none.caption(), "Change Password");
    EXPECT_EQ(none.enterTarget(), PasswordButton::ChgPass);
}

TEST(LockDialogStateTest, EnterRunsTheFirstVisibleButtonInItsOrder) {
    LockDialogState s(false);
    // Openers before "Set Password" win over it; the others come after it.
    s.setVisible(PasswordButton::EnableBrowser, true);
    EXPECT_EQ(s.enterTarget(), PasswordButton::ChgPass);
    s.setVisible(PasswordButton::UnlockOpt, true);
    EXPECT_EQ(s.enterTarget(), PasswordButton::UnlockOpt);
    s.setVisible(PasswordButton::UnlockHis, true);
    EXPECT_EQ(s.enterTarget(), PasswordButton::UnlockHis);
    s.setVisible(PasswordButton::EnableEmailSend, true);
    EXPECT_EQ(s.enterTarget(), PasswordButton::EnableEmailSend);

    LockDialogState set(true);
    set.setVisible(PasswordButton::Enable, true);
    set.setVisible(PasswordButton::DeleteHis, true);
    EXPECT_EQ(set.enterTarget(), PasswordButton::DeleteHis);
}

TEST(LockDialogStateTest, TheChangePasswordLayoutHidesTheOpenersButNotItsOwnOpener) {
    LockDialogState s(true);
    s.setVisible(PasswordButton::UnlockPass, true);
    s.setVisible(PasswordButton::UnlockFav, true);
    s.setVisible(PasswordButton::Enable, true);
    s.changePasswordLayout();
    EXPECT_FALSE(s.visible(PasswordButton::UnlockFav));
    EXPECT_TRUE(s.visible(PasswordButton::UnlockPass));
    EXPECT_TRUE(s.visible(PasswordButton::Enable));
    EXPECT_EQ(s.enterTarget(), PasswordButton::ChgPass);
}

}  // namespace
}  // namespace larkspan::locks
