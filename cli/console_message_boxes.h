#pragma once

#include <iosfwd>
#include <string>

#include "framework/message_boxes.h"

// Message boxes for a run without a display: messages go to the error stream, one per line
// prefixed with the program's name.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    explicit ConsoleMessageBoxes(std::ostream& stream) : err(stream) {}

    // The command line itself is the user's go-ahead: every question is answered Yes.
    Answer AskYesNo(const std::string& text) override;

    void ShowStopMessage(const std::string& text) override;

    // A command never discards a modified document; should one try, nothing is lost.
    SaveChangesAnswer AskSaveChanges(const std::string& documentTitle) override;

    // A note goes to the error stream like a message; empty text writes nothing.
    void ShowStatusNote(const std::string& text) override;

private:
    std::ostream& err;
};
