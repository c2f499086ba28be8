// A page's Back and Forward history taken from one real engine and put into a fresh one, as a
// restored session does.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/webkit/WebKitPageEngine.hpp"
#include "support/EngineHost.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

using test::EngineHost;
using test::PageServer;
using test::waitUntil;

constexpr int kTimeoutMs = 15000;

std::vector<std::string> addressesOf(const std::vector<HistoryEntry>& entries) {
    std::vector<std::string> addresses;
    for (const auto& e : entries) addresses.push_back(e.address);
    return addresses;
}

TEST(HistoryState, TakenHistoryRestoresIntoAFreshEngineAndLoadsItsCurrentPage) {
    test::initEngineTests();
    PageServer server;
    ASSERT_TRUE(server.listening());
    for (const char* name : {"a", "b", "c"}) {
        server.addPage(std::string("/") + name + ".html",
                       std::string("<title>") + name + "</title><p>" + name + "</p>");
    }
    testing::ScriptedDialogs dialogs;
    auto dialogsSource = [&dialogs]() -> Dialogs& { return dialogs; };

    EngineHost first(makeWebKitPageEngine(dialogsSource));
    const std::string a = server.url("/a.html");
    const std::string b = server.url("/b.html");
    const std::string c = server.url("/c.html");
    ASSERT_TRUE(first.load(a));
    ASSERT_TRUE(first.load(b));
    ASSERT_TRUE(first.load(c));
    const int loaded = first.completions;
    first.engine().goBack();
    ASSERT_TRUE(waitUntil(
        [&] { return first.completions > loaded && first.engine().forwardHistory().size() == 1; },
        kTimeoutMs));
    ASSERT_EQ(first.engine().locationURL(), b);
    const std::string state = first.engine().historyState();
    ASSERT_FALSE(state.empty());

    EngineHost second(makeWebKitPageEngine(dialogsSource));
    EXPECT_FALSE(second.engine().restoreHistoryState("not a history"));
    ASSERT_TRUE(second.engine().restoreHistoryState(state));
    ASSERT_TRUE(waitUntil(
        [&] { return second.completions > 0 && second.engine().locationURL() == b; }, kTimeoutMs));
    EXPECT_EQ(addressesOf(second.engine().backHistory()), std::vector<std::string>{a});
    EXPECT_EQ(addressesOf(second.engine().forwardHistory()), std::vector<std::string>{c});
}

}  // namespace
}  // namespace larkspan
