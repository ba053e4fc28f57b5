#include "cli/network_files.h"

#include <new>

#include "document/network_file.h"
#include "document/network_model.h"
#include "framework/file_store.h"

bool OpenNetwork(const std::string& path, NetworkModel& model, CommandContext& context)
{
    std::string reason;
    if (ReadNetworkFile(path, model, reason))
        return true;
    ReportUserError(context, "Cannot open the document " + path + ".\n" + reason);
    return false;
}

bool SaveNetwork(const std::string& path, const NetworkModel& model, CommandContext& context)
{
    std::string error;
    try {
        if (LocalFileStore().WriteWholeFile(path, WriteNetwork(model), error))
            return true;
    } catch (const std::bad_alloc&) {
        error = "There is not enough memory to save it.";
    }
    ReportUserError(context, "Failed to save the document " + path + ".\n" + error);
    return false;
}
