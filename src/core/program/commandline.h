#pragma once

#include <QString>

class QCoreApplication;

namespace program {

// Reads the program's command line, "tovrin [--help] [--version] [FILE]", as command-line
// programs do: --help and --version print to standard output and end the program with status 0;
// an unknown option or a second file prints the fault to standard error and ends it with status 1.
// Returns FILE made absolute, or an empty text when there is none.
QString processCommandLine(const QCoreApplication &application);

} // namespace program
