#pragma once

#include <span>
#include <string_view>

#include "shell/command_ids.h"

// One step of the menu bar's layout, read in order: a menu or submenu opens with its title, holds
// items and separators, and closes.
struct MenuStep {
    enum Kind { Open, Item, Separator, Close } kind;
    std::string_view title;  // Open only
    CommandId id;            // Item only; its text comes from the command table
};

// The menu bar, from "&File" to "&Help".
std::span<const MenuStep> MenuLayout();
