#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "modal_driver.h"
#include "shell/dialogs/qt_user_interface.h"

namespace {

class MessageBoxTest : public testing::Test {
protected:
    QWidget mainWindow;
    QtUserInterface userInterface{&mainWindow};
    MessageBoxes& messages = userInterface.Interface().messages;
};

}  // namespace

TEST_F(MessageBoxTest, YesNoQuestionHasNoIconAndGivesTheAnswer)
{
    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, Answer::Yes}, std::pair{QMessageBox::No, Answer::No}}) {
        SeenBox seen;
        PressOnNextBox(seen, button);
        EXPECT_EQ(messages.AskYesNo("Destroy the experience?"), answer);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.title, "Corvina");
        EXPECT_EQ(seen.text, "Destroy the experience?");
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(seen.owner, &mainWindow);
    }
}

TEST_F(MessageBoxTest, StopMessageHasOnlyOkAndTheStopIcon)
{
    SeenBox seen;
    PressOnNextBox(seen, QMessageBox::Ok);
    messages.ShowStopMessage("Cannot open the file.");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Corvina");
    EXPECT_EQ(seen.text, "Cannot open the file.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

TEST_F(MessageBoxTest, SaveQuestionNamesTheDocumentAndOffersThreeAnswers)
{
    const std::pair<QMessageBox::StandardButton, SaveChangesAnswer> rows[] = {
        {QMessageBox::Yes, SaveChangesAnswer::Save},
        {QMessageBox::No, SaveChangesAnswer::Discard},
        {QMessageBox::Cancel, SaveChangesAnswer::Cancel},
    };
    for (const auto& [button, answer] : rows) {
        SeenBox seen;
        PressOnNextBox(seen, button);
        EXPECT_EQ(messages.AskSaveChanges("Untitled"), answer);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.title, "Corvina");
        EXPECT_EQ(seen.text, "Save changes to Untitled?");
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
}

TEST_F(MessageBoxTest, EscapeOnTheSaveQuestionCancels)
{
    OnNextModal([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(messages.AskSaveChanges("net.cvn"), SaveChangesAnswer::Cancel);
}

TEST_F(MessageBoxTest, ABoxAskedWhileADialogIsOpenBelongsToTheDialog)
{
    QDialog dialog(&mainWindow);
    SeenBox seen;
    OnNextModal([&](QWidget& window) {
        PressOnNextBox(seen, QMessageBox::Ok);
        messages.ShowStopMessage("inside");
        static_cast<QDialog&>(window).accept();
    });
    dialog.exec();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, &dialog);
}

TEST_F(MessageBoxTest, AMovedParentWindowOwnsTheBoxes)
{
    QWidget otherWindow;
    userInterface.SetParentWindow(&otherWindow);
    SeenBox seen;
    PressOnNextBox(seen, QMessageBox::No);
    messages.AskYesNo("Moved?");
    EXPECT_EQ(seen.owner, &otherWindow);
}
