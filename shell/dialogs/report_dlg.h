#pragma once

#include <string>

#include <QDialog>

class QKeyEvent;
class QPlainTextEdit;

// "One consult report": the outputs of a single consultation, read-only. It has no buttons;
// Enter, Escape and the close box close it.
class CReportDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int TextId = 1022;

    explicit CReportDlg(QWidget* parent = nullptr);

    // Shows text, whose lines end in CR LF.
    void SetText(const std::string& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* textEdit = nullptr;
};
