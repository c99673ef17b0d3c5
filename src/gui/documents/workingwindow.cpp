#include "gui/documents/workingwindow.h"

#include "core/readings/reading.h"
#include "gui/documents/richtextbox.h"

#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The window opens large enough for a line of the working and a partner's numbers, in the font
// it is shown in.
constexpr int kColumns = 90;
constexpr int kLines = 30;

// The working copies and drags as plain text and HTML. QTextEdit would add Markdown, in which the
// names are not escaped: a name such as "[Smith](https://evil.test)" became a link where it was
// pasted. Qt's HTML leaves out every run of text that holds U+FFFC (it writes only images for
// it), so a selection holding one goes as plain text alone.
class WorkingText final : public QTextEdit
{
public:
    using QTextEdit::QTextEdit;

protected:
    QMimeData *createMimeDataFromSelection() const override
    {
        const QTextDocumentFragment selection(textCursor());
        auto *data = new QMimeData;
        data->setText(selection.toPlainText());
        if (!data->text().contains(QChar::ObjectReplacementCharacter))
            data->setHtml(selection.toHtml());
        return data;
    }

    // As in the reading boxes: input methods, dead keys and compose sequences among them, would
    // write into the working although it is read-only.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImEnabled)
            return false;
        return QTextEdit::inputMethodQuery(query);
    }

    void inputMethodEvent(QInputMethodEvent *event) override { event->ignore(); }
};

} // namespace

frmWorking::frmWorking(QWidget *parent)
    : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmWorking"));
    setModal(true);

    m_txtWorking = new WorkingText(this);
    m_txtWorking->setObjectName(QStringLiteral("txtWorking"));
    m_txtWorking->setReadOnly(true);
    m_txtWorking->setAcceptRichText(false);
    m_txtWorking->setUndoRedoEnabled(false);
    m_txtWorking->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_txtWorking->setTabChangesFocus(true);
    m_txtWorking->setAccessibleName(QStringLiteral("The working"));
    m_txtWorking->setAccessibleDescription(
        QStringLiteral("Each character and each part of the dates with its value, the totals and every step to the "
                       "numbers of the readings"));

    m_cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtWorking);
    layout->addLayout(buttons);

    const QFontMetrics metrics = m_txtWorking->fontMetrics();
    resize(metrics.averageCharWidth() * kColumns, metrics.lineSpacing() * kLines);

    connect(m_cmdClose, &QPushButton::clicked, this, &frmWorking::cmdClose_Click);
}

void frmWorking::showWorking(const readings::Reading &working)
{
    setWindowTitle(working.caption);
    m_txtWorking->clear();
    QTextCursor cursor(m_txtWorking->document());
    documents::insertRuns(cursor, working.runs);
    m_txtWorking->setTextCursor(QTextCursor(m_txtWorking->document()));
    m_txtWorking->setFocus();
}

void frmWorking::cmdClose_Click()
{
    unload();
}
