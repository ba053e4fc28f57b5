#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/evaluation.h"
#include "document/evaluation_report.h"
#include "document/transformation_tables.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/rows.h"

namespace {

// A network of 2 inputs and 2 outputs (L = 1, W = 2, N = 4) wired by hand so that its outputs
// depend on pattern input 1 alone: neurons 0 and 1 take it with weight 255 (sum 255 x), neuron 3
// (output 0) takes neuron 0's level inverted, neuron 2 (output 1) takes neuron 1's level straight.
//   x = 0:   levels 0 and 0, output 0 sums 255 * 255 = 65025 (output level 136), output 1 sums 0 (0).
//   x = 255: levels 135 and 135, output 0 sums 255 * 120 = 30600 (23), output 1 sums 34425 (32).
// Input tables are the identity; output level k dequantizes to k / 100.
class HandWiredNetwork : public testing::Test {
protected:
    HandWiredNetwork() : inputTables(2 * TableLength), outputTables(2 * TableLength)
    {
        network.SetWeights(0, {0, 0, 255, 0});
        network.SetWeights(1, {0, 255, 0, 0});
        network.SetWeights(2, {0, 0, 255, 0});
        network.SetWeights(3, {0, 0, 255, 0});
        FillIdentityTables(inputTables.data(), 2);
        for (size_t k = 0; k < outputTables.size(); ++k)
            outputTables[k] = static_cast<double>(k % TableLength) / 100.0;
    }

    EvaluationSet Records(const std::vector<double>& values)
    {
        return QuantizeRecords(values, 2, 2, {inputTables, outputTables});
    }

    TestNetwork network{4, 2, 2, 0};
    DiscreteNet& net = network.net;
    std::vector<double> inputTables;
    std::vector<double> outputTables;
};

TEST_F(HandWiredNetwork, GivesTheExactFiguresAndReportsThem)
{
    // Inputs, then targets; the last, incomplete record is left out.
    const EvaluationSet set = Records({
        0, 0, 1.36, 0,  // outputs 1.36 and 0: exact; class 0 predicted and true
        0, 255, 0, 1,   // outputs 0.23 and 0.32: class 1 predicted and true
        0, 255, 1, 0,   // class 1 predicted, class 0 true
        0, 0, 0, 0,     // a tie between the targets: undecided
        0, 0, 1,
    });
    const Evaluation evaluation = Evaluate(net, outputTables, set, 2);
    // Neuron levels (one below the output levels) 135, 0 and 22, 31 against the target levels
    // 136, 0 / 0, 100 / 100, 0 / 0, 0: 1 + (484 + 4761) + (6084 + 961) + 18225.
    EXPECT_EQ(evaluation.squaredLevelErrors, 30516u);
    ASSERT_EQ(evaluation.outputErrors.size(), 2u);
    EXPECT_NEAR(evaluation.outputErrors[0].mae, (0 + 0.23 + 0.77 + 1.36) / 4, 1e-12);
    EXPECT_NEAR(evaluation.outputErrors[0].rmse, std::sqrt((0.23 * 0.23 + 0.77 * 0.77 + 1.36 * 1.36) / 4), 1e-12);
    EXPECT_NEAR(evaluation.outputErrors[1].mae, (0 + 0.68 + 0.32 + 0) / 4, 1e-12);
    EXPECT_NEAR(evaluation.outputErrors[1].rmse, std::sqrt((0.68 * 0.68 + 0.32 * 0.32) / 4), 1e-12);

    EXPECT_FALSE(Evaluate(net, outputTables, set).classFigures);
    // One class, or more than the outputs, cannot be told apart.
    EXPECT_THROW(Evaluate(net, outputTables, set, 1), std::invalid_argument);
    EXPECT_THROW(Evaluate(net, outputTables, set, 3), std::invalid_argument);

    // The JSON and the table hold every figure (null where there is none) and align the columns.
    Evaluation shown = evaluation;
    shown.outputErrors = {{0.59, 0.25}, {0.5, 1e-7}};
    EXPECT_EQ(FormatEvaluationJson(shown),
              "{\"records\": 4, \"level_error\": 3814.5, \"outputs\": [{\"mae\": 0.59, \"rmse\": 0.25}, "
              "{\"mae\": 0.5, \"rmse\": 1e-07}], \"accuracy\": 0.5, \"undecided\": 1, \"confusion\": [[1, 1], [0, 1]]}\n");
    Evaluation empty;
    empty.outputs = 1;
    empty.levelError = std::nan("");
    empty.outputErrors = {{std::nan(""), std::nan("")}};
    EXPECT_EQ(FormatEvaluationJson(empty),
              "{\"records\": 0, \"level_error\": null, \"outputs\": [{\"mae\": null, \"rmse\": null}]}\n");
    EXPECT_EQ(FormatEvaluationTable(shown),
              "Records evaluated: 4\n"
              "Level error:       3814.5 (mean squared level error over outputs, as the average error)\n"
              "  Output   MAE   RMSE\n"
              "       0  0.59   0.25\n"
              "       1   0.5  1e-07\n"
              "Accuracy:          0.5 (2 of 4 records)\n"
              "Undecided:         1 (a tie for the greatest class; counted as misses)\n"
              "Confusion matrix (rows: true class, columns: predicted class):\n"
              "     0  1\n"
              "  0  1  1\n"
              "  1  0  1\n");
}

// Outputs of constant levels, set by bias weights alone (bias 255 gives output level 27, 100
// gives 1, 0 gives 0), on 4 outputs: where each output's level and target go by class.
struct ClassRow {
    const char* name;
    std::vector<int32_t> biases;  // of outputs 0..3
    std::vector<double> targets;  // of outputs 0..3
    int32_t classes;
    int32_t trueClass;       // -1: undecided
    int32_t predictedClass;  // -1: undecided
};

class ClassAssignment : public testing::TestWithParam<ClassRow> {};

TEST_P(ClassAssignment, SumsOutputsOfEachClass)
{
    const ClassRow& row = GetParam();
    TestNetwork network(6, 2, 4, 0);
    for (int32_t t = 0; t < 4; ++t)
        network.SetWeights(5 - t, {row.biases[static_cast<size_t>(t)]});
    std::vector<double> tables(4 * TableLength);
    FillIdentityTables(tables.data(), 4);
    const EvaluationSet set{.inputs = 2, .outputs = 4, .inputLevels = {0, 0}, .targetLevels = {0, 0, 0, 0}, .targetValues = row.targets};

    const ClassFigures figures = *Evaluate(network.net, tables, set, row.classes).classFigures;
    const bool undecided = row.trueClass < 0 || row.predictedClass < 0;
    EXPECT_EQ(figures.undecided, undecided ? 1u : 0u);
    EXPECT_EQ(figures.correct, row.trueClass == row.predictedClass ? 1u : 0u);
    if (!undecided) {
        EXPECT_EQ(figures.Cell(row.trueClass, row.predictedClass), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClassAssignment,
    testing::Values(
        // Output levels 27, 1, 0, 27: class 0 sums 27, class 1 sums 28.
        ClassRow{"OutputTBelongsToClassTModK", {255, 100, 0, 255}, {1, 0, 1, 0}, 2, 0, 1},
        ClassRow{"TargetsAreSummedByClass", {255, 100, 0, 255}, {0.4, 0.5, 0.4, 0}, 2, 0, 1},
        ClassRow{"RepeatedOneHotAgrees", {255, 0, 255, 0}, {1, 0, 1, 0}, 2, 0, 0},
        ClassRow{"TiedOutputsAreUndecided", {255, 100, 0, 255}, {1, 0, 0, 0}, 4, 0, -1},
        ClassRow{"TiedTargetsAreUndecided", {255, 0, 0, 0}, {1, 0, 0, 1}, 2, -1, 0}),
    RowName());

}  // namespace
