// The option declarations drive the model's load and "Apply"; a reload after "Cancel"
// tells the observers what came back from the store.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/OptionDecls.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {
namespace {

class OptionDeclsTest : public ::testing::Test {
  protected:
    SettingsStore store{
        SettingsStore::defaultFile().parent_path() /
        (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db")};
};

// Another value in the declaration's form than `now`.
std::string another(const OptionDecl& d, const std::string& now) {
    switch (d.form) {
        case StoredForm::Truth:
            return now == "True" ? "False" : "True";
        case StoredForm::Tick:
        case StoredForm::Integer:
            return now == "1" ? "0" : "1";
        case StoredForm::Color:
            return std::to_string(std::stoll(now) + 1);
        case StoredForm::Text:
            return now + "x";
    }
    return now;
}

TEST_F(OptionDeclsTest, ApplyStoresEachOptionInItsFormAndTheNextLoadReadsItBack) {
    OptionsModel design;
    OptionsModel edited;
    std::set<OptionId> editedIds;
    for (const OptionDecl& d : optionDecls()) {
        if (d.writer != Writer::Apply) continue;
        // An option kept under two keys is edited through the first.
        if (!d.choice && !editedIds.insert(d.id).second) continue;
        std::string now = d.storedText(edited);
        if (d.choice) {
            // A choice moves to the last of its values that is not selected yet.
            if (now == "False") {
                ASSERT_TRUE(d.take(edited, "True")) << d.key;
            }
            continue;
        }
        ASSERT_TRUE(d.take(edited, another(d, now))) << d.key;
    }
    ASSERT_TRUE(edited.writeApplied(store));

    OptionsModel reloaded;
    reloaded.load(store);
    std::set<OptionId> changed;
    for (const OptionDecl& d : optionDecls()) {
        if (d.writer == Writer::Apply) {
            EXPECT_EQ(store.read(d.section, d.key, "<none>"), d.storedText(edited)) << d.key;
            EXPECT_EQ(d.storedText(reloaded), d.storedText(edited)) << d.key;
            if (d.storedText(reloaded) != d.storedText(design)) changed.insert(d.id);
        } else {
            EXPECT_EQ(store.read(d.section, d.key, "<none>"), "<none>")
                << d.key << " is not written by Apply";
        }
    }
    // Every option "Apply" stores took part.
    std::set<OptionId> applied;
    for (const OptionDecl& d : optionDecls()) {
        if (d.writer == Writer::Apply) applied.insert(d.id);
    }
    EXPECT_EQ(changed, applied);
}

TEST_F(OptionDeclsTest, AFollowerTakesUpEveryOptionThenItsChangesThroughOneHandler) {
    OptionsModel m;
    m.load(store);
    using C = OptionsModel::Cause;
    std::map<OptionId, int> loadedTimes;
    std::vector<std::pair<OptionId, C>> later;
    bool loading = true;
    m.follow([&](OptionId id, C cause) {
        if (loading) {
            EXPECT_EQ(cause, C::Loaded);
            ++loadedTimes[id];
        } else {
            later.emplace_back(id, cause);
        }
    });
    loading = false;
    for (const OptionDecl& d : optionDecls()) {
        EXPECT_EQ(loadedTimes[d.id], 1) << d.key;
    }
    m.setText(OptionId::FontName, "Serif");
    EXPECT_EQ(later, (std::vector<std::pair<OptionId, C>>{{OptionId::FontName, C::Edited}}));
}

TEST_F(OptionDeclsTest, AMenuTickIsStoredUnderBothItsKeysAndItsOwnKeyIsReadLast) {
    OptionsModel m;
    m.setFlag(OptionId::StatusBar, false);
    ASSERT_TRUE(m.writeNow(store, OptionId::StatusBar));
    EXPECT_EQ(store.read("Settings", "StatusBarVisible", "<none>"), "False");
    EXPECT_EQ(store.read("Settings", "StatusbarVisible1", "<none>"), "0");

    // The check box's key as an older version left it, the window having written the tick.
    store.write("Settings", "StatusbarVisible1", "1");
    OptionsModel reloaded;
    reloaded.load(store);
    EXPECT_FALSE(reloaded.statusBar);
}

TEST_F(OptionDeclsTest, TheLockPageStoresOnlyTheLocks) {
    OptionsModel m;
    m.setFlag(OptionId::LockHistory, true);
    m.setFlag(OptionId::SaveHistory, false);
    ASSERT_TRUE(m.writeLocks(store));
    EXPECT_EQ(store.read("Settings", "PassLockHis", "<none>"), "1");
    EXPECT_EQ(store.read("Settings", "PassLockbrowser", "<none>"), "0");
    EXPECT_EQ(store.read("Settings", "History", "<none>"), "<none>");
}

TEST_F(OptionDeclsTest, ReloadAfterCancelBringsBackTheStoreAndSignalsWhatChanged) {
    OptionsModel m;
    m.load(store);
    using C = OptionsModel::Cause;
    std::vector<std::pair<OptionId, C>> seen;
    m.signalChanged().connect([&](OptionId id, C c) { seen.emplace_back(id, c); });
    m.setPopupMode(OptionsModel::PopupMode::Block);
    m.setText(OptionId::FontName, "Serif");
    m.selectStyleChoice(0);
    store.write("Settings", "History", "0");  // stored meanwhile by another instance
    seen.clear();

    m.markStale();
    m.reloadIfStale(store);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::AskMe);
    EXPECT_EQ(m.fontName, "Arial");
    EXPECT_EQ(m.styleChoice, 2);
    EXPECT_FALSE(m.saveHistory);
    std::set<OptionId> ids;
    for (const auto& [id, cause] : seen) {
        EXPECT_EQ(cause, C::Reloaded);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), seen.size()) << "one signal per option";
    EXPECT_EQ(ids, (std::set<OptionId>{OptionId::PopupMode, OptionId::FontName,
                                       OptionId::StyleChoice, OptionId::SaveHistory}));

    seen.clear();
    m.reloadIfStale(store);
    EXPECT_TRUE(seen.empty()) << "only a stale model reloads";
}

}  // namespace
}  // namespace larkspan
