"""Exporting the Comprehensive reading as a PDF file through the File menu, with the
keyboard, and the real save dialog."""

import os
import subprocess
import unicodedata
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE
from tovrin_main import Couple, Partner

EXPORT_TITLE = "Export as PDF"
COUPLE = Couple(Partner("John", "www.example.org", "Smith", "March", "5", "1970"),
                Partner("Ann", "", "Lee", "July", "12", "1972"))


def pdf_words(path):
    """The words of the file as pdftotext reads them; a ligature ("ff" set as one glyph)
    counts as its letters."""
    text = subprocess.run(["pdftotext", path, "-"], check=True, capture_output=True,
                          text=True).stdout
    return unicodedata.normalize("NFKC", text).split()


def pdf_links(path):
    lines = subprocess.run(["pdfinfo", "-url", path], check=True, capture_output=True,
                           text=True).stdout.splitlines()[1:]
    return [line.split()[2] for line in lines]


class ExportTest(e2e.TovrinTestCase):

    def export_with_keyboard(self, app, main_wid):
        """Alt+F, then P: "Export Comprehensive Reading as &PDF..."; returns the dialog's
        file name box once it has the focus."""
        e2e.activate(main_wid)
        e2e.key("alt+f")
        e2e.find(app, "menu item", "Export Comprehensive Reading as PDF...")
        e2e.key("p")
        dialog = e2e.find(app, "dialog", EXPORT_TITLE)
        box = e2e.find(dialog, "text", "File name:")
        e2e.wait_until(lambda: e2e.is_focused(box), what="focus in the file name box")
        return dialog, box

    def test_file_menu_export_writes_the_reading_with_its_links(self):
        program, main_wid, app = main.start_main_window(self)
        e2e.activate(main_wid)
        main.type_couple(app, COUPLE)

        dialog, box = self.export_with_keyboard(app, main_wid)
        self.assertEqual(e2e.text(box), "John and Ann.pdf", "the suggested file name")
        path = os.path.join(os.environ["HOME"], "shared reading.pdf")
        e2e.key("ctrl+a")
        e2e.type_text(path)
        e2e.wait_until(lambda: e2e.text(box) == path, what="the typed path in the file name box")
        e2e.key("Return")
        e2e.wait_gone(app, "dialog", EXPORT_TITLE)
        e2e.wait_until(lambda: os.path.exists(path), what="the exported file")
        self.assertEqual(main.couple_inputs(app), COUPLE, "exporting changes no input")
        self.assertEqual(e2e.visible_windows(MAIN_TITLE, pid=program.pid), [main_wid],
                         "exporting shows no reading window")

        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertEqual(pdf_words(path), reading.split())
        self.assertEqual(pdf_links(path), ["http://www.example.org"])
        e2e.key("Escape", window=doc_wid)
        e2e.wait_for_window_gone(doc_wid)

        # Exporting again to the same file asks before replacing it; No keeps the file.
        before = os.path.getmtime(path)
        dialog, box = self.export_with_keyboard(app, main_wid)
        e2e.key("ctrl+a")
        e2e.type_text(path)
        e2e.wait_until(lambda: e2e.text(box) == path, what="the typed path in the file name box")
        e2e.key("Return")
        question = e2e.wait_until(lambda: (e2e.find_all(app, "alert") or [None])[0],
                                  what="the question whether to replace the file")
        self.assertIn("already exists", e2e.message_text(question))
        e2e.key("Escape")
        # The second Escape goes to the dialog only once the question has gone and the file
        # name box has its focus back; sent sooner, a busy machine drops it.
        e2e.wait_gone(app, "alert")
        e2e.wait_until(lambda: e2e.is_focused(box), what="the focus back in the file name box")
        e2e.key("Escape")
        e2e.wait_gone(app, "dialog", EXPORT_TITLE)
        self.assertEqual(os.path.getmtime(path), before)


if __name__ == "__main__":
    unittest.main(verbosity=2)
