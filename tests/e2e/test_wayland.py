"""The program on a Wayland compositor (run-e2e-wayland.sh): there is no X display, so every
step goes through the accessibility bus, and the compositor is told the program's
application id."""

import os
import re
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE
from tovrin_main import Couple, Partner

COUPLE = Couple(Partner("John", "Paul", "Smith", "January", "1", "1900"),
                Partner("Mary", "", "Jones", "January", "1", "1900"))
APPLICATION_ID = "com.example.tovrin"


class WaylandTest(e2e.TovrinTestCase):

    def test_comprehensive_reading_back_and_exit_through_the_accessibility_bus(self):
        self.assertNotIn("DISPLAY", os.environ)
        # The client's side of the Wayland conversation, one request or event a line, among
        # whatever else the program writes to standard error; kept with the artefacts.
        os.makedirs(e2e.ARTIFACTS, exist_ok=True)
        protocol = os.path.join(e2e.ARTIFACTS, "stderr-with-wayland-protocol.log")
        program = self.start(env={"WAYLAND_DEBUG": "client"}, stderr_path=protocol)
        app = program.application()
        e2e.find(app, "frame", MAIN_TITLE)
        for box, value in zip(main.name_boxes(app, "Male") + main.name_boxes(app, "Female"),
                              COUPLE.male[:3] + COUPLE.female[:3]):
            e2e.set_text(box, value)
        self.assertEqual(main.couple_inputs(app), COUPLE, "the dates are the lists' first entries")

        e2e.press(e2e.find(app, "push button", "Comprehensive Reading"))
        document = e2e.find(app, "dialog", MAIN_TITLE)
        shown = e2e.text(e2e.find(document, "text"))
        self.assertTrue(shown.startswith(main.partner_block("Male Information", COUPLE.male)
                                         + main.partner_block("Female Information",
                                                              COUPLE.female)), shown)
        e2e.press(e2e.find(document, "push button", "Back"))
        e2e.wait_gone(app, "dialog", MAIN_TITLE)
        self.assertEqual(main.couple_inputs(app), COUPLE)

        e2e.press(e2e.find(app, "push button", "Exit"))
        e2e.wait_gone(app, "panel", "Male")
        close = e2e.find(app, "push button", "Close")
        self.assertTrue(program.running(), "the program ended before the exit screen closed")
        e2e.press(close)
        self.assertEqual(program.wait_exit(), 0, self.messages(protocol))

        # Every window (main, document, exit screen) names the program, so that the compositor
        # shows the menu entry's name and icon for it.
        with open(protocol, encoding="utf-8", errors="replace") as log:
            ids = re.findall(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', log.read())
        self.assertGreaterEqual(len(ids), 3, "windows that told the compositor their id")
        self.assertEqual(set(ids), {APPLICATION_ID})

    @staticmethod
    def messages(path):
        """What the program wrote to standard error besides the protocol (the last 60 lines)."""
        with open(path, encoding="utf-8", errors="replace") as log:
            lines = [line for line in log if not re.match(r"\[\s*\d+\.\d+\]", line)]
        return "the program's messages:\n" + "".join(lines[-60:])


if __name__ == "__main__":
    unittest.main(verbosity=2)
