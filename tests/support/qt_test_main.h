#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qt_test_main {

inline QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns each time a window opens that it cannot pass on size hints.
inline void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        defaultHandler(type, context, message);
}

}  // namespace qt_test_main

// The main() of a Qt test program: a QApplication on the offscreen platform (also when the tests
// are only listed), and a watchdog that fails the test and closes any modal window left open for
// five seconds, so that a missing answer fails instead of hanging.
inline int RunQtTests(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qt_test_main::defaultHandler = qInstallMessageHandler(qt_test_main::QuietHandler);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    QTimer watchdog;
    QPointer<QWidget> lastSeen;
    int ticks = 0;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ticks = modal && modal == lastSeen.data() ? ticks + 1 : 0;
        lastSeen = modal;
        if (ticks < 10)
            return;
        ADD_FAILURE() << "a modal " << modal->metaObject()->className() << " was left open";
        modal->close();
        ticks = 0;
    });
    watchdog.start(500);
    return RUN_ALL_TESTS();
}
