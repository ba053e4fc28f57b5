// Writes the manual page and the bash completion of corvina-cli at build time:
// corvina-cli-docs VERSION MANUAL_PATH COMPLETION_PATH
#include <fstream>
#include <iostream>

#include "cli/manual_page.h"

namespace {

bool WriteText(const char* path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        std::cerr << "corvina-cli-docs: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "Usage: corvina-cli-docs VERSION MANUAL_PATH COMPLETION_PATH\n";
        return 2;
    }
    const bool written = WriteText(argv[2], ManualPage(argv[1])) && WriteText(argv[3], BashCompletion());
    return written ? 0 : 1;
}
