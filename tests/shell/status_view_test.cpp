#include <QLabel>
#include <QPixmap>

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
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "5");
    EXPECT_EQ(FieldText(IDC_INPUT_COUNT), "4");
    EXPECT_EQ(FieldText(IDC_OUTPUT_COUNT), "2");
    EXPECT_EQ(FieldText(IDC_DATA_STATE), "Load data to train");
    EXPECT_EQ(FieldText(IDC_PATTERNS_COUNT), "0");
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), "10922");
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
    EXPECT_EQ(ShownPicture(*app), Lamp(":/lamps/green"));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_ERASE_TD));
}

TEST_F(StatusViewTest, LampsAreDistinctSixteenPixelPictures)
{
    const QImage green = Lamp(":/lamps/green");
    const QImage red = Lamp(":/lamps/red");
    EXPECT_EQ(green.size(), QSize(16, 16));
    EXPECT_EQ(red.size(), QSize(16, 16));
    EXPECT_NE(green, red);
    // Light-grey ground in the corner, the lamp's colour in the middle.
    EXPECT_EQ(green.pixelColor(0, 0), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_GT(green.pixelColor(8, 8).green(), green.pixelColor(8, 8).red());
    EXPECT_GT(red.pixelColor(8, 8).red(), red.pixelColor(8, 8).green());
}

TEST_F(StatusViewTest, TrainingPassChangesOnlyTheProgressFields)
{
    Document().ImportTrainingData(WriteTrainingData(10), true);
    // Fields the pass does not concern are left as they were, even if they were wrong.
    static_cast<QLineEdit*>(app->View()->Control(IDC_LEVELS_COUNT))->setText("stale");
    for (int pass = 0; pass < 5; ++pass)
        Document().TrainPass();
    RunEventsFor(40);
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "5");
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), QString::number(Document().GetAverageError()));
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "stale");
}

TEST_F(StatusViewTest, PassesAreShownUnsigned)
{
    Document().SetPassesCount(4294967295u);
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "4294967295");
}

TEST_F(StatusViewTest, FieldsAreReadOnlyAndStandBesideTheirLabelsInsideTheirGroups)
{
    for (const FormRow& row : StatusFormRows()) {
        if (row.kind != FormControlKind::Field)
            continue;
        auto* field = static_cast<QLineEdit*>(app->View()->Control(row.id));
        EXPECT_TRUE(field->isReadOnly()) << row.id;
        // Every field lies inside exactly one group frame.
        int groups = 0;
        for (const FormRow& group : StatusFormRows()) {
            const QRect frame(group.rect.x, group.rect.y, group.rect.width, group.rect.height);
            const QRect rect(row.rect.x, row.rect.y, row.rect.width, row.rect.height);
            if (group.kind == FormControlKind::GroupBox && frame.contains(rect))
                ++groups;
        }
        EXPECT_EQ(groups, 1) << row.id;
    }
}

TEST_F(StatusViewTest, CtrlCInAFieldConsultsInsteadOfCopying)
{
    auto* field = static_cast<QLineEdit*>(app->View()->Control(IDC_LEVELS_COUNT));
    app->Frame()->activateWindow();
    field->setFocus();
    QString caption;
    const ModalResponder responder1([&caption](QWidget& sheet) {
        caption = sheet.windowTitle();
        static_cast<QDialog&>(sheet).reject();
    });
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    RunEventsFor(100);
    EXPECT_EQ(caption, "Consult");
}

}  // namespace
