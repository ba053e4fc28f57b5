#include "cli/command_table.h"

#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "cli/learning_options.h"

namespace {

constexpr std::array<OptionSpec, 7> NewOptions = {{
    {"layers", true}, {"inputs", true}, {"outputs", true}, {"randomize", false}, {"seed", true}, {"force", false},
    {"rounding", true, "MODE", false, RoundingChoices},
}};
constexpr std::array<OptionSpec, 1> ImportOptions = {{{"keep-tables", false}}};
constexpr std::array<OptionSpec, 10> TrainOptions = {{
    {"passes", true, "N", true}, {"seed", true}, {"output", true}, {"rounding", true, "MODE", false, RoundingChoices},
    {"keep-best", false}, {"no-keep-best", false}, {"validate", true, "FILE"}, {"every", true, "K"},
    {"classes", true, "K"}, {"log", true, "FILE.csv"},
}};
constexpr std::array<OptionSpec, 2> EvaluateOptions = {{{"classes", true, "K"}, {"json", false}}};
constexpr std::array<OptionSpec, 1> ConsultOptions = {{{"values", true}}};
constexpr std::array<OptionSpec, 3> ExportOptions = {{
    {"c", true, "DIR", true}, {"name", true, "NAME"}, {"float-tables", false},
}};

constexpr std::string_view NewDetails =
    "Creates a network document NET.cvn with zero weights, identity transformation tables,\n"
    "no training patterns, passes count 0 and average error 10922.\n"
    "\n"
    "Options:\n"
    "  --layers L     layers count, 1 to 100000 (default 5)\n"
    "  --inputs W     input count, 1 to 100000 (default 4)\n"
    "  --outputs O    output count, 1 to 100000 (default 2); with W inputs it must lie\n"
    "                 strictly between W / 3 (rounded down) and 3 * W\n"
    "  --randomize    give every weight a random byte\n"
    "  --seed S       seed the random source with the unsigned integer S (otherwise the clock)\n"
    "  --force        replace NET.cvn if it exists (otherwise an existing file is refused)\n"
    "  --rounding MODE\n"
    "                 how learning rounds: classic (the default) or precise; stored with\n"
    "                 the network\n"
    "\n"
    "The shape is checked as the \"Create a New Corvina\" dialog checks it, with the same\n"
    "messages; a network of more neurons than the engine builds is refused.\n";

constexpr std::string_view InfoDetails =
    "Prints the eight lines of the status report of NET.cvn: the shape and neuron count,\n"
    "whether training data are available, the patterns count, the produced passes count and\n"
    "the average error. Learning settings that differ from their defaults follow, one line\n"
    "each: \"Rounding: precise\", \"Keep best: evaluated on FILE every K passes\" (or on the\n"
    "training patterns, or at the default interval) and \"Classes: K\".\n";

constexpr std::string_view ImportDetails =
    "Replaces the training patterns of NET.cvn by the records of the text file DATA and saves\n"
    "NET.cvn. DATA holds real numbers separated by white space, read in records of inputs +\n"
    "outputs numbers; reading stops at the end of the file or at the first token that is not\n"
    "a number (a note on standard error then says where), and an incomplete last record is\n"
    "dropped. A UTF-8 byte-order mark at the start is skipped. Every transformation table is\n"
    "rebuilt from the data's quantiles first, unless --keep-tables is given. The passes\n"
    "count and the average error are reset. Prints how many patterns were imported.\n"
    "\n"
    "Options:\n"
    "  --keep-tables  convert the data through the tables NET.cvn already has\n"
    "\n"
    "A DATA that cannot be read, or holds no complete record, is an error and NET.cvn is\n"
    "left as it was.\n";

constexpr std::string_view TrainDetails =
    "Runs N training passes on the patterns of NET.cvn, each on a pattern drawn at random,\n"
    "then saves the network and prints the produced passes count and the average error.\n"
    "A progress bar is drawn on standard error when it is a terminal.\n"
    "\n"
    "Options:\n"
    "  --passes N        the number of passes, at least 1 (required)\n"
    "  --seed S          seed the random source with the unsigned integer S (otherwise the clock)\n"
    "  --output OUT.cvn  save the trained network there instead of back into NET.cvn\n"
    "  --rounding MODE   how learning rounds: classic, the original rule, in which every\n"
    "                    weight step of a large product is exactly one; or precise, which\n"
    "                    draws over the whole divisor so the mean step is the exact quotient\n"
    "  --keep-best       evaluate the network every K passes and save the weights of the best\n"
    "                    evaluation (the lowest mean squared level error) instead of the last\n"
    "  --no-keep-best    train without keeping the best network\n"
    "  --validate FILE   evaluate on the records of the training-data file FILE instead of on\n"
    "                    the training patterns\n"
    "  --every K         passes between two evaluations, at least 1 (default: five passes per\n"
    "                    record evaluated on, rounded up to 1, 2 or 5 times a power of ten)\n"
    "  --classes K       the outputs stand for K classes (output t for class t mod K), for\n"
    "                    the accuracy in the log and the keep-best line\n"
    "  --log FILE.csv    write one row every K passes: passes, average_error, and when the\n"
    "                    network is evaluated (keep-best, or a validation file), evaluation_error\n"
    "                    and with classes accuracy\n"
    "\n"
    "--rounding, --keep-best, --no-keep-best, --validate, --every and --classes are stored with\n"
    "the network and used by later training. Evaluations run at every multiple of K of the\n"
    "passes count and once when training starts and ends; with keep-best the saved network\n"
    "has the best weights, and a last line says at which pass they were reached and their\n"
    "evaluation. Its passes count and average error stay those of the end of training.\n"
    "\n"
    "A network without training patterns is refused; import some first. A validation file\n"
    "that cannot be read or holds no complete record is refused, and nothing is written.\n";

constexpr std::string_view EvaluateDetails =
    "Runs the network of NET.cvn on every record of the training-data file DATA (inputs, then\n"
    "outputs, read as import reads them) as consult runs it, and compares its outputs with the\n"
    "record's outputs. Prints the records evaluated; the level error, the mean over records and\n"
    "outputs of the squared difference between each output neuron's level and its target level\n"
    "(the measure of the average error); and for each output the mean absolute error (mae) and\n"
    "the root-mean-square error (rmse) in the data's own units.\n"
    "\n"
    "With classes, output t belongs to class t mod K, so repeated one-hot columns add up; a\n"
    "record's predicted class is the class with the greatest sum of output levels, its true class\n"
    "the one with the greatest sum of target values; a tie on either side counts as a miss.\n"
    "Prints the accuracy and the K x K confusion matrix (rows true classes, columns predicted).\n"
    "\n"
    "Options:\n"
    "  --classes K  the outputs stand for K classes, 2 to the output count (default: the classes\n"
    "               stored by train --classes, else none)\n"
    "  --json       print one JSON object: records, level_error, outputs (a list of objects with\n"
    "               mae and rmse), and with classes accuracy, undecided and confusion\n"
    "\n"
    "NET.cvn is not changed.\n";

constexpr std::string_view ConsultDetails =
    "Asks the network for its outputs.\n"
    "\n"
    "With --values, runs it once on the given input values, one per input, separated by\n"
    "commas, and prints one line per output: \"Output # t, - <tab>value\".\n"
    "\n"
    "With IN and OUT, reads the text file IN in rows of one number per input (white space\n"
    "between numbers; reading stops at the first token that is not a number) and writes OUT\n"
    "with one line per complete row: the output values separated by single blanks. OUT is\n"
    "created or replaced as a whole; it may be neither IN nor NET.cvn, under any name. When\n"
    "reading stops at a token that is not a number, a note on standard error says where.\n"
    "\n"
    "Options:\n"
    "  --values v1,v2,...  the input values, exactly as many as the network has inputs\n";

constexpr std::string_view ExportDetails =
    "Writes the network of NET.cvn as standalone C99 source, DIR/NAME.h and DIR/NAME.c, for a\n"
    "device without Corvina. NAME defaults to the file name of NET.cvn without its extension,\n"
    "made into a C identifier.\n"
    "\n"
    "The code allocates nothing and needs nothing beyond <stdint.h> and <stddef.h>; the weights,\n"
    "the wiring, the activation thresholds and the transformation tables are constant data.\n"
    "NAME.h declares:\n"
    "  NAME_INPUTS, NAME_OUTPUTS  the number of inputs and of outputs\n"
    "  NAME_forward(in_levels, out_levels)\n"
    "                 runs the network on input levels 0..255 and gives the output levels,\n"
    "                 with integers only\n"
    "  NAME_consult(in, out)\n"
    "                 real values in and out: answers what consult answers, bit for bit,\n"
    "                 infinities and NaN included\n"
    "\n"
    "The comment at the top of both files gives the shape and the bytes of constant data and\n"
    "of working memory. DIR must exist; files DIR/NAME.h and DIR/NAME.c are replaced.\n"
    "\n"
    "Options:\n"
    "  --c DIR         the folder to write into (required)\n"
    "  --name NAME     the stem of both files and the prefix of every exported name: a\n"
    "                  letter, then letters, digits and underscores, and no C keyword\n"
    "  --float-tables  tables of float, and NAME_consult on float, for processors without\n"
    "                  double. Inexact: outputs are rounded to float, and an input equal to\n"
    "                  a table entry that rounding moved up gets a lower level than consult\n"
    "                  gives it\n";

constexpr std::array<CommandSpec, 7> Table = {{
    {"new", "NET.cvn [--layers L] [--inputs W] [--outputs O] [--randomize] [--seed S] [--force] "
     "[--rounding classic|precise]",
     "create a network document", NewDetails, NewOptions, 1, 1, RunNewCommand},
    {"info", "NET.cvn", "print the status report of a network", InfoDetails, {}, 1, 1, RunInfoCommand},
    {"import", "NET.cvn DATA [--keep-tables]", "load training data into a network", ImportDetails,
     ImportOptions, 2, 2, RunImportCommand},
    {"train", "NET.cvn --passes N [--seed S] [--output OUT.cvn] [--rounding classic|precise] "
     "[--keep-best|--no-keep-best] [--validate FILE] [--every K] [--classes K] [--log FILE.csv]",
     "train a network", TrainDetails, TrainOptions, 1, 1, RunTrainCommand},
    {"evaluate", "NET.cvn DATA [--classes K] [--json]", "measure a network on records with known answers",
     EvaluateDetails, EvaluateOptions, 2, 2, RunEvaluateCommand},
    {"consult", "NET.cvn --values v1,v2,...\nNET.cvn IN OUT", "ask a network for its outputs",
     ConsultDetails, ConsultOptions, 1, 3, RunConsultCommand},
    {"export", "NET.cvn --c DIR [--name NAME] [--float-tables]", "write a network as standalone C source",
     ExportDetails, ExportOptions, 1, 1, RunExportCommand},
}};

}  // namespace

std::span<const CommandSpec> Commands()
{
    return Table;
}

const CommandSpec* FindCommand(std::string_view name)
{
    const auto found =
        std::find_if(Table.begin(), Table.end(), [&](const CommandSpec& command) { return command.name == name; });
    return found == Table.end() ? nullptr : &*found;
}
