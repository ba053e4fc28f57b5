#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <ostream>

// Answering the modal windows a test opens, from inside their own event loops.

// Lets test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Runs the event loop until done() holds, for at most a generous while; says whether it held.
inline bool RunEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// While it lives, runs action once on the next modal window that opens (only one that inherits
// className, when given).
class ModalResponder {
public:
    explicit ModalResponder(std::function<void(QWidget&)> respond, const char* className = nullptr)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, respond = std::move(respond), className] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible() || (className != nullptr && !modal->inherits(className)))
                return;
            timer.stop();
            answered = true;
            respond(*modal);
        });
        timer.start(10);
    }

    bool Answered() const { return answered; }

private:
    QTimer timer;
    bool answered = false;
};

// While it lives, answers the next message box by pressing which (NoButton: the Escape key) and
// keeps what it showed.
class BoxAnswer : public ModalResponder {
public:
    explicit BoxAnswer(QMessageBox::StandardButton which)
        : ModalResponder(
              [this, which](QWidget& window) {
                  auto& box = static_cast<QMessageBox&>(window);
                  title = box.windowTitle();
                  text = box.text();
                  icon = box.icon();
                  buttons = box.standardButtons();
                  owner = box.parentWidget();
                  if (which == QMessageBox::NoButton)
                      QTest::keyClick(&box, Qt::Key_Escape);
                  else
                      box.button(which)->click();
              },
              "QMessageBox")
    {
    }

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
};

// The control with a template identifier inside window.
template <class T>
T* Control(const QWidget& window, int id)
{
    T* control = window.findChild<T*>(QStringLiteral("control_%1").arg(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

inline void Click(const QWidget& window, int id)
{
    if (auto* button = Control<QAbstractButton>(window, id))
        button->click();
}
