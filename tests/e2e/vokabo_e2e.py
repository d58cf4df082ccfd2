#!/usr/bin/env python3
"""End-to-end tests of the saver as a user meets it: the real program, a real X server
without a window manager, real key presses and pointer moves, and the screen read back.

Every case starts the program afresh in a sandbox of its own (program copy, lessons,
HOME, configuration and runtime folders) on one shared Xvfb, one case after the other.
Run by CTest; by hand:  vokabo_e2e.py --program build/vokabo [--group saver|dialog] [case ...]
"""

import argparse
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SCREEN_W, SCREEN_H = 1024, 768

# How long the X server may take to show what a slow, shared machine has to draw.
MAP_TIMEOUT = 8.0
# Refused starts and second instances have to be gone well within this.
QUICK_EXIT = 1.0

SKIP = 77


# --- X11 through Xlib, for what the command-line tools cannot do -------------------------

class XEvent(ctypes.Structure):
    # Xlib's XEvent is a union of 24 longs; the fields used are read by offset below.
    _fields_ = [("raw", ctypes.c_long * 24)]


MAP_NOTIFY, UNMAP_NOTIFY, CLIENT_MESSAGE = 19, 18, 33
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class Xlib:
    """A client of its own that watches which top-level windows get mapped, and sends the
    close request that a window manager would send for a click on a close box."""

    def __init__(self, display):
        self.lib = ctypes.CDLL("libX11.so.6")
        lib = self.lib
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        lib.XPending.argtypes = [ctypes.c_void_p]
        lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.POINTER(XEvent)]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.dpy = lib.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display}")
        self.root = lib.XDefaultRootWindow(self.dpy)
        lib.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        lib.XSync(self.dpy, 0)

    def drain(self):
        """The (type, window) of every map and unmap of a top-level window since last asked."""
        self.lib.XSync(self.dpy, 0)
        seen = []
        event = XEvent()
        while self.lib.XPending(self.dpy):
            self.lib.XNextEvent(self.dpy, ctypes.byref(event))
            kind = event.raw[0] & 0xFFFFFFFF
            if kind in (MAP_NOTIFY, UNMAP_NOTIFY):
                # type, serial, send_event, display, event, window
                seen.append((kind, event.raw[5] & 0xFFFFFFFFFFFFFFFF))
        return seen

    def request_close(self, window):
        """WM_DELETE_WINDOW, exactly as a window manager asks a client to close a window."""
        protocols = self.lib.XInternAtom(self.dpy, b"WM_PROTOCOLS", 0)
        delete = self.lib.XInternAtom(self.dpy, b"WM_DELETE_WINDOW", 0)
        event = XEvent()
        raw = event.raw
        raw[0] = CLIENT_MESSAGE
        raw[2] = 1  # send_event
        raw[4] = window
        raw[5] = protocols
        raw[6] = 32  # format
        raw[7] = delete
        raw[8] = 0  # CurrentTime
        self.lib.XSendEvent(self.dpy, window, 0, 0, ctypes.byref(event))
        self.lib.XFlush(self.dpy)

    def close(self):
        if self.dpy:
            self.lib.XCloseDisplay(self.dpy)
            self.dpy = None


# --- processes ---------------------------------------------------------------------------

_libc = ctypes.CDLL(None, use_errno=True)
PR_SET_PDEATHSIG = 1


def _die_with_parent():
    # Should the test driver itself be killed outright (a CTest timeout), nothing it
    # started may outlive it.
    _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class Processes:
    def __init__(self):
        self.started = []

    def spawn(self, argv, **kwargs):
        proc = subprocess.Popen(argv, start_new_session=True, preexec_fn=_die_with_parent,
                                **kwargs)
        self.started.append(proc)
        return proc

    def _signal_all(self, number, timeout):
        for proc in reversed(self.started):
            if proc.poll() is None:
                try:
                    os.killpg(proc.pid, number)
                except ProcessLookupError:
                    pass
                try:
                    proc.wait(timeout=timeout)
                except subprocess.TimeoutExpired:
                    pass

    def kill_all(self):
        self._signal_all(signal.SIGKILL, 5)
        self.started.clear()

    def stop_all(self):
        """Ends everything, servers last and gently, so that Xvfb takes its lock file and
        socket with it; only what does not end in time is killed."""
        self._signal_all(signal.SIGTERM, 3)
        self.kill_all()


PROCESSES = Processes()


def run_tool(*argv, check=True):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=20)
    if check and result.returncode != 0:
        raise RuntimeError(f"{' '.join(argv)} failed: {result.stderr.strip()}")
    return result.stdout


def start_xvfb():
    read_end, write_end = os.pipe()
    proc = PROCESSES.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                            f"{SCREEN_W}x{SCREEN_H}x24", "-nolisten", "tcp", "-noreset"],
                           pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 20
    with os.fdopen(read_end, "rb") as pipe:
        # Xvfb writes the display number once it accepts clients.
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        raise RuntimeError("Xvfb did not start")
    return proc, ":" + number.decode().strip()


# --- the screen --------------------------------------------------------------------------

class Shot:
    """One screenshot of the whole screen, read pixel by pixel."""

    def __init__(self, display):
        data = subprocess.run(["import", "-display", display, "-window", "root", "-depth", "8",
                               "ppm:-"], capture_output=True, timeout=20, check=True).stdout
        magic, width, height, maxval, rest = data.split(maxsplit=4)
        if magic != b"P6" or int(maxval) != 255:
            raise RuntimeError("unexpected screenshot format")
        self.width, self.height, self.data = int(width), int(height), rest
        self.ppm = data

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.data[at:at + 3])

    def count(self, rgb, left, top, right, bottom):
        """How many pixels of exactly this colour lie in [left, right) x [top, bottom)."""
        wanted = bytes(rgb)
        found = 0
        for y in range(max(0, top), min(self.height, bottom)):
            row = self.data[(y * self.width + left) * 3:(y * self.width + right) * 3]
            found += sum(1 for i in range(0, len(row), 3) if row[i:i + 3] == wanted)
        return found

    def save(self, path):
        subprocess.run(["convert", "ppm:-", path], input=self.ppm, timeout=20, check=True)


def rgb_of(number):
    """The screen colour of a stored colour number, 0x00BBGGRR."""
    return (number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF)


# --- lessons and settings ----------------------------------------------------------------

def lesson_bytes(title_line, entries):
    lines = [title_line, "Lekce 1"]
    for english, czech, *example in entries:
        lines += [english, f"[{english}]", "podstatné jméno", czech, "pozn.",
                  example[0] if example else f"A {english}.|Nějaký {czech}.", "--"]
    return ("\r\n".join(lines) + "\r\n").encode("cp1250")


LESSONS = {
    "zvirata.txt": lesson_bytes("Zvířata/Animals", [("dog", "pes, psík"), ("cat", "kočka")]),
    "jidlo.txt": lesson_bytes("Jídlo/Food", [("bread", "chléb"), ("milk", "mléko")]),
}

DEFAULTS = {"nprvni": "3", "ndruhy": "3", "prvnicesky": "1", "pozice": "0", "bpozadi": "0",
            "btextu": "16777215", "bstinu": "14737632", "obr": ""}

# With a fixed placement the Czech word stays where the window's design puts it, and the
# English one is stacked on it, so the words are known to be away from the screen's edges.
FIXED_PLACEMENT = {"pozice": "1"}
ANCHOR_LEFT, ANCHOR_TOP, WORD_W, WORD_H = 232, 392, 353, 41  # lblcesky, in pixels


def parse_ini(text):
    groups, group = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            group = groups.setdefault(line[1:-1], {})
        elif "=" in line and group is not None:
            key, value = line.split("=", 1)
            group[key.strip()] = value.strip()
    return groups


# --- one sandboxed start of the program ---------------------------------------------------

class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


class Sandbox:
    """A folder with a copy of the program and its lessons, and a user of its own."""

    def __init__(self, suite, name):
        self.suite = suite
        self.root = tempfile.mkdtemp(prefix=re.sub(r"\W", "_", name) + "-", dir=suite.workdir)
        self.app = os.path.join(self.root, "app")
        os.makedirs(os.path.join(self.app, "lessons"))
        self.program = os.path.join(self.app, "vokabo")
        shutil.copy2(suite.program, self.program)
        for name_, data in LESSONS.items():
            with open(os.path.join(self.app, "lessons", name_), "wb") as out:
                out.write(data)
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.root, "config")
        self.runtime = os.path.join(self.root, "runtime")
        self.data = os.path.join(self.root, "data")  # XDG_DATA_HOME, may stay missing
        for folder in (self.home, self.config):
            os.makedirs(folder)
        os.makedirs(self.runtime, mode=0o700)
        os.chmod(self.runtime, 0o700)
        self.ini = os.path.join(self.config, "VKB_S.ini")
        self.logs = []

    def env(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "XDG_", "WAYLAND")) and key != "DISPLAY"}
        env.update(DISPLAY=self.suite.display, HOME=self.home, XDG_CONFIG_HOME=self.config,
                   XDG_DATA_HOME=self.data, XDG_RUNTIME_DIR=self.runtime, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
        return env

    def store(self, **settings):
        values = dict(DEFAULTS)
        values.update(settings)
        with open(self.ini, "w", encoding="utf-8") as out:
            out.write("[nastaveni]\n")
            for key, value in values.items():
                out.write(f"{key}={value}\n")

    def stored(self):
        if not os.path.exists(self.ini):
            return None
        with open(self.ini, encoding="utf-8") as text:
            return parse_ini(text.read()).get("nastaveni", {})

    def start(self, *args):
        log = open(os.path.join(self.root, f"program-{len(self.logs)}.log"), "w")
        self.logs.append(log.name)
        proc = PROCESSES.spawn([self.program, *args], env=self.env(), cwd=self.root,
                               stdout=log, stderr=subprocess.STDOUT)
        log.close()
        return proc


def wait_exit(proc, timeout):
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


# --- the suite -------------------------------------------------------------------------

CASES = []


def case(name, group="saver", rows=None):
    """Registers a case; with rows, a data-driven one whose every (label, data) row runs on
    its own, as name[label]."""
    def register(function):
        CASES.append((name, group, function, rows))
        return function
    return register


class Suite:
    def __init__(self, program, artifacts):
        self.program = program
        self.artifacts = artifacts
        self.workdir = tempfile.mkdtemp(prefix="vokabo-e2e-")
        self.xvfb, self.display = start_xvfb()
        os.environ["DISPLAY"] = self.display  # for the command-line tools
        self.x = Xlib(self.display)
        self._mapped = []

    def close(self):
        # Hang up before the server goes, or Xlib ends this process on the lost connection.
        if self.x:
            self.x.close()
        kill_programs(self)
        # Asked, not killed, so that the server takes its lock file and socket with it.
        self.xvfb.terminate()
        try:
            self.xvfb.wait(timeout=3)
        except subprocess.TimeoutExpired:
            pass
        PROCESSES.kill_all()
        shutil.rmtree(self.workdir, ignore_errors=True)

    # tools

    def xdotool(self, *args):
        return run_tool("xdotool", *args)

    def pointer_to(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def park_pointer(self):
        # Over the background near the bottom right, where no word or banner ever is.
        self.pointer_to(SCREEN_W - 2, SCREEN_H - 2)
        time.sleep(0.05)

    def shot(self):
        return Shot(self.display)

    def window_info(self, window):
        out = run_tool("xwininfo", "-display", self.display, "-id", str(window), check=False)
        info = {}
        for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                             ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                             ("width", r"Width:\s+(\d+)"), ("height", r"Height:\s+(\d+)"),
                             ("state", r"Map State:\s+(\w+)")):
            match = re.search(pattern, out)
            info[key] = (int(match.group(1)) if key != "state" else match.group(1)) \
                if match else None
        return info

    def window_name(self, window):
        out = run_tool("xprop", "-display", self.display, "-id", str(window), "_NET_WM_NAME",
                       "WM_NAME", check=False)
        match = re.search(r'_NET_WM_NAME\(UTF8_STRING\) = "(.*)"', out) or \
            re.search(r'WM_NAME\(\w+\) = "(.*)"', out)
        return match.group(1) if match else None

    def focused_window(self):
        return int(self.xdotool("getwindowfocus").strip())

    def mapped_windows(self):
        """Top-level windows mapped now, in the order they appeared, by name."""
        return [(w, self.window_name(w)) for w in self._mapped]

    def reset_watch(self):
        self.x.drain()
        self._mapped = []

    def watch(self):
        """Applies the maps and unmaps seen since the last look; returns the new maps."""
        fresh = []
        for kind, window in self.x.drain():
            if kind == MAP_NOTIFY:
                if window not in self._mapped:
                    self._mapped.append(window)
                fresh.append(window)
            elif window in self._mapped:
                self._mapped.remove(window)
        return fresh

    def wait_window(self, name, proc=None, timeout=MAP_TIMEOUT):
        """The window of this name, once it is mapped and viewable."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.watch()
            for window in self._mapped:
                if self.window_name(window) == name and \
                        self.window_info(window)["state"] == "IsViewable":
                    return window
            if proc is not None and proc.poll() is not None:
                raise Failure(f"the program ended (status {proc.returncode}) before a window "
                              f"'{name}' was shown")
            time.sleep(0.05)
        raise Failure(f"no window '{name}' was mapped within {timeout} s; mapped: "
                      f"{self.mapped_windows()}")

    def wait_unmapped(self, window, timeout=MAP_TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.watch()
            if window not in self._mapped:
                return
            time.sleep(0.05)
        raise Failure(f"window {window:#x} still mapped after {timeout} s")

    def start_saver(self, box, *args):
        """Starts the saver and waits until its window is on the screen and has the keyboard."""
        self.park_pointer()
        self.reset_watch()
        proc = box.start(*args)
        window = self.wait_window("Form1", proc)
        self.wait_focus(window)
        # Mapped is not yet painted.
        time.sleep(0.3)
        return proc, window

    def wait_focus(self, window, timeout=3.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.focused_window() == window:
                return
            time.sleep(0.05)
        raise Failure(f"the window {window:#x} did not take the keyboard focus "
                      f"(focus is on {self.focused_window():#x})")

    def key(self, name):
        self.xdotool("key", name)

    def expect_exit(self, proc, timeout, what):
        status = wait_exit(proc, timeout)
        expect(status is not None, f"{what}: the program still runs {timeout} s later")
        expect(status == 0, f"{what}: the program ended with status {status}")

    def expect_alive(self, proc, what):
        expect(proc.poll() is None, f"{what}: the program ended (status {proc.returncode})")

    def keep_evidence(self, box, name):
        os.makedirs(self.artifacts, exist_ok=True)
        stem = os.path.join(self.artifacts, re.sub(r"[^\w.-]", "_", name))
        try:
            self.shot().save(stem + ".png")
        except Exception:  # the evidence is a courtesy; the failure is reported anyway
            pass
        if box is not None:
            for index, log in enumerate(box.logs):
                shutil.copy(log, f"{stem}.program-{index}.log")
            if os.path.exists(box.ini):
                shutil.copy(box.ini, stem + ".ini")
        return stem


class Results:
    def __init__(self):
        self.passed, self.failed = [], []

    def record(self, name, error=None):
        if error is None:
            self.passed.append(name)
            print(f"PASS  {name}", flush=True)
        else:
            self.failed.append(name)
            print(f"FAIL  {name}: {error}", flush=True)


def run_row(suite, results, name, body, make_box=None):
    """Runs one case (or one row of a data-driven case) in a sandbox of its own."""
    box = (make_box or Sandbox)(suite, name)
    started = time.monotonic()
    try:
        body(box)
    except Failure as failure:
        stem = suite.keep_evidence(box, name)
        results.record(name, f"{failure} (evidence: {stem}.*)")
    except Exception:  # a broken tool or harness is a failure of the case, not of the run
        stem = suite.keep_evidence(box, name)
        results.record(name, "error\n" + traceback.format_exc() + f"(evidence: {stem}.*)")
    else:
        results.record(name + f"  ({time.monotonic() - started:.1f} s)")
    finally:
        kill_programs(suite)


def run_cases(suite, results, selected, make_box=None):
    """Runs the (name, function, rows) cases, each row of a data-driven one on its own."""
    for name, function, rows in selected:
        if rows is None:
            run_row(suite, results, name, lambda box, f=function: f(suite, box), make_box)
        else:
            for label, *data in rows:
                data = data[0] if len(data) == 1 else tuple(data)
                run_row(suite, results, f"{name}[{label}]",
                        lambda box, f=function, d=data: f(suite, box, d), make_box)


def run_suite(suite, selected, banner, make_box=None):
    """Runs the cases, closes the suite, and gives the driver's exit status."""
    results = Results()
    try:
        print(banner, flush=True)
        run_cases(suite, results, selected, make_box)
    finally:
        suite.close()
    print(f"{len(results.passed)} passed, {len(results.failed)} failed")
    return 1 if results.failed else 0


def kill_programs(suite):
    # Whatever a case left running is ended before the next one starts.
    survivors = [p for p in PROCESSES.started if p is not suite.xvfb]
    for proc in survivors:
        if proc.poll() is None:
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            proc.wait(timeout=5)
    PROCESSES.started = [p for p in PROCESSES.started if p is suite.xvfb]


# --- cases: start-up -------------------------------------------------------------------

@case("refused_command_line", rows=[
    ("/x", ["/x"]),
    ("/p 1234", ["/p", "1234"]),
    ("/a 1", ["/a", "1"]),
    ("blank then /s", [" /s"]),
    ("x/s", ["x/s"]),
    ("/", ["/"]),
])
def refused_command_line(suite, box, args):
    suite.reset_watch()
    proc = box.start(*args)
    suite.expect_exit(proc, QUICK_EXIT, "refused start")
    maps = suite.watch()
    expect(not maps, f"a refused start mapped windows {[suite.window_name(w) for w in maps]}")
    # The refusal comes before the settings are read, so a first refused start writes nothing.
    expect(box.stored() is None, "a refused start wrote the settings")


@case("help_and_version_answer_at_once", rows=[
    ("--help", ["--help"], "Použití: vokabo [/s | /c]\n"),
    ("-h", ["-h"], "Použití: vokabo [/s | /c]\n"),
    ("--version", ["--version"], "vokabo 0.9.0\n"),
])
def help_and_version(suite, box, row):
    args, opening = row
    box.store(**FIXED_PLACEMENT)
    before = box.stored()
    saver, _ = suite.start_saver(box, "/s")  # holds the instance lock
    for display in (True, False):
        env = box.env()
        if not display:
            del env["DISPLAY"]
        suite.reset_watch()
        started = time.monotonic()
        done = subprocess.run([box.program, *args], env=env, cwd=box.root, capture_output=True,
                              timeout=10)
        taken = time.monotonic() - started
        where = "with a display" if display else "without a display"
        expect(done.returncode == 0, f"{where}: ended with status {done.returncode}")
        expect(done.stdout.decode("utf-8").startswith(opening),
               f"{where}: printed {done.stdout!r}")
        expect(not done.stderr, f"{where}: said {done.stderr!r} on stderr")
        expect(taken < QUICK_EXIT, f"{where}: took {taken:.1f} s")
        expect(not suite.watch(), f"{where}: mapped a window")
    suite.expect_alive(saver, "the saver beside it")
    suite.key("x")
    suite.expect_exit(saver, 2.0, "a key press")
    expect(box.stored() == before, f"the settings changed to {box.stored()}")


@case("saver_command_line", rows=[
    ("/s", ["/s"]),
    ("/S", ["/S"]),
    ("no argument", []),
    ("/s with more after it", ["/sx:99"]),
])
def saver_command_line(suite, box, args):
    proc, window = suite.start_saver(box, *args)
    time.sleep(0.5)
    suite.watch()
    mapped = suite.mapped_windows()
    expect(len(mapped) == 1, f"expected one window, mapped: {mapped}")
    info = suite.window_info(window)
    expect((info["x"], info["y"], info["width"], info["height"]) == (0, 0, SCREEN_W, SCREEN_H),
           f"the saver's window is {info}, not the whole {SCREEN_W}x{SCREEN_H} screen at 0,0")
    suite.expect_alive(proc, "running saver")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


@case("first_run_writes_defaults")
def first_run_writes_defaults(suite, box):
    expect(box.stored() is None, "the sandbox already has settings")
    proc, _ = suite.start_saver(box, "/s")
    stored = box.stored()
    expect(stored == DEFAULTS, f"first run stored {stored}, expected {DEFAULTS}")
    shot = suite.shot()
    expect(shot.pixel(SCREEN_W - 2, SCREEN_H - 2) == (0, 0, 0),
           f"default background should be black, is {shot.pixel(SCREEN_W - 2, SCREEN_H - 2)}")
    suite.key("Escape")
    suite.expect_exit(proc, 2.0, "Escape")


@case("stored_settings_at_start", rows=[
    ("valid settings are read, not rewritten",
     dict(nprvni="5", ndruhy="1", prvnicesky="0", pozice="2", bpozadi="255"), None, (255, 0, 0)),
    ("first delay not a number resets all to defaults",
     dict(nprvni="abc", bpozadi="255", pozice="3"), DEFAULTS, (0, 0, 0)),
    ("second delay not a number is left alone",
     dict(ndruhy="abc", bpozadi="65280"), None, (0, 255, 0)),
])
def stored_settings_at_start(suite, box, row):
    settings, expected_after, corner = row
    box.store(**settings)
    before = box.stored()
    proc, _ = suite.start_saver(box, "/s")
    after = box.stored()
    expect(after == (expected_after or before), f"settings after start are {after}")
    colour = suite.shot().pixel(SCREEN_W - 2, SCREEN_H - 2)
    expect(colour == corner, f"background is {colour}, expected {corner}")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


def _close(a, b, tolerance=10):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


@case("background_colour_and_picture", rows=[
    ("red", dict(bpozadi="255"), False),
    ("green", dict(bpozadi="65280"), False),
    ("blue", dict(bpozadi="16711680"), False),
    ("grey", dict(bpozadi="8421504"), False),
    ("jpeg picture from the top-left corner over red", dict(bpozadi="255"), True),
    ("missing picture leaves the colour", dict(bpozadi="65280", obr="/nonexistent/x.jpg"), False),
])
def background_colour_and_picture(suite, box, row):
    settings, with_picture = row
    settings = dict(settings, **FIXED_PLACEMENT)
    picture_size, picture_rgb = (300, 200), (0, 0, 255)
    if with_picture:
        path = os.path.join(box.root, "picture.jpg")
        run_tool("convert", "-size", "%dx%d" % picture_size, "xc:#0000ff", path)
        settings["obr"] = path
    box.store(**settings)
    background = rgb_of(int(settings["bpozadi"]))
    proc, _ = suite.start_saver(box, "/s")
    shot = suite.shot()
    for x, y in ((SCREEN_W - 2, SCREEN_H - 2), (SCREEN_W - 2, 100), (5, SCREEN_H - 2),
                 (picture_size[0] + 10, 100), (100, picture_size[1] + 10)):
        expect(shot.pixel(x, y) == background,
               f"pixel {x},{y} is {shot.pixel(x, y)}, background should be {background}")
    inside = shot.pixel(picture_size[0] - 10, picture_size[1] - 10)
    if with_picture:
        expect(_close(inside, picture_rgb), f"picture pixel is {inside}, expected ~{picture_rgb}")
    else:
        expect(inside == background, f"pixel inside the picture area is {inside} with no picture")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


# --- cases: what the saver shows -----------------------------------------------------------

# Two pixels inside the banner plate that neither the logo nor a banner caption covers,
# and where no word can ever stand (words keep 1000 twips from the top and left edges).
PLATE_PIXELS = ((3, 3), (3, 40))


@case("banner_shows_at_start_and_hides_after_ten_seconds")
def banner_cycle(suite, box):
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    red = (255, 0, 0)
    proc, _ = suite.start_saver(box, "/s")
    shown_at = time.monotonic()
    shot = suite.shot()
    plate = [shot.pixel(x, y) for x, y in PLATE_PIXELS]
    expect(all(p != red for p in plate), f"no banner plate at start: {plate} over red")
    expect(plate[0] == plate[1], f"plate is not of one colour: {plate}")
    # The banner hides at the tenth tick after the lesson load; two seconds of margin.
    time.sleep(max(0.0, shown_at + 12.0 - time.monotonic()))
    shot = suite.shot()
    gone = [shot.pixel(x, y) for x, y in PLATE_PIXELS]
    expect(all(p == red for p in gone), f"banner still shown 12 s after start: {gone}")
    suite.expect_alive(proc, "after the banner hid")
    # A new lesson brings it back at once.
    suite.key("space")
    time.sleep(0.8)
    shot = suite.shot()
    again = [shot.pixel(x, y) for x, y in PLATE_PIXELS]
    expect(all(p == plate[0] for p in again), f"space did not bring the banner back: {again}")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


# Word regions with the fixed placement: the anchor (the Czech word) and the rows just below
# and above it, where the English word is stacked in either language order.
ABOVE = (ANCHOR_TOP - WORD_H, ANCHOR_TOP)
ANCHOR = (ANCHOR_TOP, ANCHOR_TOP + WORD_H)
BELOW = (ANCHOR_TOP + WORD_H, ANCHOR_TOP + 2 * WORD_H)


@case("word_then_translation", rows=[
    ("Czech first, English below", "1", ANCHOR, BELOW),
    ("English first, Czech below", "0", ABOVE, ANCHOR),
])
def word_then_translation(suite, box, row):
    czech_first, first_rows, second_rows = row
    text, shadow = 65280, 16711680  # green words over blue shadows on black
    box.store(prvnicesky=czech_first, btextu=str(text), bstinu=str(shadow), **FIXED_PLACEMENT)
    green = rgb_of(text)

    def words(shot, rows):
        return shot.count(green, ANCHOR_LEFT, rows[0], ANCHOR_LEFT + WORD_W, rows[1])

    proc, _ = suite.start_saver(box, "/s")
    shown_at = time.monotonic()
    shot = suite.shot()
    taken = time.monotonic() - shown_at
    # With the first delay of 3 s the translation comes at the third tick.
    expect(taken < 2.5, f"the machine is too slow to judge the first phase ({taken:.1f} s)")
    expect(words(shot, first_rows) > 30, "the first word is not shown at start")
    expect(words(shot, second_rows) == 0, "the translation is shown before the first delay")
    time.sleep(max(0.0, shown_at + 4.5 - time.monotonic()))
    shot = suite.shot()
    expect(words(shot, first_rows) > 30, "the first word is gone while the pair should show")
    expect(words(shot, second_rows) > 30, "no translation 4.5 s after the word appeared")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


def ink_bands(shot, rgb, left, right, top=0):
    """The runs of rows from top down that hold a pixel of exactly this colour between left
    and right: one run for each line of text that stands apart from the next."""
    bands, start = [], None
    for y in range(top, shot.height):
        inked = shot.count(rgb, left, y, right, y + 1) > 0
        if inked and start is None:
            start = y
        elif not inked and start is not None:
            bands.append((start, y))
            start = None
    if start is not None:
        bands.append((start, shot.height))
    return bands


def rows_of(shot, band, left, right):
    return [shot.data[(y * shot.width + left) * 3:(y * shot.width + right) * 3]
            for y in range(*band)]


@case("pronunciation_and_example_on_request")
def pronunciation_and_example(suite, box):
    """With the setting on, the example sentence and its translation are on the screen, each
    with its word. They are read off the screen by swapping them in the lesson: the same
    sentence drawn in the other's place must give the very same pixels."""
    english, czech = "The dog barks.", "Pes štěká."
    text, shadow = 65280, 16711680
    green = rgb_of(text)
    left, right = ANCHOR_LEFT, ANCHOR_LEFT + WORD_W

    def run(example, setting="1"):
        only_lessons(box, {"zvirata.txt": lesson_bytes("Zvířata/Animals",
                                                       [("dog", "pes", example)])})
        box.store(prvnicesky="1", nprvni="2", ndruhy="30", btextu=str(text), bstinu=str(shadow),
                  vyslovnost=setting, **FIXED_PLACEMENT)
        proc, _ = suite.start_saver(box, "/s")
        shown_at = time.monotonic()
        first = suite.shot()
        expect(time.monotonic() - shown_at < 1.5, "the machine is too slow to judge the first phase")
        time.sleep(max(0.0, shown_at + 3.0 - time.monotonic()))
        pair = suite.shot()
        suite.key("x")
        suite.expect_exit(proc, 2.0, "a key press")
        return first, pair

    first, pair = run(f"{english}|{czech}")
    below_pair = ANCHOR[1] + WORD_H
    sentences = ink_bands(pair, green, left, right, below_pair)
    # Under the pair: the pronunciation, then the Czech sentence, then the English one.
    expect(len(sentences) == 3, f"expected pronunciation and two sentences, found {sentences}")
    expect(sentences[-1][1] < SCREEN_H, "the example reaches the screen's edge")
    alone = ink_bands(first, green, left, right, ANCHOR[1])
    # At first, with the Czech word alone, only the Czech sentence, in its place.
    expect(len(alone) == 1 and rows_of(first, alone[0], left, right) ==
           rows_of(pair, sentences[1], left, right),
           f"before the translation, expected the Czech sentence alone below the word: {alone}")

    _, swapped = run(f"{czech}|{english}")
    again = ink_bands(swapped, green, left, right, below_pair)
    expect(len(again) == 3, f"with the sentences swapped, found {again}")
    read = {"English": (sentences[2], again[1]), "Czech": (sentences[1], again[2])}
    for language, (shown, reference) in read.items():
        expect(rows_of(pair, shown, left, right) == rows_of(swapped, reference, left, right),
               f"the {language} sentence on the screen is not the lesson's")
    expect(rows_of(pair, sentences[1], left, right) != rows_of(pair, sentences[2], left, right),
           "the two sentences look the same")

    _, without = run(f"{english}|{czech}", setting="0")
    expect(not ink_bands(without, green, left, right, below_pair),
           "with the setting off something is shown under the pair")


# --- cases: input --------------------------------------------------------------------------

@case("key_ends_saver", rows=[
    ("x", "x"), ("Escape", "Escape"), ("Return", "Return"), ("Shift", "Shift_L"),
    ("Control", "Control_L"), ("Alt", "Alt_L"), ("F1", "F1"),
])
def key_ends_saver(suite, box, key):
    box.store(**FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    suite.key(key)
    suite.expect_exit(proc, 2.0, f"key {key}")


@case("mouse_button_ends_saver", rows=[("left", "1"), ("middle", "2"), ("right", "3")])
def mouse_button_ends_saver(suite, box, button):
    box.store(**FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    suite.xdotool("click", button)
    suite.expect_exit(proc, 2.0, f"mouse button {button}")


def move_along_bottom(suite, count, start_index=0, pause=0.08):
    """Moves the pointer to distinct spots along the bottom edge, one motion event each, with
    pauses long enough that the program takes each event on its own."""
    for i in range(start_index, start_index + count):
        suite.pointer_to(20 + 12 * i, SCREEN_H - 3)
        time.sleep(pause)


@case("mouse_moves_25_tolerated_26th_ends")
def mouse_moves(suite, box):
    box.store(**FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    move_along_bottom(suite, 25)
    time.sleep(0.6)
    suite.expect_alive(proc, "after 25 mouse moves")
    move_along_bottom(suite, 1, start_index=25)
    suite.expect_exit(proc, 2.0, "the 26th mouse move")


@case("mouse_moves_over_a_word_count_nothing")
def mouse_over_word(suite, box):
    box.store(**FIXED_PLACEMENT)  # Czech first: the Czech word is shown from the start
    proc, _ = suite.start_saver(box, "/s")
    for i in range(30):
        suite.pointer_to(ANCHOR_LEFT + 20 + 10 * i, ANCHOR_TOP + WORD_H // 2)
        time.sleep(0.05)
    time.sleep(0.3)
    suite.expect_alive(proc, "after 30 moves over the word")
    move_along_bottom(suite, 25)
    time.sleep(0.6)
    suite.expect_alive(proc, "after 30 moves over the word and 25 over the background")
    move_along_bottom(suite, 1, start_index=25)
    suite.expect_exit(proc, 2.0, "the 26th move over the background")


@case("space_keeps_saver_running", rows=[("pressed 6 times", "taps"), ("held down", "hold")])
def space_keeps_running(suite, box, how):
    box.store(**FIXED_PLACEMENT)
    proc, window = suite.start_saver(box, "/s")
    if how == "taps":
        for _ in range(6):
            suite.key("space")
            time.sleep(0.15)
    else:
        suite.xdotool("keydown", "space")
        time.sleep(1.5)
        suite.xdotool("keyup", "space")
    time.sleep(1.0)
    suite.expect_alive(proc, "after space")
    suite.watch()
    expect(suite.window_info(window)["state"] == "IsViewable", "the saver's window is gone")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press after space")


# --- cases: one instance -------------------------------------------------------------------

@case("second_instance_ends_at_once")
def second_instance(suite, box):
    box.store(**FIXED_PLACEMENT)
    first, window = suite.start_saver(box, "/s")
    for args in ([], ["/s"], ["/c"], ["/x"]):
        suite.reset_watch()
        second = box.start(*args)
        suite.expect_exit(second, QUICK_EXIT, f"second instance {args}")
        maps = suite.watch()
        expect(not maps, f"second instance {args} mapped {[suite.window_name(w) for w in maps]}")
    suite.expect_alive(first, "first instance")
    expect(suite.window_info(window)["state"] == "IsViewable", "the first saver's window is gone")
    suite.key("x")
    suite.expect_exit(first, 2.0, "a key press")


@case("lock_of_a_killed_saver_does_not_block")
def killed_saver(suite, box):
    box.store(**FIXED_PLACEMENT)
    first, _ = suite.start_saver(box, "/s")
    os.killpg(first.pid, signal.SIGKILL)
    first.wait(timeout=5)
    proc, _ = suite.start_saver(box, "/s")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


# --- cases: the settings dialog ----------------------------------------------------------

DIALOG = "Nastavení"
COLOUR_CHOOSER = "Vybrat barvu"
DIALOG_SIZE = (403, 403)
# Button centres in the dialog's client area: OK at 248,360 and Storno at 320,360, 65 x 33.
OK_BUTTON = (248 + 32, 360 + 16)
STORNO_BUTTON = (320 + 32, 360 + 16)


def close_dialog(suite, window, how):
    if how == "close box":
        suite.x.request_close(window)
        return
    x, y = OK_BUTTON if how == "OK" else STORNO_BUTTON
    suite.xdotool("mousemove", "--window", str(window), str(x), str(y))
    time.sleep(0.1)
    suite.xdotool("click", "1")


def check_dialog_window(suite, window):
    info = suite.window_info(window)
    expect((info["width"], info["height"]) == DIALOG_SIZE,
           f"dialog client area is {info['width']}x{info['height']}, not 403x403")
    centred = ((SCREEN_W - DIALOG_SIZE[0]) // 2, (SCREEN_H - DIALOG_SIZE[1]) // 2)
    expect(abs(info["x"] - centred[0]) <= 2 and abs(info["y"] - centred[1]) <= 2,
           f"dialog at {info['x']},{info['y']}, not centred at {centred}")


@case("settings_dialog_from_command_line", group="dialog", rows=[
    ("/c closed by its close box", ["/c"], "close box"),
    ("/C closed by Storno", ["/C"], "Storno"),
    ("/c:1234 closed by OK", ["/c:1234"], "OK"),
])
def dialog_from_command_line(suite, box, row):
    args, how = row
    if how != "close box":
        box.store(pozice="2")
    suite.park_pointer()
    suite.reset_watch()
    proc = box.start(*args)
    window = suite.wait_window(DIALOG, proc)
    time.sleep(0.3)
    check_dialog_window(suite, window)
    names = [name for _, name in suite.mapped_windows()]
    expect(names == [DIALOG], f"mapped windows: {names}")
    if how == "close box":
        # A fresh user: the dialog's load finds no first delay and writes the defaults.
        expect(box.stored() == DEFAULTS, f"dialog load stored {box.stored()}")
    close_dialog(suite, window, how)
    suite.expect_exit(proc, 2.0, f"closing the dialog by {how}")
    stored = box.stored()
    if how == "OK":
        expect(stored.get("pozice") == "0", f"OK should store placement 0: {stored}")
    elif how == "Storno":
        expect(stored.get("pozice") == "2", f"Storno changed the settings: {stored}")
    maps = [suite.window_name(w) for w in suite.watch()]
    expect("Form1" not in maps, "the saver's window was shown")


@case("settings_dialog_from_saver", group="dialog", rows=[
    ("S then OK", "s", "OK"),
    ("N then Storno", "n", "Storno"),
    ("S then close box", "s", "close box"),
])
def dialog_from_saver(suite, box, row):
    key, how = row
    box.store(pozice="2")
    proc, saver = suite.start_saver(box, "/s")
    suite.key(key)
    dialog = suite.wait_window(DIALOG, proc)
    suite.wait_unmapped(saver)
    time.sleep(0.3)
    check_dialog_window(suite, dialog)
    suite.expect_alive(proc, "with the dialog open")
    close_dialog(suite, dialog, how)
    back = suite.wait_window("Form1", proc)
    info = suite.window_info(back)
    expect((info["x"], info["y"], info["width"], info["height"]) == (0, 0, SCREEN_W, SCREEN_H),
           f"the saver came back as {info}")
    suite.wait_unmapped(dialog)
    stored = box.stored()
    expected = "0" if how == "OK" else "2"
    expect(stored.get("pozice") == expected, f"after {how} the settings are {stored}")
    suite.wait_focus(back)
    suite.expect_alive(proc, "saver back from the dialog")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press in the saver back from the dialog")


@case("mouse_moves_count_on_after_the_dialog", group="dialog")
def mouse_count_carries_over(suite, box):
    box.store(**FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    move_along_bottom(suite, 20)
    time.sleep(0.3)
    suite.key("s")
    dialog = suite.wait_window(DIALOG, proc)
    time.sleep(0.3)
    close_dialog(suite, dialog, "Storno")
    back = suite.wait_window("Form1", proc)
    suite.wait_focus(back)
    time.sleep(0.3)
    move_along_bottom(suite, 5, start_index=20)
    time.sleep(0.6)
    suite.expect_alive(proc, "after 20 + 5 mouse moves")
    move_along_bottom(suite, 1, start_index=25)
    suite.expect_exit(proc, 2.0, "the 26th mouse move, counted across the dialog")


@case("second_instance_while_dialog_open", group="dialog")
def second_instance_while_dialog(suite, box):
    suite.reset_watch()
    first = box.start("/c")
    dialog = suite.wait_window(DIALOG, first)
    for args in (["/s"], ["/c"]):
        suite.reset_watch()
        second = box.start(*args)
        suite.expect_exit(second, QUICK_EXIT, f"second instance {args}")
        expect(not suite.watch(), f"second instance {args} mapped a window")
    suite.expect_alive(first, "the dialog's process")
    suite.x.request_close(dialog)
    suite.expect_exit(first, 2.0, "closing the dialog")


# --- cases: the settings store ------------------------------------------------------------

@case("unusable_word_colour_is_white", rows=[
    ("English first, word colour a word", dict(prvnicesky="0", btextu="abc"), ABOVE),
    ("Czech first, word colour empty", dict(prvnicesky="1", btextu=""), ANCHOR),
])
def unusable_word_colour_is_white(suite, box, row):
    settings, first_rows = row
    box.store(**settings, **FIXED_PLACEMENT)
    with open(box.ini, "rb") as stored:
        before = stored.read()
    proc, _ = suite.start_saver(box, "/s")
    white = suite.shot().count((255, 255, 255), ANCHOR_LEFT, first_rows[0],
                               ANCHOR_LEFT + WORD_W, first_rows[1])
    expect(white > 30, f"the first word is not white over the black background ({white} pixels)")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")
    with open(box.ini, "rb") as stored:
        expect(stored.read() == before, "reading the settings changed the file")


@case("hand_edited_settings_file", rows=[
    ("comment line before the group", b"# moje\n[nastaveni]\nnprvni=5\nbpozadi=255\n"),
    ("byte order mark and CR LF", b"\xef\xbb\xbf[nastaveni]\r\nnprvni=5\r\nbpozadi=255\r\n"),
    ("upper-case names", b"[NASTAVENI]\nNPRVNI=5\nBPOZADI=255\n"),
    ("header without bracket", b"[nastaveni\nnprvni=5\nbpozadi=255\n"),
])
def hand_edited_settings_file(suite, box, row):
    with open(box.ini, "wb") as out:
        out.write(row)
    proc, _ = suite.start_saver(box, "/s")
    colour = suite.shot().pixel(SCREEN_W - 2, SCREEN_H - 2)
    expect(colour == (255, 0, 0), f"background is {colour}, the stored red was not read")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")
    with open(box.ini, "rb") as stored:
        expect(stored.read() == row, "the start rewrote a settings file it could read")


@case("settings_file_is_a_fifo")
def settings_file_is_a_fifo(suite, box):
    os.mkfifo(box.ini)
    proc, _ = suite.start_saver(box, "/s")
    colour = suite.shot().pixel(SCREEN_W - 2, SCREEN_H - 2)
    expect(colour == (0, 0, 0), f"background is {colour}, expected the default black")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")
    expect(not os.path.isfile(box.ini), "the FIFO was replaced")

# --- cases: the settings dialog's delays and choosers ---------------------------------------

# Client-area points of the dialog's controls: the page option "Vzhled", the background
# colour's "..." on that page, and the first delay box on the first page.
VZHLED_OPTION = (30, 110)
BACKGROUND_BUTTON = (356, 96)
FIRST_DELAY_BOX = (284, 201)


def click_in(suite, window, point):
    suite.xdotool("mousemove", "--window", str(window), str(point[0]), str(point[1]))
    time.sleep(0.1)
    suite.xdotool("click", "1")
    time.sleep(0.2)


def read_bytes(path):
    with open(path, "rb") as data:
        return data.read()


@case("colour_chooser_in_czech", group="dialog")
def colour_chooser_in_czech(suite, box):
    box.store()
    suite.reset_watch()
    proc = box.start("/c")
    dialog = suite.wait_window(DIALOG, proc)
    time.sleep(0.3)
    click_in(suite, dialog, VZHLED_OPTION)
    click_in(suite, dialog, BACKGROUND_BUTTON)
    chooser = suite.wait_window(COLOUR_CHOOSER, proc)
    suite.key("Escape")
    suite.wait_unmapped(chooser)
    suite.x.request_close(dialog)
    suite.expect_exit(proc, 2.0, "closing the dialog after the colour chooser")


@case("word_in_delay_box_refused", group="dialog")
def word_in_delay_box_refused(suite, box):
    box.store(nprvni="5")
    before = read_bytes(box.ini)
    suite.reset_watch()
    proc = box.start("/c")
    dialog = suite.wait_window(DIALOG, proc)
    time.sleep(0.3)
    click_in(suite, dialog, FIRST_DELAY_BOX)
    suite.key("ctrl+a")
    suite.xdotool("type", "abc")
    close_dialog(suite, dialog, "OK")
    deadline = time.monotonic() + MAP_TIMEOUT
    while len([w for w, name in suite.mapped_windows() if name == DIALOG]) < 2:
        expect(time.monotonic() < deadline, "OK showed no message about the delay")
        suite.watch()
        time.sleep(0.05)
    suite.expect_alive(proc, "OK with a word in the delay box")
    expect(read_bytes(box.ini) == before, f"OK stored {box.stored()}")
    suite.key("Return")
    time.sleep(0.5)
    suite.watch()
    expect(dialog in [w for w, _ in suite.mapped_windows()], "the dialog closed")
    expect(read_bytes(box.ini) == before, f"the settings changed: {box.stored()}")
    close_dialog(suite, dialog, "Storno")
    suite.expect_exit(proc, 2.0, "Storno after the refused delay")
    expect(read_bytes(box.ini) == before, f"Storno changed the settings: {box.stored()}")

# --- cases: hostile files and the instance lock ----------------------------------------------

def only_lessons(box, files):
    """Replaces the sandbox's lessons; a value of bytes is a file, "fifo" a FIFO, and a path
    starting with a slash a link to it."""
    folder = os.path.join(box.app, "lessons")
    shutil.rmtree(folder)
    os.makedirs(folder)
    for name, what in files.items():
        path = os.path.join(folder, name)
        if isinstance(what, bytes):
            with open(path, "wb") as out:
                out.write(what)
        elif what == "fifo":
            os.mkfifo(path)
        else:
            os.symlink(what, path)


@case("lesson_that_never_ends_answers_a_key", rows=[
    ("link to /dev/zero alone", False),
    ("links to /dev/zero and /dev/urandom and a FIFO beside a lesson, space pressed", True),
])
def lesson_that_never_ends(suite, box, with_space):
    files = {"zero.txt": "/dev/zero"}
    if with_space:
        files.update({"random.txt": "/dev/urandom", "pipe.txt": "fifo",
                      "zvirata.txt": LESSONS["zvirata.txt"]})
    only_lessons(box, files)
    box.store(**FIXED_PLACEMENT)
    proc, window = suite.start_saver(box, "/s")
    if with_space:
        for _ in range(6):
            suite.key("space")
            time.sleep(0.15)
        time.sleep(0.5)
        suite.expect_alive(proc, "after space")
        suite.watch()
        expect(suite.window_info(window)["state"] == "IsViewable", "the saver's window is gone")
    suite.key("x")
    suite.expect_exit(proc, QUICK_EXIT, "a key press")


@case("picture_that_is_a_fifo_in_the_saver")
def fifo_picture_saver(suite, box):
    fifo = os.path.join(box.root, "picture.jpg")
    os.mkfifo(fifo)
    box.store(obr=fifo, bpozadi="255", **FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    colour = suite.shot().pixel(100, 100)
    expect(colour == (255, 0, 0), f"background is {colour}, expected the red colour alone")
    suite.key("x")
    suite.expect_exit(proc, QUICK_EXIT, "a key press")


@case("picture_that_is_a_fifo_in_the_dialog", group="dialog")
def fifo_picture_dialog(suite, box):
    fifo = os.path.join(box.root, "picture.jpg")
    os.mkfifo(fifo)
    box.store(obr=fifo)
    before = box.stored()
    suite.reset_watch()
    proc = box.start("/c")
    window = suite.wait_window(DIALOG, proc)
    time.sleep(0.3)
    close_dialog(suite, window, "Storno")
    suite.expect_exit(proc, 2.0, "Storno in the dialog")
    expect(box.stored() == before, f"the settings changed to {box.stored()}")


@case("leftover_lock_does_not_block", rows=[
    ("empty file, as a kill between creating and writing it leaves", "empty"),
    ("garbage", "garbage"),
    ("folder", "folder"),
])
def leftover_lock(suite, box, kind):
    lock = os.path.join(box.runtime, "vokabo.lock")
    if kind == "folder":
        os.mkdir(lock)
    else:
        with open(lock, "wb") as out:
            out.write(b"" if kind == "empty" else b"\xff\x00garbage\n-1\n")
    box.store(**FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    suite.reset_watch()
    second = box.start("/s")
    suite.expect_exit(second, QUICK_EXIT, "a second instance")
    expect(not suite.watch(), "a second instance mapped a window")
    suite.key("x")
    suite.expect_exit(proc, QUICK_EXIT, "a key press")


@case("windows_1250_lesson_whose_first_word_is_valid_utf8")
def windows_1250_guess(suite, box):
    # "déšť" in Windows-1250 is valid UTF-8 by chance; the rest of the lesson is not.
    lesson = lesson_bytes("déšť/Rain", [("snow", "sníh")])
    reference = b"\xef\xbb\xbf" + lesson.decode("cp1250").encode("utf-8")
    text = 65280
    box.store(prvnicesky="1", nprvni="30", btextu=str(text), **FIXED_PLACEMENT)

    def czech_word(data):
        only_lessons(box, {"pocasi.txt": data})
        proc, _ = suite.start_saver(box, "/s")
        shot = suite.shot()
        suite.key("x")
        suite.expect_exit(proc, 2.0, "a key press")
        expect(shot.count(rgb_of(text), ANCHOR_LEFT, ANCHOR[0], ANCHOR_LEFT + WORD_W,
                          ANCHOR[1]) > 30, "no Czech word is shown")
        return [shot.data[(y * shot.width + ANCHOR_LEFT) * 3:
                          (y * shot.width + ANCHOR_LEFT + WORD_W) * 3]
                for y in range(*ANCHOR)]

    expect(czech_word(lesson) == czech_word(reference),
           "the Windows-1250 lesson does not show the word as its UTF-8 copy does")

# --- cases: the user's own lessons --------------------------------------------------------

@case("user_lessons_only")
def user_lessons_only(suite, box):
    """The program's lessons folder is empty; the one lesson is the user's, and its words
    are shown."""
    for name in os.listdir(os.path.join(box.app, "lessons")):
        os.remove(os.path.join(box.app, "lessons", name))
    user = os.path.join(box.data, "vokabo", "lessons")
    os.makedirs(user)
    with open(os.path.join(user, "moje.txt"), "wb") as out:
        out.write(lesson_bytes("Moje/Mine", [("house", "dům"), ("garden", "zahrada")]))
    text = 65280  # green words on black
    box.store(btextu=str(text), **FIXED_PLACEMENT)
    proc, _ = suite.start_saver(box, "/s")
    shot = suite.shot()
    expect(shot.count(rgb_of(text), ANCHOR_LEFT, ANCHOR[0], ANCHOR_LEFT + WORD_W, ANCHOR[1]) > 30,
           "no word of the user's lesson on screen")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


# --- cases: the lesson choice -------------------------------------------------------------

# Client-area points of the page option "Lekce" and of a spot in its list below the rows.
LEKCE_OPTION = (30, 158)
LESSON_LIST_BELOW_ROWS = (200, 330)


def word_extent(shot, colour, top=80):
    """How wide the words of this colour are below the banner, in pixels (0 for none)."""
    wanted = bytes(colour)
    left, right = shot.width, -1
    for y in range(top, shot.height):
        row = shot.data[y * shot.width * 3:(y + 1) * shot.width * 3]
        at = row.find(wanted)
        while at >= 0 and at % 3:
            at = row.find(wanted, at + 1)
        if at < 0:
            continue
        last = row.rfind(wanted)
        while last % 3:
            last = row.rfind(wanted, 0, last)
        left, right = min(left, at // 3), max(right, last // 3)
    return right - left + 1 if right >= 0 else 0


@case("lesson_choice_in_the_dialog", group="dialog")
def lesson_choice(suite, box):
    """From the running saver: the fourth page, one of two lessons unchecked, OK; the saver
    comes back and space shows only the checked lesson's words."""
    only_lessons(box, {"a.txt": lesson_bytes("Úzká/Narrow", [("i", "i")]),
                       "b.txt": lesson_bytes("Široká/Wide", [("wide", "ŽŽŽŽŽŽŽŽŽŽ")])})
    text = 65280  # green words on black
    box.store(btextu=str(text), **FIXED_PLACEMENT)
    proc, saver = suite.start_saver(box, "/s")
    suite.key("s")
    dialog = suite.wait_window(DIALOG, proc)
    suite.wait_unmapped(saver)
    time.sleep(0.3)
    click_in(suite, dialog, LEKCE_OPTION)
    # The list's rows: the folder, then a.txt, then b.txt.
    click_in(suite, dialog, LESSON_LIST_BELOW_ROWS)
    for key in ("Down", "Down", "Down", "space"):
        suite.key(key)
        time.sleep(0.1)
    close_dialog(suite, dialog, "OK")
    back = suite.wait_window("Form1", proc)
    suite.wait_unmapped(dialog)
    stored = box.stored().get("lekce")
    expect(stored == "-pribalena/b.txt", f"OK stored the lesson choice as {stored!r}")
    suite.wait_focus(back)
    time.sleep(0.3)
    widths = [word_extent(suite.shot(), rgb_of(text))]
    for _ in range(10):
        suite.key("space")
        time.sleep(0.4)
        widths.append(word_extent(suite.shot(), rgb_of(text)))
    expect(all(0 < width < 40 for width in widths),
           f"words of the unchecked lesson on screen: widths {widths}")
    suite.key("x")
    suite.expect_exit(proc, 2.0, "a key press")


# --- main ------------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", default=os.path.join(tempfile.gettempdir(),
                                                            "vokabo-e2e-artifacts"))
    parser.add_argument("--group", choices=["saver", "dialog", "all"], default="all")
    parser.add_argument("cases", nargs="*", help="run only these cases")
    options = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "xdotool", "xwininfo", "xprop", "import", "convert")
               if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: missing {', '.join(missing)} (scripts/install-deps.sh installs them)")
        return SKIP

    selected = [(name, function, rows) for name, group, function, rows in CASES
                if options.group in ("all", group) and
                (not options.cases or name in options.cases)]
    if not selected:
        print("no case matches", options.cases)
        return 2

    def on_signal(number, _frame):
        PROCESSES.kill_all()
        sys.exit(128 + number)

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)

    suite = Suite(os.path.abspath(options.program), options.artifacts)
    return run_suite(suite, selected,
                     f"Xvfb on {suite.display}, {SCREEN_W}x{SCREEN_H}, no window manager")


if __name__ == "__main__":
    sys.exit(main())
