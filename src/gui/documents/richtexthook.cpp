#include "gui/documents/richtexthook.h"

#include "gui/documents/richtextbox.h"
#include "core/documents/webaddresses.h"
#include "gui/platform/keyboard.h"
#include "gui/platform/weblinks.h"

#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace documents {

namespace {

// Set on the characters of a marked link, so that only these marks are taken out again.
constexpr int kLinkMark = QTextFormat::UserProperty + 1;

} // namespace

void markWebAddresses(QTextDocument &document, const QColor &colour)
{
    const QString plain = document.toPlainText();
    const QList<WebAddress> found = findWebAddresses(plain);
    if (found.isEmpty())
        return;
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    link.setForeground(colour);
    link.setProperty(kLinkMark, true);
    QTextCursor cursor(&document);
    // One edit: a cursor moved outside an edit block lays its whole paragraph out again after
    // every change, which a name full of addresses made take minutes.
    cursor.beginEditBlock();
    for (const WebAddress &address : found) {
        link.setAnchorHref(plain.mid(address.start, address.length));
        cursor.setPosition(address.start);
        cursor.setPosition(address.start + address.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(link); // merging keeps the emphasis of every character
    }
    cursor.endEditBlock();
}

// Watches one box: marks its web addresses whenever the box is given a whole new text, and opens
// the one under a left-button press on the box's viewport.
class LinkWatcher final : public QObject
{
public:
    explicit LinkWatcher(RichTextBox *box)
        : m_box(box)
    {
        m_box->viewport()->installEventFilter(this);
        m_box->installEventFilter(this); // keys go to the box itself
        m_hadMouseTracking = m_box->viewport()->hasMouseTracking();
        m_box->viewport()->setMouseTracking(true); // the pointing hand follows the mouse over links
        // Once per text, after it is complete: marking on every insertion would scan the document
        // again for each run of a reading.
        m_connection = connect(m_box, &RichTextBox::textReplaced, this, &LinkWatcher::markLinks);
        markLinks();
    }

    ~LinkWatcher() override
    {
        if (!m_box)
            return;
        disconnect(m_connection);
        m_box->viewport()->removeEventFilter(this);
        m_box->removeEventFilter(this);
        showPointingHand(false);
        m_box->viewport()->setMouseTracking(m_hadMouseTracking);
        clearLinks();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_box)
            return false;
        if (watched == m_box && event->type() == QEvent::KeyPress)
            return followLinkAtCaret(static_cast<QKeyEvent *>(event));
        if (watched != m_box->viewport())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            // A double-click's second press arrives as MouseButtonDblClick and opens nothing more.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QUrl url = linkAt(mouse->position().toPoint());
                if (url.isValid())
                    platform::openWebAddress(url);
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            showPointingHand(linkAt(mouse->position().toPoint()).isValid());
            break;
        }
        default:
            break;
        }
        return false; // the box handles every event as it would without links
    }

private:
    QUrl linkAt(const QPoint &viewportPos) const
    {
        return webAddressToOpen(m_box->anchorAt(viewportPos));
    }

    // Enter with the caret on a link, or just after one, opens it, as a press of the left button
    // on it does: the keyboard's way to the links, which take no focus of their own. A held key
    // opens it once.
    bool followLinkAtCaret(const QKeyEvent *key)
    {
        if (!platform::isPlainEnter(key))
            return false;
        const int caret = m_box->textCursor().position();
        QUrl url = webAddressToOpen(anchorAt(caret));
        if (!url.isValid() && caret > 0)
            url = webAddressToOpen(anchorAt(caret - 1));
        if (!url.isValid())
            return false;
        if (!key->isAutoRepeat())
            platform::openWebAddress(url);
        return true;
    }

    // The link the character at position belongs to, or an empty text.
    QString anchorAt(int position) const
    {
        const QTextBlock block = m_box->document()->findBlock(position);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.contains(position))
                return fragment.charFormat().isAnchor() ? fragment.charFormat().anchorHref() : QString();
        }
        return QString();
    }

    // Over a link the mouse pointer is a pointing hand; elsewhere it is the box's own again.
    void showPointingHand(bool on)
    {
        if (on == m_pointing)
            return;
        m_pointing = on;
        QWidget *viewport = m_box->viewport();
        if (on) {
            m_hadOwnCursor = viewport->testAttribute(Qt::WA_SetCursor);
            m_ownCursor = viewport->cursor();
            viewport->setCursor(Qt::PointingHandCursor);
        } else if (m_hadOwnCursor) {
            viewport->setCursor(m_ownCursor);
        } else {
            viewport->unsetCursor();
        }
    }

    void markLinks()
    {
        if (!m_box)
            return;
        clearLinks();

        markWebAddresses(*m_box->document(), m_box->palette().color(QPalette::Link));
    }

    // Takes out every mark this watcher made, leaving each character's other formatting.
    void clearLinks()
    {
        QTextDocument *document = m_box->document();
        struct Marked {
            int start;
            int length;
            QTextCharFormat format;
        };
        QList<Marked> marked;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().boolProperty(kLinkMark))
                    marked.append({fragment.position(), fragment.length(), fragment.charFormat()});
            }
        }
        if (marked.isEmpty())
            return;
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        for (Marked &m : marked) {
            for (int property : {int(QTextFormat::IsAnchor), int(QTextFormat::AnchorHref),
                                 int(QTextFormat::TextUnderlineStyle), int(QTextFormat::ForegroundBrush), kLinkMark})
                m.format.clearProperty(property);
            cursor.setPosition(m.start);
            cursor.setPosition(m.start + m.length, QTextCursor::KeepAnchor);
            cursor.setCharFormat(m.format);
        }
        cursor.endEditBlock();
    }

    QPointer<RichTextBox> m_box;
    QMetaObject::Connection m_connection;
    bool m_hadMouseTracking = false;
    bool m_pointing = false;
    bool m_hadOwnCursor = false;
    QCursor m_ownCursor;
};

RichTextHook::RichTextHook() = default;

RichTextHook::~RichTextHook()
{
    UnhookRichText();
}

void RichTextHook::HookRichText(RichTextBox *box)
{
    UnhookRichText();
    m_box = box;
    m_hooked = true;
    if (box)
        m_watcher = std::make_unique<LinkWatcher>(box);
}

void RichTextHook::UnhookRichText()
{
    if (!m_hooked)
        return;
    m_watcher.reset();
    m_hooked = false;
}

} // namespace documents
