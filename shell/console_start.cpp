#include "shell/console_start.h"

#include <QStringList>
#include <QtGlobal>
#include <cstdio>

#include "shell/command_line.h"

namespace {

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

// Whether a window system can be reached, or one was chosen for Qt explicitly. Only X11 and
// Wayland desktops can be missing; elsewhere the desktop is always there.
bool DisplayAvailable(const QStringList& arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    return arguments.contains(QStringLiteral("-platform")) || arguments.contains(QStringLiteral("--platform"));
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

}  // namespace

int PrintInformation(const StartupRequest& request)
{
    const QString text = request.action == StartupRequest::Action::Version ? VersionText() : CommandLineUsage();
    std::fputs(qPrintable(text + u'\n'), stdout);
    return 0;
}

std::optional<int> StartWithoutDisplay(int argc, char* argv[])
{
    const QStringList arguments = Arguments(argc, argv);
    const StartupRequest request = ParseCommandLine(arguments);
    switch (request.action) {
    case StartupRequest::Action::Help:
    case StartupRequest::Action::Version:
        return PrintInformation(request);
    case StartupRequest::Action::Invalid:
        if (DisplayAvailable(arguments))
            return std::nullopt;
        std::fputs(qPrintable(QStringLiteral("corvina: ") + request.error + u'\n' + CommandLineUsage() + u'\n'),
                   stderr);
        return 2;
    case StartupRequest::Action::Print:
        // Nothing is shown: the offscreen platform draws the pages without a display.
        if (!DisplayAvailable(arguments))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::nullopt;
    case StartupRequest::Action::Run:
        return std::nullopt;
    }
    return std::nullopt;
}
