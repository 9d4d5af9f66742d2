"""Drives the real program in its window as a user would: starts it under the X display the
test runs on (Xvfb), finds its controls through the desktop accessibility interface by their
visible labels, and reads the screen.

Run inside `xvfb-run -a dbus-run-session -- /usr/bin/python3 SCRIPT PROGRAM`, with Debian's
python3-pyatspi, at-spi2-core, ImageMagick and xdotool installed."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi


class UiError(Exception):
    pass


def wait_for(what, probe, timeout=30.0, step=0.1):
    """Calls probe until it returns something true, or fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except UiError:
            raise
        except Exception:  # the accessibility tree changes under the walk
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise UiError("timed out waiting for " + what)
        time.sleep(step)


def walk(node):
    """Every node under node, depth first, node included."""
    stack = [node]
    while stack:
        current = stack.pop()
        if current is None:
            continue
        yield current
        try:
            count = current.childCount
        except Exception:
            continue
        for index in range(count - 1, -1, -1):
            try:
                stack.append(current.getChildAtIndex(index))
            except Exception:
                pass


class Program:
    """The program under test, started with a fresh profile of its own."""

    def __init__(self, executable, arguments=(), app_name="Montage"):
        self.scratch = tempfile.mkdtemp(prefix="montage-ui-")
        env = dict(os.environ)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["XDG_CONFIG_HOME"] = os.path.join(self.scratch, "config")
        env["HOME"] = self.scratch
        env.pop("QT_QPA_PLATFORM", None)
        self.started = time.monotonic()
        self.process = subprocess.Popen([executable, *arguments], env=env)
        try:
            self.app = wait_for("the program on the accessibility bus",
                                lambda: self._find_app(app_name))
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, kind, value, traceback):
        """Ends the program; the scratch folder goes too unless the test failed, when it stays
        for a look at what the program was given and what it made."""
        self.close()
        if kind is None:
            shutil.rmtree(self.scratch, ignore_errors=True)
        else:
            print("kept the scratch folder", self.scratch, file=sys.stderr)

    def _find_app(self, name):
        if self.process.poll() is not None:
            raise UiError("the program ended with status %d" % self.process.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == name:
                return app
        return None

    def find(self, name, role=None, timeout=10.0, showing=False):
        """The first control with this accessible name (and role, a pyatspi.ROLE_ constant);
        with showing, only one that is shown on the screen."""
        def probe():
            for node in walk(self.app):
                if node.name == name and (role is None or node.getRole() == role) and (
                        not showing or node.getState().contains(pyatspi.STATE_SHOWING)):
                    return node
            return None
        return wait_for("a control named %r" % name, probe, timeout)

    def set_text(self, name, text):
        self.find(name, pyatspi.ROLE_TEXT).queryEditableText().setTextContents(text)

    def press(self, name):
        self.find(name, pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)

    def labelled(self, label, timeout=10.0):
        """The control that the label with this text names, as a screen reader pairs them."""
        def probe():
            for node in walk(self.app):
                if node.name != label or node.getRole() != pyatspi.ROLE_LABEL:
                    continue
                for relation in node.getRelationSet():
                    if (relation.getRelationType() == pyatspi.RELATION_LABEL_FOR
                            and relation.getNTargets() > 0):
                        return relation.getTarget(0)
            return None
        return wait_for("the control labelled %r" % label, probe, timeout)

    def window_id(self, title):
        out = wait_for("a window titled %r" % title, lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", title],
            capture_output=True, text=True).stdout.split())
        return out[0]

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Screenshot:
    """A picture of a window (or the whole screen) as rows of (red, green, blue)."""

    def __init__(self, window="root", save_as=None):
        data = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], capture_output=True,
                              check=True).stdout
        if save_as:
            subprocess.run(["convert", "ppm:-", save_as], input=data, check=True)
        # A binary PPM: "P6", width, height, maximum value, then the samples.
        fields = []
        position = 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position)
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise UiError("unexpected screenshot format")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[position + 1:]

    def at(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.pixels[offset:offset + 3])

    def count(self, colour, box=None, stride=1):
        """Pixels of the colour in the box, looking at every stride-th row and column."""
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(top, bottom, stride) for x in range(left, right, stride)
                   if self.at(x, y) == colour)

    def differs(self, other, box, stride=1):
        left, top, right, bottom = box
        return sum(1 for y in range(top, bottom, stride) for x in range(left, right, stride)
                   if self.at(x, y) != other.at(x, y))


def items(combo):
    """The texts of a combo box's items, in its order."""
    for child in walk(combo):
        if child.getRole() == pyatspi.ROLE_LIST:
            return [child.getChildAtIndex(index).name for index in range(child.childCount)]
    return []


def choose(combo, item):
    """Picks the item of a combo box as a user does: opens its list through its accessible action
    and clicks the item. On Linux a combo box's accessible name is its current item's text, which
    shows when the choice has been taken."""
    if combo.name == item:
        return
    action = combo.queryAction()
    names = [action.getName(index) for index in range(action.nActions)]
    action.doAction(names.index("ShowMenu") if "ShowMenu" in names else 0)

    def shown_item():
        for node in walk(combo):
            if (node.getRole() == pyatspi.ROLE_LIST_ITEM and node.name == item
                    and node.getState().contains(pyatspi.STATE_SHOWING)):
                left, top, right, bottom = extents(node)
                if right > left and bottom > top:
                    return (left + right) // 2, (top + bottom) // 2
        return None
    x, y = wait_for("the item %r in the open list" % item, shown_item)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)
    wait_for("the combo box to show %r" % item, lambda: combo.name == item)


def settled_screenshot(what, box, unlike=None, least=200, timeout=30.0):
    """A screenshot once the box differs from the screenshot unlike in at least least pixels (every
    second row and column looked at) and is the same on two looks in a row, so that a picture is
    never taken while it is being drawn."""
    previous = []

    def probe():
        shot = Screenshot()
        changed = unlike is None or shot.differs(unlike, box, stride=2) >= least
        steady = bool(previous) and shot.differs(previous[-1], box, stride=2) == 0
        previous[:] = [shot]
        return shot if changed and steady else None
    return wait_for(what, probe, timeout)


def extents(node):
    """The node's box on the screen: left, top, right, bottom."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.x + box.width, box.y + box.height


def main(test):
    """Runs test with the script's arguments (the program's path first) and turns a failure into
    exit status 1 with its reason."""
    try:
        test(*sys.argv[1:])
    except UiError as error:
        print("FAILED:", error, file=sys.stderr)
        sys.exit(1)
