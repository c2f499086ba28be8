#include "features/update/UpdateServer.hpp"

#include <gtest/gtest.h>

#include "BuildConfig.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {
namespace {

TEST(UpdateServerTest, StoredAddressOverridesTheBuildsAndLosesItsTrailingSlash) {
    SettingsStore store(SettingsStore::defaultFile().parent_path() / "update-server.db");
    std::string built = build::kUpdateServer;
    while (!built.empty() && built.back() == '/') built.pop_back();
    EXPECT_EQ(updateServerBase(store), built);
    store.write("Settings", "updateserver", "http://127.0.0.1:8080//");
    EXPECT_EQ(updateServerBase(store), "http://127.0.0.1:8080");
    // An empty stored value switches the update server off.
    store.write("Settings", "UpdateServer", "");
    EXPECT_EQ(updateServerBase(store), "");
}

}  // namespace
}  // namespace larkspan
