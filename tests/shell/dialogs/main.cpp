#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns each time a window opens that it cannot pass on size hints;
// that says nothing about the dialogs under test.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

// A modal window nobody closes would hang the tests: after a few seconds it fails the running
// test and is closed.
void WatchForForgottenModals(QTimer& timer)
{
    static QPointer<QWidget> lastSeen;
    static int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ticks = modal && modal == lastSeen.data() ? ticks + 1 : 0;
        lastSeen = modal;
        if (ticks < 10)
            return;
        ADD_FAILURE() << "a modal " << modal->metaObject()->className() << " was left open";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        ticks = 0;
    });
    timer.start(500);
}

}  // namespace

// The dialogs need a QApplication; the tests run on the offscreen platform.
int main(int argc, char** argv)
{
    // Test discovery runs the program without the tests' environment, and without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    QTimer watchdog;
    WatchForForgottenModals(watchdog);
    return RUN_ALL_TESTS();
}
