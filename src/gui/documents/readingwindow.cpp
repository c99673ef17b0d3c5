#include "gui/documents/readingwindow.h"

#include "core/program/version.h"
#include "core/readings/reading.h"
#include "gui/documents/readingcommands.h"
#include "gui/documents/richtextbox.h"
#include "gui/platform/commandbutton.h"
#include "gui/platform/linklabel.h"
#include "gui/platform/seams.h"
#include "gui/platform/weblinks.h"

#include <QLabel>
#include <QPushButton>

ReadingWindow::ReadingWindow(const QString &objectName, const QString &boxName, QWidget *parent)
    : UnloadingDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(program::caption());
    setModal(true);

    m_label61 = new LinkLabel(QStringLiteral("Share your readings on the Tovrin discussion board"), this);
    m_label61->setObjectName(QStringLiteral("Label61"));
    m_label61->setAlignment(Qt::AlignCenter);
    m_label61->setWordWrap(true);

    m_box = new RichTextBox(this);
    m_box->setObjectName(boxName);
    // The window opens with the reading in focus, not the link above it: a second Enter or a
    // Space meant for scrolling must not open a web page.
    m_box->setFocus();

    m_label1 = new QLabel(QStringLiteral("Display Your Ad Here Permanently. Contact "), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label2 = new QLabel(QStringLiteral("ads@example.com"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));

    m_cmdBack = button(QStringLiteral("cmdBack"), QStringLiteral("&Back"));
    m_cmdPrint = button(QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    m_cmdSave = button(QStringLiteral("cmdSave"), QStringLiteral("&Save"));

    platform::connectCommand(m_cmdBack, &QPushButton::clicked, this, &ReadingWindow::cmdBack_Click);
    platform::connectCommand(m_cmdPrint, &QPushButton::clicked, this, &ReadingWindow::cmdPrint_Click);
    platform::connectCommand(m_cmdSave, &QPushButton::clicked, this, &ReadingWindow::cmdSave_Click);
    connect(m_label61, &LinkLabel::clicked, this, &ReadingWindow::Label61_Click);
}

QPushButton *ReadingWindow::button(const QString &objectName, const QString &text)
{
    auto *b = new CommandButton(text, this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

void ReadingWindow::Form_Load()
{
    m_hook.HookRichText(m_box);
}

void ReadingWindow::Form_Unload()
{
    m_hook.UnhookRichText();
}

void ReadingWindow::showReading(const readings::Reading &reading, const readings::PartnerDetails &details)
{
    setWindowTitle(reading.caption);
    // Screen readers name the box by the reading it holds, unless the window has named it.
    if (m_box->accessibleName().isEmpty())
        m_box->setAccessibleName(reading.caption);
    m_box->showRuns(reading.runs);
    m_details = details;
}

void ReadingWindow::reject()
{
    cmdBack_Click();
}

void ReadingWindow::cmdBack_Click()
{
    unload();
    emit backRequested();
}

void ReadingWindow::cmdPrint_Click()
{
    documents::PrintReading(m_box, this);
}

void ReadingWindow::cmdSave_Click()
{
    const QString saved = documents::SaveReading(this, m_details);
    if (!saved.isEmpty())
        emit readingSaved(saved);
}

void ReadingWindow::Label61_Click()
{
    platform::OpenHomePage();
}
