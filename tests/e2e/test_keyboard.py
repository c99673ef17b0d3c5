"""Keyboard-only use on a real desktop, and what a screen reader hears of the input fields."""

import os
import subprocess
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
import tovrin_print as printing
from tovrin_e2e import MAIN_TITLE
from tovrin_main import Couple, Partner

COUPLE = Couple(Partner("Liam", "Noah", "Berg", "October", "3", "1988"),
                Partner("Ida", "", "Falk", "April", "30", "1991"))


class KeyboardTest(e2e.TovrinTestCase):

    def press_focused(self, app, button):
        """Waits until the named button has the focus and presses Enter on it."""
        target = e2e.find(app, "push button", button)
        e2e.wait_until(lambda: e2e.is_focused(target), what="focus on %r" % button)
        e2e.key("Return")

    def leave_with(self, keys, main_wid, wid):
        """Presses keys that close the window `wid` once it has the keyboard; waits until the
        main window is in front again and has the keyboard back."""
        e2e.wait_for_keyboard(wid)
        e2e.key(keys)
        e2e.wait_for_window_gone(wid)
        e2e.wait_for_keyboard(main_wid)

    def test_details_readings_save_print_and_open_without_a_mouse(self):
        program, main_wid, app = main.start_main_window(self)
        e2e.activate(main_wid)
        main.type_couple(app, COUPLE)  # starts in the male first name box, where focus starts

        # Comprehensive Reading follows the female year list in the tab order.
        e2e.key("Tab")
        self.press_focused(app, "Comprehensive Reading")
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(main.partner_block("Male Information", COUPLE.male)),
                        reading)

        path = os.path.join(os.environ["HOME"], "Liam and Ida")
        e2e.wait_for_keyboard(doc_wid)
        e2e.key("alt+s")
        main.enter_file_name(app, main.SAVE_TITLE, path)
        self.assertTrue(os.path.isfile(path + ".kvl"))
        e2e.wait_for_keyboard(doc_wid)  # back from the save dialog

        if printing.unreadable_reason() is None:
            before = printing.pdf_files()
            e2e.key("alt+p")
            printed, _ = e2e.wait_until(lambda: printing.new_pdf_with(before, "Falk"), timeout=60,
                                        what="the printed reading")
            os.remove(printed)

        self.leave_with("alt+b", main_wid, doc_wid)

        # Each reading button is captioned like the window it opens.
        for caption in ("Destiny Compatibility", "LifePath Compatibility"):
            e2e.key("Tab")
            self.press_focused(app, caption)
            self.leave_with("Escape", main_wid, program.window(caption))

        # Alt+O is the main window's "&Open Previously Saved Reading", not "Make Money &Online".
        e2e.key("alt+o")
        main.enter_file_name(app, main.OPEN_TITLE, path + ".kvl")
        doc_wid, _, reopened = main.shown_document(program, app, main_wid)
        self.assertEqual(reopened, reading)
        self.leave_with("Escape", main_wid, doc_wid)
        self.assertEqual(main.couple_inputs(app), COUPLE)

        e2e.key("alt+h")
        e2e.find(app, "menu item", "About Software")
        e2e.key("a")
        self.leave_with("Escape", main_wid, program.window(MAIN_TITLE, exclude=(main_wid,)))
        self.assertEqual(e2e.opened_urls(), [], "no key press opened a web page")

    def test_access_key_on_a_layout_without_latin_letters(self):
        """With a Russian layout in use beside a Latin one, the O key gives a Cyrillic letter;
        Alt with it is still "&Open Previously Saved Reading", as Qt's menus take it."""
        program, main_wid, app = main.start_main_window(self)
        subprocess.run(["setxkbmap", "-layout", "ru,us"], check=True)
        # The X server's own layout again for the tests after this one, when a script runs whole.
        self.addCleanup(subprocess.run, ["setxkbmap", "-layout", "us"], check=True)
        e2e.activate(main_wid)
        e2e.key("alt+Cyrillic_shcha")
        self.leave_with("Escape", main_wid, program.window(main.OPEN_TITLE))
        self.assertEqual(e2e.opened_urls(), [], "the menu's Make Money Online was not run")

    def test_name_boxes_and_month_lists_are_announced_with_their_labels(self):
        _, _, app = main.start_main_window(self)
        for sex in ("Male", "Female"):
            for label, box in zip(main.NAME_LABELS, main.name_boxes(app, sex)):
                self.assertEqual(e2e.name(box), label)
                self.assertIn(label, e2e.labelled_by(box))
            month = main.date_lists(app, sex)[0]
            self.assertIn("Date of Birth", e2e.labelled_by(month), "%s month list" % sex)

    # On Linux, Qt announces a combo box by its current entry, whatever accessible name the
    # program gives it; a screen reader learns what the list is for only from its labelled-by
    # relations and its description. The label "Date of Birth" is the buddy of the month list
    # only, so the day and year lists must say so in their description.
    def test_day_and_year_lists_are_announced_as_date_of_birth(self):
        _, _, app = main.start_main_window(self)
        for sex in ("Male", "Female"):
            for part, combo in zip(("day", "year"), main.date_lists(app, sex)[1:]):
                announced = e2e.labelled_by(combo) + [e2e.description(combo)]
                self.assertTrue(any("Date of Birth" in text for text in announced),
                                "%s %s list: labelled by %r, described as %r"
                                % (sex, part, e2e.labelled_by(combo), e2e.description(combo)))


if __name__ == "__main__":
    unittest.main(verbosity=2)
