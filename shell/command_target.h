#pragma once

#include <algorithm>
#include <span>

#include "shell/command_ids.h"

// An object that commands are offered to: it carries out those its command map names.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // True when this object has a handler for id.
    virtual bool HasHandler(CommandId id) const = 0;

    // Runs the handler for id; false when there is none.
    virtual bool OnCommand(CommandId id) = 0;
};

// One entry of a class's command map: the command and the member that handles it.
template <typename Target>
struct CommandMapEntry {
    CommandId id;
    void (Target::*handler)();
};

// Looks id up in map and runs the member found on target.
template <typename Target>
bool DispatchCommand(Target& target, std::span<const CommandMapEntry<Target>> map, CommandId id)
{
    const auto entry = std::find_if(map.begin(), map.end(), [id](const auto& each) { return each.id == id; });
    if (entry == map.end())
        return false;
    (target.*(entry->handler))();
    return true;
}

template <typename Target>
bool MapHasHandler(std::span<const CommandMapEntry<Target>> map, CommandId id)
{
    return std::any_of(map.begin(), map.end(), [id](const auto& each) { return each.id == id; });
}
