#pragma once

#include <QString>
#include <QStringList>

// What the command line asks the program to do.
struct StartupRequest {
    enum class Action {
        Run,          // show the main window with file, or a new document
        Print,        // print file on printTarget (the default printer when empty) and quit
        Help,         // print how the program may be started
        Version,      // print the program's name and version
        Invalid,      // error says why
    };
    Action action = Action::Run;
    QString file;
    QString printTarget;
    QString error;
};

// Reads the arguments that follow the program name.
StartupRequest ParseCommandLine(const QStringList& arguments);

// How the program may be started, for --help and the message after an invalid command line.
QString CommandLineUsage();

// "Corvina Version 1.0", for --version.
QString VersionText();
