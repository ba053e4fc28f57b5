#include "shell/command_router.h"

void CommandRouter::Attach(CommandOwner owner, CommandTarget* target)
{
    targets[static_cast<size_t>(owner)] = target;
}

std::optional<CommandOwner> CommandRouter::FindHandler(CommandId id) const
{
    for (size_t index = 0; index < targets.size(); ++index)
        if (targets[index] != nullptr && targets[index]->HasHandler(id))
            return static_cast<CommandOwner>(index);
    return std::nullopt;
}

CommandState CommandRouter::QueryState(CommandId id) const
{
    const CommandRow* row = FindCommand(id);
    if (row == nullptr || !FindHandler(id))
        return {false, false};
    CommandState state;
    state.enabled = RuleEnables(*row);
    if (conditions != nullptr && row->rule == EnablingRule::ToolbarShown)
        state.checked = conditions->IsToolbarShown();
    if (conditions != nullptr && row->rule == EnablingRule::StatusBarShown)
        state.checked = conditions->IsStatusBarShown();
    if (conditions != nullptr && row->rule == EnablingRule::TrainingCurveShown)
        state.checked = conditions->IsTrainingCurveShown();
    return state;
}

bool CommandRouter::RuleEnables(const CommandRow& row) const
{
    if (conditions == nullptr)
        return true;
    switch (row.rule) {
    case EnablingRule::PatternsExist:
        return conditions->PatternsExist();
    case EnablingRule::TrainingCanStart:
        return conditions->TrainingCanStart();
    case EnablingRule::TrainingOn:
        return conditions->IsTrainingOn();
    case EnablingRule::BestNetworkDiffers:
        return conditions->CanRestoreBestNetwork();
    case EnablingRule::RecentFileListed:
        return conditions->IsRecentFileListed(row.id - ID_FILE_MRU_FILE1);
    case EnablingRule::Always:
    case EnablingRule::ToolbarShown:
    case EnablingRule::StatusBarShown:
    case EnablingRule::TrainingCurveShown:
        return true;
    }
    return true;
}

bool CommandRouter::Execute(CommandId id)
{
    if (!QueryState(id).enabled)
        return false;
    for (CommandTarget* target : targets) {
        if (target != nullptr && target->OnCommand(id)) {
            if (onCommandDone)
                onCommandDone(id);
            return true;
        }
    }
    return false;
}
