#include "shell/FullScreenMode.hpp"

namespace larkspan {

bool FullScreenMode::toggle() {
    if (shown()) return leave();
    user_ = true;
    return false;
}

bool FullScreenMode::leave() {
    user_ = false;
    return page_;
}

}  // namespace larkspan
