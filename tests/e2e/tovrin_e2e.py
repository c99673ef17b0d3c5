"""Helpers for Tovrin's end-to-end tests.

The tests drive the real `tovrin` binary on a private X server. run-e2e.sh starts that
server (Xvfb) with a window manager (openbox) and a private D-Bus session with the
accessibility bus, then runs one test script; run-e2e-wayland.sh does the same with a
Wayland compositor (Weston) instead, where only the accessibility helpers below work.
This module gives the tests:

- processes: Program (start, wait for exit, kill) and TovrinTestCase, which stops every
  program a test started and saves a screenshot and the accessibility tree on failure;
- X windows through xdotool: find and wait for windows by title, activate, close, type
  text and keys, click at screen positions, take screenshots;
- the X selections (primary and clipboard) through xclip: read them, or let another
  program hold a text in them;
- widgets through the accessibility bus (at-spi): find objects by role and name, read
  their texts and states, press and click them, read message boxes.

Every wait polls until a deadline; nothing waits for a fixed time.
"""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402

# pyatspi calls Atspi getters that newer Atspi marks deprecated; the warnings only add noise.
warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")

BINARY = os.environ.get("TOVRIN_BINARY", "")
ARTIFACTS = os.environ.get("TOVRIN_E2E_ARTIFACTS") or os.path.join(os.getcwd(), "e2e-artifacts")
# Seconds any single wait may take before the test fails.
TIMEOUT = float(os.environ.get("TOVRIN_E2E_TIMEOUT", "20"))
POLL_INTERVAL = 0.05

MAIN_TITLE = "Tovrin v1.65"

# Atspi gives up on a call to a program after a time-out of its own (0.8 s, longer while the
# program is new to it), and then the object reads as gone, empty or without focus: a program
# busy for a few seconds on a loaded machine (a sanitizer build laying out a long reading)
# failed a check that only reads. Every call may take as long as any wait; a program that does
# not answer still fails the test.
Atspi.set_timeout(int(TIMEOUT * 1000), int(TIMEOUT * 1000))


class WaitTimeout(AssertionError):
    """A wait reached its deadline."""


def wait_until(condition, timeout=None, what="the condition", interval=POLL_INTERVAL):
    """Calls condition() until it returns a true value and returns that value.

    Raises WaitTimeout after `timeout` seconds (default TIMEOUT), naming `what`.
    """
    deadline = time.monotonic() + (TIMEOUT if timeout is None else timeout)
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise WaitTimeout("timed out after %.1f s waiting for %s"
                              % (TIMEOUT if timeout is None else timeout, what))
        time.sleep(interval)


# ---------------------------------------------------------------------------------------
# Processes


class Program:
    """One running copy of tovrin (or another program given by `command`)."""

    def __init__(self, args=(), env=None, command=None, quiet=False, stderr_path=None):
        """`stderr_path`: a file that receives the program's standard error."""
        if command is None:
            if not BINARY:
                raise RuntimeError("TOVRIN_BINARY is not set; run the test through run-e2e.sh")
            command = [BINARY]
        full_env = dict(os.environ)
        if env:
            full_env.update(env)
        output = subprocess.DEVNULL if quiet else None
        errors = output
        if stderr_path is not None:
            errors = open(stderr_path, "wb")
        self.process = subprocess.Popen([*command, *args], env=full_env,
                                        stdin=subprocess.DEVNULL, stdout=output, stderr=errors)
        if stderr_path is not None:
            errors.close()

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    @property
    def returncode(self):
        return self.process.poll()

    def wait_exit(self, timeout=None):
        """Waits until the process has ended and returns its exit code."""
        try:
            return self.process.wait(TIMEOUT if timeout is None else timeout)
        except subprocess.TimeoutExpired:
            raise WaitTimeout("process %d did not end within %.1f s"
                              % (self.pid, TIMEOUT if timeout is None else timeout)) from None

    def kill(self, sig=signal.SIGKILL):
        """Sends `sig` (default SIGKILL) and, for SIGKILL, waits until the process is gone."""
        if self.running():
            self.process.send_signal(sig)
            if sig == signal.SIGKILL:
                self.process.wait(TIMEOUT)

    def stop(self):
        """Ends the process if it still runs (used at the end of every test)."""
        if self.running():
            self.kill()

    def answer_its_only_window(self, keys="Return"):
        """Presses keys in this process's one window once it shows (a copy that only shows a
        message box), and returns the process's exit code."""
        wid = wait_until(lambda: (visible_windows(pid=self.pid) or [None])[0],
                         what="the message box window")
        key(keys, window=wid)
        return self.wait_exit()

    def application(self, timeout=None):
        """The process's application object on the accessibility bus."""
        return application(self.pid, timeout)

    def window(self, title=MAIN_TITLE, timeout=None, exclude=()):
        """Waits for a visible X window of this process with exactly this title."""
        return wait_for_window(title, pid=self.pid, timeout=timeout, exclude=exclude)

    def windows(self):
        """The visible X windows of this process, as a list of (window id, title)."""
        return [(wid, window_name(wid)) for wid in visible_windows(pid=self.pid)]


# ---------------------------------------------------------------------------------------
# X windows, keyboard, mouse and screenshots (xdotool, ImageMagick)


def xdotool(*args, check=True):
    """Runs xdotool with the arguments and returns its standard output."""
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise RuntimeError("xdotool %s failed (%d): %s"
                           % (" ".join(map(str, args)), result.returncode, result.stderr.strip()))
    return result.stdout


def window_name(wid):
    """The title of an X window, or None when the window is gone."""
    result = subprocess.run(["xdotool", "getwindowname", str(wid)],
                            capture_output=True, text=True)
    return result.stdout.rstrip("\n") if result.returncode == 0 else None


def visible_windows(title=None, pid=None):
    """Ids of the mapped (visible) X windows, optionally with exactly this title and
    belonging to this process."""
    # --all: a window must meet every condition (xdotool's default is any of them).
    args = ["search", "--all", "--onlyvisible"]
    if pid is not None:
        args += ["--pid", pid]
    args += ["--name", "." if title is None else "^" + _posix_regex_escape(title) + "$"]
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    wids = [int(line) for line in result.stdout.split()]
    if title is not None:
        # xdotool matches without regard to case; keep exact titles only.
        wids = [wid for wid in wids if window_name(wid) == title]
    return wids


def wait_for_window(title, pid=None, timeout=None, exclude=()):
    """Waits until a visible window with exactly this title (of this process, if given, and
    not one of `exclude`) exists and returns its id."""
    def found():
        wids = [wid for wid in visible_windows(title, pid) if wid not in exclude]
        return wids[0] if wids else None
    return wait_until(found, timeout, "a window titled %r%s"
                      % (title, "" if pid is None else " of process %d" % pid))


def transient_for(wid):
    """The window this one belongs to (a dialog's owner, from WM_TRANSIENT_FOR), or None."""
    result = subprocess.run(["xprop", "-id", str(wid), "WM_TRANSIENT_FOR"],
                            capture_output=True, text=True)
    words = result.stdout.split()
    return int(words[-1], 16) if result.returncode == 0 and "#" in words else None


def window_visible(wid):
    """True while the window exists and is mapped."""
    result = subprocess.run(["xwininfo", "-id", str(wid)], capture_output=True, text=True)
    return result.returncode == 0 and "Map State: IsViewable" in result.stdout


def wait_for_window_gone(wid, timeout=None):
    """Waits until the window is unmapped or destroyed."""
    wait_until(lambda: not window_visible(wid), timeout, "window %d to disappear" % wid)


def window_geometry(wid):
    """(x, y, width, height) of the window's client area on the screen."""
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", wid).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def active_window():
    result = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True)
    return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else None


def focused_window():
    """The top-level window that has the keyboard focus, or None."""
    result = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True)
    return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else None


def has_keyboard(wid):
    """True once the window manager calls the window active and the X server sends it the
    keys. The window manager marks a window active a moment before or after the X server
    moves the focus; keys sent in between go elsewhere and are lost."""
    return active_window() == wid and focused_window() == wid


def wait_for_keyboard(wid, timeout=None):
    """Waits until the window has the keyboard (has_keyboard()) without asking the window
    manager for it, as a window shown or brought back in front gets it by itself. A window
    is visible before the window manager has given it the focus."""
    wait_until(lambda: has_keyboard(wid), timeout, "window %d to have the keyboard" % wid)


def activate(wid, timeout=None):
    """Raises the window and gives it the keyboard focus, through the window manager;
    returns once the window manager calls it active and the X server sends it the keys."""
    def active():
        if has_keyboard(wid):
            return True
        subprocess.run(["xdotool", "windowactivate", str(wid)], capture_output=True)
        return has_keyboard(wid)
    wait_until(active, timeout, "window %d to become active" % wid, interval=0.2)


def type_text(text, window=None, delay_ms=20):
    """Types text with the keyboard into the focused widget (activating `window` first).

    Any character can be typed: printable ASCII goes through `xdotool type`; every other
    character as its Unicode key symbol, with shift for capitals (xdotool would type
    those in lower case) and a pause that lets the program see the changed key map.
    That path is slower and, on a heavily loaded machine, not certain: where a test
    needs exact non-ASCII text rather than typing, use set_text().
    """
    if window is not None:
        activate(window)
    for run in re.findall(r"[ -~]+|[^ -~]", text):
        if len(run) > 1 or " " <= run <= "~":
            xdotool("type", "--delay", delay_ms, "--", run)
        elif run == "\n":
            xdotool("key", "Return")
        elif run == "\t":
            xdotool("key", "Tab")
        else:
            keysym = "U%04X" % ord(run)
            if run.lower() != run:
                keysym = "shift+" + keysym
            xdotool("key", "--delay", 200, keysym)


def key(*keys, window=None):
    """Presses keys or key combinations, one after the other: key("Tab", "ctrl+a",
    "Return"). Names are X key names (Return, Escape, Tab, Down, alt+F4, ...)."""
    if window is not None:
        activate(window)
    xdotool("key", "--delay", 30, "--", *keys)


def pointer_position():
    """(x, y) of the mouse pointer on the screen."""
    values = dict(line.partition("=")[::2]
                  for line in xdotool("getmouselocation", "--shell").splitlines())
    return int(values["X"]), int(values["Y"])


def move_pointer(x, y):
    """Moves the mouse pointer to the screen position and returns once it is there. (xdotool's
    mousemove --sync waits for the pointer to leave where it was; where it stands there
    already, that takes xdotool's whole 15 s limit.)"""
    if pointer_position() != (int(x), int(y)):
        xdotool("mousemove", "--sync", int(x), int(y))


def pointer_input_delivered():
    """Returns once the X server has handed on every mouse event sent so far. A click into a
    window is held back, with the pointer frozen, until the window manager has seen it (to give
    the window the focus) and lets it through; keys sent meanwhile reach the program before the
    click. A pointer that moves again has been let go."""
    x, y = pointer_position()
    xdotool("mousemove", "--sync", x - 1 if x > 0 else x + 1, y)
    xdotool("mousemove", "--sync", x, y)


def click_at(x, y, button=1):
    """Moves the mouse to the screen position and clicks; returns once the click has gone to
    the program."""
    move_pointer(x, y)
    xdotool("click", button)
    pointer_input_delivered()


def close_window(wid):
    """Closes the window like its close box: asks the window manager to close it
    (_NET_CLOSE_WINDOW), which sends the program the same request as a click on the close
    box or alt+F4, without depending on which window has the focus."""
    subprocess.run(["wmctrl", "-i", "-c", "0x%x" % wid], check=True)


def screenshot(name, window=None):
    """Saves a PNG of the whole screen (or of one window) into the artefacts folder and
    returns its path."""
    os.makedirs(ARTIFACTS, exist_ok=True)
    path = os.path.join(ARTIFACTS, re.sub(r"[^A-Za-z0-9_.-]+", "_", name) + ".png")
    target = "root" if window is None else str(window)
    subprocess.run(["import", "-window", target, path], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return path


def _posix_regex_escape(text):
    return re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", text)


# ---------------------------------------------------------------------------------------
# X selections (xclip)


def selection_text(selection="primary"):
    """The text the X selection ("primary" or "clipboard") holds, or None while no
    program owns it or its owner offers no text."""
    result = subprocess.run(["xclip", "-o", "-selection", selection], capture_output=True,
                            text=True, timeout=TIMEOUT)
    return result.stdout if result.returncode == 0 else None


def hold_selection(selection, value):
    """Starts another program (xclip) that owns the X selection ("primary" or "clipboard")
    with the text `value` until it is ended or a program takes the selection over; waits
    until the selection holds the text and returns the Program."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt",
                                     delete=False) as source:
        source.write(value)
    holder = Program(["-quiet", "-i", "-selection", selection, source.name],
                     command=["xclip"], quiet=True)
    wait_until(lambda: selection_text(selection) == value, what="%r in the %s selection"
               % (value, selection))
    os.remove(source.name)
    return holder


# ---------------------------------------------------------------------------------------
# Accessibility (at-spi): find widgets by role and name


def desktop():
    """The accessibility desktop, whose children are the running applications."""
    d = pyatspi.Registry.getDesktop(0)
    # Read everything live from the applications: a cache would need an event loop,
    # which these tests do not run.
    d.set_cache_mask(Atspi.Cache.NONE)
    return d


def applications(name=None):
    """The applications on the accessibility bus (optionally only those with this name)."""
    result = []
    d = desktop()
    for i in range(_safe(lambda: d.childCount, 0)):
        app = _safe(lambda: d.getChildAtIndex(i))
        if app is not None and (name is None or _safe(lambda: app.name) == name):
            result.append(app)
    return result


def application(pid, timeout=None):
    """Waits for the application object of process `pid` and returns it."""
    def found():
        for app in applications():
            if _safe(app.get_process_id) == pid:
                return app
        return None
    return wait_until(found, timeout, "process %d on the accessibility bus" % pid)


def role(obj):
    """The role name of an object: "push button", "text", "frame", "alert", "label", ..."""
    return _safe(obj.getRoleName, "")


def name(obj):
    return _safe(lambda: obj.name, "")


def states(obj):
    """The object's state names, e.g. {"showing", "visible", "focused", "enabled"}."""
    state_set = _safe(obj.getState)
    if state_set is None:
        return set()
    return {pyatspi.stateToString(s) for s in state_set.getStates()}


def is_showing(obj):
    return "showing" in states(obj)


def is_focused(obj):
    return "focused" in states(obj)


def children(obj):
    count = _safe(lambda: obj.childCount, 0)
    result = []
    for i in range(count):
        child = _safe(lambda: obj.getChildAtIndex(i))
        if child is not None:
            result.append(child)
    return result


def _matches(value, wanted):
    if wanted is None:
        return True
    if isinstance(wanted, re.Pattern):
        return wanted.fullmatch(value or "") is not None
    return value == wanted


def find_all(root, role_name=None, name_=None, showing=True):
    """Every object under `root` (root included) with this role and name, in tree order.

    `name_` is an exact name or a compiled regular expression that must match the whole
    name. With showing=True (the default) only objects on screen count, and hidden
    windows are not searched.
    """
    result = []

    def walk(obj):
        if showing and not is_showing(obj) and role(obj) != "application":
            return
        if _matches(role(obj), role_name) and _matches(name(obj), name_):
            result.append(obj)
        for child in children(obj):
            walk(child)

    walk(root)
    return result


def find(root, role_name=None, name_=None, index=0, timeout=None, showing=True):
    """Waits until find_all(root, role_name, name_) has more than `index` objects and
    returns the one at `index`. Example: find(app, "push button", "Exit")."""
    def found():
        objects = find_all(root, role_name, name_, showing)
        return objects[index] if len(objects) > index else None
    return wait_until(found, timeout, "%s %r%s" % (role_name or "object", name_,
                                                   "" if index == 0 else " #%d" % index))


def wait_gone(root, role_name=None, name_=None, timeout=None):
    """Waits until no showing object under `root` has this role and name."""
    wait_until(lambda: not find_all(root, role_name, name_), timeout,
               "%s %r to disappear" % (role_name or "object", name_))


def text(obj):
    """The text of a text field or label (its Text interface), else its name."""
    try:
        return obj.queryText().getText(0, -1)
    except Exception:  # no Text interface
        return name(obj)


def texts(root, roles=("label", "text", "paragraph", "heading")):
    """The texts of every showing label and text field under `root`, in tree order."""
    return [text(obj) for obj in find_all(root) if role(obj) in roles]


def set_text(obj, value):
    """Replaces the contents of an editable text field through the accessibility bus."""
    obj.queryEditableText().setTextContents(value)


def press(obj):
    """Runs the object's first action ("Press" for buttons) through the accessibility bus."""
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def grab_focus(obj, timeout=None):
    """Moves the keyboard focus to the object through the accessibility bus and waits
    until it has it. (Combo boxes refuse this: click them, or use choose().)"""
    obj.queryComponent().grabFocus()
    wait_until(lambda: is_focused(obj), timeout, "focus in %s %r" % (role(obj), name(obj)))


def choose(combo, item, timeout=None):
    """Chooses an entry of a combo box as a user does: clicks the box to open its list,
    types the entry's text and presses Return. On this platform a combo box's accessible
    name is its current text, which the function waits to become `item`."""
    click(combo)
    wait_until(lambda: any(role(child) == "list" and is_showing(child)
                           for child in children(combo)),
               timeout, "the list of combo box %r to open" % name(combo))
    type_text(item)
    key("Return")
    wait_until(lambda: name(combo) == item, timeout, "combo box showing %r" % item)


def combo_items(combo):
    """The entries of a combo box's list, in order."""
    items = []
    for child in children(combo):
        if role(child) == "list":
            items += [name(item) for item in children(child)]
    return items


def extents(obj):
    """(x, y, width, height) of the object on the screen."""
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def click(obj, button=1):
    """Clicks the middle of the object with the mouse."""
    x, y, width, height = extents(obj)
    click_at(x + width // 2, y + height // 2, button)


def message_box(root, timeout=None):
    """Waits for a message box (an alert or dialog) under `root` and returns it."""
    def found():
        boxes = find_all(root, "alert") or find_all(root, "dialog")
        return boxes[0] if boxes else None
    return wait_until(found, timeout, "a message box")


def answer(box, *keys):
    """Presses keys in a message box once it has the keyboard. A box is on the accessibility
    bus before the window manager has given it the focus; keys sent in between go to the
    window behind it."""
    wait_until(lambda: "active" in states(box), what="the message box to have the keyboard")
    key(*keys)


def message_text(box):
    """The message of a message box: the texts of its labels, one per line."""
    return "\n".join(t for t in texts(box, roles=("label",)) if t)


def description(obj):
    """The object's accessible description."""
    return _safe(lambda: obj.description, "")


def labelled_by(obj):
    """The names of the objects that label `obj` (its labelled-by relations), in order."""
    names = []
    for relation in _safe(obj.getRelationSet, []) or []:
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [name(relation.getTarget(i)) for i in range(relation.getNTargets())]
    return names


def dump(root, depth=0, limit=8):
    """The tree under `root` as indented lines of role, name, states and text (for
    failure reports)."""
    lines = []

    def walk(obj, level):
        if level > limit:
            return
        item_text = ""
        if role(obj) in ("text", "label"):
            item_text = " text=%r" % text(obj)
        lines.append("%s%s %r [%s]%s" % ("  " * level, role(obj), name(obj),
                                         ",".join(sorted(states(obj) & {"showing", "focused",
                                                                        "active", "enabled"})),
                                         item_text))
        for child in children(obj):
            walk(child, level + 1)

    walk(root, depth)
    return "\n".join(lines)


def _safe(call, default=None):
    """Calls an accessibility getter; objects of windows or programs that just went away
    raise, and count as absent."""
    try:
        return call()
    except Exception:
        return default


# ---------------------------------------------------------------------------------------
# Web addresses the program opened


def opened_urls():
    """The web addresses the program asked the desktop to open, in order (run-e2e.sh puts
    an xdg-open in front that only notes them, so no browser starts)."""
    path = os.environ.get("TOVRIN_E2E_OPENED")
    if not path or not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as opened:
        return [line.rstrip("\n") for line in opened if line.strip()]


def wait_for_opened_url(count=1, timeout=None):
    """Waits until at least `count` addresses were opened and returns them all."""
    return wait_until(lambda: len(opened_urls()) >= count and opened_urls(), timeout,
                      "%d opened web address(es)" % count)


# ---------------------------------------------------------------------------------------
# Test case base


class TovrinTestCase(unittest.TestCase):
    """Base class: start programs with self.start(); they are all ended after the test.
    A failing test leaves a screenshot and the accessibility tree in the artefacts."""

    def setUp(self):
        self.programs = []
        # Start the accessibility registry before any program, so each registers at once.
        desktop()

    def start(self, args=(), env=None, stderr_path=None):
        program = Program(args, env, stderr_path=stderr_path)
        self.programs.append(program)
        return program

    def hold_selection(self, selection, value):
        """hold_selection() for the length of this test."""
        holder = hold_selection(selection, value)
        self.programs.append(holder)
        return holder

    def screenshot(self, name, window=None):
        return screenshot("%s-%s" % (self._testMethodName, name), window)

    def tearDown(self):
        if self._failed():
            try:
                if os.environ.get("DISPLAY"):  # a Wayland compositor gives no screenshot
                    print("screenshot: " + self.screenshot("failure"), file=sys.stderr)
                # A program that hangs would take the whole call time-out for each object.
                Atspi.set_timeout(2000, 2000)
                for app in applications():
                    print(dump(app), file=sys.stderr)
            except Exception as error:  # the report must not hide the failure
                print("could not record the failure: %r" % (error,), file=sys.stderr)
            finally:
                Atspi.set_timeout(int(TIMEOUT * 1000), int(TIMEOUT * 1000))
        for program in self.programs:
            program.stop()

    def _failed(self):
        """True when the test method failed or raised (read in tearDown)."""
        outcome = getattr(self, "_outcome", None)
        if outcome is None:
            return False
        errors = getattr(outcome, "errors", None)  # Python before 3.11
        if errors:
            return any(exc_info for _, exc_info in errors)
        result = getattr(outcome, "result", None)
        if result is None:
            return False
        return any(test is self for test, _ in result.failures + result.errors)
