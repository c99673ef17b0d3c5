"""Start-up, the single running copy, and leaving the program, on a real desktop."""

import glob
import os
import socket
import stat
import tempfile
import unittest

import tovrin_e2e as e2e
from tovrin_e2e import MAIN_TITLE


class StartupTest(e2e.TovrinTestCase):

    def start_main_window(self):
        """Starts tovrin and waits for its main window; returns (program, window id, app)."""
        program = self.start()
        wid = program.window(MAIN_TITLE)
        app = program.application()
        e2e.find(app, "frame", MAIN_TITLE)
        return program, wid, app

    def male_first_name(self, app):
        male = e2e.find(app, "panel", "Male")
        return e2e.find(male, "text", "* First Name")

    def leave_through_exit_screen(self, program, main_wid, app):
        """From the exit screen on: the main window is gone, the program still runs until
        the exit screen is closed with its Close button, then it ends with code 0."""
        e2e.wait_for_window_gone(main_wid)
        exit_wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        close = e2e.find(app, "push button", "Close")
        self.screenshot("exit-screen")
        self.assertTrue(program.running(), "the program ended before the exit screen closed")
        self.assertEqual(e2e.visible_windows(pid=program.pid), [exit_wid],
                         "the exit screen is the only window left")

        e2e.click(close)
        self.assertEqual(program.wait_exit(), 0)

    def test_second_copy_is_refused_and_the_first_keeps_its_input(self):
        first, main_wid, app = self.start_main_window()
        e2e.activate(main_wid)
        first_name = self.male_first_name(app)
        e2e.wait_until(lambda: e2e.is_focused(first_name), what="focus in the male first name")
        e2e.type_text("Johann")
        e2e.wait_until(lambda: e2e.text(first_name) == "Johann",
                       what="the typed name in the male first name")
        self.screenshot("main-window")

        second = self.start()
        second_app = second.application()
        box = e2e.message_box(second_app)
        self.assertEqual(e2e.message_text(box), "Application is already running")
        self.assertEqual(len(e2e.find_all(second_app, "frame")), 0,
                         "the second copy shows no window besides the message")
        self.screenshot("already-running")

        self.assertEqual(second.answer_its_only_window(), 0)

        self.assertTrue(first.running())
        self.assertTrue(e2e.window_visible(main_wid))
        self.assertEqual(e2e.text(self.male_first_name(app)), "Johann")

        e2e.click(e2e.find(app, "push button", "Exit"))
        self.leave_through_exit_screen(first, main_wid, app)

    def test_second_copy_stays_out_of_the_desktop_session(self):
        """A copy that only says another one runs has nothing for the session to keep: joined to
        it, the session manager would start it again at the next login, only to show the
        message once more."""
        first, main_wid, _ = self.start_main_window()
        folder = tempfile.mkdtemp()
        listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.addCleanup(listener.close)
        listener.bind(os.path.join(folder, "session-manager"))
        listener.listen(4)
        listener.setblocking(False)
        # A session manager that never answers: a copy joining it would wait there.
        second = self.start(env={"SESSION_MANAGER": "local/%s:%s" % (
            socket.gethostname(), os.path.join(folder, "session-manager"))})
        box = e2e.message_box(second.application())
        self.assertEqual(e2e.message_text(box), "Application is already running")
        with self.assertRaises(BlockingIOError, msg="the second copy joined the session"):
            listener.accept()

        self.assertEqual(second.answer_its_only_window(), 0)
        self.assertTrue(first.running())
        self.assertTrue(e2e.window_visible(main_wid))

    def test_close_box_of_the_main_window_leads_to_the_exit_screen(self):
        program, main_wid, app = self.start_main_window()
        e2e.close_window(main_wid)
        self.leave_through_exit_screen(program, main_wid, app)

    def test_close_box_of_the_exit_screen_ends_the_program(self):
        program, main_wid, app = self.start_main_window()
        e2e.click(e2e.find(app, "push button", "Exit"))
        e2e.wait_for_window_gone(main_wid)
        exit_wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        e2e.find(app, "push button", "Close")
        e2e.close_window(exit_wid)
        self.assertEqual(program.wait_exit(), 0)

    def test_a_killed_copy_does_not_block_the_next_start(self):
        killed, _, _ = self.start_main_window()
        killed.kill()
        runtime = os.environ["XDG_RUNTIME_DIR"]
        self.assertTrue(glob.glob(os.path.join(runtime, "*.lock")),
                        "the killed copy left its lock file behind")

        program, main_wid, app = self.start_main_window()
        self.assertEqual(e2e.find_all(app, "alert"), [])
        e2e.click(e2e.find(app, "push button", "Exit"))
        self.leave_through_exit_screen(program, main_wid, app)

    def test_a_named_pipe_for_settings_and_a_garbage_lock_do_not_stop_the_start(self):
        settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "tovrin", "tovrin.ini")
        os.makedirs(os.path.dirname(settings), exist_ok=True)
        os.mkfifo(settings)
        lock = os.path.join(os.environ["XDG_RUNTIME_DIR"], "tovrin-%d.lock" % os.getuid())
        with open(lock, "wb") as garbage:
            garbage.write(b"\x00\xffnot a lock\nanother-machine.example\n")

        program, main_wid, app = self.start_main_window()
        self.assertEqual(e2e.find_all(app, "alert"), [])
        self.assertTrue(stat.S_ISFIFO(os.lstat(settings).st_mode), "the named pipe was replaced")
        e2e.click(e2e.find(app, "push button", "Exit"))
        self.leave_through_exit_screen(program, main_wid, app)

    def test_a_file_handed_over_while_leaving_is_refused_and_the_second_start_fails(self):
        program, main_wid, app = self.start_main_window()
        e2e.click(e2e.find(app, "push button", "Exit"))
        e2e.wait_for_window_gone(main_wid)
        e2e.find(app, "push button", "Close")

        # The copy on its exit screen opens no more files: the second start says so.
        second = self.start([os.path.join(os.environ["HOME"], "ours.kvl")])
        box = e2e.message_box(second.application())
        self.assertEqual(e2e.message_text(box), "Application is already running")
        self.assertEqual(second.answer_its_only_window(), 1, "the file was not opened")
        self.leave_through_exit_screen(program, main_wid, app)

    def test_donate_opens_the_donate_page_in_the_browser(self):
        program, main_wid, app = self.start_main_window()
        base = os.environ["TOVRIN_BASE_URL"].rstrip("/") + "/"

        e2e.click(e2e.find(app, "push button", "Donate"))
        first = e2e.wait_for_opened_url(1)
        self.assertEqual(len(first), 1)
        self.assertTrue(first[0].startswith(base), first[0])

        e2e.click(e2e.find(app, "menu item", "Donate"))
        both = e2e.wait_for_opened_url(2)
        self.assertEqual(both, [first[0], first[0]], "the menu entry opens the same page")
        self.assertTrue(program.running())
        self.assertTrue(e2e.window_visible(main_wid))


if __name__ == "__main__":
    unittest.main(verbosity=2)
