#pragma once

#include <string>

// Answers of a Yes/No question.
enum class Answer { Yes, No };

// Answers of the question asked before a modified document is discarded.
enum class SaveChangesAnswer { Save, Discard, Cancel };

// Message boxes, every one captioned with the application name "Corvina", and the status bar's
// message pane.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A question with Yes and No buttons and no icon.
    virtual Answer AskYesNo(const std::string& text) = 0;

    // A message with an OK button and the stop icon.
    virtual void ShowStopMessage(const std::string& text) = 0;

    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual SaveChangesAnswer AskSaveChanges(const std::string& documentTitle) = 0;

    // A note in the status bar's message pane, without a box; empty text clears the pane.
    virtual void ShowStatusNote(const std::string& text) = 0;
};
