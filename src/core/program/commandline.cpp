#include "core/program/commandline.h"

#include "core/program/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace program {

QString processCommandLine(const QCoreApplication &application)
{
    QCoreApplication::setApplicationVersion(version());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Numerology compatibility readings for a couple, from their names and dates of birth.\n"
                       "With FILE, opens that saved reading (.kvl) and shows its Comprehensive Reading; when "
                       "the program is running already, the running copy opens it."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A saved reading to open."),
                                 QStringLiteral("[FILE]"));
    // Qt's own options (-platform wayland, -style Fusion ...) are read later by the application
    // object; here they are only passed over, with their values, and --help-all lists them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "display", "geometry", "icon", "style", "stylesheet",
                             "session", "name", "title"}) {
        QCommandLineOption option(QLatin1String(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"}) {
        QCommandLineOption option{QLatin1String(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.process(application);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s: one file at a time, please (%lld given)\n",
                     qPrintable(QCoreApplication::applicationName()), static_cast<long long>(files.size()));
        std::exit(EXIT_FAILURE);
    }
    if (files.isEmpty())
        return QString();
    // A file manager or a script may name the file by its URL (file:///home/ann/our%20reading.kvl).
    QString file = files.constFirst();
    if (file.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(file);
        if (!url.isValid() || !(url.host().isEmpty() || url.host() == QLatin1String("localhost"))) {
            std::fprintf(stderr, "%s: only a file on this computer can be opened (%s)\n",
                         qPrintable(QCoreApplication::applicationName()), qPrintable(file));
            std::exit(EXIT_FAILURE);
        }
        file = url.toLocalFile();
    }
    if (file.isEmpty())
        return QString(); // an empty argument names no file
    // A relative name cannot be placed when the folder it was given in has been removed.
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (!QFileInfo(absolute).isAbsolute()) {
        std::fprintf(stderr, "%s: cannot tell where %s is: the current folder is gone\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(file));
        std::exit(EXIT_FAILURE);
    }
    return absolute;
}

} // namespace program
