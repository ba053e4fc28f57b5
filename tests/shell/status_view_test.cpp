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
    const std::pair<int, const char*> fields[] = {
        {IDC_LEVELS_COUNT, "5"},   {IDC_INPUT_COUNT, "4"},  {IDC_OUTPUT_COUNT, "2"},
        {IDC_DATA_STATE, "Load data to train"}, {IDC_PATTERNS_COUNT, "0"}, {IDC_CURRENT_PASS, "0"},
        {IDC_AVERAGE_ERROR, "10922"},
    };
    for (const auto& [id, text] : fields)
        EXPECT_EQ(FieldText(id), text) << id;
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
    Document().SetPassesCount(4294967295u);
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "4294967295");
}

TEST_F(StatusViewTest, FieldsAreReadOnlyEachInsideOneGroup)
{
    const auto rect = [](const FormRow& row) { return QRect(row.rect.x, row.rect.y, row.rect.width, row.rect.height); };
    for (const FormRow& row : StatusFormRows()) {
        if (row.kind != FormControlKind::Field)
            continue;
        EXPECT_TRUE(static_cast<QLineEdit*>(app->View()->Control(row.id))->isReadOnly()) << row.id;
        int groups = 0;
        for (const FormRow& group : StatusFormRows())
            groups += group.kind == FormControlKind::GroupBox && rect(group).contains(rect(row));
        EXPECT_EQ(groups, 1) << row.id;
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
