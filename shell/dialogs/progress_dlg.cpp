#include "shell/dialogs/progress_dlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int BarRange = 1000;

}  // namespace

CProgressDlg::CProgressDlg(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("progress_dialog"));
    setWindowTitle(QStringLiteral("Corvina"));
    auto* layout = new QVBoxLayout(this);
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    titleLabel->setWordWrap(true);
    stepLabel = new QLabel(this);
    bar = new QProgressBar(this);
    bar->setRange(0, BarRange);
    layout->addWidget(titleLabel);
    layout->addWidget(stepLabel);
    layout->addWidget(bar);
    setSizeGripEnabled(false);
}

void CProgressDlg::ShowStep(const QString& step, uint64_t done, uint64_t total)
{
    if (stepLabel->text() != step)
        stepLabel->setText(step);
    if (total == 0) {
        bar->setRange(0, 0);
        return;
    }
    bar->setRange(0, BarRange);
    bar->setValue(static_cast<int>(std::min(done, total) * BarRange / total));
}

QString CProgressDlg::Step() const
{
    return stepLabel->text();
}

int CProgressDlg::Permille() const
{
    return bar->maximum() == 0 ? 0 : bar->value();
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
