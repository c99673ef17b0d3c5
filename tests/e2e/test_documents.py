"""Saving a reading through the real save dialog, opening it again through the real open
dialog, and printing it on the print server's default printer."""

import os
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
import tovrin_print as printing
from tovrin_main import Couple, Partner

# Each character of a saved detail is stored this many code points further on.
SCRAMBLE_OFFSET = 37

SAVED = Couple(Partner("John", "Paul", "Smith", "March", "5", "1970"),
               Partner("Ann", "", "Lee", "July", "12", "1972"))
OTHER = Couple(Partner("Max", "", "Moor", "May", "9", "1999"),
               Partner("Eve", "Lyn", "Hart", "June", "20", "2001"))


class DocumentsTest(e2e.TovrinTestCase):

    def test_save_through_the_dialog_then_open_gives_back_inputs_and_reading(self):
        program, main_wid, app = main.start_main_window(self)
        e2e.activate(main_wid)
        main.type_couple(app, SAVED)
        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        doc_wid, window, reading = main.shown_document(program, app, main_wid)

        # A name typed without extension gets ".kvl".
        folder = os.path.join(os.environ["HOME"], "readings")
        os.makedirs(folder)
        e2e.click(e2e.find(window, "push button", "Save"))
        main.enter_file_name(app, main.SAVE_TITLE, os.path.join(folder, "John and Ann"))
        self.assertEqual(os.listdir(folder), ["John and Ann.kvl"])
        with open(os.path.join(folder, "John and Ann.kvl"), "rb") as saved:
            data = saved.read()
        lines = data.split(b"\r\n")
        self.assertEqual(lines.pop(), b"", "the last line ends with CR LF")
        self.assertEqual(len(lines), 12)
        self.assertFalse(any(b"\r" in line or b"\n" in line for line in lines), data)
        details = ["".join(chr(ord(c) - SCRAMBLE_OFFSET) for c in line.decode("utf-8"))
                   for line in lines]
        self.assertEqual(details, [*SAVED.male[:3], *SAVED.female[:3],
                                   *SAVED.male[3:], *SAVED.female[3:]])
        self.assertTrue(e2e.window_visible(doc_wid), "the document window stays after Save")
        self.assertEqual(e2e.text(e2e.find(window, "text")), reading)

        e2e.click(e2e.find(window, "push button", "Back"))
        e2e.wait_for_window_gone(doc_wid)
        e2e.grab_focus(main.name_boxes(app, "Male")[0])
        main.type_couple(app, OTHER)

        # Alt+O presses "&Open Previously Saved Reading".
        e2e.key("alt+o", window=main_wid)
        main.enter_file_name(app, main.OPEN_TITLE, os.path.join(folder, "John and Ann.kvl"))
        _, _, reopened = main.shown_document(program, app, main_wid)
        self.assertEqual(reopened, reading)
        self.assertEqual(main.couple_inputs(app), SAVED)

    def test_print_sends_the_whole_reading_to_the_default_printer(self):
        reason = printing.unreadable_reason()
        if reason:
            self.skipTest(reason)
        program, main_wid, app = main.start_main_window(self)
        for sex, names in (("Male", ("Oskar", "", "Lindqvist")),
                           ("Female", ("Greta", "Maj", "Holmberg"))):
            for box, value in zip(main.name_boxes(app, sex), names):
                e2e.set_text(box, value)
        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        _, window, reading = main.shown_document(program, app, main_wid)

        before = printing.pdf_files()
        e2e.click(e2e.find(window, "push button", "Print"))

        def printed():
            boxes = e2e.find_all(app, "alert")
            if boxes:
                self.fail("printing failed: %s" % e2e.message_text(boxes[0]))
            return printing.new_pdf_with(before, "Lindqvist")
        path, text = e2e.wait_until(printed, timeout=60, what="the printed reading in %s"
                                    % printing.pdf_printer_folders())
        try:
            self.assertIn(printing.words(reading), printing.words(text))
        finally:
            os.remove(path)


if __name__ == "__main__":
    unittest.main(verbosity=2)
