#include <gtest/gtest.h>

#include <QDialog>

#include "shell/dialogs/qt_user_interface.h"
#include "tests/support/modal.h"
#include "tests/support/rows.h"

namespace {

using Box = QMessageBox;

// A kind of box, the button pressed (NoButton: the Escape key), the answer, and what it shows.
struct BoxRow {
    const char* name;
    int (*ask)(MessageBoxes&);
    Box::StandardButton press;
    int answer;
    const char* text;
    Box::Icon icon;
    Box::StandardButtons buttons;
};
PRINTS_AS_NAME(BoxRow)

// The message boxes of a main window.
class MessageBoxTest : public testing::Test {
protected:
    QWidget mainWindow;
    QtUserInterface userInterface{&mainWindow};
    MessageBoxes& messages = userInterface.Interface().messages;
};

class MessageBoxKindTest : public MessageBoxTest, public testing::WithParamInterface<BoxRow> {};

TEST_P(MessageBoxKindTest, HasItsTextIconButtonsAndAnswersAndBelongsToTheWindow)
{
    const BoxAnswer seen(GetParam().press);
    EXPECT_EQ(GetParam().ask(messages), GetParam().answer);
    ASSERT_TRUE(seen.Answered());
    EXPECT_EQ(seen.title, "Corvina");
    EXPECT_EQ(seen.text, GetParam().text);
    EXPECT_EQ(seen.icon, GetParam().icon);
    EXPECT_EQ(seen.buttons, GetParam().buttons);
    EXPECT_EQ(seen.owner, &mainWindow);
}

int YesNo(MessageBoxes& messages) { return static_cast<int>(messages.AskYesNo("Destroy the experience?")); }
int Stop(MessageBoxes& messages) { messages.ShowStopMessage("Cannot open the file."); return 0; }
int SaveQuestion(MessageBoxes& messages) { return static_cast<int>(messages.AskSaveChanges("Untitled")); }
const Box::StandardButtons SaveButtons = Box::Yes | Box::No | Box::Cancel;
const char* const SaveText = "Save changes to Untitled?";

INSTANTIATE_TEST_SUITE_P(
    Kinds, MessageBoxKindTest,
    testing::Values(BoxRow{"Yes", YesNo, Box::Yes, int(Answer::Yes), "Destroy the experience?", Box::NoIcon, Box::Yes | Box::No},
                    BoxRow{"No", YesNo, Box::No, int(Answer::No), "Destroy the experience?", Box::NoIcon, Box::Yes | Box::No},
                    BoxRow{"Stop", Stop, Box::Ok, 0, "Cannot open the file.", Box::Critical, Box::Ok},
                    BoxRow{"Save", SaveQuestion, Box::Yes, int(SaveChangesAnswer::Save), SaveText, Box::Warning, SaveButtons},
                    BoxRow{"Discard", SaveQuestion, Box::No, int(SaveChangesAnswer::Discard), SaveText, Box::Warning, SaveButtons},
                    BoxRow{"Escape", SaveQuestion, Box::NoButton, int(SaveChangesAnswer::Cancel), SaveText, Box::Warning, SaveButtons}),
    RowName());

TEST_F(MessageBoxTest, ABoxBelongsToTheOpenDialogOrTheMovedParentWindow)
{
    QDialog dialog(&mainWindow);
    QWidget* insideOwner = nullptr;
    const ModalResponder responder([&](QWidget& window) {
        const BoxAnswer inside(QMessageBox::Ok);
        messages.ShowStopMessage("inside");
        insideOwner = inside.owner;
        static_cast<QDialog&>(window).accept();
    }, "QDialog");
    dialog.exec();
    EXPECT_EQ(insideOwner, &dialog);

    QWidget otherWindow;
    userInterface.SetParentWindow(&otherWindow);
    const BoxAnswer moved(QMessageBox::No);
    messages.AskYesNo("Moved?");
    EXPECT_EQ(moved.owner, &otherWindow);
}

}  // namespace
