#!/usr/bin/python3
"""The real program as a screen reader and voice control meet it: through AT-SPI, on the X
display in $DISPLAY.

    accessibility_e2e_test.py PROGRAM X_WINDOW_TOOL OUTPUT_DIR

The test runs a D-Bus session bus, the accessibility bus (at-spi-bus-launcher) and the AT-SPI
registry of its own, all started here and stopped by their process ids at the end.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

warnings.simplefilter("ignore", DeprecationWarning)  # pyatspi's own calls of libatspi

PROGRAM, X_TOOL, OUTPUT_DIR = sys.argv[1:4]
del sys.argv[1:4]
SOURCE_DIR = os.path.dirname(os.path.abspath(__file__))
MAIN_TITLE = "Kreslix (32bit) - bez názvu"

# What a user operates; names are asked of these.
CONTROL_ROLES = {"push button", "toggle button", "radio button", "check box", "spin button",
                 "text", "combo box", "slider", "menu item", "check menu item",
                 "radio menu item", "link"}
MENU_ITEM_ROLES = {"menu item", "check menu item", "radio menu item"}


def wait_for(condition, timeout=15.0, what="a condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.1)


class Session:
    """The buses and the registry, each a process of ours."""

    def __init__(self):
        self.processes = []
        self.directory = tempfile.mkdtemp(prefix="kreslix-atspi-")
        runtime = os.path.join(self.directory, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=self.directory)
        self.env.pop("AT_SPI_BUS_ADDRESS", None)

    def spawn(self, arguments, env, **options):
        process = subprocess.Popen(arguments, env=env, **options)
        self.processes.append(process)
        return process

    def start(self):
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # Without DISPLAY the launcher leaves the X server's root window alone: the programs
        # find the bus through the session bus only.
        launcher_env = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
                   launcher_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.a11y_bus = wait_for(self.a11y_address, what="the AT-SPI bus")
        self.spawn(["/usr/libexec/at-spi2-registryd"], dict(self.env, AT_SPI_BUS_ADDRESS=self.a11y_bus),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(self.registry_running, what="the AT-SPI registry")
        # The program finds the bus through the session bus: Qt 6.4 does not connect when
        # AT_SPI_BUS_ADDRESS is set.
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        os.environ.update({k: self.env[k] for k in ("DBUS_SESSION_BUS_ADDRESS",
                                                     "XDG_RUNTIME_DIR")})

    def ask(self, bus, destination, path, method, *arguments):
        reply = subprocess.run(["dbus-send", bus, "--print-reply=literal", "--dest=" + destination,
                                path, method, *arguments],
                               env=self.env, capture_output=True, text=True)
        return reply.stdout.strip() if reply.returncode == 0 else None

    def a11y_address(self):
        return self.ask("--session", "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")

    def registry_running(self):
        return "true" in (self.ask("--bus=" + self.a11y_bus, "org.freedesktop.DBus",
                                   "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                                   "string:org.a11y.atspi.Registry") or "")

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.directory, ignore_errors=True)


session = None
pyatspi = None


def setUpModule():
    global session, pyatspi
    if not os.environ.get("DISPLAY"):
        raise unittest.SkipTest("DISPLAY is not set")
    session = Session()
    session.start()
    import pyatspi as module  # after the buses: it connects when imported
    pyatspi = module


def tearDownModule():
    if session:
        session.stop()


def tool(*arguments):
    return subprocess.run([X_TOOL, *map(str, arguments)], check=True, capture_output=True,
                          text=True, timeout=30).stdout


def find_window(title, timeout_ms=10000):
    return tool("find", title, timeout_ms).split()


def window_shown(title):
    return subprocess.run([X_TOOL, "find", title, "0"], capture_output=True).returncode == 0


def screenshot(name):
    path = os.path.join(OUTPUT_DIR, name + ".ppm")
    tool("shot", path)
    with open(path, "rb") as f:
        data = f.read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    return int(width), pixels


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def controls(window):
    """The window's shown controls and all its menu items as (role, name, node); the text field
    inside a spin button is a part of it, as a screen reader presents it."""
    found = []
    for node in walk(window):
        role = node.getRoleName()
        if (role in CONTROL_ROLES and (role in MENU_ITEM_ROLES or showing(node))
                and not (role == "text" and node.parent.getRoleName() == "spin button")):
            found.append((role, node.name, node))
    return found


def do_action(node, name):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if name not in names:
        raise AssertionError(f"{node.name!r} offers {names}, not {name}")
    actions.doAction(names.index(name))


class ProgramTest(unittest.TestCase):
    def setUp(self):
        env = dict(session.env, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   LSAN_OPTIONS="suppressions=" + os.path.join(SOURCE_DIR, "lsan.supp"))
        env.pop("QT_QPA_PLATFORM", None)
        self.program = subprocess.Popen([PROGRAM], env=env, cwd=session.directory,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.end_program)
        self.window_id = find_window(MAIN_TITLE, 15000)[0]
        self.app = wait_for(self.application, what="the program on the AT-SPI bus")
        self.main = wait_for(lambda: self.window(MAIN_TITLE), what="the main window's frame")

    def end_program(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()

    def application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.program.pid:
                return app
        return None

    def window(self, title):
        for node in self.app:
            if node is not None and node.name == title and showing(node):
                return node
        return None

    def named(self, role, name, root=None):
        for node in walk(root or self.main):
            if node.getRoleName() == role and node.name == name:
                return node
        raise AssertionError(f"no {role} named {name!r}")

    def assert_named_distinctly(self, window):
        seen = set()
        for role, name, node in controls(window):
            self.assertTrue(name.strip(), f"a {role} without a name in {window.name!r}")
            # Menu items need to differ only within their menu, named by the item opening it.
            menu = node.parent.parent.name if role in MENU_ITEM_ROLES else None
            self.assertNotIn((role, name, menu), seen, f"two {role}s {name!r} in {window.name!r}")
            seen.add((role, name, menu))

    def keys(self, *keys):
        """Keys to the main window, made active first by a click on an empty spot of the button
        bar, as there is no window manager."""
        tool("click", self.window_id, 600, 33)
        for key in keys:
            modifier = key.split("+")[0] if "+" in key else None
            tool("key", self.window_id, key.split("+")[-1], *([modifier] if modifier else []))


class MainWindowTest(ProgramTest):
    def test_every_control_is_named_and_choices_are_radio_buttons(self):
        do_action(self.named("radio button", "Obdĺžnik"), "Toggle")  # shows the fill toggles
        wait_for(lambda: showing(self.named("radio button", "Plný objekt")),
                 what="the fill toggles")
        self.assert_named_distinctly(self.main)

        names = [(role, name) for role, name, _ in controls(self.main)]
        # Each group of choices: radio buttons, exactly one of them chosen.
        for group in (["Čiara", "Ceruzka", "Obdĺžnik", "elipsa", "Zaoblený obdĺžnik",
                       "Biela Guma", "Sprej", "Štetec", "Kvapadlo"],
                      [f"Hrúbka čiarky: {n}" for n in range(1, 6)],
                      ["Plný objekt", "Prázdny objekt"]):
            for name in group:
                self.assertIn(("radio button", name), names)
            chosen = [name for name in group
                      if self.named("radio button", name).getState().contains(
                          pyatspi.STATE_CHECKED)]
            self.assertEqual(len(chosen), 1, f"chosen among {group}: {chosen}")
        colours = controls(self.named("panel", "Ponuka farieb"))
        self.assertEqual(len(colours), 18)  # the two swatches and the sixteen colours
        width = self.named("spin button", "Hrúbka čiarky")
        self.assertEqual(width.queryValue().currentValue, 1)
        self.named("image", "Obrázok 488 × 297 bodov")
        self.assertIn("čierna", self.named("push button", "Vybrať farbu popredia").description)

    def test_choices_through_actions_work_as_clicks(self):
        do_action(self.named("radio button", "Obdĺžnik"), "Toggle")
        do_action(self.named("radio button", "Hrúbka čiarky: 3"), "Toggle")
        width = self.named("spin button", "Hrúbka čiarky")
        wait_for(lambda: width.queryValue().currentValue == 3, what="the width field to show 3")

        x, y, w, h = self.named("image", "Obrázok 488 × 297 bodov").queryComponent().getExtents(
            pyatspi.DESKTOP_COORDS)
        tool("drag", x + 40, y + 30, x + 140, y + 110)

        def three_wide_rectangle():
            width, pixels = screenshot("kreslix_atspi_rectangle")

            def black_runs(points):
                line = "".join("1" if pixels[3 * (py * width + px):][:3] == b"\0\0\0" else "0"
                               for px, py in points)
                return [len(run) for run in line.split("0") if run]

            # Across the middle and down the middle: two sides of 3 pixels each time.
            return (black_runs([(x + i, y + 70) for i in range(20, 160)]) == [3, 3] and
                    black_runs([(x + 90, y + j) for j in range(10, 130)]) == [3, 3])

        wait_for(three_wide_rectangle, timeout=10, what="a rectangle 3 pixels wide")

    def test_status_bar_texts_are_read_and_their_changes_announced(self):
        from gi.repository import GLib
        heard = []
        listener = lambda event: heard.append((event.source.getRoleName(), event.source.name))
        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
        self.addCleanup(pyatspi.Registry.deregisterEventListener, listener,
                        "object:property-change:accessible-name")
        x, y, w, h = self.named("image", "Obrázok 488 × 297 bodov").queryComponent().getExtents(
            pyatspi.DESKTOP_COORDS)
        tool("drag", x + 30, y + 40)  # a click: the move shows the position, the press the point

        def announced():
            while GLib.MainContext.default().iteration(False):
                pass
            return {("label", "Pozícia: 30,40"), ("label", "30,40")} <= set(heard)

        wait_for(announced, what=f"the position announced (heard {heard})")
        bar = self.named("status bar", "Dolný panel s nápovedou")
        self.assertEqual(sorted(child.name for child in bar if child.getRoleName() == "label"),
                         ["30,40", "Pozícia: 30,40"])


class DialogTest(ProgramTest):
    def open(self, title, *keys):
        self.keys(*keys)
        find_window(title)
        return wait_for(lambda: self.window(title), what=f"the dialog {title!r}")

    def press(self, dialog, name, title):
        do_action(self.named("push button", name, dialog), "Press")
        wait_for(lambda: not window_shown(title), what=f"{name!r} to close {title!r}")

    def test_every_dialog_names_its_controls_and_the_about_box_closes_with_escape(self):
        about = self.open("O programe....", "alt+p", "Return")
        with self.subTest("About box"):
            self.assert_named_distinctly(about)
        with self.subTest("Escape closes the About box"):
            tool("type", find_window("O programe....")[0], "Escape")
            wait_for(lambda: not window_shown("O programe...."), timeout=5,
                     what="Escape to close the About box")
        if window_shown("O programe...."):
            self.press(about, "O.K.", "O programe....")

        dialogs = [("Vlastnosti", ("alt+s", "v"), "OK"),
                   ("Nový obrázok", ("ctrl+n",), "Zrušiť"),
                   ("Vymazanie obrázka", ("Delete",), "Nie")]
        for title, keys, closer in dialogs:
            dialog = self.open(title, *keys)
            with self.subTest(title):
                self.assert_named_distinctly(dialog)
            self.press(dialog, closer, title)

        # Closing asks whether to save; "Áno" on an untitled picture asks for a file, and a file
        # that is there brings the overwrite prompt.
        tool("close", self.window_id)
        prompt = wait_for(lambda: self.window("Kreslix"), what="the save-changes prompt")
        with self.subTest("Kreslix"):
            self.assert_named_distinctly(prompt)
        self.press(prompt, "Áno", "Kreslix")
        existing = os.path.join(session.directory, "jestvujuci.bmp")
        open(existing, "wb").close()
        save_dialog = find_window("Uložiť ako")[0]
        tool("focus", save_dialog)
        tool("text", save_dialog, existing)
        find_window("kreslix", 5000)  # the name-completion list; Enter before it would be lost
        tool("key", save_dialog, "Return")
        prompt = wait_for(lambda: self.window("Upozornenie"), what="the overwrite prompt")
        with self.subTest("Upozornenie"):
            self.assert_named_distinctly(prompt)
        self.press(prompt, "Nie", "Upozornenie")
        # The save dialog again; cancelling it lets the close go on.
        tool("key", find_window("Uložiť ako")[0], "Escape")
        self.assertEqual(self.program.wait(10), 0)
        self.assertEqual(os.path.getsize(existing), 0, "the file was overwritten")


if __name__ == "__main__":
    unittest.main(verbosity=2)
