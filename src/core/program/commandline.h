#pragma once

#include <QString>

#include <optional>

class QCoreApplication;
class QUrl;

namespace program {

// Reads the program's command line, "tovrin [--help] [--version] [FILE]", as command-line
// programs do: --help and --version print to standard output and end the program with status 0;
// an unknown option or a second file prints the fault to standard error and ends it with status 1.
// Returns FILE made absolute, or an empty text when there is none.
QString processCommandLine(const QCoreApplication &application);

// FILE as the command line gives it, made absolute: a relative name from the current folder, a
// file: URL (file:///home/ann/our%20reading.kvl, or with the host localhost) by its path. An empty
// text for an empty FILE. Nothing when FILE cannot be placed: a file on another computer, or a
// relative name when the current folder is gone; fault then says why.
std::optional<QString> commandLineFile(const QString &argument, QString *fault);

// The path on this computer of a file: URL, with or without the host localhost. Nothing for any
// other URL: the path of a file on another computer would name some other file here, and so would
// a path with a NUL in it (%00).
std::optional<QString> localFilePath(const QUrl &url);

} // namespace program
