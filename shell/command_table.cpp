#include "shell/command_table.h"

#include <algorithm>
#include <array>

namespace {

using enum CommandOwner;
using enum EnablingRule;

constexpr std::string_view RecentPrompt = "Open this document";

const std::array<CommandRow, 30> commands = {{
    {ID_FILE_NEW, "&New\tCtrl+N", "Ctrl+N", 1, "Create a new document\nNew", "new", Application, Always},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Ctrl+O", 2, "Open an existing document\nOpen", "open", Application, Always},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Ctrl+S", 3, "Save the active document\nSave", "save", Document, Always},
    {ID_FILE_SAVE_AS, "Save &As...", "", 0, "Save the active document with a new name\nSave As", "", Document, Always},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Ctrl+P", 4, "Print the active document\nPrint", "print", View, Always},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "", 0, "Display full pages\nPrint Preview", "", View, Always},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "", 0, "Change the printer and printing options\nPrint Setup", "", Application, Always},
    {ID_FILE_PRINT_DIRECT, "", "", 0, "", "", View, Always},
    {ID_FILE_MRU_FILE1, "Recent File", "", 0, RecentPrompt, "", Application, RecentFileListed},
    {ID_FILE_MRU_FILE1 + 1, "", "", 0, RecentPrompt, "", Application, RecentFileListed},
    {ID_FILE_MRU_FILE1 + 2, "", "", 0, RecentPrompt, "", Application, RecentFileListed},
    {ID_FILE_MRU_FILE4, "", "", 0, RecentPrompt, "", Application, RecentFileListed},
    {ID_APP_EXIT, "E&xit", "", 0, "Quit the application; prompts to save documents\nExit", "", Application, Always},
    {ID_EXPORT_C, "&Export as C...", "", 0, "Write the network as standalone C source for a device\nExport as C", "", Document, Always},
    {ID_VIEW_TOOLBAR, "&Toolbar", "", 0, "Show or hide the toolbar\nToggle ToolBar", "", Frame, ToolbarShown},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "", 0, "Show or hide the status bar\nToggle StatusBar", "", Frame, StatusBarShown},
    {ID_VIEW_TRAINING_CURVE, "Training &Curve", "", 0, "Show or hide the average error plotted against the passes\nTraining Curve", "", Frame, TrainingCurveShown},
    {ID_SELECT_TD, "&Select TD (Ctrl+T)", "Ctrl+T", 5, "Load new Training Data\nSelect TD", "select_td", Document, Always},
    {ID_ERASE_TD, "&Erase TD", "", 6, "Erase all Training data\nErase TD", "erase_td", Document, PatternsExist},
    {ID_RANDOMIZATION, "&Randomization", "", 7, "Randomization of newral network\nRandomization", "randomization", Document, Always},
    {ID_OPTIONS, "&Options (Ctrl+M)", "Ctrl+M", 8, "Change options\nCorvina parameters", "options", Document, Always},
    {ID_TRAIN, "&Train", "", 9, "Start training\nStart", "train", Application, TrainingCanStart},
    {ID_PAUSE, "&Pause", "", 10, "Pause training\nPause", "pause", Application, TrainingOn},
    {ID_CONSULT, "&Consult (Ctrl+C)", "Ctrl+C", 11, "Consult\nConsult", "consult", Document, Always},
    {ID_EVALUATE, "&Evaluate...", "", 0, "Evaluate the network on a data file of inputs and outputs\nEvaluate", "", Document, Always},
    {ID_TRAINING_OPTIONS, "Training &Options...", "", 0, "Change how the network learns and whether the best network is kept\nTraining Options", "", Document, Always},
    {ID_RESTORE_BEST_NETWORK, "&Restore Best Network", "", 0, "Return to the weights of the best evaluation kept while training\nRestore Best Network", "", Document, BestNetworkDiffers},
    {ID_APP_ABOUT, "&About Corvina...", "", 12, "Display program information, version number and copyright\nAbout", "about", Application, Always},
    // Keys that name commands nobody handles: they do nothing.
    {ID_HELP, "", "F1", 0, "", "", Application, Always},
    {ID_PREV_PANE, "", "Shift+F6", 0, "", "", View, Always},
}};

constexpr std::array<int, 4> separatorsAfter = {3, 4, 8, 11};

}  // namespace

std::span<const CommandRow> CommandTable()
{
    return commands;
}

const CommandRow* FindCommand(CommandId id)
{
    const auto row = std::find_if(commands.begin(), commands.end(),
                                  [id](const CommandRow& each) { return each.id == id; });
    return row == commands.end() ? nullptr : &*row;
}

std::span<const int> ToolbarSeparatorsAfter()
{
    return separatorsAfter;
}

std::string_view PromptStatusText(const CommandRow& row)
{
    return row.prompt.substr(0, row.prompt.find('\n'));
}

std::string_view PromptTooltip(const CommandRow& row)
{
    const size_t newline = row.prompt.find('\n');
    return newline == std::string_view::npos ? std::string_view() : row.prompt.substr(newline + 1);
}
