#pragma once

#include <string>
#include <string_view>

// True when name can prefix the exported C names: a letter, then letters, digits and
// underscores, and not a C keyword. A leading underscore is refused: C reserves such names for
// the implementation at file scope, where the exported names live.
bool IsUsableCName(std::string_view name);

// A usable C name made from a file's stem: every character that may not stand in an identifier
// becomes an underscore, and a stem that still is not usable (a leading digit or underscore, a
// keyword) gets the prefix "net_"; an empty stem gives "net".
std::string CNameFromStem(std::string_view stem);
