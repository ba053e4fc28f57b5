#include "shell/menu_layout.h"

#include <array>

namespace {

constexpr MenuStep Open(std::string_view title) { return {MenuStep::Open, title, 0}; }
constexpr MenuStep Item(CommandId id) { return {MenuStep::Item, {}, id}; }
constexpr MenuStep Separator() { return {MenuStep::Separator, {}, 0}; }
constexpr MenuStep Close() { return {MenuStep::Close, {}, 0}; }

// The recent-file entries follow the first one; those without a document stay hidden.
const std::array layout = {
    Open("&File"), Item(ID_FILE_NEW), Item(ID_FILE_OPEN), Item(ID_FILE_SAVE), Item(ID_FILE_SAVE_AS),
    Separator(), Item(ID_FILE_PRINT), Item(ID_FILE_PRINT_PREVIEW), Item(ID_FILE_PRINT_SETUP),
    Separator(), Item(ID_FILE_MRU_FILE1), Item(ID_FILE_MRU_FILE1 + 1), Item(ID_FILE_MRU_FILE1 + 2),
    Item(ID_FILE_MRU_FILE4), Separator(), Item(ID_APP_EXIT), Separator(), Item(ID_EXPORT_C), Close(),
    Open("&View"), Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_STATUS_BAR), Separator(), Item(ID_VIEW_TRAINING_CURVE),
    Close(),
    Open("&Corvina"), Item(ID_SELECT_TD), Item(ID_ERASE_TD), Item(ID_RANDOMIZATION), Item(ID_OPTIONS), Close(),
    Open("&Process"), Open("&Training"), Item(ID_TRAIN), Item(ID_PAUSE), Close(), Item(ID_CONSULT),
    Separator(), Item(ID_EVALUATE), Item(ID_TRAINING_OPTIONS), Item(ID_RESTORE_BEST_NETWORK), Close(),
    Open("&Help"), Item(ID_APP_ABOUT), Close(),
};

}  // namespace

std::span<const MenuStep> MenuLayout()
{
    return layout;
}
