// Answers kept per site and kind of permission: they outlive the store, can be taken back
// one by one or all at once, and a file or row the store cannot use loses nothing.
#include "features/permissions/PermissionStore.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace larkspan::permissions {
namespace {

namespace fs = std::filesystem;
using K = PermissionKind;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PermissionStore, AnswersAreKeptPerSiteAndKindUntilForgotten) {
    const fs::path file = PermissionStore::defaultFile();
    {
        PermissionStore store(file);
        EXPECT_TRUE(store.remember("127.0.0.1:8080", K::Notifications, true));
        EXPECT_TRUE(store.remember("127.0.0.1:8080", K::Location, false));
        EXPECT_TRUE(store.remember("maps.test", K::Location, false));
        EXPECT_TRUE(store.remember("maps.test", K::Location, true));
        EXPECT_FALSE(store.remember("", K::Clipboard, true));
    }
    PermissionStore store(file);
    EXPECT_EQ(store.answer("127.0.0.1:8080", K::Notifications), true);
    EXPECT_EQ(store.answer("127.0.0.1:8080", K::Location), false);
    EXPECT_EQ(store.answer("127.0.0.1:8080", K::Clipboard), std::nullopt);
    // Another port is another site.
    EXPECT_EQ(store.answer("127.0.0.1:9090", K::Notifications), std::nullopt);
    EXPECT_EQ(store.answer("maps.test", K::Location), true);

    store.forget("127.0.0.1:8080", K::Location);
    EXPECT_EQ(PermissionStore(file).all(),
              (std::vector<SiteAnswer>{{"127.0.0.1:8080", K::Notifications, true},
                                       {"maps.test", K::Location, true}}));
    store.forgetAll();
    EXPECT_TRUE(PermissionStore(file).all().empty());
}

TEST(PermissionStore, CameraAndMicrophoneTogetherFollowEachOfTheTwo) {
    PermissionStore store(PermissionStore::defaultFile());
    store.remember("call.test", K::CameraAndMicrophone, true);
    EXPECT_EQ(store.answer("call.test", K::Camera), true);
    EXPECT_EQ(store.answer("call.test", K::Microphone), true);

    store.remember("call.test", K::Microphone, false);
    EXPECT_EQ(store.answer("call.test", K::CameraAndMicrophone), false);
    // Only one of the two known: the user is asked.
    store.remember("cam.test", K::Camera, true);
    EXPECT_EQ(store.answer("cam.test", K::CameraAndMicrophone), std::nullopt);

    store.forget("call.test", K::CameraAndMicrophone);
    EXPECT_EQ(store.answer("call.test", K::Camera), std::nullopt);
    EXPECT_EQ(store.answer("call.test", K::Microphone), std::nullopt);
}

TEST(PermissionStore, AnUnreadableFileIsMovedAsideWholeAndOddRowsAreLeftOut) {
    const fs::path file = PermissionStore::defaultFile();
    fs::create_directories(file.parent_path());
    const std::string junk = "not a database\r\n\xff\xfe";
    std::ofstream(file, std::ios::binary) << junk;
    {
        PermissionStore store(file);
        ASSERT_FALSE(store.movedAside().empty());
        EXPECT_EQ(contentOf(store.movedAside()), junk);
        EXPECT_TRUE(store.remember("fresh.test", K::Clipboard, false));
    }

    // Rows another program (or an older one) wrote that name no kind or answer we know.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db,
                 "INSERT INTO permissions VALUES ('odd.test', 'telepathy', 1);"
                 "INSERT INTO permissions VALUES ('odd.test', 'camera', 7);"
                 "INSERT INTO permissions VALUES ('odd.test', 'location', 'yes');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);

    PermissionStore store(file);
    EXPECT_TRUE(store.movedAside().empty());
    EXPECT_EQ(store.answer("odd.test", K::Camera), std::nullopt);
    EXPECT_EQ(store.answer("odd.test", K::Location), std::nullopt);
    EXPECT_EQ(store.all(), (std::vector<SiteAnswer>{{"fresh.test", K::Clipboard, false}}));
}

}  // namespace
}  // namespace larkspan::permissions
