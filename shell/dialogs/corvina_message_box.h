#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The window a box or dialog opened now belongs to: the topmost modal dialog if one is open,
// otherwise fallback (the main window).
QWidget* OwnerWindow(QWidget* fallback);

// Shows a modal message box captioned "Corvina" over owner and returns the button pressed.
QMessageBox::StandardButton ShowCorvinaBox(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);

// The message a refused field shows: OK with the warning icon, then the caller puts the focus
// back on the field.
void ShowFieldMessage(QWidget* owner, const QString& text);

// A refusal the user must correct: OK with the stop icon.
void ShowStopBox(QWidget* owner, const QString& text);
