#include "documents/maininputs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace documents {

namespace {

// The controls in the order of readings::PartnerDetails::toList(): six names, then two dates,
// month first.
constexpr const char *kNames[] = {"txtMF", "txtMM", "txtML", "txtFF", "txtFM", "txtFL"};
constexpr const char *kLists[] = {"cboMM", "cboMD", "cboMY", "cboFM", "cboFD", "cboFY"};

} // namespace

readings::PartnerDetails mainWindowDetails(const QWidget *mainWindow)
{
    QStringList values;
    for (const char *name : kNames) {
        const auto *edit = mainWindow->findChild<QLineEdit *>(QLatin1String(name));
        values.append(edit ? edit->text().trimmed() : QString());
    }
    for (const char *name : kLists) {
        const auto *list = mainWindow->findChild<QComboBox *>(QLatin1String(name));
        values.append(list ? list->currentText().trimmed() : QString());
    }
    return readings::PartnerDetails::fromList(values);
}

void setMainWindowDetails(QWidget *mainWindow, const readings::PartnerDetails &details)
{
    const QStringList values = details.toList();
    int i = 0;
    for (const char *name : kNames) {
        if (auto *edit = mainWindow->findChild<QLineEdit *>(QLatin1String(name)))
            edit->setText(values.at(i));
        ++i;
    }
    for (const char *name : kLists) {
        if (auto *list = mainWindow->findChild<QComboBox *>(QLatin1String(name))) {
            const int entry = list->findText(values.at(i), Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (entry >= 0)
                list->setCurrentIndex(entry);
        }
        ++i;
    }
}

} // namespace documents
