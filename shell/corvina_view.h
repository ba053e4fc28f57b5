#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "framework/view.h"
#include "shell/command_target.h"
#include "shell/dialogs/dialog_template.h"

class CCorvinaDoc;
class QLabel;
class QLineEdit;
class ReportPrinting;

// The status form: the network's shape, the state of its training data and the progress of
// training, in read-only fields. It prints the status report and never changes the document.
class CCorvinaView : public QWidget, public CView, public CommandTarget {
    Q_OBJECT

public:
    CCorvinaView(CCorvinaDoc& document, ReportPrinting& printing, QWidget* parent = nullptr);
    ~CCorvinaView() override;

    void OnUpdate(CView* sender, UpdateHint hint) override;
    void OnInitialUpdate() override;

    // The form's size in pixels.
    QSize FormSize() const { return formSize; }

    // The field or picture with this form identifier.
    QWidget* Control(int id) const;

    // Called at the end of every initial update, so the frame can fit itself to the form.
    std::function<void()> onInitialUpdateDone;

    bool HasHandler(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Picture { None, Green, Red };

    void ShowPicture(Picture picture);
    void ShowProgress();
    static void SetFieldText(QLineEdit* field, const QString& text);

    CCorvinaDoc& document;
    ReportPrinting& printing;
    QSize formSize;
    DialogControls controls;
    Picture shownPicture = Picture::None;
    // Training changes the progress far more often than a screen can show it.
    QTimer progressTimer;
};
