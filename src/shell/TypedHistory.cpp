#include "shell/TypedHistory.hpp"

#include "common/ListFile.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

bool clearTypedHistory(ShellContext& context) {
    bool emptied = RewriteListFile({}, listfile::historyFilePath());
    // The lists are filled again from the file, which holds nothing now.
    context.reloadAddressLists();
    return emptied;
}

}  // namespace larkspan
