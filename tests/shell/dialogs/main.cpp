#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

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

}  // namespace

// The dialogs need a QApplication; the tests run on the offscreen platform.
int main(int argc, char** argv)
{
    defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
