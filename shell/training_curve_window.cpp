#include "shell/training_curve_window.h"

#include <QCheckBox>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/curve_plot.h"

namespace {

const QString GeometryKey = QStringLiteral("Training Curve/Geometry");
const QString LogarithmicKey = QStringLiteral("Training Curve/Logarithmic");

QSettings UserSettings()
{
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Corvina"));
}

}  // namespace

TrainingCurveWindow::TrainingCurveWindow(const TrainingCurve& curve, QWidget* mainFrame)
    : QWidget(mainFrame, Qt::Window)
{
    setObjectName(QStringLiteral("training_curve"));
    setWindowTitle(QStringLiteral("Training Curve"));
    plot = new CurvePlot(curve, this);
    logarithmicBox = new QCheckBox(QStringLiteral("&Logarithmic pass axis"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot, 1);
    layout->addWidget(logarithmicBox);
    const bool logarithmic = UserSettings().value(LogarithmicKey, false).toBool();
    logarithmicBox->setChecked(logarithmic);
    plot->SetLogarithmic(logarithmic);
    connect(logarithmicBox, &QCheckBox::toggled, this, [this](bool on) {
        plot->SetLogarithmic(on);
        UserSettings().setValue(LogarithmicKey, on);
    });
    refreshTimer.setInterval(RefreshMilliseconds);
    connect(&refreshTimer, &QTimer::timeout, plot, &CurvePlot::RefreshIfChanged);
}

void TrainingCurveWindow::ShowBesideFrame()
{
    if (isVisible()) {
        raise();
        return;
    }
    if (!restoreGeometry(UserSettings().value(GeometryKey).toByteArray())) {
        resize(sizeHint().expandedTo(QSize(560, 400)));
        const QWidget* frame = parentWidget();
        QPoint place = frame->frameGeometry().topRight() + QPoint(8, 0);
        if (const QScreen* screen = frame->screen()) {
            const QRect available = screen->availableGeometry();
            if (place.x() + width() > available.right())
                place.setX(std::max(available.left(), available.right() - width()));
        }
        move(place);
    }
    show();
}

void TrainingCurveWindow::showEvent(QShowEvent* event)
{
    refreshTimer.start();
    plot->update();
    QWidget::showEvent(event);
}

void TrainingCurveWindow::hideEvent(QHideEvent* event)
{
    refreshTimer.stop();
    RememberGeometry();
    QWidget::hideEvent(event);
}

void TrainingCurveWindow::RememberGeometry() const
{
    UserSettings().setValue(GeometryKey, saveGeometry());
}
