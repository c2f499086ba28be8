#include "app/LeftoverFiles.hpp"

#include <glibmm/main.h>

#include <chrono>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"
#include "features/favorites/FavoriteFile.hpp"

namespace larkspan {

void removeLeftoverRewritesWhenIdle() {
    static bool done = false;
    if (done) return;
    done = true;
    Glib::signal_idle().connect_once(
        [] {
            // A rewrite lasts well under a second; one this old belongs to no running instance.
            constexpr std::chrono::minutes kAge{10};
            RemoveLeftoverRewrites(paths::dataDir(), kAge);
            RemoveLeftoverRewrites(favorites::folderPath(), kAge);
        },
        Glib::PRIORITY_LOW);
}

}  // namespace larkspan
