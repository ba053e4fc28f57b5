#include "document/c_identifier.h"

#include <algorithm>
#include <array>

namespace {

// The keywords of C99 and those C23 adds without a leading underscore, since the exported code
// may meet a newer compiler.
constexpr std::array<std::string_view, 45> Keywords = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
    "extern", "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return",
    "short", "signed", "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void",
    "volatile", "while", "alignas", "alignof", "bool", "constexpr", "false", "nullptr", "static_assert",
    "thread_local", "true", "typeof", "typeof_unqual",
};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsUsableCName(std::string_view name)
{
    if (name.empty() || !IsLetter(name[0]) || name[0] == '_')
        return false;
    if (!std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); }))
        return false;
    return std::find(Keywords.begin(), Keywords.end(), name) == Keywords.end();
}

std::string CNameFromStem(std::string_view stem)
{
    std::string name(stem);
    std::replace_if(name.begin(), name.end(), [](char c) { return !IsLetter(c) && !IsDigit(c); }, '_');
    if (name.empty())
        return "net";
    return IsUsableCName(name) ? name : "net_" + name;
}
