"""Every window of the program looks exactly as its reference image in reference/: the
main window (with either advertisement), the LifePath reading window, the Comprehensive
document window, the About window and the exit screen, compared pixel for pixel.

Nothing the user sees may change unnoticed, so a change that alters any pixel of these
windows fails here. When a change of the look is intended, take new references with

    TOVRIN_E2E_UPDATE_REFERENCES=1 ctest -R e2e.screenshots

and look at every changed image before committing it.

What would make two shots of an unchanged window differ is kept out of them: the text caret
blinks, so the focus is on a button; the mouse pointer hovers nowhere near the windows; a
window is shot only once two shots in a row agree, so a paint still on its way is not taken.
"""

import os
import shutil
import subprocess
import time
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE

REFERENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference")
UPDATE = os.environ.get("TOVRIN_E2E_UPDATE_REFERENCES") == "1"

# The two advertisements the main window shows one of, drawn at random on each start.
ADVERTISEMENTS = {
    "cobrand": "Co-brand this software for your site.",
    "fullbrand": "Home Business Opportunity.",
}
COUPLE = ("John", "Paul", "Smith", "Mary", "", "Jones")


def differing_pixels(first, second):
    """How many pixels of two images differ (ImageMagick's compare -metric AE); images of
    different sizes count as wholly different."""
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode not in (0, 1):
        raise AssertionError("compare %s %s failed: %s" % (first, second, result.stderr.strip()))
    return int(float(result.stderr.split()[0]))


def pointer_away():
    """Moves the mouse pointer to the screen's bottom right corner, where no window lies."""
    e2e.move_pointer(1279, 1023)


class ScreenshotsTest(e2e.TovrinTestCase):

    def steady_shot(self, name, wid):
        """A screenshot of the window once it has stopped changing: two shots in a row
        that agree to the pixel. Returns the path of the last."""
        pointer_away()
        previous = self.screenshot(name + "-0", wid)
        deadline = time.monotonic() + e2e.TIMEOUT
        for attempt in range(1, 1000):
            time.sleep(0.1)
            path = self.screenshot("%s-%d" % (name, attempt), wid)
            if differing_pixels(previous, path) == 0:
                return path
            if time.monotonic() >= deadline:
                break
            os.remove(previous)
            previous = path
        raise AssertionError("the %s kept changing" % name)

    def check(self, name, wid):
        """Compares the window with reference/<name>.png (or makes that the reference)."""
        shot = self.steady_shot(name, wid)
        reference = os.path.join(REFERENCE, name + ".png")
        if UPDATE:
            os.makedirs(REFERENCE, exist_ok=True)
            shutil.copyfile(shot, reference)
            return
        self.assertTrue(os.path.exists(reference), "no reference image %s" % reference)
        self.assertEqual(differing_pixels(reference, shot), 0,
                         "the %s differs from %s (this shot: %s)" % (name, reference, shot))

    def focus_button(self, root, button, wid):
        e2e.activate(wid)
        e2e.grab_focus(e2e.find(root, "push button", button))

    def advertisement_showing(self, app):
        """Which advertisement the main window shows: "cobrand" or "fullbrand"."""
        frame = e2e.find(app, "frame", MAIN_TITLE)
        showing = [key for key, start in ADVERTISEMENTS.items()
                   if any(e2e.name(link).startswith(start)
                          for link in e2e.find_all(frame, "link"))]
        self.assertEqual(len(showing), 1, "one advertisement shows")
        return showing[0]

    def start_main_window(self, advertisement=None):
        """Starts the program, if asked again until it shows this advertisement; returns
        (program, main window id, application, the advertisement showing)."""
        for _ in range(40):
            program, wid, app = main.start_main_window(self)
            showing = self.advertisement_showing(app)
            if advertisement in (None, showing):
                return program, wid, app, showing
            program.stop()
        self.fail("the %s advertisement did not show in 40 starts" % advertisement)

    def test_every_window_looks_as_its_reference(self):
        program, main_wid, app, advertisement = self.start_main_window()
        frame = e2e.find(app, "frame", MAIN_TITLE)
        self.focus_button(frame, "Comprehensive Reading", main_wid)
        self.check("main-window-" + advertisement, main_wid)

        for box, value in zip(main.name_boxes(app, "Male") + main.name_boxes(app, "Female"),
                              COUPLE):
            e2e.set_text(box, value)
        e2e.press(e2e.find(frame, "push button", "LifePath Compatibility"))
        wid = program.window("LifePath Compatibility")
        reading = e2e.find(app, "dialog", "LifePath Compatibility")
        self.focus_button(reading, "Back", wid)
        self.check("reading-window", wid)
        e2e.press(e2e.find(reading, "push button", "Back"))
        e2e.wait_for_window_gone(wid)

        e2e.press(e2e.find(frame, "push button", "Comprehensive Reading"))
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        document = e2e.find(app, "dialog", MAIN_TITLE)
        self.focus_button(document, "Back", wid)
        self.check("document-window", wid)
        e2e.press(e2e.find(document, "push button", "Back"))
        e2e.wait_for_window_gone(wid)

        e2e.activate(main_wid)
        e2e.key("alt+h")
        e2e.find(app, "menu item", "About Software")
        e2e.key("a")
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        about = e2e.find(app, "dialog", MAIN_TITLE)
        self.focus_button(about, "OK", wid)
        self.check("about-window", wid)
        e2e.press(e2e.find(about, "push button", "OK"))
        e2e.wait_for_window_gone(wid)

        e2e.press(e2e.find(frame, "push button", "Exit"))
        e2e.wait_for_window_gone(main_wid)
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        self.focus_button(app, "Close", wid)
        self.check("exit-screen", wid)

    def test_both_advertisements_look_as_their_references(self):
        """Each start draws one of the two advertisements, so this starts the program until
        each has shown once."""
        for advertisement in ADVERTISEMENTS:
            program, wid, app, _ = self.start_main_window(advertisement)
            self.focus_button(e2e.find(app, "frame", MAIN_TITLE), "Comprehensive Reading", wid)
            self.check("main-window-" + advertisement, wid)
            program.stop()
            e2e.wait_for_window_gone(wid)


if __name__ == "__main__":
    unittest.main(verbosity=2)
