#include "common/ListFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Paths.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

// A fresh folder per test, inside the test process's own data folder.
class ListFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = paths::dataDir() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    const fs::path& dir() const { return dir_; }

  private:
    fs::path dir_;
};

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> folderEntries(const fs::path& d) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(d)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ListFileTest, MissingFileIsAnEmptyList) {
    const fs::path p = dir() / "absent.txt";
    List list{"kept"};
    EXPECT_TRUE(LoadListFromFile(list, p, false));
    EXPECT_EQ(list, List{"kept"});
    EXPECT_TRUE(LoadListFromFile(list, p, true));
    EXPECT_TRUE(list.empty());

    List addresses{"old"};
    EXPECT_TRUE(LoadAddressList(p, addresses));
    EXPECT_TRUE(addresses.empty());
    EXPECT_FALSE(fs::exists(p));
}

TEST_F(ListFileTest, CommaSplitsListEntriesButNotAddressLines) {
    const fs::path p = dir() / "history.txt";
    writeBytes(p, "http://a.example/?q=1,2\r\nhttp://b.example/\r\n");

    List whole;
    ASSERT_TRUE(LoadAddressList(p, whole));
    EXPECT_EQ(whole, (List{"http://a.example/?q=1,2", "http://b.example/"}));

    List fields{"before"};
    ASSERT_TRUE(LoadListFromFile(fields, p, false));
    EXPECT_EQ(fields, (List{"before", "http://a.example/?q=1", "2", "http://b.example/"}));
}

TEST_F(ListFileTest, FieldRules) {
    auto fields = [](std::string_view line) {
        List out;
        listfile::splitFields(line, out);
        return out;
    };
    EXPECT_EQ(fields("   lead"), List{"lead"});
    EXPECT_EQ(fields("a, b,  c"), (List{"a", "b", "c"}));
    EXPECT_EQ(fields("trail  "), List{"trail  "});
    EXPECT_EQ(fields("\"x, y\",z"), (List{"x, y", "z"}));
    EXPECT_EQ(fields("  \"quoted\""), List{"quoted"});
    EXPECT_EQ(fields("a\"b"), List{"a\"b"});  // a quote inside a field is ordinary
    EXPECT_EQ(fields("\"ab\"cd,e"), (List{"abcd", "e"}));
    EXPECT_EQ(fields("\"never closed, at all"), List{"never closed, at all"});
    EXPECT_EQ(fields(""), List{""});
    EXPECT_EQ(fields("a,"), (List{"a", ""}));
    EXPECT_EQ(fields(",,"), (List{"", "", ""}));
}

TEST_F(ListFileTest, UnclosedQuoteStaysOnItsLine) {
    EXPECT_EQ(listfile::parseListFile("\"open\r\nnext\r\n"), (List{"open", "next"}));
}

TEST_F(ListFileTest, EmptyLinesAreEntriesButTheFinalLineEndIsNot) {
    EXPECT_EQ(listfile::parseAddressLines("a\r\n\r\nb\r\n"), (List{"a", "", "b"}));
    EXPECT_EQ(listfile::parseAddressLines(""), List{});
    EXPECT_EQ(listfile::parseAddressLines("\r\n"), List{""});
}

TEST_F(ListFileTest, InvalidBytesAndAMissingLastLineEndReadBackWhole) {
    const fs::path p = dir() / "log.txt";
    writeBytes(p, "caf\xE9.example\r\nhttp://last.example/");
    List lines;
    ASSERT_TRUE(LoadAddressList(p, lines));
    EXPECT_EQ(lines, (List{"caf\xC3\xA9.example", "http://last.example/"}));
    List fields;
    ASSERT_TRUE(LoadListFromFile(fields, p, true));
    EXPECT_EQ(fields, lines);
}

TEST_F(ListFileTest, BareLineFeedsAndMixedEncodingsRead) {
    // An older single-byte line, then lines appended later in UTF-8: each is read right.
    EXPECT_EQ(listfile::parseAddressLines("na\xEFve\nr\xC3\xA9sum\xC3\xA9\r\nend\r"),
              (List{"na\xC3\xAFve", "r\xC3\xA9sum\xC3\xA9", "end"}));
    // A CR inside a line is not a line end.
    EXPECT_EQ(listfile::parseAddressLines("a\rb\r\n"), List{"a\rb"});
}

TEST_F(ListFileTest, SaveWritesUtf8WithCrLfAndLeavesNoTemporaryFile) {
    const fs::path p = dir() / "Blocked Log.txt";
    writeBytes(p, "old content\r\n");
    ASSERT_TRUE(SaveListToFile({"http://x.example/", "r\xC3\xA9sum\xC3\xA9", "caf\xE9"}, p));
    EXPECT_EQ(readBytes(p), "http://x.example/\r\nr\xC3\xA9sum\xC3\xA9\r\ncaf\xC3\xA9\r\n");
    EXPECT_EQ(folderEntries(dir()), std::vector<std::string>{"Blocked Log.txt"});
}

TEST_F(ListFileTest, SaveOfAnEmptyListLeavesTheFileAsItWas) {
    const fs::path p = dir() / "history.txt";
    writeBytes(p, "keep\r\n");
    EXPECT_TRUE(SaveListToFile({}, p));
    EXPECT_EQ(readBytes(p), "keep\r\n");
    EXPECT_TRUE(SaveListToFile({}, dir() / "never.txt"));
    EXPECT_FALSE(fs::exists(dir() / "never.txt"));
}

TEST_F(ListFileTest, SavedEntriesStayOneLineEach) {
    const fs::path p = dir() / "history.txt";
    ASSERT_TRUE(SaveListToFile({"two\nlines", "cr\rinside", "a,b"}, p));
    List back;
    ASSERT_TRUE(LoadAddressList(p, back));
    EXPECT_EQ(back, (List{"two lines", "cr inside", "a,b"}));
}

TEST_F(ListFileTest, SaveKeepsPermissionsAndFollowsSymbolicLinks) {
    const fs::path real = dir() / "real.txt";
    const fs::path link = dir() / "link.txt";
    writeBytes(real, "x\r\n");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);

    ASSERT_TRUE(SaveListToFile({"new"}, link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "new\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folderEntries(dir()), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST_F(ListFileTest, FailedSaveReportsFailureAndCleansUp) {
    // The target is a folder: the rename fails, the folder and its content stay.
    const fs::path p = dir() / "taken";
    fs::create_directory(p);
    writeBytes(p / "inside.txt", "x");
    EXPECT_FALSE(SaveListToFile({"a"}, p));
    EXPECT_TRUE(fs::is_directory(p));
    EXPECT_EQ(folderEntries(dir()), std::vector<std::string>{"taken"});
    // A folder that does not exist.
    EXPECT_FALSE(SaveListToFile({"a"}, dir() / "missing" / "f.txt"));
}

TEST_F(ListFileTest, LeftoverRewritesGoOnlyWhenOldAndNothingElseDoes) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    auto make = [&](const std::string& name, bool aged) {
        writeBytes(dir() / name, "x");
        if (aged) fs::last_write_time(dir() / name, old);
    };
    make(".history.txt.new-Ab12Cd", true);
    make(".Site (2).fav.new-zzzzzz", true);
    // A rewrite of another instance still in progress.
    make(".Blocked Log.txt.new-Qx81pL", false);
    // The user's own files, however close their names come.
    make(".notes.txt.backup", true);
    make(".notes.new-Ab12Cd.txt", true);
    make("history.txt.new-Ab12Cd", true);
    make(".history.txt.new-Ab12C!", true);
    make(".new-Ab12Cd", true);
    fs::create_directory(dir() / ".dir.new-Ab12Cd");
    fs::create_symlink(dir() / ".notes.txt.backup", dir() / ".link.new-Ab12Cd");

    EXPECT_EQ(RemoveLeftoverRewrites(dir(), std::chrono::minutes(10)), 2);
    EXPECT_EQ(folderEntries(dir()),
              (std::vector<std::string>{".Blocked Log.txt.new-Qx81pL", ".dir.new-Ab12Cd",
                                        ".history.txt.new-Ab12C!", ".link.new-Ab12Cd",
                                        ".new-Ab12Cd", ".notes.new-Ab12Cd.txt", ".notes.txt.backup",
                                        "history.txt.new-Ab12Cd"}));
    EXPECT_EQ(RemoveLeftoverRewrites(dir() / "missing", std::chrono::minutes(0)), 0);
}

TEST_F(ListFileTest, ReadErrorsReportFailure) {
    const fs::path p = dir() / "a-folder";
    fs::create_directory(p);
    List list{"x"};
    EXPECT_FALSE(LoadListFromFile(list, p, false));
    EXPECT_EQ(list, List{"x"});
    EXPECT_FALSE(LoadAddressList(p, list));
}

TEST_F(ListFileTest, AppendCreatesPrivateFileAndAddsWholeLines) {
    const fs::path p = dir() / "history.txt";
    ASSERT_TRUE(AppendAddressToHistory(p, "http://a.example/"));
    ASSERT_TRUE(AppendAddressToHistory(p, "b,c"));
    EXPECT_EQ(readBytes(p), "http://a.example/\r\nb,c\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(AppendAddressToHistory(dir() / "missing" / "history.txt", "x"));
}

TEST_F(ListFileTest, AppendAfterALastLineWithoutLineEndStartsANewLine) {
    const fs::path p = dir() / "history.txt";
    writeBytes(p, "edited by hand");
    ASSERT_TRUE(AppendAddressToHistory(p, "new"));
    EXPECT_EQ(readBytes(p), "edited by hand\r\nnew\r\n");
    writeBytes(p, "half\r");
    ASSERT_TRUE(AppendAddressToHistory(p, "new"));
    EXPECT_EQ(readBytes(p), "half\r\nnew\r\n");
}

TEST_F(ListFileTest, TwoWritersNeverInterleaveWithinALine) {
    const fs::path p = dir() / "history.txt";
    constexpr int kLines = 300;
    auto writer = [&](char letter) {
        const std::string line(4000, letter);
        for (int i = 0; i < kLines; ++i) {
            if (!AppendAddressToHistory(p, line)) ::_exit(1);
        }
        ::_exit(0);
    };
    pid_t a = ::fork();
    if (a == 0) writer('a');
    pid_t b = ::fork();
    if (b == 0) writer('b');
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    int sa = 0, sb = 0;
    ::waitpid(a, &sa, 0);
    ::waitpid(b, &sb, 0);
    ASSERT_TRUE(WIFEXITED(sa) && WEXITSTATUS(sa) == 0);
    ASSERT_TRUE(WIFEXITED(sb) && WEXITSTATUS(sb) == 0);

    List lines;
    ASSERT_TRUE(LoadAddressList(p, lines));
    ASSERT_EQ(lines.size(), 2u * kLines);
    int as = 0;
    for (const auto& l : lines) {
        ASSERT_TRUE(l == std::string(4000, 'a') || l == std::string(4000, 'b'));
        as += l[0] == 'a';
    }
    EXPECT_EQ(as, kLines);
}

TEST_F(ListFileTest, HugeFileReadsWhole) {
    // About 50 MB: 30,000 lines of 1,000 bytes, then one 20 MB line without a line end.
    const fs::path p = dir() / "huge.txt";
    {
        std::ofstream out(p, std::ios::binary);
        const std::string line = std::string(998, 'x') + "\r\n";
        for (int i = 0; i < 30000; ++i) out << line;
        out << std::string(20 * 1024 * 1024, 'y');
    }
    List lines;
    ASSERT_TRUE(LoadAddressList(p, lines));
    ASSERT_EQ(lines.size(), 30001u);
    EXPECT_EQ(lines.front(), std::string(998, 'x'));
    EXPECT_EQ(lines.back().size(), 20u * 1024 * 1024);
    List fields;
    ASSERT_TRUE(LoadListFromFile(fields, p, true));
    EXPECT_EQ(fields.size(), 30001u);
}

TEST_F(ListFileTest, SaveThenLoadRoundTrips) {
    const fs::path p = dir() / "history.txt";
    const List entries{"http://a.example/", "", "  spaced", "\xE2\x82\xAC"};
    ASSERT_TRUE(SaveListToFile(entries, p));
    List back;
    ASSERT_TRUE(LoadAddressList(p, back));
    EXPECT_EQ(back, entries);
}

}  // namespace
}  // namespace larkspan
