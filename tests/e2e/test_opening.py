"""Opening saved readings the ordinary ways: a file on the command line, a second start
that hands its file to the running copy, and File > Open Recent after a restart."""

import fcntl
import os
import pathlib
import threading
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_main import Couple, Partner

# Each character of a saved detail is stored this many code points further on.
SCRAMBLE_OFFSET = 37

JOHN_AND_ANN = Couple(Partner("John", "Paul", "Smith", "March", "5", "1970"),
                      Partner("Ann", "", "Lee", "July", "12", "1972"))
MAX_AND_EVE = Couple(Partner("Max", "", "Moor", "May", "9", "1999"),
                     Partner("Eve", "Lyn", "Hart", "June", "20", "2001"))


def write_reading(path, couple):
    """Writes a saved reading of the couple, as Save writes it."""
    male, female = couple
    details = [*male[:3], *female[:3], *male[3:], *female[3:]]
    with open(path, "wb") as saved:
        for detail in details:
            saved.write("".join(chr(ord(c) + SCRAMBLE_OFFSET) for c in detail).encode("utf-8"))
            saved.write(b"\r\n")
    return path


def scrambled(text):
    """A detail or setting as the program stores it."""
    return "".join(chr(ord(c) + SCRAMBLE_OFFSET) for c in text)


def remind_of_updates_at_the_next_start():
    """A settings file whose update reminder is due: the next start asks first."""
    settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "tovrin", "tovrin.ini")
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    # QSettings writes a key's characters past ASCII as %XX.
    key = "".join(c if c < "\x80" else "%%%02X" % ord(c) for c in scrambled("Duration"))
    with open(settings, "w", encoding="utf-8") as ini:
        ini.write("[Settings]\n%s=%s\n" % (key, scrambled("2000-01-01")))


def reading_start(couple):
    """How the Comprehensive reading of the couple begins."""
    return main.partner_block("Male Information", couple.male)


class OpeningTest(e2e.TovrinTestCase):

    def leave(self, program, app):
        """File > Exit, then Close on the exit screen: the program ends with status 0."""
        e2e.click(e2e.find(app, "push button", "Exit"))
        e2e.click(e2e.find(app, "push button", "Close"))
        self.assertEqual(program.wait_exit(), 0)

    def test_second_start_hands_its_file_to_the_running_copy(self):
        first = write_reading(os.path.join(os.environ["HOME"], "john and ann.kvl"), JOHN_AND_ANN)
        second_file = write_reading(os.path.join(os.environ["HOME"], "max and eve.kvl"), MAX_AND_EVE)

        # The running copy shows a reading of its own when the second file arrives.
        program = self.start([first])
        main_wid = main.main_window(program)
        app = program.application()
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(JOHN_AND_ANN)), reading)

        # A hand-over the running copy did not take would end in "Application is already
        # running", which waits for OK: ending by itself with 0 is the running copy's answer.
        second = self.start([os.path.relpath(second_file)])
        self.assertEqual(second.wait_exit(timeout=10), 0)
        self.assertEqual([w for w, _ in second.windows()], [], "the second start shows nothing")

        # The first reading went as Back takes it away; the handed file's reading is in front.
        e2e.wait_for_window_gone(doc_wid)
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(MAX_AND_EVE)), reading)
        self.assertEqual(main.couple_inputs(app), MAX_AND_EVE)
        self.assertEqual(e2e.active_window(), doc_wid)

        # A plain second start is still refused.
        third = self.start()
        box = e2e.message_box(third.application())
        self.assertEqual(e2e.message_text(box), "Application is already running")
        self.assertEqual(third.answer_its_only_window(), 0)

    def test_file_handed_over_while_the_running_copy_still_reaches_the_display_opens(self):
        """A loaded machine, or fontconfig rebuilding its cache, can keep a start from reaching
        the display for seconds after it became the running copy. Here the display's authority
        file is a pipe that holds the first copy's connection until the test lets it go."""
        path = write_reading(os.path.join(os.environ["HOME"], "john and ann.kvl"), JOHN_AND_ANN)
        authority = os.path.join(os.environ["HOME"], "authority")
        os.mkfifo(authority)
        program = self.start(env={"XAUTHORITY": authority})
        lock = os.path.join(os.environ["XDG_RUNTIME_DIR"], "tovrin-%d.lock" % os.getuid())

        def lock_held():
            """Read from the kernel's list: trying the lock here could make the copy miss it."""
            if not os.path.exists(lock):
                return False
            held = ["%d" % program.pid, ":%d" % os.stat(lock).st_ino]
            with open("/proc/locks") as locks:
                return any(f[1] == "FLOCK" and f[4] == held[0] and f[5].endswith(held[1])
                           for f in (line.split() for line in locks) if len(f) > 5)
        e2e.wait_until(lock_held, what="the first copy holding the lock")

        # The second start hands its file over and ends, as it does with a copy already on show.
        second = self.start([path])
        self.assertEqual(second.wait_exit(timeout=10), 0)
        self.assertEqual(second.windows(), [], "the second start shows nothing")

        # Every reader of the authority file gets an empty one from now on.
        released = threading.Event()
        self.addCleanup(released.set)

        def release():
            while not released.is_set():
                try:
                    os.close(os.open(authority, os.O_WRONLY | os.O_NONBLOCK))
                except OSError:
                    pass
                released.wait(0.01)
        threading.Thread(target=release, daemon=True).start()

        app = program.application()
        main_wid = main.main_window(program)
        _, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(JOHN_AND_ANN)), reading)

    def test_file_opens_when_the_running_copy_ends_while_it_is_handed_over(self):
        path = write_reading(os.path.join(os.environ["HOME"], "john and ann.kvl"), JOHN_AND_ANN)
        # A copy that holds the lock and takes no file, ended half a second into the hand-over
        # (as a copy killed at that moment).
        lock = os.path.join(os.environ["XDG_RUNTIME_DIR"], "tovrin-%d.lock" % os.getuid())
        held = os.open(lock, os.O_RDWR | os.O_CREAT, 0o600)
        fcntl.flock(held, fcntl.LOCK_EX)
        ended = threading.Timer(0.5, os.close, [held])
        ended.start()
        self.addCleanup(ended.join)

        program = self.start([path])
        app = program.application()
        main_wid = main.main_window(program)
        _, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(JOHN_AND_ANN)), reading)
        self.assertEqual(e2e.find_all(app, "alert"), [], "no \"Application is already running\"")

    def test_command_line_file_opens_and_is_listed_after_a_restart(self):
        path = write_reading(os.path.join(os.environ["HOME"], "john and ann.kvl"), JOHN_AND_ANN)
        # As a file manager may name it: by its URL.
        program = self.start([pathlib.Path(path).as_uri()])
        main_wid = main.main_window(program)
        app = program.application()
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(JOHN_AND_ANN)), reading)
        # Over the main window, where the window manager placed it, as any reading opens.
        x, y, width, height = e2e.window_geometry(main_wid)
        doc_x, doc_y, doc_width, doc_height = e2e.window_geometry(doc_wid)
        centre = (doc_x + doc_width // 2, doc_y + doc_height // 2)
        self.assertTrue(x <= centre[0] < x + width and y <= centre[1] < y + height,
                        "the reading, centred at %s, lies over the main window at %s"
                        % (centre, (x, y, width, height)))
        e2e.key("Escape", window=doc_wid)
        e2e.wait_for_window_gone(doc_wid)
        self.leave(program, app)

        # A bad file on the command line: the message, and the window as it was.
        bad = os.path.join(os.environ["HOME"], "bad.kvl")
        with open(bad, "wb") as spoilt:
            spoilt.write(b"\x00not a reading")
        program = self.start([bad])
        app = program.application()
        box = e2e.message_box(app)
        self.assertEqual(e2e.message_text(box), "Please Check The File.")
        e2e.answer(box, "Return")
        main_wid = main.main_window(program)
        self.assertEqual(main.inputs(app, "Male").first, "")

        # File > Open Recent lists the reading opened before the restart; choosing it opens it.
        e2e.activate(main_wid)
        e2e.key("alt+f")
        e2e.find(app, "menu item", "Open Recent")
        e2e.key("r")
        entry = e2e.find(app, "menu item", "john and ann.kvl")
        if not e2e.is_focused(entry):  # the submenu opened without an entry chosen
            e2e.key("Down")
        e2e.key("Return")
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(JOHN_AND_ANN)), reading)


    def test_file_handed_over_while_start_up_asks_about_updates_wins_over_the_first(self):
        first = write_reading(os.path.join(os.environ["HOME"], "john and ann.kvl"), JOHN_AND_ANN)
        newer = write_reading(os.path.join(os.environ["HOME"], "max and eve.kvl"), MAX_AND_EVE)
        remind_of_updates_at_the_next_start()
        program = self.start([first])
        app = program.application()
        question = e2e.message_box(app)
        self.assertIn("Do you want to check for an update?", e2e.message_text(question))

        # The user opens another reading while the question waits for an answer.
        second = self.start([newer])
        self.assertEqual(second.wait_exit(), 0)
        e2e.click(e2e.find(question, "push button", "No"))

        # The reading opened last is the one shown, and the details are its own.
        main_wid = main.main_window(program)
        doc_wid, _, reading = main.shown_document(program, app, main_wid)
        self.assertTrue(reading.startswith(reading_start(MAX_AND_EVE)), reading)
        self.assertEqual(main.couple_inputs(app), MAX_AND_EVE)
        e2e.key("Escape", window=doc_wid)
        e2e.wait_for_window_gone(doc_wid)
        self.assertEqual(main.couple_inputs(app), MAX_AND_EVE, "no reading opened after it")

if __name__ == "__main__":
    unittest.main(verbosity=2)
