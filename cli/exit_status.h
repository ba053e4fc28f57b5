#pragma once

// What corvina-cli returns to the shell.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitUserError = 1,  // a file, a number or a shape the user gave was refused
    ExitUsageError = 2, // the command line itself is wrong
};
