#include "core/program/commandline.h"

#include "core/program/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
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
                             "session", "name", "title", "visual"}) {
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
    QString fault;
    const std::optional<QString> file = commandLineFile(files.constFirst(), &fault);
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(fault));
        std::exit(EXIT_FAILURE);
    }
    return *file;
}

std::optional<QString> commandLineFile(const QString &argument, QString *fault)
{
    // A file manager or a script may name the file by its URL (file:///home/ann/our%20reading.kvl).
    QString file = argument;
    if (file.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(file);
        const std::optional<QString> local = url.isValid() ? localFilePath(url) : std::nullopt;
        if (!local) {
            *fault = QStringLiteral("only a file on this computer can be opened (%1)").arg(argument);
            return std::nullopt;
        }
        file = *local;
    }
    if (file.isEmpty())
        return QString(); // an empty argument names no file
    // Made absolute but not tidied: the system reads "link/.." as the folder above the link's
    // target, so dropping the pair would name another file. A relative name cannot be placed when
    // the folder it was given in has been removed.
    QString absolute = file;
    if (QFileInfo(file).isRelative()) {
        const QString here = QDir::currentPath(); // empty when the folder is gone
        if (!here.isEmpty())
            absolute = QDir(here).filePath(file);
    }
    if (!QFileInfo(absolute).isAbsolute()) {
        *fault = QStringLiteral("cannot tell where %1 is: the current folder is gone").arg(file);
        return std::nullopt;
    }
    return absolute;
}

std::optional<QString> localFilePath(const QUrl &url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    // QUrl gives a URL with a host the path //host/..., which this system reads as /host/....
    QUrl here = url;
    if (url.host() == QLatin1String("localhost"))
        here.setHost(QString());
    else if (!url.host().isEmpty())
        return std::nullopt;
    // %00 decodes to a NUL, where the system's reading of the name stops: it would name another
    // file, the part before it.
    const QString path = here.toLocalFile();
    if (path.contains(QChar(0)))
        return std::nullopt;
    return path;
}

} // namespace program
