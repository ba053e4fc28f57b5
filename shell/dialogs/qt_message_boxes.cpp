#include "shell/dialogs/qt_message_boxes.h"

#include <cstdio>

#include <QMainWindow>
#include <QStatusBar>

#include "shell/dialogs/corvina_message_box.h"

Answer QtMessageBoxes::AskYesNo(const std::string& text)
{
    if (console)
        return Answer::No;
    const auto pressed = ShowCorvinaBox(OwnerWindow(parentWindow), QMessageBox::NoIcon,
                                        QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::Yes);
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtMessageBoxes::ShowStopMessage(const std::string& text)
{
    if (console) {
        std::fprintf(stderr, "Corvina: %s\n", text.c_str());
        return;
    }
    ShowStopBox(OwnerWindow(parentWindow), QString::fromStdString(text));
}

SaveChangesAnswer QtMessageBoxes::AskSaveChanges(const std::string& documentTitle)
{
    if (console)
        return SaveChangesAnswer::Discard;
    const QString text = QStringLiteral("Save changes to %1?").arg(QString::fromStdString(documentTitle));
    const auto pressed = ShowCorvinaBox(OwnerWindow(parentWindow), QMessageBox::Warning, text,
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                        QMessageBox::Yes);
    switch (pressed) {
    case QMessageBox::Yes:
        return SaveChangesAnswer::Save;
    case QMessageBox::No:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

void QtMessageBoxes::ShowStatusNote(const std::string& text)
{
    auto* window = qobject_cast<QMainWindow*>(parentWindow);
    if (window == nullptr)
        return;
    if (text.empty())
        window->statusBar()->clearMessage();
    else
        window->statusBar()->showMessage(QString::fromStdString(text));
}
