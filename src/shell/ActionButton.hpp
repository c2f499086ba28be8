#pragma once

// A styled button that stands for an application action ("app.view-history"): enabled
// exactly while the application has that action and it is enabled, so a button whose
// feature is missing cannot be used.

#include <string>

namespace larkspan {

class StyledButton;

namespace actions {

// Keeps `button` enabled while `detailedName` ("app.<name>") names an enabled action of the
// running application, following the action as it comes, goes or changes.
void follow(StyledButton& button, const std::string& detailedName);
// Activates the action; false when the application has no such enabled action.
bool activate(const std::string& detailedName);

}  // namespace actions
}  // namespace larkspan
