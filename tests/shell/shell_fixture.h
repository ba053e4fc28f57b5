#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <string>

#include "shell/command_actions.h"
#include "shell/corvina_app.h"
#include "shell/corvina_view.h"
#include "shell/idle_loop.h"
#include "shell/main_frame.h"
#include "shell/status_form.h"

// While it lives, runs action once on the next modal widget to open (only one that inherits
// className, when given), from inside that widget's own event loop.
class ModalResponder {
public:
    explicit ModalResponder(std::function<void(QWidget&)> respond, const char* className = nullptr)
        : action(std::move(respond))
    {
        QObject::connect(&timer, &QTimer::timeout, [this, className] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || (className != nullptr && !modal->inherits(className)))
                return;
            timer.stop();
            answered = true;
            action(*modal);
        });
        timer.start(10);
    }

    bool Answered() const { return answered; }

private:
    std::function<void(QWidget&)> action;
    QTimer timer;
    bool answered = false;
};

// Answers the next message box with which, keeping its text.
class BoxAnswer : public ModalResponder {
public:
    explicit BoxAnswer(QMessageBox::StandardButton which)
        : ModalResponder(
              [this, which](QWidget& box) {
                  text = static_cast<QMessageBox&>(box).text();
                  static_cast<QMessageBox&>(box).button(which)->click();
              },
              "QMessageBox")
    {
    }

    QString text;
};

template <typename T>
T* FindControl(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("control_%1").arg(id));
}

// Lets the event loop, and with it the idle loop, run for a while.
inline void RunEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
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

// A running application with a new document, its window shown offscreen, and fresh settings.
class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Corvina")).clear();
        app = std::make_unique<CCorvinaApp>();
        app->Document().GetRandomSource().Seed(12345);
        ASSERT_TRUE(app->CreateMainWindow({}));
        app->Frame()->show();
        RunEventsFor(20);
    }

    void TearDown() override
    {
        if (app && app->Frame())
            app->Document().SetModifiedFlag(false);
        app.reset();
    }

    CCorvinaDoc& Document() { return app->Document(); }
    QString FieldText(int id) const { return static_cast<QLineEdit*>(app->View()->Control(id))->text(); }
    QAction* Action(CommandId id) const { return app->Actions()->Action(id); }

    // The action's state after the idle loop has refreshed the commands.
    bool IsEnabledAfterRefresh(CommandId id)
    {
        app->Idle()->Restart();
        RunEventsFor(10);
        return Action(id)->isEnabled();
    }

    // A data file of records rows: four inputs and two outputs each.
    std::string WriteTrainingData(int records)
    {
        const std::string path = TempPath("data.dat").toStdString();
        std::ofstream out(path);
        for (int record = 0; record < records; ++record)
            out << record % 5 << ' ' << record % 3 << ' ' << record % 7 << ' ' << record % 2 << ' '
                << (record % 5 + record % 3) << ' ' << record % 4 << '\n';
        return path;
    }

    // Loads the data through the Select TD command and its dialog, as the user would.
    void SelectTrainingDataThroughDialog(const std::string& path)
    {
        const ModalResponder responder([path](QWidget& dialog) {
            FindControl<QLineEdit>(dialog, 1003)->setText(QString::fromStdString(path));
            FindControl<QAbstractButton>(dialog, 1)->click();
        });
        app->Router().Execute(ID_SELECT_TD);
    }

    QString TempPath(const QString& name) const { return directory.filePath(name); }

    QTemporaryDir directory;
    std::unique_ptr<CCorvinaApp> app;
};
