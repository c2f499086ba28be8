// The popup options as the store holds them: a mode key cleared with none set leaves no
// mode selected, and the log switch counts only at exactly 1.
#include <gtest/gtest.h>

#include <string>

#include "settings/OptionsModel.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {
namespace {

class PopupOptionsTest : public ::testing::Test {
  protected:
    SettingsStore store{
        SettingsStore::defaultFile().parent_path() /
        (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db")};
};

TEST_F(PopupOptionsTest, StoredModeKeysThatSelectNothingLeaveNoMode) {
    OptionsModel m;
    store.write(keys::kSettings, keys::kPopupAskMe, "False");
    m.load(store);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::None);

    store.write(keys::kSettings, keys::kPopupBlock, "True");
    m.load(store);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::Block);
}

TEST_F(PopupOptionsTest, LogSwitchIsOnOnlyAtExactlyOne) {
    OptionsModel m;
    for (const auto& [stored, on] :
         {std::pair{"1", true}, std::pair{"2", false}, std::pair{"0", false}}) {
        store.write(keys::kSettings, keys::kBlockedLog, stored);
        m.load(store);
        EXPECT_EQ(m.logBlocked, on) << stored;
    }
}

}  // namespace
}  // namespace larkspan
