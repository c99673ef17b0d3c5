#pragma once

// Reading printed pages back: the words of a PDF file, as pdftotext finds them.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace documenttest {

inline bool havePdfTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

inline QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of text; ligatures a printer may set ("ff" as one character) count as their letters.
inline QStringList words(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).split(blanks, Qt::SkipEmptyParts);
}

// The letters of text without blanks, for a printout whose text has gone through a print server:
// its conversions may drop the letters of a ligature ("ff", "fi" ... set as one character) or split
// the word around it, so those letters are left out on both sides.
inline QString lettersWithoutLigatures(const QString &text)
{
    static const QRegularExpression dropped(QStringLiteral("\\s+|\\p{Cc}|ff[il]?|f[il]"));
    return text.normalized(QString::NormalizationForm_KC).remove(dropped);
}

// The text on page (1 = the first), or on every page when page is 0.
inline QString pdfText(const QString &pdf, int page = 0)
{
    QStringList arguments;
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << pdf << QStringLiteral("-");
    return runTool(QStringLiteral("pdftotext"), arguments);
}

inline QStringList pdfWords(const QString &pdf, int page = 0)
{
    return words(pdfText(pdf, page));
}

inline int pdfPages(const QString &pdf)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The names of the fonts the PDF file uses.
inline QStringList pdfFonts(const QString &pdf)
{
    QStringList names;
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
    for (int i = 2; i < lines.size(); ++i) { // after the heading and its underline
        const QString name = lines.at(i).section(QLatin1Char(' '), 0, 0);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

} // namespace documenttest
