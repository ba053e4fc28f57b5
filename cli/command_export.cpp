#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_files.h"
#include "document/c_export.h"
#include "document/c_export_adapter.h"
#include "document/c_export_files.h"
#include "document/c_identifier.h"
#include "document/network_model.h"

int RunExportCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string folder = arguments.Value("c").value_or("");
    CExportOptions options;
    options.name = arguments.Value("name").value_or(CNameFromStem(std::filesystem::path(networkPath).stem().string()));
    options.tables = arguments.Has("float-tables") ? CTableType::Float : CTableType::Double;
    if (!IsUsableCName(options.name))
        return ReportUserError(context, "--name: '" + options.name +
                                            "' is not a usable C name (a letter, then letters, digits and "
                                            "underscores; no C keyword)");
    NetworkModel network;
    if (!OpenNetwork(networkPath, network, context))
        return ExitUserError;
    const std::optional<std::string> refusal = CExportRefusal(network.GetLayersCount(), network.GetInputCount(),
                                                              network.GetOutputCount(), options.tables);
    if (refusal)
        return ReportUserError(context, *refusal + "; nothing was exported");
    const CExportModel model = CExportModelOf(network, std::filesystem::path(networkPath).filename().string());
    std::string error;
    if (!WriteCExportFiles(folder, options.name, GenerateCExport(model, options), error))
        return ReportUserError(context, error + "; nothing was exported");
    const CExportSizes sizes = CExportSizesOf(model, options.tables);
    const std::filesystem::path base(folder);
    context.out << "Exported " << networkPath << " as " << (base / (options.name + ".h")).string() << " and "
                << (base / (options.name + ".c")).string() << "\n"
                << "Constant data: " << sizes.ConstantTotal() << " bytes; working memory: "
                << sizes.forwardWorking + sizes.consultWorking << " bytes on the stack\n";
    return ExitSuccess;
}
