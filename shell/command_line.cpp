#include "shell/command_line.h"

namespace {

StartupRequest Invalid(const QString& error)
{
    StartupRequest request;
    request.action = StartupRequest::Action::Invalid;
    request.error = error;
    return request;
}

}  // namespace

StartupRequest ParseCommandLine(const QStringList& arguments)
{
    StartupRequest request;
    qsizetype next = 0;
    const QString option = arguments.value(0);
    if (option == QStringLiteral("--print")) {
        request.action = StartupRequest::Action::Print;
        next = 1;
    } else if (option == QStringLiteral("--print-to")) {
        if (arguments.size() < 2)
            return Invalid(QStringLiteral("--print-to needs a printer name or a .pdf file."));
        request.action = StartupRequest::Action::Print;
        request.printTarget = arguments[1];
        next = 2;
    } else if (option == QStringLiteral("--help") || option == QStringLiteral("-h")) {
        request.action = StartupRequest::Action::Help;
        return arguments.size() == 1 ? request : Invalid(QStringLiteral("--help takes no arguments."));
    } else if (option == QStringLiteral("--version")) {
        request.action = StartupRequest::Action::Version;
        return arguments.size() == 1 ? request : Invalid(QStringLiteral("--version takes no arguments."));
    } else if (option.startsWith(QStringLiteral("--"))) {
        return Invalid(QStringLiteral("Unknown option %1.").arg(option));
    }
    const QStringList files = arguments.mid(next);
    if (files.size() > 1)
        return Invalid(QStringLiteral("Only one document can be opened at a time."));
    if (request.action == StartupRequest::Action::Print && files.isEmpty())
        return Invalid(QStringLiteral("Printing needs the document to print."));
    request.file = files.value(0);
    return request;
}

QString CommandLineUsage()
{
    return QStringLiteral("Usage:\n"
                          "  corvina [FILE.cvn]             open FILE.cvn, or a new network\n"
                          "  corvina --print FILE.cvn       print its status report on the default printer\n"
                          "  corvina --print-to PRINTER|FILE.pdf FILE.cvn\n"
                          "                                 print it on PRINTER or into FILE.pdf\n"
                          "  corvina --help                 show this text\n"
                          "  corvina --version              show the version");
}

QString VersionText()
{
    return QStringLiteral("Corvina Version 1.0");
}
