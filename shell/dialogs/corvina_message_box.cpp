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
    // A box shown during long work gets the normal pointer: it waits for the user.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    if (busy)
        QApplication::restoreOverrideCursor();
    return pressed;
}

void ShowFieldMessage(QWidget* owner, const QString& text)
{
    ShowCorvinaBox(owner, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowStopBox(QWidget* owner, const QString& text)
{
    ShowCorvinaBox(owner, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}
