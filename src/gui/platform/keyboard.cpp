#include "gui/platform/keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QShortcutEvent>

#include <algorithm>

void KeyboardRules::install()
{
    static KeyboardRules *filter = nullptr;
    if (!filter) {
        filter = new KeyboardRules(qApp);
        qApp->installEventFilter(filter);
    }
}

namespace {

// Alt with a Latin letter, as an access key is written; empty for any other key.
QKeySequence accessChord(const QKeyEvent *key)
{
    if (key->modifiers() != Qt::AltModifier || key->key() < Qt::Key_A || key->key() > Qt::Key_Z)
        return QKeySequence();
    return QKeySequence(key->key() | Qt::AltModifier);
}

} // namespace

QPushButton *KeyboardRules::buttonForAccessKey(const QKeyEvent *key)
{
    const QKeySequence chord = accessChord(key);
    return chord.isEmpty() ? nullptr : buttonForChord(chord);
}

bool KeyboardRules::openMenuHasEntryFor(const QKeyEvent *key)
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    const QKeySequence chord = accessChord(key);
    if (!menu || chord.isEmpty())
        return false;
    const QList<QAction *> entries = menu->actions();
    return std::any_of(entries.cbegin(), entries.cend(), [&chord](const QAction *entry) {
        return entry->isVisible() && entry->isEnabled() && QKeySequence::mnemonic(entry->text()) == chord;
    });
}

QPushButton *KeyboardRules::buttonForChord(const QKeySequence &chord)
{
    // While a menu or a list is open the keys are its own.
    QWidget *window = QApplication::activeWindow();
    if (!window || QApplication::activePopupWidget())
        return nullptr;
    const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->window() == window && button->isVisible() && button->isEnabled()
            && QKeySequence::mnemonic(button->text()) == chord)
            return button;
    }
    return nullptr;
}

bool KeyboardRules::isRepeat(const QKeyEvent *key) const
{
    // The X server repeats a held key as a release and a press at the same millisecond. Qt tells
    // them apart from a real release only when the press is already queued behind the release;
    // when it is not, the repeat comes as a release and a new press.
    return key->isAutoRepeat()
        || (key->timestamp() != 0 && key->timestamp() == m_releasedAt && key->nativeScanCode() == m_releasedScanCode);
}

bool KeyboardRules::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        m_releasedAt = key->timestamp();
        m_releasedScanCode = key->nativeScanCode();
        break;
    }
    case QEvent::ShortcutOverride: {
        auto *key = static_cast<QKeyEvent *>(event);
        m_keyRepeats = isRepeat(key);
        // Claiming the chord here keeps it from the shortcut map, so the key press arrives below,
        // or at the open menu.
        if (buttonForAccessKey(key) || openMenuHasEntryFor(key)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Shortcut: {
        // Held down, an access key that the shortcut map hands to a button presses once as well: its
        // repeats would press the button again, or the button of the window the first press opened
        // (the file dialog's Save, with a name the user never gave).
        if (m_keyRepeats && qobject_cast<QAbstractButton *>(watched))
            return true;
        // On a layout without Latin letters (Russian, Greek) the key press carries a letter of its
        // own, and the shortcut map finds the chord through the Latin layout beside it: the button
        // and the menu-bar entry both, so it calls the chord ambiguous and runs neither.
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (!shortcut->isAmbiguous())
            break;
        if (QPushButton *button = buttonForChord(shortcut->key())) {
            if (!m_keyRepeats) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (QPushButton *button = buttonForAccessKey(key)) {
            // Held down, it presses once, as Enter does; its repeats would print a reading again
            // and again.
            if (!isRepeat(key)) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return true;
        }
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && button->hasFocus() && button->isEnabled() && platform::isPlainEnter(key)) {
            // A held key presses once, as Space does; its repeats would press again and again,
            // or press the button of the window the first press opened.
            if (!isRepeat(key))
                button->click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool platform::isPlainEnter(const QKeyEvent *key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
        && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}
