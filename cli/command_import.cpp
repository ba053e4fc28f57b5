#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_files.h"
#include "document/network_model.h"
#include "document/training_import.h"

int RunImportCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string& dataPath = arguments.positionals[1];
    const bool makeNewTables = !arguments.Has("keep-tables");

    NetworkModel model;
    if (!OpenNetwork(networkPath, model, context))
        return ExitUserError;
    const int32_t count = model.GetInputCount() + model.GetOutputCount();
    const RawRecords records = ReadRawRecords(dataPath, count);
    // Saving a network stripped of its patterns would be a mistake to report instead.
    if (const std::string refusal = DescribeImportRefusal(records, dataPath); !refusal.empty())
        return ReportUserError(context, refusal + " " + networkPath + " was left as it was.");

    model.ImportRecords(records, makeNewTables);
    if (!SaveNetwork(networkPath, model, context))
        return ExitUserError;
    if (const std::string note = DescribeEarlyStop(records.GetRecordCount(), "record", dataPath, records.stop);
        !note.empty())
        ReportNote(context, note);
    context.out << "Imported " << model.GetPatternsCount() << " training patterns of " << count << " numbers from "
                << dataPath << " into " << networkPath << "; transformation tables "
                << (makeNewTables ? "rebuilt from the data" : "kept") << "\n";
    return ExitSuccess;
}
