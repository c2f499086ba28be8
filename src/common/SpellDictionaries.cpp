#include "common/SpellDictionaries.hpp"

#include <glib.h>

#include <algorithm>
#include <system_error>

namespace larkspan::spelling {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAmericanEnglish = "en_US";

bool installed(const std::vector<std::string>& list, const std::string& language) {
    return std::find(list.begin(), list.end(), language) != list.end();
}

}  // namespace

std::vector<std::string> installedDictionaries(const fs::path& folder) {
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        if (file.extension() != ".dic") continue;
        fs::path aff = file;
        aff.replace_extension(".aff");
        std::error_code affError;
        if (fs::is_regular_file(aff, affError)) found.push_back(file.stem().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> checkedLanguages(const std::vector<std::string>& installedList,
                                          const std::string& locale) {
    std::vector<std::string> languages;
    // "de_AT.UTF-8@euro" is "de_AT"; its language is "de".
    const std::string own = locale.substr(0, locale.find_first_of(".@"));
    const std::string language = own.substr(0, own.find('_'));
    if (!language.empty() && language != "C" && language != "POSIX") {
        if (installed(installedList, own)) {
            languages.push_back(own);
        } else if (installed(installedList, language)) {
            languages.push_back(language);
        } else {
            auto same =
                std::find_if(installedList.begin(), installedList.end(),
                             [&](const std::string& l) { return l.rfind(language + "_", 0) == 0; });
            if (same != installedList.end()) languages.push_back(*same);
        }
    }
    if (installed(installedList, kAmericanEnglish) && !installed(languages, kAmericanEnglish)) {
        languages.push_back(kAmericanEnglish);
    }
    return languages;
}

std::vector<std::string> checkedLanguages() {
    const gchar* const* names = g_get_language_names();
    return checkedLanguages(installedDictionaries(kDictionaryFolder),
                            names != nullptr && names[0] != nullptr ? names[0] : "");
}

}  // namespace larkspan::spelling
