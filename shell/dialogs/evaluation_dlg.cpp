#include "shell/dialogs/evaluation_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "document/evaluation.h"

namespace {

// Reals as the rest of the program writes them: a decimal point in every locale.
QString Real(double value, int digits)
{
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'f', digits);
}

QLabel* FigureLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTableWidget* Table(int rows, int columns, QWidget* parent)
{
    auto* table = new QTableWidget(rows, columns, parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void SetCell(QTableWidget& table, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(row, column, item);
}

// A table just as large as its contents, up to a good part of a screen; beyond that it scrolls.
void FitToContents(QTableWidget& table)
{
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
    const int width = table.verticalHeader()->sizeHint().width() + table.horizontalHeader()->length() +
                      2 * table.frameWidth();
    const int height = table.horizontalHeader()->sizeHint().height() + table.verticalHeader()->length() +
                       2 * table.frameWidth();
    const int shownWidth = std::min(width, 720);
    const int shownHeight = std::min(height, 360);
    if (shownWidth == width)
        table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (shownHeight == height)
        table.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setFixedSize(shownWidth, shownHeight);
}

}  // namespace

CEvaluationDlg::CEvaluationDlg(const Evaluation& evaluation, const QString& source, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Evaluation"));
    auto* layout = new QVBoxLayout(this);
    auto* figures = new QFormLayout;
    figures->addRow(QStringLiteral("Data:"), FigureLabel(source, "source", this));
    figures->addRow(QStringLiteral("Records:"), FigureLabel(QString::number(evaluation.records), "records", this));
    figures->addRow(QStringLiteral("Level error:"), FigureLabel(Real(evaluation.levelError, 2), "level_error", this));
    if (const auto& classes = evaluation.classFigures) {
        QString accuracy = QStringLiteral("%1 (%2 of %3 right").arg(Real(classes->accuracy, 4)).arg(classes->correct).arg(evaluation.records);
        if (classes->undecided != 0)
            accuracy += QStringLiteral(", %1 undecided").arg(classes->undecided);
        figures->addRow(QStringLiteral("Accuracy:"), FigureLabel(accuracy + QLatin1Char(')'), "accuracy", this));
    }
    layout->addLayout(figures);
    auto* note = new QLabel(QStringLiteral("The level error is the mean squared error in levels, as the average error "
                                           "measures it; the output errors are in the data's own units."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* outputsBox = new QGroupBox(QStringLiteral("Outputs"), this);
    auto* outputsLayout = new QVBoxLayout(outputsBox);
    const auto outputs = static_cast<int>(evaluation.outputErrors.size());
    outputTable = Table(outputs, 2, outputsBox);
    outputTable->setObjectName(QStringLiteral("outputs"));
    outputTable->setHorizontalHeaderLabels({QStringLiteral("MAE"), QStringLiteral("RMSE")});
    for (int output = 0; output < outputs; ++output) {
        outputTable->setVerticalHeaderItem(output, new QTableWidgetItem(QStringLiteral("Output %1").arg(output)));
        SetCell(*outputTable, output, 0, Real(evaluation.outputErrors[static_cast<size_t>(output)].mae, 4));
        SetCell(*outputTable, output, 1, Real(evaluation.outputErrors[static_cast<size_t>(output)].rmse, 4));
    }
    FitToContents(*outputTable);
    outputsLayout->addWidget(outputTable, 0, Qt::AlignLeft);
    layout->addWidget(outputsBox);

    if (const auto& classes = evaluation.classFigures) {
        auto* confusionBox = new QGroupBox(QStringLiteral("Confusion matrix: rows true class, columns predicted class"), this);
        auto* confusionLayout = new QVBoxLayout(confusionBox);
        confusionTable = Table(classes->classes, classes->classes, confusionBox);
        confusionTable->setObjectName(QStringLiteral("confusion"));
        QStringList names;
        for (int32_t index = 0; index < classes->classes; ++index)
            names << QString::number(index);
        confusionTable->setHorizontalHeaderLabels(names);
        confusionTable->setVerticalHeaderLabels(names);
        for (int32_t row = 0; row < classes->classes; ++row)
            for (int32_t column = 0; column < classes->classes; ++column)
                SetCell(*confusionTable, row, column, QString::number(classes->Cell(row, column)));
        FitToContents(*confusionTable);
        confusionLayout->addWidget(confusionTable, 0, Qt::AlignLeft);
        layout->addWidget(confusionBox);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString CEvaluationDlg::Figure(const char* name) const
{
    const auto* label = findChild<QLabel*>(QString::fromLatin1(name));
    return label == nullptr ? QString() : label->text();
}
