#include "shell/TypedHistory.hpp"

#include "common/FolderLock.hpp"
#include "common/ListFile.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

bool clearTypedHistory(ShellContext& context) {
    const auto file = listfile::historyFilePath();
    bool emptied = false;
    {
        // Not between another instance's reading of the file and its rewrite.
        FolderLock lock(file.parent_path());
        emptied = RewriteListFile({}, file);
    }
    // The lists are filled again from the file, which holds nothing now.
    context.reloadAddressLists();
    return emptied;
}

}  // namespace larkspan
