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

TEST_F(MessageBoxTest, EachKindHasItsTextIconButtonsAndAnswers)
{
    using Box = QMessageBox;
    const auto yesNo = [this] { return static_cast<int>(messages.AskYesNo("Destroy the experience?")); };
    const auto stop = [this] { messages.ShowStopMessage("Cannot open the file."); return 0; };
    const auto save = [this] { return static_cast<int>(messages.AskSaveChanges("Untitled")); };
    const Box::StandardButtons saveButtons = Box::Yes | Box::No | Box::Cancel;
    const struct {
        std::function<int()> ask;
        Box::StandardButton press;  // NoButton: the Escape key
        int answer;
        const char* text;
        Box::Icon icon;
        Box::StandardButtons buttons;
    } cases[] = {
        {yesNo, Box::Yes, int(Answer::Yes), "Destroy the experience?", Box::NoIcon, Box::Yes | Box::No},
        {yesNo, Box::No, int(Answer::No), "Destroy the experience?", Box::NoIcon, Box::Yes | Box::No},
        {stop, Box::Ok, 0, "Cannot open the file.", Box::Critical, Box::Ok},
        {save, Box::Yes, int(SaveChangesAnswer::Save), "Save changes to Untitled?", Box::Warning, saveButtons},
        {save, Box::No, int(SaveChangesAnswer::Discard), "Save changes to Untitled?", Box::Warning, saveButtons},
        {save, Box::Cancel, int(SaveChangesAnswer::Cancel), "Save changes to Untitled?", Box::Warning, saveButtons},
        {save, Box::NoButton, int(SaveChangesAnswer::Cancel), "Save changes to Untitled?", Box::Warning, saveButtons},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text + (" / " + std::to_string(each.press)));
        SeenBox seen;
        OnNextModal([&seen, press = each.press](QWidget& window) {
            auto& box = static_cast<QMessageBox&>(window);
            seen = {true, box.windowTitle(), box.text(), box.icon(), box.standardButtons(), box.parentWidget()};
            if (press == Box::NoButton)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.button(press)->click();
        });
        EXPECT_EQ(each.ask(), each.answer);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.title, "Corvina");
        EXPECT_EQ(seen.text, each.text);
        EXPECT_EQ(seen.icon, each.icon);
        EXPECT_EQ(seen.buttons, each.buttons);
        EXPECT_EQ(seen.owner, &mainWindow);
    }
}

TEST_F(MessageBoxTest, BoxesBelongToTheOpenDialogOrTheMovedParentWindow)
{
    QDialog dialog(&mainWindow);
    SeenBox inside;
    OnNextModal([&](QWidget& window) {
        PressOnNextBox(inside, QMessageBox::Ok);
        messages.ShowStopMessage("inside");
        static_cast<QDialog&>(window).accept();
    });
    dialog.exec();
    EXPECT_EQ(inside.owner, &dialog);

    QWidget otherWindow;
    userInterface.SetParentWindow(&otherWindow);
    SeenBox moved;
    PressOnNextBox(moved, QMessageBox::No);
    messages.AskYesNo("Moved?");
    EXPECT_EQ(moved.owner, &otherWindow);
}
