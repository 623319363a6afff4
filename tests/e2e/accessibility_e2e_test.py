#!/usr/bin/python3
"""The real program as a screen reader and voice control meet it, through AT-SPI on the X
display in $DISPLAY: accessibility_e2e_test.py PROGRAM X_WINDOW_TOOL OUTPUT_DIR.

A D-Bus session bus, the accessibility bus (at-spi-bus-launcher) and the AT-SPI registry are
started here and stopped by their process ids at the end; so are the window manager (openbox)
and the screen reader (Orca) that ScreenReaderTest runs.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

warnings.simplefilter("ignore", DeprecationWarning)  # pyatspi's own calls of libatspi

PROGRAM, X_TOOL, OUTPUT_DIR = map(os.path.abspath, sys.argv[1:4])
del sys.argv[1:4]
MAIN_TITLE = "Kreslix (32bit) - bez názvu"
PICTURE = "Obrázok 488 × 297 bodov"
MENU_ITEMS = {"menu item", "check menu item", "radio menu item"}
# What a user operates; names are asked of these.
CONTROLS = MENU_ITEMS | {"push button", "toggle button", "radio button", "check box",
                         "spin button", "text", "combo box", "slider", "link"}
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def stop_processes(processes):
    """Ends the processes, newest first: politely, then by force after 5 s."""
    for process in reversed(processes):
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def wait_for(condition, what, timeout=15.0):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.1)
    return value


class Session:
    """The buses and the registry, each a process of ours."""

    def __init__(self):
        self.processes = []
        self.directory = tempfile.mkdtemp(prefix="kreslix-atspi-")
        os.mkdir(os.path.join(self.directory, "runtime"), 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=os.path.join(self.directory, "runtime"),
                        HOME=self.directory)
        # Qt 6.4 does not connect when this is set; it finds the bus through the session bus.
        self.env.pop("AT_SPI_BUS_ADDRESS", None)

    def spawn(self, arguments, env, **options):
        self.processes.append(subprocess.Popen(arguments, env=env, **options))
        return self.processes[-1]

    def ask(self, bus, destination, path, method, *arguments):
        reply = subprocess.run(["dbus-send", bus, "--print-reply=literal", "--dest=" + destination,
                                path, method, *arguments], env=self.env, capture_output=True,
                               text=True)
        return reply.stdout.strip() if reply.returncode == 0 else ""

    def start(self):
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], self.env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # Without DISPLAY the launcher leaves the X server's root window alone.
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
                   {k: v for k, v in self.env.items() if k != "DISPLAY"}, **QUIET)
        a11y_bus = wait_for(lambda: self.ask("--session", "org.a11y.Bus", "/org/a11y/bus",
                                             "org.a11y.Bus.GetAddress"), "the AT-SPI bus")
        self.spawn(["/usr/libexec/at-spi2-registryd"],
                   dict(self.env, AT_SPI_BUS_ADDRESS=a11y_bus), **QUIET)
        wait_for(lambda: "true" in self.ask("--bus=" + a11y_bus, "org.freedesktop.DBus",
                                            "/org/freedesktop/DBus",
                                            "org.freedesktop.DBus.NameHasOwner",
                                            "string:org.a11y.atspi.Registry"),
                 "the AT-SPI registry")
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        os.environ.update({k: self.env[k] for k in ("DBUS_SESSION_BUS_ADDRESS",
                                                     "XDG_RUNTIME_DIR")})

    def stop(self):
        stop_processes(self.processes)
        shutil.rmtree(self.directory, ignore_errors=True)


session = pyatspi = None


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
    return tool("find", title, timeout_ms).split()[0]


def window_shown(title):
    return subprocess.run([X_TOOL, "find", title, "0"], **QUIET).returncode == 0


def screenshot(name):
    path = os.path.join(OUTPUT_DIR, name + ".ppm")
    tool("shot", path)
    with open(path, "rb") as f:
        _, width, _, _, pixels = f.read().split(maxsplit=4)
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
    return [(role, node.name, node) for node in walk(window)
            if (role := node.getRoleName()) in CONTROLS and (role in MENU_ITEMS or showing(node))
            and not (role == "text" and node.parent.getRoleName() == "spin button")]


def do_action(node, name):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if name not in names:
        raise AssertionError(f"{node.name!r} offers {names}, not {name}")
    actions.doAction(names.index(name))


class ProgramTest(unittest.TestCase):
    def setUp(self):
        env = dict(session.env, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   LSAN_OPTIONS="suppressions=" + os.path.join(os.path.dirname(__file__),
                                                               "lsan.supp"))
        env.pop("QT_QPA_PLATFORM", None)
        self.program = subprocess.Popen([PROGRAM], env=env, cwd=session.directory, **QUIET)
        self.addCleanup(self.end_program)
        self.window_id = find_window(MAIN_TITLE, 15000)
        self.app = wait_for(self.application, "the program on the AT-SPI bus")
        self.main = wait_for(lambda: self.window(MAIN_TITLE), "the main window's frame")

    def end_program(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()

    def application(self):
        return next((app for app in pyatspi.Registry.getDesktop(0)
                     if app is not None and app.get_process_id() == self.program.pid), None)

    def window(self, title):
        return next((node for node in self.app
                     if node is not None and node.name == title and showing(node)), None)

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
            key = (role, name, node.parent.parent.name if role in MENU_ITEMS else None)
            self.assertNotIn(key, seen, f"two {role}s {name!r} in {window.name!r}")
            seen.add(key)

    def picture_at(self):
        return self.named("image", PICTURE).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    def keys(self, *keys):
        """Keys to the main window, made active first by a click on an empty spot of the button
        bar, as there is no window manager."""
        tool("click", self.window_id, 600, 33)
        for key in keys:
            tool("key", self.window_id, *reversed(key.split("+")))


class MainWindowTest(ProgramTest):
    def test_every_control_is_named_and_choices_are_radio_buttons(self):
        do_action(self.named("radio button", "Obdĺžnik"), "Toggle")  # shows the fill toggles
        wait_for(lambda: showing(self.named("radio button", "Plný objekt")), "the fill toggles")
        self.assert_named_distinctly(self.main)
        # Each group of choices: radio buttons, exactly one of them chosen.
        for group in (["Čiara", "Ceruzka", "Obdĺžnik", "elipsa", "Zaoblený obdĺžnik",
                       "Biela Guma", "Sprej", "Štetec", "Kvapadlo"],
                      [f"Hrúbka čiarky: {n}" for n in range(1, 6)],
                      ["Plný objekt", "Prázdny objekt"]):
            chosen = [name for name in group if self.named("radio button", name).getState()
                      .contains(pyatspi.STATE_CHECKED)]
            self.assertEqual(len(chosen), 1, f"chosen among {group}: {chosen}")
        self.assertEqual(len(controls(self.named("panel", "Ponuka farieb"))), 18)
        self.assertEqual(self.named("spin button", "Hrúbka čiarky").queryValue().currentValue, 1)
        self.assertIn("čierna", self.named("push button", "Vybrať farbu popredia").description)

    def test_choices_through_actions_work_as_clicks(self):
        do_action(self.named("radio button", "Obdĺžnik"), "Toggle")
        do_action(self.named("radio button", "Hrúbka čiarky: 3"), "Toggle")
        width = self.named("spin button", "Hrúbka čiarky")
        wait_for(lambda: width.queryValue().currentValue == 3, "the width field to show 3")
        x, y, _, _ = self.picture_at()
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

        wait_for(three_wide_rectangle, "a rectangle 3 pixels wide", timeout=10)

    def test_status_bar_texts_are_read_and_their_changes_announced(self):
        from gi.repository import GLib
        heard, kind = [], "object:property-change:accessible-name"
        listener = lambda event: heard.append((event.source.getRoleName(), event.source.name))
        pyatspi.Registry.registerEventListener(listener, kind)
        self.addCleanup(pyatspi.Registry.deregisterEventListener, listener, kind)
        x, y, _, _ = self.picture_at()
        tool("drag", x + 30, y + 40)  # a click: the move shows the position, the press the point

        def announced():
            while GLib.MainContext.default().iteration(False):
                pass
            return {("label", "Pozícia: 30,40"), ("label", "30,40")} <= set(heard)

        wait_for(announced, f"the position announced (heard {heard})")
        bar = self.named("status bar", "Dolný panel s nápovedou")
        # The zoom text is there too, but shown only away from 100 %.
        shown = [child for child in bar if child.getRoleName() == "label"
                 and child.getState().contains(pyatspi.STATE_SHOWING)]
        self.assertEqual(sorted(child.name for child in shown), ["30,40", "Pozícia: 30,40"])


class DialogTest(ProgramTest):
    def open(self, title, *keys):
        self.keys(*keys)
        find_window(title)
        return wait_for(lambda: self.window(title), f"the dialog {title!r}")

    def check_and_close(self, dialog, closer):
        with self.subTest(dialog.name):
            self.assert_named_distinctly(dialog)
        title = dialog.name
        do_action(self.named("push button", closer, dialog), "Press")
        wait_for(lambda: not window_shown(title), f"{closer!r} to close {title!r}")

    def test_every_dialog_names_its_controls_and_the_about_box_closes_with_escape(self):
        about = self.open("O programe....", "alt+p", "Return")
        with self.subTest("About box"):
            self.assert_named_distinctly(about)
        with self.subTest("Escape closes the About box"):
            tool("type", find_window("O programe...."), "Escape")
            wait_for(lambda: not window_shown("O programe...."), "Escape to close it", 5)
        if window_shown("O programe...."):
            do_action(self.named("push button", "O.K.", about), "Press")

        self.check_and_close(self.open("Vlastnosti", "alt+s", "v"), "OK")
        self.check_and_close(self.open("Nový obrázok", "ctrl+n"), "Zrušiť")
        self.check_and_close(self.open("Vymazanie obrázka", "Delete"), "Nie")

        # Closing asks whether to save; "Áno" on an untitled picture asks for a file, and a file
        # that is there brings the overwrite prompt.
        tool("close", self.window_id)
        self.check_and_close(wait_for(lambda: self.window("Kreslix"), "the save prompt"), "Áno")
        existing = os.path.join(session.directory, "jestvujuci.bmp")
        open(existing, "wb").close()
        save_dialog = find_window("Uložiť ako")
        tool("focus", save_dialog)
        tool("text", save_dialog, existing)
        find_window("kreslix", 5000)  # the name-completion list; Enter before it would be lost
        tool("key", save_dialog, "Return")
        self.check_and_close(wait_for(lambda: self.window("Upozornenie"), "the overwrite prompt"),
                             "Nie")
        # The save dialog again; cancelling it lets the close go on.
        tool("key", find_window("Uložiť ako"), "Escape")
        self.assertEqual(self.program.wait(10), 0)
        self.assertEqual(os.path.getsize(existing), 0, "the file was overwritten")


# Orca started as its own launcher does, but with every utterance written to the debug file as it
# is made (line-buffered) and without a speech server: the speech module fails to import. The
# process keeps the interpreter's name, so an Orca the user runs elsewhere does not stop it.
ORCA_LAUNCHER = """
import sys
sys.modules["speechd"] = None
from orca import debug
debug.debugLevel = debug.LEVEL_ALL
debug.debugFile = open(sys.argv[1], "w", encoding="utf-8", buffering=1)
from orca import orca
orca.getSettingsManager().activate(None, {})
sys.exit(orca.main())
"""
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)' ?\[?\{")


class ScreenReaderTest(ProgramTest):
    """What Orca itself says, read from its debug output, as the keys move through the program.
    Orca needs a window manager to follow the focus back from a dialog."""

    @classmethod
    def setUpClass(cls):
        for needed in ("/usr/bin/orca", "/usr/bin/openbox"):
            if not os.path.exists(needed):
                raise unittest.SkipTest(needed + " is not installed")
        # Left in the output folder: what Orca heard and said, for a failure to be read.
        cls.speech_file = os.path.join(OUTPUT_DIR, "orca-debug.txt")
        if os.path.exists(cls.speech_file):
            os.remove(cls.speech_file)  # an earlier run's
        # The C locale gives Orca's own words (roles) in English; the program's stay Slovak.
        env = dict(session.env, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        env.pop("LANGUAGE", None)
        cls.helpers = [subprocess.Popen(["/usr/bin/openbox", "--sm-disable"], env=env, **QUIET)]
        cls.addClassCleanup(cls.stop_helpers)
        cls.helpers.append(subprocess.Popen(["/usr/bin/python3", "-c", ORCA_LAUNCHER,
                                             cls.speech_file], env=env, **QUIET))
        # Its last word before it listens: a window activated earlier would go unheard.
        wait_for(lambda: "ORCA: Starting registry" in cls.debug_output(), "Orca to start", 30)

    @classmethod
    def stop_helpers(cls):
        stop_processes(cls.helpers)

    @classmethod
    def debug_output(cls):
        try:
            with open(cls.speech_file, encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    @classmethod
    def utterances(cls):
        return [m.group(1) for line in cls.debug_output().splitlines()
                if (m := UTTERANCE.search(line))]

    def setUp(self):
        self.said = len(self.utterances())
        super().setUp()

    def hear(self, expected, *keys, window=None):
        """Types the keys into the window (the main one unless told), as a keyboard does, then
        waits for Orca to say `expected` (a regular expression) in one utterance."""
        for key in keys:
            if key.startswith("alt+"):  # Alt through XTEST does not reach a menu bar's letters
                tool("key", window or self.window_id, key[4:], "alt")
            else:
                tool("type", window or self.window_id, key)

        def heard():
            new = self.utterances()[self.said:]
            for i, text in enumerate(new):
                if re.search(expected, text):
                    self.said += i + 1
                    return True
            return False

        try:
            wait_for(heard, "", 10)
        except AssertionError:
            raise AssertionError(f"Orca did not say {expected!r}; it said "
                                 f"{self.utterances()[self.said:]}") from None

    def test_width_field_tool_and_picture_are_spoken(self):
        # The first tab stop has the focus as the window opens.
        self.hear(r"^Hrúbka pera 0 spin button")
        self.hear(r"^Hrúbka čiarky 1 spin button", "Tab")
        self.hear(r"^2$", "Up")
        self.hear(r"^Čiara\.$", "Tab")
        self.hear(r"^selected radio button$")
        self.hear(r"^Hrúbka čiarky: 2\.$", "Tab")  # the width the field chose
        self.hear(r"^Obrázok 488 × 297 bodov", "Tab")
        # The popup menu from the keyboard starts on its first item.
        self.hear(r"^Vystrihnúť", "Menu")
        self.hear(r"^Obrázok 488 × 297 bodov", "Escape")
        self.hear(r"^Vystrihnúť", "shift+F10")
        # Away from 100 % the picture is said with its zoom as the focus comes to it.
        self.hear(r"^Obrázok 488 × 297 bodov", "Escape")
        self.hear(r"^Hrúbka čiarky: 2\.$", "ctrl+equal", "shift+Tab")
        self.hear(r"^Obrázok 488 × 297 bodov, zväčšenie 200 %$", "Tab")

    def test_dialog_fields_and_texts_are_spoken(self):
        self.hear(r"^Hrúbka pera 0 spin button")
        self.hear(r"^Šírka plátna: 488 spin button", "ctrl+n")
        new = find_window("Nový obrázok")
        self.hear(r"^489$", "Up", window=new)
        self.hear(r"^Výška plátna: 297 spin button", "Tab", window=new)
        self.hear(r"^Hrúbka pera", "Escape", window=new)
        self.hear(r"^Vlastnosti dialog Meno obrázka: Bez názvu šírka plátna: 488 pixelov\. "
                  r"výška plátna: 297 pixelov\.$", "alt+s", "v")
        # Read line by line (flat review), the line above the button: the height, said once.
        self.hear(r"^OK push button")
        properties = find_window("Vlastnosti")
        self.hear(r"^výška plátna: 297 pixelov\.$", "KP_Home", window=properties)
        self.hear(r"^Hrúbka pera", "Escape", window=properties)
        # The figure with its caption, the caption said once.
        self.hear(r"^(?!.*pamäť.*pamäť).*Dostupná operačná pamäť: [0-9][0-9,.  ]* [kMG]B\.$",
                  "alt+p", "Return")


if __name__ == "__main__":
    result = unittest.main(verbosity=2, exit=False).result
    # A run whose tests all passed but some were skipped exits with 77, which ctest shows as a
    # skip (SKIP_RETURN_CODE), as the GoogleTest programs do.
    sys.exit(1 if not result.wasSuccessful() else 77 if result.skipped else 0)
