#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;

// "Corvina" with what is being done and how far it has come. It cannot be closed: the work it
// shows ends by itself, and the dialog with it.
class CProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CProgressDlg(const QString& title, QWidget* parent = nullptr);

    // Shows the step and done of total (total 0: a bar that only shows activity).
    void ShowStep(const QString& step, uint64_t done, uint64_t total);

    QString Step() const;
    // Tenths of a percent done.
    int Permille() const;

    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* stepLabel = nullptr;
    QProgressBar* bar = nullptr;
};
