#include <QLabel>
#include <QPixmap>

#include "shell/dialogs/template_group_box.h"

#include "shell_fixture.h"

namespace {

using StatusViewTest = ShellTest;

QImage ShownPicture(CCorvinaApp& app)
{
    return static_cast<QLabel*>(app.View()->Control(IDC_DATA_PICTURE))->pixmap().toImage();
}

QImage Lamp(const char* name)
{
    return QPixmap(QString::fromLatin1(name)).toImage();
}

TEST_F(StatusViewTest, NewDocumentShowsTheDefaultNetworkWithoutData)
{
    EXPECT_EQ(QStringList({FieldText(IDC_LEVELS_COUNT), FieldText(IDC_INPUT_COUNT), FieldText(IDC_OUTPUT_COUNT),
                           FieldText(IDC_DATA_STATE), FieldText(IDC_PATTERNS_COUNT), FieldText(IDC_CURRENT_PASS),
                           FieldText(IDC_AVERAGE_ERROR)}),
              QStringList({"5", "4", "2", "Load data to train", "0", "0", "10922"}));
    EXPECT_TRUE(static_cast<QLineEdit*>(app->View()->Control(IDC_DATA_STATE))->isReadOnly());
    EXPECT_EQ(ShownPicture(*app), Lamp(":/lamps/red"));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_PAUSE));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_ERASE_TD));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_SELECT_TD));
}

TEST_F(StatusViewTest, ImportTurnsLampTextAndCountInOneUpdate)
{
    SelectTrainingDataThroughDialog(WriteTrainingData(30));
    // No event loop has run since the dialog closed: the one hint-0 update did it all.
    EXPECT_EQ(FieldText(IDC_DATA_STATE), "Training data avaible");
    EXPECT_EQ(FieldText(IDC_PATTERNS_COUNT), "30");
    const QImage green = Lamp(":/lamps/green");
    EXPECT_EQ(ShownPicture(*app), green);
    EXPECT_NE(green, Lamp(":/lamps/red"));
    EXPECT_EQ(green.size(), QSize(16, 16));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_ERASE_TD));
}

TEST_F(StatusViewTest, TrainingPassesChangeOnlyTheProgressFieldsShownUnsigned)
{
    Document().ImportTrainingData(WriteTrainingData(10), true);
    // Fields the pass does not concern are left as they were, even if they were wrong.
    static_cast<QLineEdit*>(app->View()->Control(IDC_LEVELS_COUNT))->setText("stale");
    for (int pass = 0; pass < 5; ++pass)
        Document().TrainPass();
    EXPECT_TRUE(RunEventsUntil([&] { return FieldText(IDC_CURRENT_PASS) == "5"; }));
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), QString::number(Document().GetAverageError()));
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "stale");
    Document().Model().RestoreStatistics(4294967295u, 7);
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), "7");
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "4294967295");
}

// Each group's title stands on the frame's top line, and every other control lies either wholly
// outside it or inside its frame, clear of lines and title.
TEST_F(StatusViewTest, GroupTitlesStandOnTheirFramesAndNothingCrossesThem)
{
    const QList<TemplateGroupBox*> groups = app->View()->findChildren<TemplateGroupBox*>();
    ASSERT_EQ(groups.size(), 3);
    for (TemplateGroupBox* group : groups) {
        const std::string title = group->title().toStdString();
        const QRect frame = group->FrameRect().translated(group->pos());
        const QRect titleRect = group->TitleRect().translated(group->pos());
        EXPECT_NEAR(titleRect.center().y(), frame.top(), 1) << title;
        EXPECT_TRUE(frame.contains(QRect(titleRect.left(), frame.top(), titleRect.width(), 1))) << title;
        const int line = TemplateGroupBox::LineWidth;
        const QRect inside = frame.adjusted(line, line, -line, -line);
        for (QWidget* control : app->View()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control == group || !control->geometry().intersects(group->geometry()))
                continue;
            const QRect area = control->geometry();
            EXPECT_TRUE(inside.contains(area)) << control->objectName().toStdString();
            EXPECT_FALSE(area.intersects(titleRect)) << control->objectName().toStdString();
        }
    }
}

TEST_F(StatusViewTest, CtrlCInAFieldConsultsInsteadOfCopying)
{
    auto* field = static_cast<QLineEdit*>(app->View()->Control(IDC_LEVELS_COUNT));
    app->Frame()->activateWindow();
    field->setFocus();
    QString caption;
    const ModalResponder responder([&caption](QWidget& sheet) {
        caption = sheet.windowTitle();
        static_cast<QDialog&>(sheet).reject();
    });
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(RunEventsUntil([&] { return responder.Answered(); }));
    EXPECT_EQ(caption, "Consult");
}

}  // namespace
