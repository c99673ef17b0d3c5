"""File > Show the Working with the keyboard alone: the input checked as the Comprehensive
reading checks it, then the working in a window of its own, whose text a keyboard user can
select and copy, and which Escape or its Close button takes away."""

import unittest

import tovrin_e2e as e2e
import tovrin_main as main

TITLE = "How the Numbers Were Found"
NAMES = {"Male": ("John", "Paul", "Smith"), "Female": ("Zoë", "", "Jones")}
OTHER_CLIPBOARD = "copied in another program"


class WorkingTest(e2e.TovrinTestCase):

    def show_working(self, app, main_wid):
        """Alt+F, then W: "Show the &Working"."""
        e2e.activate(main_wid)
        e2e.key("alt+f")
        e2e.find(app, "menu item", "Show the Working")
        e2e.key("w")

    def test_file_menu_shows_the_working_which_copies_and_closes(self):
        program, main_wid, app = main.start_main_window(self)

        # Blank names: the Comprehensive reading's first message, and the focus in the field.
        self.show_working(app, main_wid)
        box = e2e.message_box(app)
        self.assertEqual(e2e.message_text(box), "Male: First Name cannot be blank")
        e2e.answer(box, "Return")
        first_name = main.name_boxes(app, "Male")[0]
        e2e.wait_until(lambda: e2e.is_focused(first_name), what="focus in the male first name")
        self.assertEqual(program.windows(), [(main_wid, e2e.MAIN_TITLE)])

        # Non-ASCII names go in through the accessibility bus, which is certain; the rest is keys.
        for sex, names in NAMES.items():
            for name_box, value in zip(main.name_boxes(app, sex), names):
                e2e.set_text(name_box, value)
        self.show_working(app, main_wid)
        wid = program.window(TITLE)
        working = e2e.find(e2e.find(app, "dialog", TITLE), "text", "The working")
        e2e.wait_until(lambda: e2e.is_focused(working), what="focus in the working")
        text = e2e.text(working)
        for line in ("Male: John Paul Smith\n",
                     "Smith: S = 1, m = 4, i = 9, t = 2, h = 8; together 24\n",
                     "Reduction: 58 → 5 + 8 = 13 → 1 + 3 = 4\nDestiny number: 4\n",
                     "Zoë: Z = 8, o = 6, ë → E = 5; together 19\n",
                     "Reduction: 1902 → 1 + 9 + 0 + 2 = 12 → 1 + 2 = 3\nLifePath number: 3\n",
                     "LifePath combination 3 + 3, key 33: "):
            self.assertIn(line, text)
        self.screenshot("working", wid)

        # Unlike a reading, the working copies: Ctrl+A, Ctrl+C.
        self.hold_selection("clipboard", OTHER_CLIPBOARD)
        e2e.key("ctrl+a", "ctrl+c")
        e2e.wait_until(lambda: e2e.selection_text("clipboard") == text,
                       what="the working on the clipboard")

        e2e.key("Escape")
        e2e.wait_for_window_gone(wid)
        e2e.wait_until(lambda: e2e.active_window() == main_wid, what="the main window in front")

        # Tab leads from the text to Close, and Enter presses it.
        self.show_working(app, main_wid)
        wid = program.window(TITLE)
        close = e2e.find(e2e.find(app, "dialog", TITLE), "push button", "Close")
        e2e.key("Tab")
        e2e.wait_until(lambda: e2e.is_focused(close), what="focus on Close")
        e2e.key("Return")
        e2e.wait_for_window_gone(wid)
        e2e.wait_until(lambda: e2e.active_window() == main_wid, what="the main window in front")
        self.assertEqual([e2e.text(b) for b in main.name_boxes(app, "Female")], list(NAMES["Female"]))


if __name__ == "__main__":
    unittest.main(verbosity=2)
