#pragma once

#include <memory>

namespace larkspan {

class OptionsModel;
class WebSession;

// The options that belong to the web engine as a whole (spell checking, hardware
// acceleration) applied to `session` now and on each change, for as long as it lives.
void followEngineOptions(OptionsModel& options, const std::shared_ptr<WebSession>& session);

}  // namespace larkspan
