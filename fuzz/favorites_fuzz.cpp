// Feeds arbitrary bytes to the favorites' readers: a favorite file's lines, a title as the
// add command checks and cuts it, an exported bookmarks page and a JSON bookmarks file. Besides
// crashes and sanitizer reports, it checks what the readers promise their callers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/ListFile.hpp"
#include "common/TextEncoding.hpp"
#include "features/favorites/Bookmarks.hpp"
#include "features/favorites/FavoriteFile.hpp"

using namespace larkspan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const favorites::Favorite f = favorites::parse(listfile::parseListFile(bytes));
    if (!text::isValidUtf8(f.title) || !text::isValidUtf8(f.url)) std::abort();

    // A cut caption is valid text of at most 40 characters.
    const std::string caption = favorites::cutTitle(text::decodeFileText(bytes));
    if (!text::isValidUtf8(caption)) std::abort();
    std::size_t characters = 0;
    for (unsigned char c : caption) characters += (c & 0xC0) != 0x80;
    if (characters > 40) std::abort();

    for (const favorites::Bookmark& b :
         favorites::parseBookmarksHtml(text::decodeFileText(bytes))) {
        if (!text::isValidUtf8(b.title) || !text::isValidUtf8(b.url)) std::abort();
    }
    // A JSON bookmarks file of any shape and nesting is read; valid text stays valid.
    for (const favorites::Bookmark& b :
         favorites::parseChromiumBookmarks(text::decodeFileText(bytes))) {
        if (!text::isValidUtf8(b.title) || !text::isValidUtf8(b.url)) std::abort();
    }
    return 0;
}
