#pragma once

#include <span>
#include <string_view>

#include "shell/command_ids.h"

// The object a command is offered to; commands are offered in this order.
enum class CommandOwner { View, Document, Frame, Application };

// When a command is enabled.
enum class EnablingRule {
    Always,
    PatternsExist,       // the document has training patterns
    TrainingCanStart,    // patterns exist and the training flag is off
    TrainingOn,          // the training flag is on
    RecentFileListed,    // the recent-file list holds this entry
    ToolbarShown,        // always, checked while the toolbar is shown
    StatusBarShown,      // always, checked while the status bar is shown
    TrainingCurveShown,  // always, checked while the training curve window is shown
    BestNetworkDiffers,  // best weights are kept and the network's differ from them
};

// One command of the program's vocabulary. Menus, keys, the toolbar, the status-bar prompts
// and the enabling of every command are built from these rows.
struct CommandRow {
    CommandId id;
    std::string_view menuText;  // with & mnemonics; empty for a command without a menu item
    std::string_view key;       // in QKeySequence's portable form; empty for none
    int toolbarSlot;            // 1-based button position; 0 for none
    std::string_view prompt;    // status-bar prompt, then "\n" and the tooltip
    std::string_view pictureName;  // the toolbar picture, ":/toolbar/<name>"
    CommandOwner owner;
    EnablingRule rule;
};

// Every command, in menu order.
std::span<const CommandRow> CommandTable();

// The row of id, or nullptr.
const CommandRow* FindCommand(CommandId id);

// The toolbar has a separator after these slots.
std::span<const int> ToolbarSeparatorsAfter();

// The status-bar part of a prompt (before "\n") and its tooltip part (after it).
std::string_view PromptStatusText(const CommandRow& row);
std::string_view PromptTooltip(const CommandRow& row);
