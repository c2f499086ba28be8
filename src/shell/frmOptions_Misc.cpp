// The options dialog's "Misc." page: its check boxes are all bound to their options.
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

MiscPage::MiscPage(frmOptions& dialog) : OptionsPage(dialog, "Misc") {}

}  // namespace larkspan
