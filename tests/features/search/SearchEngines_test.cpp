// Search addresses: the text reaches every engine as one value, whatever it holds, and a
// missing engine choice falls back to Google; the placeholder rules of the search box.
#include "features/search/SearchEngines.hpp"

#include <glib.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "features/search/SearchBoxRules.hpp"
#include "settings/OptionsModel.hpp"

namespace larkspan::search {
namespace {

struct ParsedAddress {
    std::string scheme;
    std::string host;
    std::string path;                           // unescaped
    std::map<std::string, std::string> params;  // unescaped values by name
};

ParsedAddress parse(const std::string& address) {
    ParsedAddress p;
    GError* error = nullptr;
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_ENCODED, &error);
    EXPECT_NE(uri, nullptr) << address;
    if (!uri) {
        g_clear_error(&error);
        return p;
    }
    p.scheme = g_uri_get_scheme(uri);
    p.host = g_uri_get_host(uri);
    char* path = g_uri_unescape_string(g_uri_get_path(uri), nullptr);
    p.path = path ? path : "";
    g_free(path);
    if (const char* query = g_uri_get_query(uri)) {
        GHashTable* params = g_uri_parse_params(query, -1, "&", G_URI_PARAMS_NONE, nullptr);
        GHashTableIter it;
        gpointer key = nullptr, value = nullptr;
        g_hash_table_iter_init(&it, params);
        while (g_hash_table_iter_next(&it, &key, &value)) {
            p.params[static_cast<const char*>(key)] = static_cast<const char*>(value);
        }
        g_hash_table_unref(params);
    }
    g_uri_unref(uri);
    return p;
}

const char* const kTexts[] = {"two words",
                              "fish & chips",
                              "C# + C++",
                              "a/b?c=d&e",
                              "na\xc3\xafve caf\xc3\xa9 \xe6\x9d\xb1\xe4\xba\xac",
                              "100%"};

TEST(SearchEnginesTest, EveryListedEngineReceivesTheTextAsOneValue) {
    for (std::string_view name : OptionsModel::siteEntries()) {
        const SearchEngine* engine = findSearchEngine(name);
        ASSERT_NE(engine, nullptr) << name;
        ParsedAddress plain = parse(searchAddress(*engine, "x"));
        EXPECT_EQ(plain.scheme, "https") << name;
        EXPECT_FALSE(plain.host.empty()) << name;
        for (const char* text : kTexts) {
            std::string address = searchAddress(*engine, text);
            SCOPED_TRACE(address);
            EXPECT_EQ(address.find(' '), std::string::npos);
            ParsedAddress p = parse(address);
            EXPECT_EQ(p.host, plain.host);
            // The text adds no parameter and splits none: the same names as for "x".
            ASSERT_EQ(p.params.size(), plain.params.size());
            if (name == "Excite") {
                // The text is the last path segment.
                EXPECT_EQ(p.path, plain.path.substr(0, plain.path.size() - 1) + text);
            } else {
                EXPECT_EQ(p.path, plain.path);
                int holding = 0;
                for (const auto& [key, value] : p.params) {
                    ASSERT_TRUE(plain.params.count(key)) << key;
                    if (value == text) {
                        ++holding;
                        EXPECT_EQ(plain.params[key], "x");
                    } else {
                        EXPECT_EQ(value, plain.params[key]) << key;
                    }
                }
                EXPECT_EQ(holding, 1);
            }
        }
    }
}

TEST(SearchEnginesTest, EncodingKeepsUnreservedCharactersAndEscapesTheRestAsUtf8Bytes) {
    EXPECT_EQ(encodeSearchText("Az09-._~"), "Az09-._~");
    EXPECT_EQ(encodeSearchText("a b&c#d+e"), "a%20b%26c%23d%2Be");
    EXPECT_EQ(encodeSearchText("\xc3\xa9"), "%C3%A9");
    EXPECT_EQ(encodeSearchText(""), "");
}

TEST(SearchEnginesTest, AnEmptyOrUnlistedChoiceSearchesWithGoogleAndSaysSo) {
    SearchPlan google = planSearch("Google", "cats");
    EXPECT_FALSE(google.autoSelected);
    for (const char* choice : {"", "google", "Google ", "Lycos"}) {
        SearchPlan plan = planSearch(choice, "cats");
        EXPECT_TRUE(plan.autoSelected) << choice;
        EXPECT_EQ(plan.address, google.address) << choice;
    }
    // An empty box searches for the empty text.
    EXPECT_EQ(parse(planSearch("Yahoo!", "").address).params.at("p"), "");
}

TEST(SearchBoxRulesTest, AClickClearsAnyEngineNameAndNothingElse) {
    for (std::string_view name : OptionsModel::siteEntries()) {
        EXPECT_TRUE(clickClears(name)) << name;
    }
    for (const char* text : {"", "google", "Google ", "cats", "Yahoo"}) {
        EXPECT_FALSE(clickClears(text)) << text;
    }
}

TEST(SearchBoxRulesTest, OnlyAnEmptyBoxTakesThePlaceholderOnLeaving) {
    EXPECT_EQ(placeholderOnLeaving("", "Excite"), "Excite");
    EXPECT_EQ(placeholderOnLeaving("", ""), "");
    EXPECT_EQ(placeholderOnLeaving("cats", "Excite"), std::nullopt);
    EXPECT_EQ(placeholderOnLeaving(" ", "Excite"), std::nullopt);
}

}  // namespace
}  // namespace larkspan::search
