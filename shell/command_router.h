#pragma once

#include <array>
#include <functional>
#include <optional>

#include "shell/command_state.h"
#include "shell/command_table.h"
#include "shell/command_target.h"

// Offers commands to the view, the document, the frame and the application in that order, and
// works out each command's state from its enabling rule.
class CommandRouter {
public:
    // Targets not yet attached are skipped.
    void Attach(CommandOwner owner, CommandTarget* target);
    void SetConditions(const CommandConditions* source) { conditions = source; }

    // Called after every command that was carried out.
    std::function<void(CommandId)> onCommandDone;

    // The first target that handles id, if any.
    std::optional<CommandOwner> FindHandler(CommandId id) const;

    // Disabled when nobody handles id, otherwise as its rule says.
    CommandState QueryState(CommandId id) const;

    // Checks the rule at this moment and runs the handler; false when ignored.
    bool Execute(CommandId id);

private:
    bool RuleEnables(const CommandRow& row) const;

    std::array<CommandTarget*, 4> targets{};
    const CommandConditions* conditions = nullptr;
};
