// corvina-screenshots FOLDER: renders the main window, every dialog and the print preview into
// PNG files in FOLDER, on the offscreen platform unless another is chosen. A tool for the
// documentation, kept out of the program users run.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "screenshots.h"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvina"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/corvina")));
    return RenderScreenshots(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
