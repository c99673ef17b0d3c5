"""The reading window lets none of the reading out: no way of selecting in it puts any of
the text into the X primary selection (which a middle click pastes anywhere), and the copy
shortcuts put nothing on the clipboard. What another program holds there stays. The keys
still move through the reading. (Every reading fits its box, so scrolling is left to the
window's widget test, which gives the box a longer text.)"""

import unittest

import tovrin_e2e as e2e
import tovrin_main as main

# John Paul Smith 4 and Eve Jones 5: key 45 has one of the longest paragraphs.
CAPTION = "Destiny Compatibility"
OTHER_PRIMARY = "selected in another program"
OTHER_CLIPBOARD = "copied in another program"


class ReadingSelectionTest(e2e.TovrinTestCase):

    def setUp(self):
        super().setUp()
        program, _, app = main.start_main_window(self)
        for sex, names in (("Male", ("John", "Paul", "Smith")), ("Female", ("Eve", "", "Jones"))):
            for box, value in zip(main.name_boxes(app, sex), names):
                e2e.set_text(box, value)
        e2e.click(e2e.find(app, "push button", CAPTION))
        program.window(CAPTION)
        self.box = e2e.find(e2e.find(app, "dialog", CAPTION), "text")
        self.length = self.text().characterCount
        self.assertGreater(self.length, 300)

    def text(self):
        return self.box.queryText()

    def point(self, across, down):
        """The screen position at these fractions of the reading box's width and height."""
        x, y, width, height = e2e.extents(self.box)
        return x + int(width * across), y + int(height * down)

    def caret_to(self, keys, offset):
        """Presses keys that move the insertion point and waits until it stands at `offset`.
        The program handles X input in order, so then it has handled all input before."""
        e2e.key(keys)
        e2e.wait_until(lambda: self.text().caretOffset == offset,
                       what="the insertion point at %d after %s" % (offset, keys))

    def settle(self):
        """Waits until the program has handled all input so far; leaves the insertion
        point at the start."""
        e2e.pointer_input_delivered()  # else a click held back could come after the keys
        self.caret_to("ctrl+End", self.length)
        self.caret_to("ctrl+Home", 0)

    def hold_selections(self):
        """Lets other programs own the primary selection and the clipboard, unless they
        still do."""
        for selection, value in (("primary", OTHER_PRIMARY), ("clipboard", OTHER_CLIPBOARD)):
            if e2e.selection_text(selection) != value:
                self.hold_selection(selection, value)

    def test_no_way_of_selecting_reaches_the_primary_selection_or_the_clipboard(self):
        e2e.click_at(*self.point(0.5, 0.5))  # the box takes the keyboard focus
        self.settle()
        e2e.key("Down", "Right")
        e2e.wait_until(lambda: self.text().caretOffset > 1, what="the arrows moving the caret")
        self.settle()
        word = self.point(0.1, 0.05)

        def drag(copy_before_release=False):
            e2e.xdotool("mousemove", *word, "mousedown", 1)
            for step in range(1, 6):
                e2e.xdotool("mousemove", *self.point(0.1 + 0.16 * step, 0.1 * step))
            # Proof that the drag reached the box: while the button is down, the text shows
            # selected.
            e2e.wait_until(lambda: self.text().getNSelections() > 0,
                           what="a selection while dragging")
            if copy_before_release:
                e2e.key("ctrl+c")
            e2e.xdotool("mouseup", 1)

        ways = (
            ("drag", drag),
            ("double click", lambda: e2e.xdotool("mousemove", *word,
                                                 "click", "--repeat", 2, "--delay", 60, 1)),
            ("triple click", lambda: e2e.xdotool("mousemove", *word,
                                                 "click", "--repeat", 3, "--delay", 60, 1)),
            ("double click and drag", lambda: e2e.xdotool(
                "mousemove", *word, "click", 1, "mousedown", 1,
                "mousemove", *self.point(0.9, 0.6), "mouseup", 1)),
            ("shift click", lambda: e2e.xdotool(
                "mousemove", *word, "click", 1, "mousemove",
                *self.point(0.8, 0.7), "keydown", "shift", "click", 1, "keyup", "shift")),
            ("shift and arrows", lambda: e2e.key("shift+Right", "shift+Right", "shift+Down",
                                                 "shift+End", "ctrl+shift+End")),
            ("select all", lambda: e2e.key("ctrl+a")),
            ("copy after select all", lambda: e2e.key("ctrl+a", "ctrl+c", "ctrl+Insert")),
            ("copy after shift and arrows", lambda: e2e.key("shift+Down", "ctrl+c")),
            ("copy while dragging", lambda: drag(copy_before_release=True)),
        )
        for way, select in ways:
            with self.subTest(way):
                self.hold_selections()
                select()
                self.settle()
                self.assertEqual(e2e.selection_text("primary"), OTHER_PRIMARY)
                self.assertEqual(e2e.selection_text("clipboard"), OTHER_CLIPBOARD)
                self.assertEqual(self.text().getNSelections(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
