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
    std::string WriteTwoRecords(const QString& name = "two.dat")
    {
        const std::string path = TempPath(name).toStdString();
        std::ofstream(path) << TwoRecords;
        return path;
    }

    // Random weights trained on the two records, keeping the best every `every` passes.
    void KeepTheBestEvery(uint32_t every)
    {
        Document().Model().Randomize();
        Document().ImportTrainingData(WriteTwoRecords(), false);
        Document().SetLearningSettings({.rounding = Rounding::Precise, .keepBest = {true, every, {}}, .classes = 2});
    }

    template <class T>
    static T* Named(const QWidget& dialog, const char* name)
    {
        T* control = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
};

// The options go to the document; a refused field keeps the dialog open and says why.
TEST_F(LearningMenuTest, TrainingOptionsAreStoredInTheDocument)
{
    Document().SetModifiedFlag(false);
    const std::string validation = WriteTwoRecords("held out.dat");
    const ModalResponder options([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Training Options");
        EXPECT_TRUE(Named<QRadioButton>(dialog, "classic")->isChecked());
        EXPECT_FALSE(Named<QLineEdit>(dialog, "every")->isEnabled());
        Named<QRadioButton>(dialog, "precise")->setChecked(true);
        Named<QCheckBox>(dialog, "keep_best")->setChecked(true);
        Named<QLineEdit>(dialog, "every")->setText("25");
        Named<QRadioButton>(dialog, "on_file")->setChecked(true);
        Named<QLineEdit>(dialog, "validation_path")->setText(QString::fromStdString(validation));
        Named<QLineEdit>(dialog, "classes")->setText("3");
        {
            const BoxAnswer refusal(QMessageBox::Ok);
            Click(dialog, 1);
            EXPECT_EQ(refusal.text, "Enter a number of classes from 2 to 2, or leave the field empty.");
        }
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(Document().GetLearningSettings(), LearningSettings());
        Named<QLineEdit>(dialog, "classes")->setText("2");
        Click(dialog, 1);
    });
    app->Router().Execute(ID_TRAINING_OPTIONS);
    EXPECT_EQ(Document().GetLearningSettings(),
              (LearningSettings{.rounding = Rounding::Precise, .keepBest = {true, 25, validation}, .classes = 2}));
    EXPECT_TRUE(Document().IsModified());
}

// A hand-wired network: every weight 0 but those of output 0, which are all 255, so output 0
// answers high and output 1 low for both records; the figures follow from what they answer.
TEST_F(LearningMenuTest, EvaluationDialogShowsTheFiguresOfAHandWiredNetwork)
{
    DiscreteNet& net = Document().Model().GetNet();
    const int32_t last = net.GetNeuronCount() - 1;
    for (int32_t neuron = 0; neuron <= last; ++neuron)
        for (int32_t index = 0; index < 4; ++index)
            net.SetWeight(neuron, index, neuron == last ? 255 : 0);
    const std::vector<double> inputs[2] = {{10, 20, 30, 40}, {240, 220, 200, 180}};
    const double targets[2][2] = {{200, 10}, {10, 200}};
    double levelError = 0, mae[2] = {0, 0}, squares[2] = {0, 0};
    for (int record = 0; record < 2; ++record) {
        const std::vector<double> answers = Document().Model().Consult(inputs[record]);
        ASSERT_GT(answers[0], answers[1]);
        for (int output = 0; output < 2; ++output) {
            const double miss = answers[output] - targets[record][output];
            // Learn compares the level below the output level with the target.
            const double levelMiss = std::max(answers[output] - 1, 0.0) - targets[record][output];
            levelError += levelMiss * levelMiss / 4;
            mae[output] += std::abs(miss) / 2;
            squares[output] += miss * miss / 2;
        }
    }

    const std::string data = WriteTwoRecords();
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
    ASSERT_TRUE(shown.Answered());
    EXPECT_EQ(figures, QStringList({"2", QString::number(levelError, 'f', 2), "0.5000 (1 of 2 right)"}));
    EXPECT_EQ(outputCells, QStringList({QString::number(mae[0], 'f', 4), QString::number(std::sqrt(squares[0]), 'f', 4),
                                        QString::number(mae[1], 'f', 4), QString::number(std::sqrt(squares[1]), 'f', 4)}));
    // Both records are predicted as class 0: one right, one of class 1 wrong.
    EXPECT_EQ(confusionCells, QStringList({"1", "0", "1", "0"}));
    EXPECT_FALSE(Document().IsModified());
}

// Kept best weights are drawn on the curve with the evaluations, and Restore Best Network is
// enabled while they differ from the network; a new start clears the curve.
TEST_F(LearningMenuTest, KeptBestNetworkIsDrawnOnTheCurveAndCanBeRestored)
{
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));
    EXPECT_FALSE(app->Router().Execute(ID_RESTORE_BEST_NETWORK));
    KeepTheBestEvery(5);
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    const TrainingCurve& curve = app->Monitor()->Curve();
    const auto evaluations = [&] { return curve.Of(TrainingCurve::Series::EvaluationError).Points(); };
    while ((evaluations().size() < 3 || !Document().CanRestoreBestNetwork()) && Passes() < 100000)
        Document().TrainPass();
    ASSERT_FALSE(evaluations().empty());
    EXPECT_EQ(evaluations().front().passes, 5);
    EXPECT_EQ(curve.Of(TrainingCurve::Series::Accuracy).Points().size(), evaluations().size());
    const BestNetwork& best = Document().GetBestNetwork();
    ASSERT_TRUE(curve.Best().has_value());
    EXPECT_EQ(*curve.Best(), (CurvePoint{double(best.GetPasses()), best.GetEvaluation().levelError}));

    EXPECT_TRUE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));
    ASSERT_TRUE(app->Router().Execute(ID_RESTORE_BEST_NETWORK));
    EXPECT_FALSE(Document().CanRestoreBestNetwork());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_RESTORE_BEST_NETWORK));

    const BoxAnswer yes(QMessageBox::Yes);
    app->Router().Execute(ID_RANDOMIZATION);
    EXPECT_TRUE(evaluations().empty());
    EXPECT_FALSE(curve.Best().has_value());
}

}  // namespace
