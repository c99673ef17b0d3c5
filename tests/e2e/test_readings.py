"""The three readings on a real desktop: details typed and dates chosen with the keyboard,
each reading opened in its window and left with Back, for two couples one after the other."""

import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE
from tovrin_main import Couple, Partner

# LifePath 15 + 3 + 1985 = 2003 -> 5 and 1 + 1 + 1990 = 1992 -> 21 -> 3;
# Destiny JOHNPAULSMITH 58 -> 13 -> 4 and MARYJONES 39 -> 12 -> 3.
FIRST = Couple(Partner("John", "Paul", "Smith", "March", "15", "1985"),
               Partner("Mary", "", "Jones", "January", "1", "1990"))
FIRST_LIFEPATH = "5 + 3"
FIRST_DESTINY = "4 + 3"
FIRST_LIFEPATH_PARAGRAPH = "This is a partnership built on passion and"
FIRST_DESTINY_PARAGRAPH = "This relationship will take its toll on the"

# LifePath 29 + 2 + 2000 = 2031 -> 6 and 31 + 12 + 2050 = 2093 -> 14 -> 5;
# Destiny PETERBROWN 55 -> 10 -> 1 and ANNMARIELEE 52 -> 7.
SECOND = Couple(Partner("Peter", "", "Brown", "February", "29", "2000"),
                Partner("Ann", "Marie", "Lee", "December", "31", "2050"))
SECOND_LIFEPATH = "6 + 5"
SECOND_DESTINY = "1 + 7"


class ReadingsTest(e2e.TovrinTestCase):

    def open_reading(self, program, app, button, caption):
        """Clicks a reading button; returns the reading window's id and its shown text."""
        e2e.click(e2e.find(app, "push button", button))
        wid = program.window(caption)
        window = e2e.find(app, "dialog", caption)
        return wid, window, e2e.text(e2e.find(window, "text"))

    def back_to_main(self, app, main_wid, wid, window, typed):
        """Leaves a reading window with Back: it goes, the main window is in front again
        and still holds what was typed."""
        e2e.click(e2e.find(window, "push button", "Back"))
        e2e.wait_for_window_gone(wid)
        e2e.wait_until(lambda: e2e.active_window() == main_wid,
                       what="the main window in front again")
        self.assertEqual(main.couple_inputs(app), typed)

    def check_single_reading(self, program, app, main_wid, typed, kind, pair, paragraph):
        caption = kind + " Compatibility"
        wid, window, shown = self.open_reading(program, app, caption, caption)
        self.assertEqual(e2e.window_name(wid), caption)
        heading, _, rest = shown.partition("\n\n")
        self.assertEqual(heading, "%s Compatibility Combination: %s" % (kind, pair))
        self.assertTrue(rest.startswith(paragraph), rest)
        self.back_to_main(app, main_wid, wid, window, typed)

    def check_comprehensive_reading(self, program, app, main_wid, typed, lifepath, destiny):
        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        window = e2e.find(app, "dialog", MAIN_TITLE)
        shown = e2e.text(e2e.find(window, "text"))
        self.assertTrue(shown.startswith(main.partner_block("Male Information", typed.male)
                                         + main.partner_block("Female Information",
                                                              typed.female)), shown)
        self.assertIn("\nLifePath Compatibility Number Combination is %s\n\n" % lifepath, shown)
        self.assertIn("\nDestiny Compatibility Combination is %s\n\n" % destiny, shown)
        self.back_to_main(app, main_wid, wid, window, typed)

    def test_two_couples_typed_with_the_keyboard_through_every_reading_and_back(self):
        program, main_wid, app = main.start_main_window(self)
        e2e.activate(main_wid)
        for couple, lifepath, destiny, paragraphs in (
                (FIRST, FIRST_LIFEPATH, FIRST_DESTINY,
                 (FIRST_LIFEPATH_PARAGRAPH, FIRST_DESTINY_PARAGRAPH)),
                (SECOND, SECOND_LIFEPATH, SECOND_DESTINY, ("", ""))):
            # The second couple replaces the first one's details.
            e2e.grab_focus(main.name_boxes(app, "Male")[0])
            main.type_couple(app, couple)
            self.assertEqual(main.couple_inputs(app), couple)

            self.check_single_reading(program, app, main_wid, couple, "LifePath", lifepath,
                                      paragraphs[0])
            self.check_single_reading(program, app, main_wid, couple, "Destiny", destiny,
                                      paragraphs[1])
            self.check_comprehensive_reading(program, app, main_wid, couple, lifepath, destiny)
        self.assertTrue(program.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
