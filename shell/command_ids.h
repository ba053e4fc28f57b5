#pragma once

#include <cstdint>

// The identifier of a command, shared by its menu item, key, toolbar button and handler.
using CommandId = int32_t;

// The network commands.
inline constexpr CommandId ID_CONSULT = 32775;
inline constexpr CommandId ID_SELECT_TD = 32778;
inline constexpr CommandId ID_PAUSE = 32780;
inline constexpr CommandId ID_TRAIN = 32781;
inline constexpr CommandId ID_OPTIONS = 32784;
inline constexpr CommandId ID_RANDOMIZATION = 32786;
inline constexpr CommandId ID_ERASE_TD = 32787;
inline constexpr CommandId ID_EXPORT_C = 32800;

// The commands that show learning.
inline constexpr CommandId ID_VIEW_TRAINING_CURVE = 32801;
inline constexpr CommandId ID_EVALUATE = 32802;
inline constexpr CommandId ID_TRAINING_OPTIONS = 32803;
inline constexpr CommandId ID_RESTORE_BEST_NETWORK = 32804;

// The framework's standard commands, with their standard values.
inline constexpr CommandId ID_FILE_NEW = 57600;
inline constexpr CommandId ID_FILE_OPEN = 57601;
inline constexpr CommandId ID_FILE_SAVE = 57603;
inline constexpr CommandId ID_FILE_SAVE_AS = 57604;
inline constexpr CommandId ID_FILE_PRINT_SETUP = 57606;
inline constexpr CommandId ID_FILE_PRINT = 57607;
inline constexpr CommandId ID_FILE_PRINT_DIRECT = 57608;
inline constexpr CommandId ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr CommandId ID_FILE_MRU_FILE1 = 57616;
inline constexpr CommandId ID_FILE_MRU_FILE4 = 57619;
inline constexpr CommandId ID_APP_ABOUT = 57664;
inline constexpr CommandId ID_APP_EXIT = 57665;
inline constexpr CommandId ID_HELP = 57670;
inline constexpr CommandId ID_PREV_PANE = 57681;
inline constexpr CommandId ID_VIEW_TOOLBAR = 59392;
inline constexpr CommandId ID_VIEW_STATUS_BAR = 59393;

// How many documents the recent-file list keeps.
inline constexpr int32_t RecentFileCount = ID_FILE_MRU_FILE4 - ID_FILE_MRU_FILE1 + 1;
