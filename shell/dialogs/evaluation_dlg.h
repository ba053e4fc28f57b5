#pragma once

#include <QDialog>

struct Evaluation;
class QTableWidget;

// "Evaluation": how the network answered the records of a data file: the records, the level
// error (comparable with the average error), each output's mean absolute and root-mean-square
// error in the data's own units, and with classes the accuracy and the confusion matrix (rows
// the true classes, columns the predicted ones).
class CEvaluationDlg : public QDialog {
    Q_OBJECT

public:
    CEvaluationDlg(const Evaluation& evaluation, const QString& source, QWidget* parent = nullptr);

    // The text shown for a figure: "records", "level_error", "accuracy"; empty when not shown.
    QString Figure(const char* name) const;
    QTableWidget* OutputTable() const { return outputTable; }
    // Null without classes.
    QTableWidget* ConfusionTable() const { return confusionTable; }

private:
    QTableWidget* outputTable = nullptr;
    QTableWidget* confusionTable = nullptr;
};
