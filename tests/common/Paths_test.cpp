#include "common/Paths.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace larkspan {
namespace {

namespace fs = std::filesystem;

// An installation unpacked somewhere the build never meant to install to, as a package's
// files are before (or instead of) landing under /usr.
class InstalledDataDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = paths::dataDir() / "unpacked";
        fs::remove_all(root_);
        fs::create_directories(root_ / "usr" / "bin");
        fs::create_directories(root_ / "usr" / "share" / "larkspan");
        std::ofstream(program()) << "";
    }
    fs::path program() const { return root_ / "usr" / "bin" / "larkspan"; }
    fs::path shipped() const { return root_ / "usr" / "share" / "larkspan"; }

  private:
    fs::path root_;
};

TEST_F(InstalledDataDirTest, TheDataBesideTheProgramWhereverTheInstallationLies) {
    std::ofstream(shipped() / "Readme.txt") << "read me";
    EXPECT_EQ(paths::installedDataDirFor(program()), shipped());
    // A program reached through a folder's other name still finds the same data.
    EXPECT_EQ(paths::installedDataDirFor(shipped().parent_path() / ".." / "bin" / "larkspan"),
              shipped());
}

TEST_F(InstalledDataDirTest, AFolderWithoutTheShippedFilesIsNotTheDataFolder) {
    EXPECT_NE(paths::installedDataDirFor(program()), shipped());
    // Without a program file (its place unknown) the rule still names a folder.
    EXPECT_FALSE(paths::installedDataDirFor({}).empty());
}

}  // namespace
}  // namespace larkspan
