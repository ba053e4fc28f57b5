#include <QApplication>
#include <QMessageBox>

#include "shell/command_line.h"
#include "shell/console_start.h"
#include "shell/corvina_app.h"
#include "shell/desktop_identity.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = StartWithoutDisplay(argc, argv))
        return *status;
    QApplication application(argc, argv);
    SetDesktopIdentity();
    const StartupRequest request = ParseCommandLine(QApplication::arguments().mid(1));
    switch (request.action) {
    case StartupRequest::Action::Invalid:
        QMessageBox::critical(nullptr, QStringLiteral("Corvina"), request.error + "\n\n" + CommandLineUsage());
        return 2;
    case StartupRequest::Action::Help:
    case StartupRequest::Action::Version:
        return PrintInformation(request);
    case StartupRequest::Action::Print:
        return CCorvinaApp().PrintDocument(request.file, request.printTarget) ? 0 : 1;
    case StartupRequest::Action::Run:
        break;
    }
    CCorvinaApp corvina;
    if (!corvina.InitInstance(request))
        return 1;
    return QApplication::exec();
}
