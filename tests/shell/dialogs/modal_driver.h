#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "qt_printing.h"
#include "shell/dialogs/dialog_template.h"
#include "tests/framework/fakes.h"

// Runs action on the next modal window that opens above the one active now, from inside its
// event loop. A window that does not come within a few seconds fails the test.
inline void OnNextModal(std::function<void(QWidget&)> action)
{
    QPointer<QWidget> below = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, below, waited, action] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool arrived = modal && modal != below.data() && modal->isVisible();
        if (!arrived && ++*waited <= 500)
            return;
        timer->stop();
        timer->deleteLater();
        if (arrived)
            action(*modal);
        else
            ADD_FAILURE() << "no modal window opened";
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
        ASSERT_NE(box, nullptr) << "expected a message box, got " << window.metaObject()->className();
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

inline void Click(const QWidget& window, int id)
{
    if (auto* button = Control<QAbstractButton>(window, id))
        button->click();
}
