#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "qt_printing.h"
#include "shell/dialogs/dialog_template.h"

// Runs action on the next modal window that opens above the one active now, from inside its
// event loop. A window that does not come within a few seconds fails the test.
inline void OnNextModal(std::function<void(QWidget&)> action)
{
    QPointer<QWidget> below = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, below, waited, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != below.data() && modal->isVisible()) {
            timer->deleteLater();
            timer->stop();
            action(*modal);
            return;
        }
        if (++*waited > 500) {
            timer->deleteLater();
            timer->stop();
            ADD_FAILURE() << "no modal window opened";
        }
    });
    timer->start(10);
}

// What a message box showed.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
};

// Records the next message box into seen and presses button on it.
inline void PressOnNextBox(SeenBox& seen, QMessageBox::StandardButton button)
{
    OnNextModal([&seen, button](QWidget& window) {
        auto* box = qobject_cast<QMessageBox*>(&window);
        if (!box) {
            ADD_FAILURE() << "expected a message box, got " << window.metaObject()->className();
            window.close();
            return;
        }
        seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->parentWidget()};
        if (QAbstractButton* pressed = box->button(button))
            pressed->click();
        else
            box->reject();
    });
}

// The control with a template identifier inside window.
template <class T>
T* Control(const QWidget& window, int id)
{
    T* control = window.findChild<T*>(ControlName(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

// Clicks the button with a template identifier.
inline void Click(const QWidget& window, int id)
{
    if (auto* button = Control<QAbstractButton>(window, id))
        button->click();
}
