#include <QLabel>
#include <QPixmap>
#include <algorithm>

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

// A label read across to its field stands on the field's row, its text centred on it.
struct LabelRow {
    const char* text;
    int fieldId;
};

class StatusFormLabelTest : public ShellTest, public testing::WithParamInterface<LabelRow> {};

TEST_P(StatusFormLabelTest, LabelIsCentredOnItsField)
{
    QLabel* label = nullptr;
    for (QLabel* each : app->View()->findChildren<QLabel*>())
        if (each->text() == GetParam().text)
            label = each;
    ASSERT_NE(label, nullptr);
    const QRect field = app->View()->Control(GetParam().fieldId)->geometry();
    EXPECT_TRUE(label->alignment() & Qt::AlignVCenter);
    EXPECT_GE(label->height(), label->fontMetrics().height());
    EXPECT_NEAR(label->geometry().center().y(), field.center().y(), 1);
    EXPECT_LT(label->geometry().right(), field.left());
}

INSTANTIATE_TEST_SUITE_P(StatusForm, StatusFormLabelTest,
                         testing::Values(LabelRow{"Levels count", IDC_LEVELS_COUNT},
                                         LabelRow{"Input count", IDC_INPUT_COUNT},
                                         LabelRow{"Output count", IDC_OUTPUT_COUNT},
                                         LabelRow{"Current pass", IDC_CURRENT_PASS},
                                         LabelRow{"Average error", IDC_AVERAGE_ERROR},
                                         LabelRow{"Patterns count", IDC_PATTERNS_COUNT}),
                         [](const testing::TestParamInfo<LabelRow>& row) { return std::to_string(row.param.fieldId); });

// Each group keeps its template rectangle, its title stands on the frame's top line, and every
// other control lies either wholly outside it or inside its frame, clear of lines and title.
TEST_F(StatusViewTest, GroupTitlesStandOnTheirFramesAndNothingCrossesThem)
{
    const DialogUnits units(app->View()->font());
    std::vector<QRect> templateRects;
    for (const FormRow& row : StatusFormRows())
        if (row.kind == FormControlKind::GroupBox)
            templateRects.push_back(units.ToPixels(row.rect));
    const QList<TemplateGroupBox*> groups = app->View()->findChildren<TemplateGroupBox*>();
    ASSERT_EQ(groups.size(), 3);
    for (TemplateGroupBox* group : groups) {
        SCOPED_TRACE(group->title().toStdString());
        EXPECT_NE(std::find(templateRects.begin(), templateRects.end(), group->geometry()), templateRects.end());
        const QRect frame = group->FrameRect().translated(group->pos());
        const QRect title = group->TitleRect().translated(group->pos());
        EXPECT_NEAR(title.center().y(), frame.top(), 1);
        EXPECT_TRUE(frame.contains(QRect(title.left(), frame.top(), title.width(), 1)));
        const int line = TemplateGroupBox::LineWidth;
        const QRect inside = frame.adjusted(line, line, -line, -line);
        for (QWidget* control : app->View()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control == group || !control->geometry().intersects(group->geometry()))
                continue;
            const QRect area = control->geometry();
            EXPECT_TRUE(inside.contains(area)) << control->objectName().toStdString();
            EXPECT_FALSE(area.intersects(title)) << control->objectName().toStdString();
        }
        // Drawn so: the top line runs up to the title and stops at its padding.
        const QImage image = group->grab().toImage();
        const QRgb ground = group->palette().window().color().rgb();
        const int y = group->FrameRect().top();
        EXPECT_NE(image.pixel(group->TitleRect().right() + 3, y), ground);
        EXPECT_EQ(image.pixel(group->TitleRect().left(), y), ground);
        EXPECT_NE(image.pixel(0, group->FrameRect().center().y()), ground);
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
