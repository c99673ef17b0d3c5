#pragma once

#include <QObject>

class QKeyEvent;
class QKeySequence;
class QPushButton;

// Keyboard rules that hold in every window of the program:
// - Enter and Return press the focused button, once however long the key is held, as Space does.
//   Qt leaves Enter to dialogs' default buttons only, so without this a keyboard user could not
//   press Enter on the main window's buttons.
// - Alt with a button's access key presses that button even when a menu-bar entry has the same
//   access key (the main window's "&Open Previously Saved Reading" and "Make Money &Online"); Qt
//   would run neither. The menu entry stays reachable by tapping Alt, then its letter (which
//   only picks it out, as for every menu-bar entry without a menu), then Enter.
//   Held down, it presses once, as Enter does; so does every access key of a button. The same
//   holds on a layout without Latin letters, through the Latin layout beside it, as for Qt's own
//   access keys. While a menu is open, Alt with the letter of one of its entries is that entry:
//   Alt+H, then O with Alt still held, is "&Online help".
class KeyboardRules final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Installs one filter on the application.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QPushButton *buttonForAccessKey(const QKeyEvent *key);
    // The button of the active window whose access key is chord (Alt and a letter), if any; none
    // while a popup (a menu, a list) is open.
    static QPushButton *buttonForChord(const QKeySequence &chord);
    // An open menu has an entry for Alt with this letter. The menu takes the key, as it takes the
    // letter alone; the shortcut map would give it to the window behind the menu instead.
    static bool openMenuHasEntryFor(const QKeyEvent *key);

    // The key is a repeat of a key held down.
    bool isRepeat(const QKeyEvent *key) const;

    bool m_keyRepeats = false; // the key now pressed is held down
    quint64 m_releasedAt = 0; // when a key was last released, and which
    quint32 m_releasedScanCode = 0;
};

namespace platform {

// Return, or Enter on the keypad, with no modifier held: the key that presses a button or follows
// a link. (Keypad keys come with the keypad modifier.)
bool isPlainEnter(const QKeyEvent *key);

} // namespace platform
