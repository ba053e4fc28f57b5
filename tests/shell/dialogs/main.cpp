#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns each time a window opens that it cannot pass on size hints.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        defaultHandler(type, context, message);
}

}  // namespace

// The dialogs need a QApplication; the tests run on the offscreen platform, also when listed.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // A modal window nobody closes would hang the tests: after five seconds it fails the test.
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
