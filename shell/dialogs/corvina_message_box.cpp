#include "shell/dialogs/corvina_message_box.h"

#include <QApplication>

QWidget* OwnerWindow(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return fallback;
}

QMessageBox::StandardButton ShowCorvinaBox(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QStringLiteral("Corvina"), text, buttons, owner);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::WindowModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowFieldMessage(QWidget* owner, const QString& text)
{
    ShowCorvinaBox(owner, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowStopBox(QWidget* owner, const QString& text)
{
    ShowCorvinaBox(owner, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}
