#include "shell/dialogs/qt_progress_display.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>

#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/progress_dlg.h"

namespace {

// How often a shown dialog is refreshed and the event loop let through: about a screen's pace.
constexpr qint64 RefreshMilliseconds = 30;

class QtWorkProgress : public WorkProgress {
public:
    QtWorkProgress(QString workTitle, QWidget* parentWindow, std::chrono::milliseconds delay)
        : title(std::move(workTitle)), parent(parentWindow), showAfter(delay.count())
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        clock.start();
    }

    ~QtWorkProgress() override
    {
        if (dialog)
            dialog->hide();
        dialog.reset();
        QApplication::restoreOverrideCursor();
    }

    void Report(std::string_view step, uint64_t done, uint64_t total) override
    {
        if (!dialog) {
            if (clock.elapsed() < showAfter)
                return;
            // Shown modal before the event loop turns, so no training pass can slip in.
            dialog = std::make_unique<CProgressDlg>(title, OwnerWindow(parent));
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->show();
        } else if (sinceRefresh.elapsed() < RefreshMilliseconds && step == shownStep) {
            return;
        }
        shownStep.assign(step);
        sinceRefresh.start();
        dialog->ShowStep(QString::fromUtf8(step.data(), static_cast<qsizetype>(step.size())), done, total);
        QApplication::processEvents();
    }

private:
    QString title;
    QWidget* parent;
    qint64 showAfter;
    QElapsedTimer clock;
    QElapsedTimer sinceRefresh;
    std::string shownStep;
    std::unique_ptr<CProgressDlg> dialog;
};

}  // namespace

std::unique_ptr<WorkProgress> QtProgressDisplay::BeginWork(const std::string& title)
{
    return std::make_unique<QtWorkProgress>(QString::fromStdString(title), parentWindow, showAfter);
}
