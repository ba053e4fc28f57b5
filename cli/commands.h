#pragma once

#include "cli/arguments.h"
#include "cli/command_context.h"

// The subcommands. Each gets its checked command line and returns an ExitStatus.

// new NET.cvn [--layers L] [--inputs W] [--outputs O] [--randomize] [--seed S] [--force]
//     [--rounding classic|precise]
int RunNewCommand(const ParsedArguments& arguments, CommandContext& context);

// info NET.cvn
int RunInfoCommand(const ParsedArguments& arguments, CommandContext& context);

// import NET.cvn DATA [--keep-tables]
int RunImportCommand(const ParsedArguments& arguments, CommandContext& context);

// train NET.cvn --passes N [--seed S] [--output OUT.cvn] [--rounding classic|precise]
//       [--keep-best|--no-keep-best] [--validate FILE] [--every K] [--classes K] [--log FILE.csv]
int RunTrainCommand(const ParsedArguments& arguments, CommandContext& context);

// evaluate NET.cvn DATA [--classes K] [--json]
int RunEvaluateCommand(const ParsedArguments& arguments, CommandContext& context);

// consult NET.cvn --values v1,v2,...  or  consult NET.cvn IN OUT
int RunConsultCommand(const ParsedArguments& arguments, CommandContext& context);

// export NET.cvn --c DIR [--name NAME] [--float-tables]
int RunExportCommand(const ParsedArguments& arguments, CommandContext& context);
