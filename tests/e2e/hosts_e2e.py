#!/usr/bin/env python3
"""End-to-end tests of the saver where Linux users run it: two monitors, a window manager
with a dock, a Wayland compositor, xscreensaver's hack window, the signals idle hosts end
savers with, and starts that cannot or must not show anything.

Every case brings up the display server it needs (Xvfb, openbox, weston) and starts the
program in a sandbox of its own, as vokabo_e2e.py does, whose helpers it shares.
Run by CTest; by hand:  hosts_e2e.py --program build/vokabo [case ...]
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from vokabo_e2e import (FIXED_PLACEMENT, PROCESSES, SKIP, Failure, Results,  # noqa: E402
                        Sandbox, Shot, Xlib, MAP_NOTIFY, expect, rgb_of, wait_exit)

# Generous for a window to appear on a loaded machine; strict where the behaviour is.
MAP_TIMEOUT = 10.0
SIGNAL_EXIT = 1.0
QUICK_EXIT = 2.0

RED = rgb_of(255)
WHITE = (255, 255, 255)


# --- display servers ---------------------------------------------------------------------

def start_xvfb(width, height, extra=()):
    """A server on a display number of its own choosing between 40 and 99: the lowest free
    number may be taken by a socket whose server is gone."""
    for number in random.sample(range(40, 100), 60):
        if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
            continue
        proc = PROCESSES.spawn(["Xvfb", f":{number}", "-screen", "0", f"{width}x{height}x24",
                                "-nolisten", "tcp", "-noreset", "-br", *extra],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and proc.poll() is None:
            if subprocess.run(["xdpyinfo", "-display", f":{number}"], capture_output=True,
                              timeout=20).returncode == 0 or "-auth" in extra and \
                    os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return proc, f":{number}"
            time.sleep(0.1)
        proc.kill()
    raise RuntimeError("Xvfb did not start")


class Context:
    """What Sandbox needs of a suite: the program, a work folder and the display in use."""

    def __init__(self, program, workdir):
        self.program = program
        self.workdir = workdir
        self.display = None
        self.artifacts = None
        self.extra_env = {}
        self.drop_env = set()


class HostSandbox(Sandbox):
    def close(self):
        """Whatever the sandbox holds beyond its folder goes when its case ends."""

    def env(self):
        env = Sandbox.env(self)
        if self.suite.display is None:
            env.pop("DISPLAY", None)
        env.update(self.suite.extra_env)
        for key in self.suite.drop_env:
            env.pop(key, None)
        return env


def keep_shot(ctx, name, picture):
    """What a passing case saw, for a person to look at."""
    os.makedirs(ctx.artifacts, exist_ok=True)
    picture.save(os.path.join(ctx.artifacts, name + ".png"))


def wait_pixel(display, point, colour, proc, timeout=MAP_TIMEOUT):
    """Waits until the pixel shows the colour: the saver's window is mapped and painted."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = Shot(display).pixel(*point)
        if last == colour:
            return
        if proc is not None and proc.poll() is not None:
            raise Failure(f"the program ended (status {proc.returncode}) before painting "
                          f"{point}")
        time.sleep(0.2)
    raise Failure(f"pixel {point} is {last}, not {colour}, {timeout} s after the start")


def expect_exit(proc, timeout, what, status=0):
    got = wait_exit(proc, timeout)
    expect(got is not None, f"{what}: the program still runs {timeout} s later")
    expect(got == status, f"{what}: the program ended with status {got}, not {status}")


def xdotool(display, *args):
    env = dict(os.environ, DISPLAY=display)
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=20,
                            env=env)
    if result.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout


def window_ids(display, name):
    env = dict(os.environ, DISPLAY=display)
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                         capture_output=True, text=True, timeout=20, env=env).stdout
    return [int(w) for w in out.split()]


def wait_windows(display, name, count, proc, timeout=MAP_TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if len(window_ids(display, name)) == count:
            return
        expect(proc.poll() is None, f"the program ended (status {proc.returncode})")
        time.sleep(0.2)
    raise Failure(f"{len(window_ids(display, name))} windows '{name}', not {count}")


# A small X client of its own, run as a child process: a window with a given colour,
# optionally a dock reserving a strut along the bottom edge. It prints the window's id and
# lives until it is killed.
X_CLIENT = r'''
import ctypes, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XCreateSimpleWindow.restype = ctypes.c_ulong
x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                  ctypes.c_ulong]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                              ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
left, top, width, height, colour, dock = map(int, sys.argv[1:7])
dpy = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(dpy)
win = x.XCreateSimpleWindow(dpy, root, left, top, width, height, 0, 0, colour)
atom = lambda name: x.XInternAtom(dpy, name.encode(), 0)
if dock:
    XA_ATOM, XA_CARDINAL, REPLACE = 4, 6, 0
    kind = (ctypes.c_long * 1)(atom("_NET_WM_WINDOW_TYPE_DOCK"))
    x.XChangeProperty(dpy, win, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, REPLACE, kind, 1)
    strut = (ctypes.c_long * 12)(0, 0, 0, height, 0, 0, 0, 0, 0, 0, left, left + width - 1)
    x.XChangeProperty(dpy, win, atom("_NET_WM_STRUT_PARTIAL"), XA_CARDINAL, 32, REPLACE, strut, 12)
    x.XChangeProperty(dpy, win, atom("_NET_WM_STRUT"), XA_CARDINAL, 32, REPLACE, strut, 4)
# Placed where asked, also under a window manager: user-specified position and size.
hints = (ctypes.c_long * 18)(1 | 2 | 4 | 8, left, top, width, height)
x.XChangeProperty(dpy, win, atom("WM_NORMAL_HINTS"), 41, 32, 0, hints, 18)
x.XMapWindow(dpy, win)
x.XSync(dpy, 0)
print(hex(win), flush=True)
while True:
    time.sleep(1)
'''


def start_x_client(display, left, top, width, height, colour, dock=False):
    env = dict(os.environ, DISPLAY=display)
    proc = PROCESSES.spawn([sys.executable, "-c", X_CLIENT, str(left), str(top), str(width),
                            str(height), str(colour), "1" if dock else "0"],
                           env=env, stdout=subprocess.PIPE, text=True)
    window = proc.stdout.readline().strip()
    if not window:
        raise RuntimeError("the X client did not start")
    return proc, int(window, 16)


# --- cases -------------------------------------------------------------------------------

def registry():
    """A list of cases, and the decorator that adds a case (with rows: a data-driven one whose
    every row runs on its own; with needs: the programs it cannot run without) to it."""
    cases = []

    def case(name, rows=None, needs=()):
        def register(function):
            cases.append((name, function, rows, needs))
            return function
        return register
    return cases, case


CASES, case = registry()


@case("two_monitors_both_covered_click_on_second_ends", needs=("xrandr",))
def two_monitors(ctx, box):
    _, ctx.display = start_xvfb(2560, 1024)
    env = dict(os.environ, DISPLAY=ctx.display)
    for name, geometry in (("left", "1280/338x1024/270+0+0"), ("right", "1280/338x1024/270+1280+0")):
        subprocess.run(["xrandr", "--setmonitor", name, geometry, "none"], env=env, check=True,
                       capture_output=True, timeout=20)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    watcher = Xlib(ctx.display)
    try:
        proc = box.start("/s")
        # Painted red on both monitors, away from the words and the banner.
        wait_pixel(ctx.display, (1270, 1010), RED, proc)
        wait_pixel(ctx.display, (2550, 1010), RED, proc)
        time.sleep(0.5)
        picture = Shot(ctx.display)
        for point in ((1270, 20), (1280, 20), (1300, 500), (2000, 20), (2550, 1010), (5, 1010)):
            expect(picture.pixel(*point) == RED, f"pixel {point} is {picture.pixel(*point)}")
        keep_shot(ctx, "two_monitors", picture)
        words = picture.count(WHITE, 0, 0, 1280, 1024)
        expect(words > 30, "no word on the first monitor")
        expect(picture.count(WHITE, 1280, 0, 2560, 1024) == 0, "words drawn on the second monitor")
        # Every top-level window of the saver covers exactly one monitor.
        covers = window_ids(ctx.display, "Form1")
        expect(len(covers) == 2, f"expected two windows, found {len(covers)}")
        # A monitor unplugged loses its cover, and gets it back when it returns.
        subprocess.run(["xrandr", "--delmonitor", "right"], env=env, check=True,
                       capture_output=True, timeout=20)
        wait_windows(ctx.display, "Form1", 1, proc)
        subprocess.run(["xrandr", "--setmonitor", "right", "1280/338x1024/270+1280+0", "none"],
                       env=env, check=True, capture_output=True, timeout=20)
        wait_windows(ctx.display, "Form1", 2, proc)
        wait_pixel(ctx.display, (2550, 1010), RED, proc)
        xdotool(ctx.display, "mousemove", "2000", "600")
        time.sleep(0.3)
        expect(proc.poll() is None, "one move on the second monitor ended the saver")
        xdotool(ctx.display, "click", "1")
        expect_exit(proc, QUICK_EXIT, "a click on the second monitor")
    finally:
        watcher.close()


@case("openbox_dock_is_covered", needs=("openbox",))
def openbox_dock(ctx, box):
    _, ctx.display = start_xvfb(1024, 768)
    env = dict(os.environ, DISPLAY=ctx.display, HOME=box.home)
    PROCESSES.spawn(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    green = (0, 255, 0)
    start_x_client(ctx.display, 0, 728, 1024, 40, 0x00FF00, dock=True)
    wait_pixel(ctx.display, (512, 750), green, None)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    proc = box.start("/s")
    wait_pixel(ctx.display, (1000, 700), RED, proc)
    wait_pixel(ctx.display, (512, 750), RED, proc)
    time.sleep(0.5)
    picture = Shot(ctx.display)
    keep_shot(ctx, "openbox_dock", picture)
    expect(picture.count(green, 0, 728, 1024, 768) == 0, "part of the dock is still visible")
    expect(picture.pixel(1023, 767) == RED, f"bottom-right pixel is {picture.pixel(1023, 767)}")
    os.kill(proc.pid, signal.SIGTERM)
    expect_exit(proc, SIGNAL_EXIT, "SIGTERM under openbox")


@case("weston_panel_is_covered", needs=("weston", "weston-screenshooter"))
def weston_panel(ctx, box):
    runtime = box.runtime
    socket = "vokabo-e2e"
    env = {key: value for key, value in os.environ.items() if key not in ("DISPLAY",)}
    env.update(XDG_RUNTIME_DIR=runtime, HOME=box.home)
    log = open(os.path.join(box.root, "weston.log"), "w")
    PROCESSES.spawn(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                     "--width=1024", "--height=640", f"--socket={socket}", "--idle-time=0"],
                    env=env, stdout=log, stderr=subprocess.STDOUT, cwd=box.root)
    log.close()
    deadline = time.monotonic() + MAP_TIMEOUT
    while not os.path.exists(os.path.join(runtime, socket)) and time.monotonic() < deadline:
        time.sleep(0.1)
    expect(os.path.exists(os.path.join(runtime, socket)), "weston did not start")

    def screenshot():
        folder = tempfile.mkdtemp(dir=box.root)
        subprocess.run(["weston-screenshooter"], env=dict(env, WAYLAND_DISPLAY=socket),
                       cwd=folder, capture_output=True, timeout=20)
        names = [n for n in os.listdir(folder) if n.endswith(".png")]
        if not names:
            return None
        ppm = subprocess.run(["convert", os.path.join(folder, names[0]), "-depth", "8", "ppm:-"],
                             capture_output=True, timeout=20, check=True).stdout
        picture = Shot.__new__(Shot)
        magic, width, height, _, rest = ppm.split(maxsplit=4)
        picture.width, picture.height, picture.data, picture.ppm = int(width), int(height), rest, ppm
        return picture

    # The shell's panel along the top edge, before the saver.
    panel_point = (900, 10)
    before = None
    deadline = time.monotonic() + MAP_TIMEOUT
    while time.monotonic() < deadline:
        before = screenshot()
        if before is not None and before.pixel(*panel_point) != before.pixel(900, 400):
            break
        time.sleep(0.3)
    expect(before is not None, "weston-screenshooter gave no picture")
    expect(before.pixel(*panel_point) != before.pixel(900, 400), "no panel to cover")

    ctx.display = None
    ctx.extra_env = dict(WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    proc = box.start("/s")
    deadline = time.monotonic() + MAP_TIMEOUT
    after = None
    while time.monotonic() < deadline:
        after = screenshot()
        if after is not None and after.pixel(*panel_point) == RED and after.pixel(1020, 630) == RED:
            break
        expect(proc.poll() is None, f"the saver ended (status {proc.returncode})")
        time.sleep(0.3)
    expect(after is not None and after.pixel(*panel_point) == RED,
           f"the panel is not covered: {after.pixel(*panel_point) if after else None}")
    expect(after.pixel(1020, 630) == RED, "the bottom-right corner is not covered")
    with open(os.path.join(ctx.artifacts, "weston_panel.png"), "wb") as out:
        out.write(subprocess.run(["convert", "ppm:-", "png:-"], input=after.ppm,
                                 capture_output=True, timeout=20).stdout)
    os.kill(proc.pid, signal.SIGTERM)
    expect_exit(proc, SIGNAL_EXIT, "SIGTERM on Wayland")


HOST = (100, 80, 640, 480)  # left, top, width, height of the stand-in for xscreensaver


@case("xscreensaver_host_window", rows=[
    ("-root", ["-root"]),
    ("--window-id", ["--window-id", "{window}"]),
])
def xscreensaver_host(ctx, box, args):
    _, ctx.display = start_xvfb(1024, 768)
    left, top, width, height = HOST
    _, window = start_x_client(ctx.display, left, top, width, height, 0x000000)
    box.store(bpozadi="255")
    watcher = Xlib(ctx.display)
    try:
        watcher.drain()
        ctx.extra_env = dict(XSCREENSAVER_WINDOW=hex(window))
        argv = [a.format(window=hex(window)) for a in args]
        procs = [box.start(*argv)]
        wait_pixel(ctx.display, (left + width - 2, top + height - 2), RED, procs[0])
        # xscreensaver starts one per monitor: no single-instance refusal between them.
        procs.append(box.start(*argv))
        time.sleep(2.5)  # a word cycle tick and a paint on a busy machine
        picture = Shot(ctx.display)
        keep_shot(ctx, "xscreensaver_host_" + args[0].strip("-"), picture)
        inside = picture.count(RED, left, top, left + width, top + height)
        expect(inside > width * height // 2, f"only {inside} red pixels inside the host window")
        outside = picture.count(RED, 0, 0, 1024, top) + picture.count(RED, 0, top + height, 1024, 768)
        expect(outside == 0, f"{outside} red pixels outside the host window")
        expect(picture.count(WHITE, left, top, left + width, top + height) > 30,
               "no word inside the host window")
        maps = [w for kind, w in watcher.drain() if kind == MAP_NOTIFY]
        expect(not maps, f"the saver mapped top-level windows {maps}")
        for proc in procs:
            expect(proc.poll() is None, f"a hack ended on its own (status {proc.returncode})")
        # Input belongs to xscreensaver: a key and moves over the window change nothing.
        xdotool(ctx.display, "mousemove", str(left + 50), str(top + 50))
        for step in range(30):
            xdotool(ctx.display, "mousemove", str(left + 60 + 5 * step), str(top + 60))
        xdotool(ctx.display, "click", "1")
        time.sleep(0.5)
        for proc in procs:
            expect(proc.poll() is None, "input ended a hack")
        for proc in procs:
            os.kill(proc.pid, signal.SIGTERM)
        for proc in procs:
            expect_exit(proc, SIGNAL_EXIT, "SIGTERM to the hack")
    finally:
        watcher.close()


@case("signal_ends_and_keeps_settings", rows=[
    ("SIGTERM", signal.SIGTERM), ("SIGINT", signal.SIGINT), ("SIGHUP", signal.SIGHUP),
])
def signal_ends(ctx, box, number):
    _, ctx.display = start_xvfb(1024, 768)
    box.store(nprvni="5", bpozadi="255", obr="/nonexistent/x.jpg", **FIXED_PLACEMENT)
    with open(box.ini, "rb") as stored:
        before = stored.read()
    proc = box.start("/s")
    wait_pixel(ctx.display, (1000, 700), RED, proc)
    os.kill(proc.pid, number)
    expect_exit(proc, SIGNAL_EXIT, f"{number.name}")
    with open(box.ini, "rb") as stored:
        expect(stored.read() == before, "the settings file changed")
    # The lock went with the process: the next start runs.
    again = box.start("/s")
    time.sleep(0.3)
    wait_pixel(ctx.display, (1000, 700), RED, again)
    again.send_signal(signal.SIGTERM)
    expect_exit(again, SIGNAL_EXIT, "SIGTERM to the second start")


@case("signal_with_the_dialog_open_stores_nothing")
def signal_in_dialog(ctx, box):
    _, ctx.display = start_xvfb(1024, 768)
    box.store(**FIXED_PLACEMENT)
    with open(box.ini, "rb") as stored:
        before = stored.read()
    proc = box.start("/c")
    deadline = time.monotonic() + MAP_TIMEOUT
    while not window_ids(ctx.display, "Nastavení") and time.monotonic() < deadline:
        time.sleep(0.2)
    expect(window_ids(ctx.display, "Nastavení"), "no settings dialog")
    os.kill(proc.pid, signal.SIGTERM)
    expect_exit(proc, SIGNAL_EXIT, "SIGTERM with the dialog open")
    with open(box.ini, "rb") as stored:
        expect(stored.read() == before, "the settings file changed")


@case("no_display_ends_with_a_message", rows=[
    ("display that does not exist", ":99999"),
    ("no DISPLAY at all", None),
    ("server that refuses the connection", "refusing"),
])
def no_display(ctx, box, display):
    if display == "refusing":
        cookie_file = os.path.join(box.root, "server.auth")
        name, cookie = b"MIT-MAGIC-COOKIE-1", os.urandom(16)
        # One entry of family Wild with an empty display number: it holds for any display.
        with open(cookie_file, "wb") as out:
            out.write((0xFFFF).to_bytes(2, "big") + (0).to_bytes(2, "big") +
                      (0).to_bytes(2, "big") + len(name).to_bytes(2, "big") + name +
                      len(cookie).to_bytes(2, "big") + cookie)
        _, display = start_xvfb(1024, 768, extra=("-auth", cookie_file))
        ctx.extra_env = dict(XAUTHORITY=os.path.join(box.root, "no-such-file"))
    ctx.display = display
    ctx.drop_env = {"WAYLAND_DISPLAY"}
    log = os.path.join(box.root, "stderr.log")
    with open(log, "w") as err:
        proc = PROCESSES.spawn([box.program, "/s"], env=box.env(), cwd=box.root,
                               stdout=subprocess.DEVNULL, stderr=err)
    expect_exit(proc, QUICK_EXIT, "a start without a screen", status=1)
    with open(log, encoding="utf-8") as err:
        lines = err.read().splitlines()
    expect(len(lines) == 1, f"expected one line on stderr, got {lines}")
    expect(box.stored() is None, "a start without a screen wrote the settings")


@case("qt_options_are_arguments_like_any_other", rows=[
    ("-reverse", ["-reverse"]),
    ("-platform offscreen", ["-platform", "offscreen"]),
    ("-root without xscreensaver", ["-root"]),
    ("-window-id without xscreensaver", ["-window-id", "0x1234"]),
])
def qt_options(ctx, box, args):
    _, ctx.display = start_xvfb(1024, 768)
    watcher = Xlib(ctx.display)
    try:
        watcher.drain()
        proc = box.start(*args)
        expect_exit(proc, QUICK_EXIT, f"{args}")
        time.sleep(0.2)
        maps = [w for kind, w in watcher.drain() if kind == MAP_NOTIFY]
        expect(not maps, f"{args} mapped windows {maps}")
        expect(box.stored() is None, f"{args} wrote the settings")
    finally:
        watcher.close()


@case("russian_layout_s_opens_the_settings", needs=("setxkbmap",))
def russian_layout(ctx, box):
    _, ctx.display = start_xvfb(1024, 768)
    env = dict(os.environ, DISPLAY=ctx.display)
    subprocess.run(["setxkbmap", "ru"], env=env, check=True, capture_output=True, timeout=20)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    proc = box.start("/s")
    wait_pixel(ctx.display, (1000, 700), RED, proc)
    deadline = time.monotonic() + MAP_TIMEOUT
    while time.monotonic() < deadline:
        focus = xdotool(ctx.display, "getwindowfocus").strip()
        if int(focus) in window_ids(ctx.display, "Form1"):
            break
        time.sleep(0.1)
    # The key where a Latin layout has S; xdotool finds it by its Russian symbol.
    xdotool(ctx.display, "key", "Cyrillic_yeru")
    deadline = time.monotonic() + MAP_TIMEOUT
    while not window_ids(ctx.display, "Nastavení") and time.monotonic() < deadline:
        expect(proc.poll() is None, f"the key ended the saver (status {proc.returncode})")
        time.sleep(0.2)
    expect(window_ids(ctx.display, "Nastavení"), "the S key did not open the settings")
    os.kill(proc.pid, signal.SIGTERM)
    expect_exit(proc, SIGNAL_EXIT, "SIGTERM with the dialog open")


# --- main --------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", default=os.path.join(tempfile.gettempdir(),
                                                            "vokabo-hosts-e2e-artifacts"))
    parser.add_argument("cases", nargs="*", help="run only these cases")
    options = parser.parse_args()
    return run_cases(CASES, options, HostSandbox, "vokabo-hosts-e2e-")


def run_cases(cases, options, make_box, prefix):
    """Runs the chosen cases, each row in a sandbox of its own made by make_box(ctx, name),
    and ends with the closing line of passed, failed and skipped cases."""
    missing = [tool for tool in ("Xvfb", "xdotool", "import", "convert")
               if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: missing {', '.join(missing)} (scripts/install-deps.sh installs them)")
        return SKIP

    def on_signal(number, _frame):
        PROCESSES.stop_all()
        sys.exit(128 + number)

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)

    workdir = tempfile.mkdtemp(prefix=prefix)
    results = Results()
    skipped = []
    try:
        for name, function, rows, needs in cases:
            if options.cases and name not in options.cases:
                continue
            lacking = [tool for tool in needs if shutil.which(tool) is None]
            if lacking:
                skipped.append(f"{name} (no {', '.join(lacking)})")
                continue
            for label, data in (rows or [(None, None)]):
                full = name if label is None else f"{name}[{label}]"
                ctx = Context(os.path.abspath(options.program), workdir)
                ctx.artifacts = options.artifacts
                box = make_box(ctx, full)
                started = time.monotonic()
                try:
                    if rows is None:
                        function(ctx, box)
                    else:
                        function(ctx, box, data)
                except Exception as error:  # noqa: BLE001 - a case's failure, reported
                    stem = keep_evidence(options.artifacts, ctx, box, full)
                    kind = "" if isinstance(error, Failure) else f"{type(error).__name__}: "
                    results.record(full, f"{kind}{error} (evidence: {stem}.*)")
                else:
                    results.record(full + f"  ({time.monotonic() - started:.1f} s)")
                finally:
                    PROCESSES.stop_all()
                    box.close()
    finally:
        PROCESSES.stop_all()
        shutil.rmtree(workdir, ignore_errors=True)
    for line in skipped:
        print(f"SKIP  {line}")
    print(f"{len(results.passed)} passed, {len(results.failed)} failed, {len(skipped)} skipped")
    return 1 if results.failed else 0


def keep_evidence(artifacts, ctx, box, name):
    import re
    os.makedirs(artifacts, exist_ok=True)
    stem = os.path.join(artifacts, re.sub(r"[^\w.-]", "_", name))
    if ctx.display:
        try:
            Shot(ctx.display).save(stem + ".png")
        except Exception:  # noqa: BLE001 - the evidence is a courtesy
            pass
    for index, log in enumerate(box.logs):
        shutil.copy(log, f"{stem}.program-{index}.log")
    # The logs of the servers a case brought up, and what it kept to look at.
    for extra in sorted(os.listdir(box.root)):
        path = os.path.join(box.root, extra)
        if (extra.endswith(".log") or extra == "weston-covered.png") and path not in box.logs:
            shutil.copy(path, f"{stem}.{extra}")
    return stem


if __name__ == "__main__":
    sys.exit(main())
