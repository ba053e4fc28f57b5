#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/input_file.h"
#include "cli/network_session.h"

int RunImportCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string& dataPath = arguments.positionals[1];
    const bool makeNewTables = !arguments.Has("keep-tables");

    NetworkSession session(context.err);
    if (!session.Open(networkPath))
        return ExitUserError;
    std::string error;
    // The import itself reads a missing file as empty and would save a network stripped of
    // its patterns; on the command line that is a mistake to report instead.
    if (!CheckReadableFile(dataPath, error))
        return ReportUserError(context, error + "; " + networkPath + " was left as it was");

    CCorvinaDoc& document = session.Document();
    document.ImportTrainingData(dataPath, makeNewTables);
    const int32_t count = document.GetInputCount() + document.GetOutputCount();
    const int32_t patterns = document.GetPatternsCount();
    if (patterns == 0)
        return ReportUserError(context, dataPath + " holds no complete record of " + std::to_string(count) +
                                            " numbers; " + networkPath + " was left as it was");
    if (!session.SaveAs(networkPath))
        return ExitUserError;

    context.out << "Imported " << patterns << " training patterns of " << count << " numbers from " << dataPath
                << " into " << networkPath << "; transformation tables "
                << (makeNewTables ? "rebuilt from the data" : "kept") << "\n";
    return ExitSuccess;
}
