"""Names no one expects, pasted into the real program: every reading still comes quickly
and the program keeps working."""

import re
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE

NAMES = {
    "Male": ("Abcdefghij" * 1000,                       # 10,000 characters
             "!?.,;:'\"()-_/\\&*",                      # punctuation only
             "Zoe\u0308\u0301 \u0301\u0302\u0303"),     # combining marks, some on nothing
    "Female": ("\u05e9\u05e8\u05d4 \u0645\u0631\u064a\u0645",  # Hebrew and Arabic
               "\U0001d504\U0001d52b\U0001d52b\U0001d51e \U0001f600",  # outside the BMP
               "...---..."),
}
# A reading that does not come within this many seconds counts as hanging.
READING_SECONDS = 5
# The numbers a reading can give: 1 to 9 or 11, and 0 for names without a letter A to Z.
NUMBERS = {str(n) for n in range(0, 10)} | {"11"}


class HostileInputTest(e2e.TovrinTestCase):

    def test_long_punctuation_combining_right_to_left_and_non_bmp_names_every_reading(self):
        program, main_wid, app = main.start_main_window(self)
        for sex, names in NAMES.items():
            for box, value in zip(main.name_boxes(app, sex), names):
                e2e.set_text(box, value)
                self.assertEqual(e2e.text(box), value)
        typed = main.couple_inputs(app)

        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        wid = program.window(MAIN_TITLE, exclude=(main_wid,), timeout=READING_SECONDS)
        window = e2e.find(app, "dialog", MAIN_TITLE)
        shown = e2e.text(e2e.find(window, "text"))
        self.assertTrue(shown.startswith(main.partner_block("Male Information", typed.male)
                                         + main.partner_block("Female Information",
                                                              typed.female)),
                        shown[:200])
        numbers = re.findall(r"(?:LifePath Compatibility Number|Destiny Compatibility) "
                             r"Combination is (\d+) \+ (\d+)\n", shown)
        self.assertEqual(len(numbers), 2, shown[-2000:])
        self.assertTrue(set(sum(numbers, ())) <= NUMBERS, numbers)
        e2e.click(e2e.find(window, "push button", "Back"))
        e2e.wait_for_window_gone(wid)

        for caption in ("Destiny Compatibility", "LifePath Compatibility"):
            e2e.click(e2e.find(app, "push button", caption))
            wid = program.window(caption, timeout=READING_SECONDS)
            window = e2e.find(app, "dialog", caption)
            heading = e2e.text(e2e.find(window, "text")).partition("\n")[0]
            match = re.fullmatch(caption + r" Combination: (\d+) \+ (\d+)", heading)
            self.assertTrue(match and set(match.groups()) <= NUMBERS, heading)
            e2e.click(e2e.find(window, "push button", "Back"))
            e2e.wait_for_window_gone(wid)

        self.assertTrue(program.running())
        self.assertEqual(main.couple_inputs(app), typed)
        # Still answering input: a name typed now arrives.
        box = main.name_boxes(app, "Male")[0]
        e2e.grab_focus(box)
        e2e.key("ctrl+a")
        e2e.type_text("Ann")
        e2e.wait_until(lambda: e2e.text(box) == "Ann", what="the typed name")


if __name__ == "__main__":
    unittest.main(verbosity=2)
