#pragma once

// What the save, open and print tests share: the worked example couple, the main window's twelve
// inputs, and the buttons of the reading windows.

#include "../common/guitest.h"

#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"
#include "core/readings/partnerdetails.h"

#include <QByteArray>
#include <QFile>
#include <QPushButton>
#include <QStringList>

namespace documenttest {

// A clean start for a file test: no file dialog asked, the main window shown.
inline frmMain *showMainWindowAfresh()
{
    platform::FileDialog::asked().clear();
    return guitest::showMainWindow();
}

// Male John Paul Smith, born March 5, 1970; female Ann Lee, no middle name, born July 12, 1972.
inline void fillJohnAndAnn(frmMain *main)
{
    guitest::fillCouple(main, {QStringLiteral("John"), QStringLiteral("Paul"), QStringLiteral("Smith")},
                        QStringLiteral("March 5 1970"),
                        {QStringLiteral("Ann"), QString(), QStringLiteral("Lee")}, QStringLiteral("July 12 1972"));
}

// The saved file for that couple: the twelve details, each character moved on by 37 code points,
// in UTF-8, every line ending CR LF.
inline QByteArray johnAndAnnFile()
{
    const char *const lines[] = {
        "o\u0094\u008d\u0093",       // John
        "u\u0086\u009a\u0091",       // Paul
        "x\u0092\u008e\u0099\u008d", // Smith
        "f\u0093\u0093",             // Ann
        "",                          // (no middle name)
        "q\u008a\u008a",             // Lee
        "r\u0086\u0097\u0088\u008d", // March
        "Z",                         // 5
        "V^\\U",                     // 1970
        "o\u009a\u0091\u009e",       // July
        "VW",                        // 12
        "V^\\W",                     // 1972
    };
    QByteArray bytes;
    for (const char *line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

// The twelve inputs of the main window, in the order of a saved file: the six names, then the
// male and the female date of birth, month first.
inline QStringList inputs(frmMain *main)
{
    QStringList values;
    for (const char *name : {"txtMF", "txtMM", "txtML", "txtFF", "txtFM", "txtFL"})
        values.append(guitest::child<QLineEdit>(main, name)->text());
    for (const char *name : {"cboMM", "cboMD", "cboMY", "cboFM", "cboFD", "cboFY"})
        values.append(guitest::child<QComboBox>(main, name)->currentText());
    return values;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline void click(QWidget *window, const char *button)
{
    guitest::child<QPushButton>(window, button)->click();
}

} // namespace documenttest
