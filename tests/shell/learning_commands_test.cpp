#include <QCheckBox>
#include <QRadioButton>
#include <QTableWidget>
#include <cmath>

#include "shell/dialogs/evaluate_dlg.h"
#include "shell/dialogs/evaluation_dlg.h"
#include "shell/training_monitor.h"
#include "shell_fixture.h"

namespace {

// Two records that want opposite outputs, in the identity tables of a new document.
constexpr const char* TwoRecords = "10 20 30 40 200 10\n240 220 200 180 10 200\n";

class LearningMenuTest : public ShellTest {
protected:
    std::string WriteText(const QString& name, const char* text)
    {
        const std::string path = TempPath(name).toStdString();
        std::ofstream(path) << text;
        return path;
    }

    static LearningSettings KeepingEvery(uint32_t every)
    {
        LearningSettings settings;
        settings.rounding = Rounding::Precise;
        settings.keepBest = {true, every, {}};
        settings.classes = 2;
        return settings;
    }

    template <class T>
    static T* Named(const QWidget& dialog, const char* name)
    {
        T* control = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
};

TEST_F(LearningMenuTest, RestoreBestNetworkIsEnabledWhileKeptWeightsDifferFromTheNetwork)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_EVALUATE));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAINING_OPTIONS));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));
    EXPECT_FALSE(app->Router().Execute(ID_RESTORE_BEST_NETWORK));

    Document().Model().Randomize();
    Document().ImportTrainingData(WriteText("two.dat", TwoRecords), false);
    Document().SetLearningSettings(KeepingEvery(5));
    while (!Document().CanRestoreBestNetwork() && Passes() < 100000)
        Document().TrainPass();
    ASSERT_TRUE(Document().GetBestNetwork().HasBest());
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));
    ASSERT_TRUE(app->Router().Execute(ID_RESTORE_BEST_NETWORK));
    EXPECT_FALSE(Document().CanRestoreBestNetwork());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));
}

TEST_F(LearningMenuTest, TrainingOptionsAreStoredInTheDocumentAndSurviveSaveAndOpen)
{
    Document().SetModifiedFlag(false);
    const std::string validation = WriteText("held out.dat", TwoRecords);
    {
        const ModalResponder options([&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Training Options");
            EXPECT_TRUE(Named<QRadioButton>(dialog, "classic")->isChecked());
            EXPECT_FALSE(Named<QLineEdit>(dialog, "every")->isEnabled());
            Named<QRadioButton>(dialog, "precise")->setChecked(true);
            Named<QCheckBox>(dialog, "keep_best")->setChecked(true);
            Named<QLineEdit>(dialog, "every")->setText("25");
            Named<QRadioButton>(dialog, "on_file")->setChecked(true);
            Named<QLineEdit>(dialog, "validation_path")->setText(QString::fromStdString(validation));
            Named<QLineEdit>(dialog, "classes")->setText("2");
            Click(dialog, 1);
        });
        app->Router().Execute(ID_TRAINING_OPTIONS);
        ASSERT_TRUE(options.Answered());
    }
    LearningSettings expected;
    expected.rounding = Rounding::Precise;
    expected.keepBest = {true, 25, validation};
    expected.classes = 2;
    EXPECT_EQ(Document().GetLearningSettings(), expected);
    EXPECT_TRUE(Document().IsModified());

    const std::string path = TempPath("options.cvn").toStdString();
    ASSERT_TRUE(app->Manager().SaveDocumentAs(path));
    app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(Document().GetLearningSettings(), LearningSettings());
    ASSERT_TRUE(app->Manager().OpenDocumentFile(path));
    EXPECT_EQ(Document().GetLearningSettings(), expected);
    // The dialog shows them as stored; Cancel changes nothing.
    const ModalResponder shown([&](QWidget& dialog) {
        EXPECT_TRUE(Named<QRadioButton>(dialog, "precise")->isChecked());
        EXPECT_EQ(Named<QLineEdit>(dialog, "every")->text(), "25");
        EXPECT_EQ(Named<QLineEdit>(dialog, "validation_path")->text(), QString::fromStdString(validation));
        EXPECT_EQ(Named<QLineEdit>(dialog, "classes")->text(), "2");
        Click(dialog, 2);
    });
    app->Router().Execute(ID_TRAINING_OPTIONS);
    EXPECT_FALSE(Document().IsModified());
}

struct RefusedOptionRow {
    const char* name;
    const char* field;
    const char* text;
    const char* message;
};

PRINTS_AS_NAME(RefusedOptionRow)

class RefusedOptionTest : public LearningMenuTest, public testing::WithParamInterface<RefusedOptionRow> {};

TEST_P(RefusedOptionTest, KeepsTheDialogOpenAndTheSettings)
{
    const RefusedOptionRow& row = GetParam();
    QString message;
    bool stillOpen = false;
    const ModalResponder options([&](QWidget& dialog) {
        Named<QCheckBox>(dialog, "keep_best")->setChecked(true);
        if (std::string(row.field) == "validation_path")
            Named<QRadioButton>(dialog, "on_file")->setChecked(true);
        Named<QLineEdit>(dialog, row.field)->setText(row.text);
        {
            const BoxAnswer refusal(QMessageBox::Ok);
            Click(dialog, 1);
            message = refusal.text;
        }
        stillOpen = dialog.isVisible();
        Click(dialog, 2);
    }, "CTrainingOptionsDlg");
    app->Router().Execute(ID_TRAINING_OPTIONS);
    EXPECT_EQ(message, row.message);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Document().GetLearningSettings(), LearningSettings());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedOptionTest,
    testing::Values(
        RefusedOptionRow{"TooManyClasses", "classes", "3", "Enter a number of classes from 2 to 2, or leave the field empty."},
        RefusedOptionRow{"OneClass", "classes", "1", "Enter a number of classes from 2 to 2, or leave the field empty."},
        RefusedOptionRow{"ZeroPasses", "every", "0", "Enter the passes between two evaluations, from 1 to 4294967295, or leave the field empty."},
        RefusedOptionRow{"NotANumber", "every", "ten", "Enter the passes between two evaluations, from 1 to 4294967295, or leave the field empty."},
        RefusedOptionRow{"NoValidationFile", "validation_path", " ", "Choose the validation file, or evaluate on the training patterns."}),
    RowName());

// A hand-wired network: every weight 0 but those of output 0, which are all 255, so output 0
// answers high and output 1 low for both records; the figures follow from what they answer.
TEST_F(LearningMenuTest, EvaluationDialogShowsTheFiguresOfAHandWiredNetwork)
{
    DiscreteNet& net = Document().Model().GetNet();
    const int32_t last = net.GetNeuronCount() - 1;
    for (int32_t neuron = 0; neuron <= last; ++neuron)
        for (int32_t index = 0; index < 4; ++index)
            net.SetWeight(neuron, index, neuron == last ? 255 : 0);
    const double targets[2][2] = {{200, 10}, {10, 200}};
    double answers[2][2];
    for (int record = 0; record < 2; ++record) {
        const std::vector<double> inputs = record == 0 ? std::vector<double>{10, 20, 30, 40}
                                                       : std::vector<double>{240, 220, 200, 180};
        const std::vector<double> outputs = Document().Model().Consult(inputs);
        answers[record][0] = outputs[0];
        answers[record][1] = outputs[1];
        ASSERT_GT(outputs[0], outputs[1]);
    }
    double levelError = 0;
    double mae[2] = {0, 0}, squares[2] = {0, 0};
    for (int record = 0; record < 2; ++record) {
        for (int output = 0; output < 2; ++output) {
            // Learn compares the level below the output level with the target.
            const double compared = std::max(answers[record][output] - 1, 0.0);
            levelError += (compared - targets[record][output]) * (compared - targets[record][output]) / 4;
            mae[output] += std::abs(answers[record][output] - targets[record][output]) / 2;
            squares[output] += (answers[record][output] - targets[record][output]) *
                               (answers[record][output] - targets[record][output]) / 2;
        }
    }

    const std::string data = WriteText("two.dat", TwoRecords);
    QStringList figures, outputCells, confusionCells;
    const ModalResponder ask([&](QWidget& dialog) {
        Control<QLineEdit>(dialog, CEvaluateDlg::PathEditId)->setText(QString::fromStdString(data));
        Control<QLineEdit>(dialog, CEvaluateDlg::ClassesEditId)->setText("2");
        Click(dialog, 1);
    }, "CEvaluateDlg");
    const ModalResponder shown([&](QWidget& result) {
            auto& evaluation = static_cast<CEvaluationDlg&>(result);
            figures << evaluation.Figure("records") << evaluation.Figure("level_error") << evaluation.Figure("accuracy");
            for (int row = 0; row < 2; ++row)
                for (int column = 0; column < 2; ++column) {
                    outputCells << evaluation.OutputTable()->item(row, column)->text();
                    confusionCells << evaluation.ConfusionTable()->item(row, column)->text();
                }
            evaluation.accept();
    }, "CEvaluationDlg");
    app->Router().Execute(ID_EVALUATE);
    ASSERT_TRUE(ask.Answered());
    ASSERT_TRUE(shown.Answered());
    EXPECT_EQ(figures, QStringList({"2", QString::number(levelError, 'f', 2), "0.5000 (1 of 2 right)"}));
    EXPECT_EQ(outputCells, QStringList({QString::number(mae[0], 'f', 4), QString::number(std::sqrt(squares[0]), 'f', 4),
                                        QString::number(mae[1], 'f', 4), QString::number(std::sqrt(squares[1]), 'f', 4)}));
    // Both records are predicted as class 0: one right, one of class 1 wrong.
    EXPECT_EQ(confusionCells, QStringList({"1", "0", "1", "0"}));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(LearningMenuTest, EvaluateRefusesClassesTheOutputsCannotHold)
{
    QString message;
    const ModalResponder ask([&](QWidget& dialog) {
        Control<QLineEdit>(dialog, CEvaluateDlg::ClassesEditId)->setText("5");
        {
            const BoxAnswer refusal(QMessageBox::Ok);
            Click(dialog, 1);
            message = refusal.text;
        }
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog, 2);
    }, "CEvaluateDlg");
    app->Router().Execute(ID_EVALUATE);
    EXPECT_EQ(message, "Enter a number of classes from 2 to 2, or leave the field empty.");
}

TEST_F(LearningMenuTest, KeepingTheBestDrawsTheEvaluationAndTheBestPointOnTheCurve)
{
    Document().Model().Randomize();
    Document().ImportTrainingData(WriteText("two.dat", TwoRecords), false);
    Document().SetLearningSettings(KeepingEvery(50));
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    const TrainingCurve& curve = app->Monitor()->Curve();
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(RunEventsUntil([&] { return curve.Of(TrainingCurve::Series::EvaluationError).Points().size() >= 3; }));
    app->Router().Execute(ID_PAUSE);
    const auto evaluations = curve.Of(TrainingCurve::Series::EvaluationError).Points();
    EXPECT_EQ(evaluations.front().passes, 50);
    EXPECT_EQ(curve.Of(TrainingCurve::Series::Accuracy).Points().size(), evaluations.size());
    ASSERT_TRUE(curve.Best().has_value());
    const BestNetwork& best = Document().GetBestNetwork();
    EXPECT_EQ(*curve.Best(), (CurvePoint{double(best.GetPasses()), best.GetEvaluation().levelError}));
}

}  // namespace
