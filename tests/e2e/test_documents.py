"""Saving a reading through the real save dialog, opening it again through the real open
dialog, and printing it on the print server's default printer."""

import os
import pwd
import re
import subprocess
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE
from tovrin_main import Couple, Partner

SAVE_TITLE = "Save Your Numerology Compatibility Result ...."
OPEN_TITLE = "Select the source file"
# Each character of a saved detail is stored this many code points further on.
SCRAMBLE_OFFSET = 37

SAVED = Couple(Partner("John", "Paul", "Smith", "March", "5", "1970"),
               Partner("Ann", "", "Lee", "July", "12", "1972"))
OTHER = Couple(Partner("Max", "", "Moor", "May", "9", "1999"),
               Partner("Eve", "Lyn", "Hart", "June", "20", "2001"))


def enter_file_name(app, title, path):
    """Types a path into the file name box of the program's file dialog with this title
    and presses Enter; waits until the dialog is gone."""
    dialog = e2e.find(app, "dialog", title)
    box = e2e.find(dialog, "text", "File name:")
    e2e.wait_until(lambda: e2e.is_focused(box), what="focus in the file name box")
    e2e.type_text(path)
    e2e.wait_until(lambda: e2e.text(box) == path, what="the typed path in the file name box")
    e2e.key("Return")
    e2e.wait_gone(app, "dialog", title)


def shown_document(program, app, main_wid):
    """Waits for the document window; returns its window id, accessible and shown text."""
    wid = program.window(MAIN_TITLE, exclude=(main_wid,))
    window = e2e.find(app, "dialog", MAIN_TITLE)
    return wid, window, e2e.text(e2e.find(window, "text"))


def pdf_printer_folders():
    """Where the PDF printer (cups-pdf) puts what this user prints: its "Out" folder, with
    ${HOME} and ${USER} those of the user as the system knows them (the print server does
    not see the tests' private HOME), and the folder for anonymous jobs."""
    out = "/var/spool/cups-pdf/${USER}"
    try:
        with open("/etc/cups/cups-pdf.conf", encoding="utf-8") as config:
            for line in config:
                match = re.match(r"Out\s+(\S.*)$", line.strip())
                if match:
                    out = match.group(1).strip()
    except OSError:
        pass
    user = pwd.getpwuid(os.getuid())
    out = out.replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)
    return [out, "/var/spool/cups-pdf/ANONYMOUS"]


def pdf_files(folders):
    return {os.path.join(folder, name) for folder in folders if os.path.isdir(folder)
            for name in os.listdir(folder) if name.endswith(".pdf")}


def pdf_text(path):
    """The text of a PDF file (pdftotext), or None while it cannot be read (still being
    written)."""
    result = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True)
    return result.stdout if result.returncode == 0 and result.stdout.strip() else None


def words(text):
    return " ".join(text.split())


def default_printer():
    """The print server's default printer, or None (no server, or no default)."""
    try:
        result = subprocess.run(["lpstat", "-d"], capture_output=True, text=True, timeout=10)
    except (OSError, subprocess.TimeoutExpired):
        return None
    match = re.search(r"system default destination: (\S+)", result.stdout)
    return match.group(1) if match else None


class DocumentsTest(e2e.TovrinTestCase):

    def test_save_through_the_dialog_then_open_gives_back_inputs_and_reading(self):
        program, main_wid, app = main.start_main_window(self)
        e2e.activate(main_wid)
        main.type_couple(app, SAVED)
        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        doc_wid, window, reading = shown_document(program, app, main_wid)

        # A name typed without extension gets ".kvl".
        folder = os.path.join(os.environ["HOME"], "readings")
        os.makedirs(folder)
        e2e.click(e2e.find(window, "push button", "Save"))
        enter_file_name(app, SAVE_TITLE, os.path.join(folder, "John and Ann"))
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
        enter_file_name(app, OPEN_TITLE, os.path.join(folder, "John and Ann.kvl"))
        _, _, reopened = shown_document(program, app, main_wid)
        self.assertEqual(reopened, reading)
        self.assertEqual(main.couple_inputs(app), SAVED)

    def test_print_sends_the_whole_reading_to_the_default_printer(self):
        printer = default_printer()
        if printer is None:
            self.skipTest("the print server has no default printer "
                          "(scripts/start-print-server.sh sets up a PDF queue as default)")
        folders = pdf_printer_folders()
        if os.path.exists(folders[0]) and not os.access(folders[0], os.R_OK | os.X_OK):
            self.skipTest("the PDF printer's output folder %s cannot be read back here"
                          % folders[0])

        program, main_wid, app = main.start_main_window(self)
        for sex, names in (("Male", ("Oskar", "", "Lindqvist")),
                           ("Female", ("Greta", "Maj", "Holmberg"))):
            for box, value in zip(main.name_boxes(app, sex), names):
                e2e.set_text(box, value)
        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        _, window, reading = shown_document(program, app, main_wid)

        before = pdf_files(folders)
        e2e.click(e2e.find(window, "push button", "Print"))

        def printed():
            for path in pdf_files(folders) - before:
                text = pdf_text(path)
                if text and "Lindqvist" in text:
                    return path, text
            boxes = e2e.find_all(app, "alert")
            if boxes:
                self.fail("printing failed: %s" % e2e.message_text(boxes[0]))
            return None
        path, text = e2e.wait_until(printed, timeout=60,
                                    what="the printed reading from the printer %s in %s"
                                    % (printer, folders))
        try:
            self.assertIn(words(reading), words(text))
        finally:
            os.remove(path)


if __name__ == "__main__":
    unittest.main(verbosity=2)
