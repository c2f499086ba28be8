#pragma once

// The spell checker's dictionaries: the hunspell ones installed on the system, and the
// languages the program checks in (American English and the user's own language, those of
// them that are installed).

#include <filesystem>
#include <string>
#include <vector>

namespace larkspan::spelling {

// Where the system's hunspell dictionaries are installed.
inline const std::filesystem::path kDictionaryFolder = "/usr/share/hunspell";

// The languages ("en_US", "de_DE") of the dictionaries in `folder`: each ".dic" file that
// has its ".aff" beside it. Sorted; empty when the folder cannot be read.
std::vector<std::string> installedDictionaries(const std::filesystem::path& folder);

// The languages to check in, given the installed ones and the user's locale ("de_AT.UTF-8",
// "fr", "C"): the locale's own language first (its exact dictionary, else the language's
// plain one, else the first of that language), then American English.
std::vector<std::string> checkedLanguages(const std::vector<std::string>& installed,
                                          const std::string& locale);

// The same for this system and the user's locale.
std::vector<std::string> checkedLanguages();

}  // namespace larkspan::spelling
