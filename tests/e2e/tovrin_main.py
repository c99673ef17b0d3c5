"""Tovrin's windows as the end-to-end tests see them: the main window with the two
partners' fields (entering a couple's details with the keyboard, reading the inputs back),
the document window and the save and open dialogs.

The two partners' frames are panels named "Male" and "Female" holding text boxes named by
their labels ("* First Name", "Middle Name", "* Last Name") and three date lists in the
order month, day, year (on Linux a list's accessible name is its current entry).
"""

import collections

import tovrin_e2e as e2e
from tovrin_e2e import MAIN_TITLE

NAME_LABELS = ("* First Name", "Middle Name", "* Last Name")
SAVE_TITLE = "Save Your Numerology Compatibility Result ...."
OPEN_TITLE = "Select the source file"

Partner = collections.namedtuple("Partner", "first middle last month day year")
Couple = collections.namedtuple("Couple", "male female")


def main_window(program):
    """Waits for the main window and returns its id. A reading shown at start-up (a file on
    the command line) has the same title; it belongs to the main window, which belongs to none."""
    def found():
        owners = [wid for wid in e2e.visible_windows(MAIN_TITLE, pid=program.pid) if e2e.transient_for(wid) is None]
        return owners[0] if owners else None
    return e2e.wait_until(found, what="the main window of process %d" % program.pid)


def start_main_window(test):
    """Starts tovrin from a TovrinTestCase and waits for its main window and its fields;
    returns (program, main window id, application)."""
    program = test.start()
    wid = program.window(MAIN_TITLE)
    app = program.application()
    e2e.find(app, "panel", "Female")
    return program, wid, app


def panel(app, sex):
    """The frame of one partner: sex is "Male" or "Female"."""
    return e2e.find(app, "panel", sex)


def name_boxes(app, sex):
    """The partner's first, middle and last name boxes."""
    frame = panel(app, sex)
    return [e2e.find(frame, "text", label) for label in NAME_LABELS]


def date_lists(app, sex):
    """The partner's month, day and year lists, in that order."""
    lists = e2e.find_all(panel(app, sex), "combo box")
    if len(lists) != 3:
        raise AssertionError("the %s frame has %d date lists, not 3" % (sex, len(lists)))
    return lists


def inputs(app, sex):
    """What the partner's fields hold, as a Partner."""
    first, middle, last = (e2e.text(box) for box in name_boxes(app, sex))
    month, day, year = (e2e.name(box) for box in date_lists(app, sex))
    return Partner(first, middle, last, month, day, year)


def couple_inputs(app):
    return Couple(inputs(app, "Male"), inputs(app, "Female"))


def choose_by_keyboard(combo, item):
    """Chooses an entry of the focused, closed combo box with the keyboard alone: types
    the entry's text (the list jumps to the first entry starting with what was typed),
    then moves with the arrow keys from wherever that led to the entry itself. Typing
    alone is not enough: typing "1" where "1" is chosen moves on to "10"."""
    items = e2e.combo_items(combo)
    if item not in items:
        raise AssertionError("%r is not an entry of the list %r" % (item, items))
    e2e.type_text(item)
    current = e2e.name(combo)
    if current != item:
        steps = items.index(item) - items.index(current)
        e2e.key(*(["Down"] * steps if steps > 0 else ["Up"] * -steps))
    e2e.wait_until(lambda: e2e.name(combo) == item, what="the list showing %r" % item)


def tab_to(obj):
    """Presses Tab once and waits until `obj` has the keyboard focus."""
    e2e.key("Tab")
    e2e.wait_until(lambda: e2e.is_focused(obj),
                   what="focus in %s %r after Tab" % (e2e.role(obj), e2e.name(obj)))


def type_partner(app, sex, partner):
    """Types one partner's details with the keyboard, starting with the focus in the
    partner's first name box and ending with it in the year list: each name replaces what
    its box held (Tab into a box selects its text), Tab leads on to the next field."""
    boxes = name_boxes(app, sex)
    lists = date_lists(app, sex)
    e2e.wait_until(lambda: e2e.is_focused(boxes[0]), what="focus in the %s first name" % sex)
    e2e.key("ctrl+a")
    for i, (box, value) in enumerate(zip(boxes, partner[:3])):
        if i > 0:
            tab_to(box)
        if value:
            e2e.type_text(value)
        else:
            e2e.key("BackSpace")
        e2e.wait_until(lambda: e2e.text(box) == value,
                       what="%r in the %s %s box" % (value, sex, NAME_LABELS[i]))
    for combo, value in zip(lists, partner[3:]):
        tab_to(combo)
        choose_by_keyboard(combo, value)


def type_couple(app, couple):
    """Types both partners' details with the keyboard, from the male first name box (which
    must have the focus) through Tab to the female year list."""
    type_partner(app, "Male", couple.male)
    tab_to(name_boxes(app, "Female")[0])
    type_partner(app, "Female", couple.female)


def full_name(partner):
    """The name as the readings show it: first, middle and last joined by single blanks
    (so two blanks stand for an empty middle name)."""
    return "%s %s %s" % (partner.first, partner.middle, partner.last)


def partner_block(title, partner):
    """A partner's block at the top of the Comprehensive reading, as read through the
    accessibility bus (line breaks as "\\n")."""
    return "%s\nName: %s\nDate of Birth: %s %s, %s\n\n" % (
        title, full_name(partner), partner.month, partner.day, partner.year)


def shown_document(program, app, main_wid):
    """Waits for the document window (the second window titled like the main window);
    returns its window id, its accessible object and the text it shows."""
    wid = program.window(MAIN_TITLE, exclude=(main_wid,))
    window = e2e.find(app, "dialog", MAIN_TITLE)
    return wid, window, e2e.text(e2e.find(window, "text"))


def enter_file_name(app, title, path):
    """Types a path into the file name box of the program's file dialog with this title
    (Qt's own dialog, whose file name box has the focus) and presses Enter; waits until
    the dialog is gone."""
    dialog = e2e.find(app, "dialog", title)
    box = e2e.find(dialog, "text", "File name:")
    e2e.wait_until(lambda: e2e.is_focused(box), what="focus in the file name box")
    e2e.type_text(path)
    e2e.wait_until(lambda: e2e.text(box) == path, what="the typed path in the file name box")
    e2e.key("Return")
    e2e.wait_gone(app, "dialog", title)
