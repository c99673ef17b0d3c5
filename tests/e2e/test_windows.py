"""Screenshots of every window of the program, kept in the artefacts folder, each window at
its designed size (the design's twips at 15 to a pixel)."""

import struct
import unittest

import tovrin_e2e as e2e
import tovrin_main as main
from tovrin_e2e import MAIN_TITLE

MAIN_CLIENT_SIZE = (699, 355)  # below the menu bar
READING_WINDOW_SIZE = (371, 242)
DOCUMENT_WINDOW_SIZE = (551, 343)
ABOUT_WINDOW_SIZE = (501, 231)


def png_size(path):
    """(width, height) of a PNG image, from its header."""
    with open(path, "rb") as image:
        header = image.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        raise AssertionError("%s is not a PNG image" % path)
    return struct.unpack(">II", header[16:24])


class WindowsTest(e2e.TovrinTestCase):

    def shot(self, name, wid, size):
        """Takes a screenshot of one window and checks that it, and the window as the X
        server reports it, have this size."""
        path = self.screenshot(name, wid)
        self.assertEqual(png_size(path), size, "screenshot of the %s" % name)
        self.assertEqual(e2e.window_geometry(wid)[2:], size, "the %s" % name)

    def leave(self, window, wid, button):
        e2e.click(e2e.find(window, "push button", button))
        e2e.wait_for_window_gone(wid)

    def test_every_window_has_its_designed_size(self):
        program, main_wid, app = main.start_main_window(self)
        frame = e2e.find(app, "frame", MAIN_TITLE)
        menu_bar = e2e.find(frame, "menu bar")
        client_area = e2e.find(frame, "filler")
        _, bar_y, bar_width, bar_height = e2e.extents(menu_bar)
        _, client_y, client_width, client_height = e2e.extents(client_area)
        self.assertEqual((client_width, client_height), MAIN_CLIENT_SIZE)
        self.assertEqual(bar_width, MAIN_CLIENT_SIZE[0])
        self.assertEqual(client_y, bar_y + bar_height, "the client area lies below the menu bar")
        self.shot("main-window", main_wid, (MAIN_CLIENT_SIZE[0], MAIN_CLIENT_SIZE[1] + bar_height))

        for box, value in zip(main.name_boxes(app, "Male") + main.name_boxes(app, "Female"),
                              ("John", "Paul", "Smith", "Mary", "", "Jones")):
            e2e.set_text(box, value)
        e2e.click(e2e.find(app, "push button", "LifePath Compatibility"))
        wid = program.window("LifePath Compatibility")
        self.shot("reading-window", wid, READING_WINDOW_SIZE)
        self.leave(e2e.find(app, "dialog", "LifePath Compatibility"), wid, "Back")

        e2e.click(e2e.find(app, "push button", "Comprehensive Reading"))
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        self.shot("document-window", wid, DOCUMENT_WINDOW_SIZE)
        self.leave(e2e.find(app, "dialog", MAIN_TITLE), wid, "Back")

        # Help > About Software, from the keyboard.
        e2e.activate(main_wid)
        e2e.key("alt+h")
        e2e.find(app, "menu item", "About Software")
        e2e.key("a")
        wid = program.window(MAIN_TITLE, exclude=(main_wid,))
        self.shot("about-window", wid, ABOUT_WINDOW_SIZE)
        self.leave(e2e.find(app, "dialog", MAIN_TITLE), wid, "OK")
        self.assertTrue(e2e.window_visible(main_wid))


if __name__ == "__main__":
    unittest.main(verbosity=2)
