#include "cli/console_message_boxes.h"

#include <ostream>
#include <sstream>

#include "cli/program_name.h"

Answer ConsoleMessageBoxes::AskYesNo(const std::string&)
{
    return Answer::Yes;
}

void ConsoleMessageBoxes::ShowStopMessage(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        err << ProgramName << ": " << line << '\n';
}

SaveChangesAnswer ConsoleMessageBoxes::AskSaveChanges(const std::string&)
{
    return SaveChangesAnswer::Cancel;
}

void ConsoleMessageBoxes::ShowStatusNote(const std::string& text)
{
    if (!text.empty())
        ShowStopMessage(text);
}
