#!/usr/bin/env python3
"""The Windows build end to end: vokabo.scr under Wine on Xvfb, its settings in Wine's
registry, and the installer with its uninstaller.

One Wine prefix of the run's own (wineboot is part of the setup), one Xvfb without a window
manager; each case starts from an empty settings key. The screen is read as in
vokabo_e2e.py, whose tools this driver shares.
Run by CTest in the Windows build; by hand:
    wine_e2e.py --program build-windows/vokabo.scr --installer build-windows/vokabo-0.9.0-setup.exe
                --prefix /tmp/vokabo-wine [case ...]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

# The shared modules are imported from the source tree, which stays free of their caches.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vokabo_e2e as e2e  # noqa: E402
import wineprefix  # noqa: E402
from vokabo_e2e import Failure, expect, rgb_of  # noqa: E402

# Wine starts a program more slowly than Linux does, the first one of a prefix most of all.
MAP_TIMEOUT = 30.0
QUICK_EXIT = 8.0
SKIP = 77

SETTINGS_KEY = wineprefix.SETTINGS_KEY
APP_KEY = SETTINGS_KEY.rsplit("\\", 1)[0]
DEFAULTS = e2e.DEFAULTS

# A lesson whose words differ in shape, so that the one on screen can be told apart. In
# Windows-1250, as lessons of old are.
ENTRIES = [("ox", "vůl"), ("butterfly", "motýl"), ("hippopotamus", "hroch")]
LESSON = e2e.lesson_bytes("Zvířata/Animals", ENTRIES)
GREEN, BLUE = 65280, 16711680  # words and their shadows, on black
SHOW_WORDS = dict(btextu=str(GREEN), bstinu=str(BLUE), bpozadi="0", **e2e.FIXED_PLACEMENT)

WORD_FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
DIALOG = e2e.DIALOG
DIALOG_CLIENT = e2e.DIALOG_SIZE


# --- reading a word off the screen -------------------------------------------------------

def mask_of(rows):
    """The set pixels of a picture given as rows of truth values, cut to their bounds."""
    points = [(x, y) for y, row in enumerate(rows) for x, on in enumerate(row) if on]
    if not points:
        return None
    left, top = min(x for x, _ in points), min(y for _, y in points)
    right, bottom = max(x for x, _ in points), max(y for _, y in points)
    return right - left + 1, bottom - top + 1, {(x - left, y - top) for x, y in points}


_RENDERED = {}


def rendered(text):
    """The word as the design's font draws it at the design's size, solid pixels only."""
    if text not in _RENDERED:
        pgm = subprocess.run(["convert", "-background", "black", "-fill", "white", "-font",
                              WORD_FONT, "-density", "96", "-pointsize", "20.25",
                              "label:" + text, "-depth", "8", "pgm:-"],
                             capture_output=True, timeout=20, check=True).stdout
        magic, width, height, _, data = pgm.split(maxsplit=4)
        width, height = int(width), int(height)
        _RENDERED[text] = mask_of([[data[y * width + x] >= 200 for x in range(width)]
                                   for y in range(height)])
    return _RENDERED[text]


def likeness(a, b):
    """How well two cut masks cover each other: shared pixels over all pixels, 0 to 1."""
    shared = len(a[2] & b[2])
    return shared / max(1, len(a[2] | b[2]))


def read_word(shot, rows, colour, candidates):
    """Which of the candidate words is written in this colour in these rows of the word
    labels: (word, its likeness, the next word's likeness), or (None, 0, 0) when nothing is
    written."""
    left, right = e2e.ANCHOR_LEFT - 40, e2e.ANCHOR_LEFT + e2e.WORD_W + 40
    wanted = bytes(rgb_of(colour))
    seen = mask_of([[shot.data[(y * shot.width + x) * 3:(y * shot.width + x) * 3 + 3] == wanted
                     for x in range(left, right)] for y in range(*rows)])
    if seen is None or len(seen[2]) < 30:
        return None, 0.0, 0.0
    scores = sorted(((likeness(seen, rendered(word)), word) for word in candidates),
                    reverse=True)
    return scores[0][1], scores[0][0], scores[1][0]


# --- the run ---------------------------------------------------------------------------------

class WineSuite(e2e.Suite):
    """The shared Xvfb and window watch of vokabo_e2e, with programs started under Wine."""

    def __init__(self, program, installer, prefix, artifacts):
        super().__init__(program, artifacts)
        self.installer = installer
        self.prefix = os.path.abspath(prefix)
        started = time.monotonic()
        wineprefix.make(self.prefix)
        print(f"Wine prefix made in {time.monotonic() - started:.1f} s", flush=True)
        # A folder with a blank in its name, as Program Files has: the host quotes the path.
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.app = os.path.join(self.drive_c, "Vokabo test")
        os.makedirs(os.path.join(self.app, "lessons"))
        shutil.copy2(program, os.path.join(self.app, "vokabo.scr"))
        with open(os.path.join(self.app, "lessons", "zvirata.txt"), "wb") as out:
            out.write(LESSON)
        self.saver = r"C:\Vokabo test\vokabo.scr"

    def close(self):
        super().close()
        wineprefix.remove(self.prefix)

    def reg_query(self, key=SETTINGS_KEY):
        return wineprefix.query(self.prefix, key)


class WineBox:
    """One case: its settings, its program logs."""

    def __init__(self, suite, name):
        self.suite = suite
        self.root = tempfile.mkdtemp(prefix="case-", dir=suite.workdir)
        self.logs = []
        wineprefix.wine(suite.prefix, "reg", "delete", APP_KEY, "/f",
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def store(self, **settings):
        values = dict(DEFAULTS)
        values.update(settings)
        lines = ["Windows Registry Editor Version 5.00", "",
                 "[" + SETTINGS_KEY.replace("HKCU", "HKEY_CURRENT_USER") + "]"]
        lines += [f'"{key}"="{value}"' for key, value in values.items()]
        wineprefix.import_registry(self.suite.prefix, lines)

    def stored(self):
        return self.suite.reg_query()

    @property
    def ini(self):
        """The settings as reg query shows them, written out for the evidence of a failure."""
        path = os.path.join(self.root, "settings.txt")
        with open(path, "w") as out:
            out.write(repr(self.stored()))
        return path

    def start(self, *args, program=None):
        log = open(os.path.join(self.root, f"program-{len(self.logs)}.log"), "w")
        self.logs.append(log.name)
        proc = e2e.PROCESSES.spawn([wineprefix.WINE, program or self.suite.saver, *args],
                                   env=wineprefix.environment(self.suite.prefix,
                                                              self.suite.display),
                                   cwd=self.root, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        return proc


def start_saver(suite, box, *args, program=None):
    suite.park_pointer()
    suite.reset_watch()
    proc = box.start(*args, program=program)
    window = suite.wait_window("Form1", proc, timeout=MAP_TIMEOUT)
    # Mapped is not yet painted.
    time.sleep(1.0)
    return proc, window


def expect_exit(proc, timeout, what):
    status = e2e.wait_exit(proc, timeout)
    expect(status is not None, f"{what}: the program still runs {timeout} s later")
    expect(status == 0, f"{what}: the program ended with status {status}")


CASES = []


def case(name, rows=None):
    def register(function):
        CASES.append((name, function, rows))
        return function
    return register


@case("first_run_stores_the_eight_defaults_as_strings")
def first_run(suite, box):
    expect(box.stored() is None, "the settings key exists before the first run")
    proc, window = start_saver(suite, box, "/s")
    info = suite.window_info(window)
    expect((info["width"], info["height"]) == (e2e.SCREEN_W, e2e.SCREEN_H),
           f"the saver's window is {info}, not the whole screen")
    stored = box.stored()
    expect(stored == {key: ("REG_SZ", value) for key, value in DEFAULTS.items()},
           f"reg query after the first run shows {stored}")
    suite.key("Escape")
    expect_exit(proc, 5.0, "Escape")


@case("words_of_the_lesson_read_off_the_screen")
def words_on_screen(suite, box):
    box.store(**SHOW_WORDS)
    proc, _ = start_saver(suite, box, "/s")
    shown = time.monotonic()
    czech, alike, other = read_word(suite.shot(), e2e.ANCHOR, GREEN, [c for _, c in ENTRIES])
    expect(czech is not None, "no Czech word on the screen")
    expect(alike >= 0.5, f"the word on the screen is like no word of the lesson "
                         f"(closest: {czech}, {alike:.2f})")
    english = dict((c, e) for e, c in ENTRIES)[czech]
    print(f"      read '{czech}' (likeness {alike:.2f}, next {other:.2f})", flush=True)
    # The translation comes with the third tick of the word timer.
    time.sleep(max(0.0, shown + 4.0 - time.monotonic()))
    below, alike, other = read_word(suite.shot(), e2e.BELOW, GREEN, [e for e, _ in ENTRIES])
    expect(below == english and alike >= 0.5,
           f"below '{czech}' stands '{below}' ({alike:.2f}), not '{english}'")
    print(f"      then '{below}' below it (likeness {alike:.2f}, next {other:.2f})", flush=True)
    suite.key("x")
    expect_exit(proc, 5.0, "a key press")


@case("key_ends_saver", rows=[("x", "x"), ("Escape", "Escape"), ("Return", "Return")])
def key_ends_saver(suite, box, key):
    box.store(**e2e.FIXED_PLACEMENT)
    proc, _ = start_saver(suite, box, "/s")
    suite.key(key)
    expect_exit(proc, 5.0, f"key {key}")


@case("refused_command_line", rows=[
    ("/p 1234", ["/p", "1234"]),
    ("/a 1", ["/a", "1"]),
    ("x/s", ["x/s"]),
])
def refused(suite, box, args):
    suite.reset_watch()
    proc = box.start(*args)
    expect_exit(proc, QUICK_EXIT, "refused start")
    maps = suite.watch()
    expect(not maps, f"a refused start mapped {[suite.window_name(w) for w in maps]}")
    expect(box.stored() is None, "a refused start stored settings")


@case("second_saver_ends_at_once")
def second_instance(suite, box):
    box.store(**e2e.FIXED_PLACEMENT)
    first, window = start_saver(suite, box, "/s")
    for args in (["/s"], ["/c"]):
        suite.reset_watch()
        second = box.start(*args)
        expect_exit(second, QUICK_EXIT, f"second instance {args}")
        maps = suite.watch()
        expect(not maps, f"second instance {args} mapped {[suite.window_name(w) for w in maps]}")
    expect(first.poll() is None, "the first saver ended")
    suite.key("x")
    expect_exit(first, 5.0, "a key press")


@case("saver_ends_when_windows_closes_its_window")
def closed_by_the_system(suite, box):
    box.store(**e2e.FIXED_PLACEMENT)
    proc, _ = start_saver(suite, box, "/s")
    # What Windows does to stop a saver, and what taskkill without /f does.
    wineprefix.output_of(suite.prefix, "taskkill", "/im", "vokabo.scr")
    expect_exit(proc, 5.0, "the window closed by the system")


def client_offset(suite, window):
    """Where the dialog's client area lies in its X window: without a window manager Wine
    draws the frame and caption itself."""
    info = suite.window_info(window)
    border = (info["width"] - DIALOG_CLIENT[0]) // 2
    return border, info["height"] - DIALOG_CLIENT[1] - border


@case("settings_dialog_stores_what_was_typed", rows=[("/c", ["/c"]), ("/c:1234", ["/c:1234"])])
def settings_dialog(suite, box, args):
    suite.park_pointer()
    suite.reset_watch()
    proc = box.start(*args)
    dialog = suite.wait_window(DIALOG, proc, timeout=MAP_TIMEOUT)
    time.sleep(1.0)
    # The dialog's load found no first delay and stored the defaults.
    expect(box.stored() == {k: ("REG_SZ", v) for k, v in DEFAULTS.items()},
           f"the dialog's load stored {box.stored()}")
    dx, dy = client_offset(suite, dialog)
    box_x, box_y = e2e.FIRST_DELAY_BOX
    e2e.click_in(suite, dialog, (dx + box_x, dy + box_y))
    suite.key("ctrl+a")
    suite.xdotool("type", "7")
    ok_x, ok_y = e2e.OK_BUTTON
    e2e.click_in(suite, dialog, (dx + ok_x, dy + ok_y))
    expect_exit(proc, 5.0, "OK")
    stored = box.stored()
    expect(stored.get("nprvni") == ("REG_SZ", "7"), f"OK stored {stored}")


@case("settings_from_the_running_saver", rows=[("S then Storno", ("s", "Storno")),
                                               ("N then OK", ("n", "OK"))])
def settings_from_saver(suite, box, row):
    key, how = row
    box.store(pozice="2")
    proc, saver = start_saver(suite, box, "/s")
    suite.key(key)
    dialog = suite.wait_window(DIALOG, proc, timeout=MAP_TIMEOUT)
    suite.wait_unmapped(saver)
    time.sleep(1.0)
    e2e.close_dialog(suite, dialog, how)
    # The saver comes back, with what OK stored.
    back = suite.wait_window("Form1", proc, timeout=MAP_TIMEOUT)
    expect(box.stored()["pozice"][1] == ("0" if how == "OK" else "2"),
           f"after {how} the settings are {box.stored()}")
    time.sleep(1.0)
    expect(suite.window_info(back)["state"] == "IsViewable", "the saver did not come back")
    suite.key("x")
    expect_exit(proc, 5.0, "a key press in the saver back from the dialog")


# The picture chooser's button, below the colour buttons on the page Vzhled.
PICTURE_BUTTON = (e2e.BACKGROUND_BUTTON[0], e2e.BACKGROUND_BUTTON[1] + 96)


@case("choosers_in_czech")
def choosers(suite, box):
    """Qt's own choosers, in the Czech of the catalogue inside the program, whatever the
    language of the system's own choosers."""
    box.store()
    suite.reset_watch()
    proc = box.start("/c")
    dialog = suite.wait_window(DIALOG, proc, timeout=MAP_TIMEOUT)
    time.sleep(1.0)
    dx, dy = client_offset(suite, dialog)
    e2e.click_in(suite, dialog, (dx + e2e.VZHLED_OPTION[0], dy + e2e.VZHLED_OPTION[1]))
    for button, title in ((e2e.BACKGROUND_BUTTON, e2e.COLOUR_CHOOSER), (PICTURE_BUTTON, "Otevřít")):
        e2e.click_in(suite, dialog, (dx + button[0], dy + button[1]))
        try:
            chooser = suite.wait_window(title, proc, timeout=MAP_TIMEOUT)
        except Failure:
            raise Failure(f"no chooser '{title}'; mapped: {suite.mapped_windows()}")
        suite.key("Escape")
        suite.wait_unmapped(chooser)
    suite.x.request_close(dialog)
    expect_exit(proc, 5.0, "closing the dialog after the choosers")


@case("installer_puts_files_in_place_and_uninstaller_removes_them")
def installer(suite, box):
    expect(os.path.exists(suite.installer), f"no installer at {suite.installer}")
    status, _ = wineprefix.output_of(suite.prefix, suite.installer, "/S", display=suite.display)
    expect(status == 0, f"the installer ended with status {status}")
    system = os.path.join(suite.drive_c, "windows", "system32")
    program_files = os.path.join(suite.drive_c, "Program Files", "Vokabo")
    bundled = sorted(os.listdir(os.path.join(os.path.dirname(__file__), "..", "..", "data",
                                             "lessons")))
    expect(os.path.isfile(os.path.join(system, "vokabo.scr")), "no vokabo.scr in system32")
    installed = sorted(os.listdir(os.path.join(system, "lessons")))
    expect(installed == bundled, f"lessons beside the saver: {installed}")
    for name in ("vokabo-lekce.exe", "uninstall.exe"):
        expect(os.path.isfile(os.path.join(program_files, name)), f"no {name} in Program Files")
    uninstall_key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vokabo"
    entry = suite.reg_query(uninstall_key) or {}
    expect("UninstallString" in entry, f"no uninstaller registered: {entry}")
    desktop = suite.reg_query(r"HKCU\Control Panel\Desktop") or {}
    expect(desktop.get("SCRNSAVE.EXE", ("", ""))[1].lower() == r"c:\windows\system32\vokabo.scr",
           f"the current screen saver is {desktop.get('SCRNSAVE.EXE')}")

    # The installed saver finds the lessons beside it.
    box.store(**SHOW_WORDS)
    proc, _ = start_saver(suite, box, "/s", program=r"C:\windows\system32\vokabo.scr")
    shot = suite.shot()
    expect(shot.count(rgb_of(GREEN), e2e.ANCHOR_LEFT, e2e.ANCHOR[0],
                      e2e.ANCHOR_LEFT + e2e.WORD_W, e2e.ANCHOR[1]) > 30,
           "the installed saver shows no word")
    suite.key("x")
    expect_exit(proc, 5.0, "a key press")

    # The uninstaller hands over to a copy of itself in the temporary folder and returns.
    wineprefix.output_of(suite.prefix, os.path.join(program_files, "uninstall.exe"), "/S",
                         display=suite.display)
    deadline = time.monotonic() + 60
    while os.path.exists(program_files) and time.monotonic() < deadline:
        time.sleep(0.5)
    expect(not os.path.exists(program_files), "Program Files\\Vokabo is still there")
    expect(not os.path.exists(os.path.join(system, "vokabo.scr")), "vokabo.scr is still there")
    expect(not os.path.exists(os.path.join(system, "lessons")), "the lessons are still there")
    expect(suite.reg_query(uninstall_key) is None, "the uninstall entry is still there")
    desktop = suite.reg_query(r"HKCU\Control Panel\Desktop") or {}
    expect("SCRNSAVE.EXE" not in desktop, "the removed saver is still the current one")
    expect(box.stored() == {k: ("REG_SZ", v) for k, v in dict(DEFAULTS, **SHOW_WORDS).items()},
           f"the uninstaller touched the user's settings: {box.stored()}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--installer", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--artifacts", default=os.path.join(tempfile.gettempdir(),
                                                            "vokabo-wine-e2e"))
    parser.add_argument("cases", nargs="*", help="run only these cases")
    options = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "xdotool", "xwininfo", "xprop", "import", "convert")
               if shutil.which(tool) is None]
    if not os.path.exists(wineprefix.WINE):
        missing.append("wine")
    if missing:
        print(f"SKIP: missing {', '.join(missing)}")
        return SKIP
    selected = [c for c in CASES if not options.cases or c[0] in options.cases]

    suite = WineSuite(os.path.abspath(options.program), os.path.abspath(options.installer),
                      options.prefix, options.artifacts)
    return e2e.run_suite(suite, selected, f"Xvfb on {suite.display}, Wine prefix {suite.prefix}",
                         WineBox)


if __name__ == "__main__":
    sys.exit(main())
